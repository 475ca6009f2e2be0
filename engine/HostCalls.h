#pragma once

#include "LineEditorAudioProcessor.h"

// Every JUCE call that tells the host of a parameter change. A host may answer one by waiting, in
// its callback, for another of its threads that asks us for the state and so for the model lock:
// none of these may run with that lock held. The analysis knows only our own functions, so these
// are the only places that make such calls (scripts/test rejects one anywhere else).
class HostCalls
{
public:
    // The parameter takes a normalised value, and its listeners and the host hear of it, as
    // JUCE's setValueNotifyingHost does.
    static void setNormalisedValue (LineEditorAudioProcessor& p, juce::AudioProcessorParameter& parameter,
                                    float normalisedValue) KALVO_EXCLUDES (p.curveModelLock);

    // The same for the parameter of the tree with that id; an unknown id is ignored.
    static void setNormalisedValue (LineEditorAudioProcessor& p, const juce::String& id,
                                    float normalisedValue) KALVO_EXCLUDES (p.curveModelLock);

    // The host is told that a change of the parameter of the tree with that id begins or ends
    // (a knob drag); an unknown id is ignored.
    static void beginGesture (LineEditorAudioProcessor& p, const juce::String& id) KALVO_EXCLUDES (p.curveModelLock);
    static void endGesture (LineEditorAudioProcessor& p, const juce::String& id) KALVO_EXCLUDES (p.curveModelLock);

    // The tree's state replaced; the host hears of every parameter that changes.
    static void replaceState (LineEditorAudioProcessor& p, const juce::ValueTree& state)
        KALVO_EXCLUDES (p.curveModelLock);
};
