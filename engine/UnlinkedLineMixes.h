#pragma once

#include "LineEditorAudioProcessor.h"

// The line mixes while they are common to all states (linkMix off). Then the line-mix parameter
// is the one owner of its line's mix and every state's bandMix of that line equals it: the knob
// sets the parameter, whose listener writes every state (see hostLineMixes); turning the link
// off and loading a document make the states equal and set the parameter to match. A save
// therefore stores what plays, and every instance plays the same after a load.
class UnlinkedLineMixes
{
public:
    struct Mixes
    {
        float of[LineEditorAudioProcessor::numLines] = {};
    };

    // Message thread, a move of the mix knob of `line`: false while the link is on (the knob
    // then writes the playing state's mix itself). Otherwise the line-mix parameter takes the
    // value, unless a restore is half done: the restored document wins.
    static bool fromKnob (LineEditorAudioProcessor& p, int line, float value) KALVO_EXCLUDES (p.curveModelLock);

    // A drag of the mix knob of `line` begins or ends. The host hears of a change gesture on
    // the line-mix parameter while the link is off; beginDrag says whether it did, and the
    // caller ends exactly those.
    static bool beginDrag (LineEditorAudioProcessor& p, int line) KALVO_EXCLUDES (p.curveModelLock);
    static void endDrag (LineEditorAudioProcessor& p, int line) KALVO_EXCLUDES (p.curveModelLock);

    // The link is about to go off: every state of each line takes the mix that plays, as the
    // line-mix parameter holds it, and the mixes ramp there. Call in the step that flips the
    // flag, then give the result to setParameters once the lock is released, with the edit's
    // mark: a restore that began since keeps its own parameters.
    static Mixes shareMixesThatPlay (LineEditorAudioProcessor& p)
        KALVO_REQUIRES (p.curveModelLock, modelWriteRole);
    static void setParameters (LineEditorAudioProcessor& p, const Mixes& mixes, RestoreEpoch::Mark since)
        KALVO_EXCLUDES (p.curveModelLock);

    // A load, in the restore's first part, after the model took the document (linkMix included)
    // and before the parameter tree takes its cleaned "PARAM" children. For an unlinked document each line plays what a
    // fresh instance always played: the document's line-mix parameter when it is not at its
    // default, else the document's mix of the state it selects. Every state gets that mix, and
    // the document's parameter is rewritten to it, so the instance's own parameters do not matter.
    static void settleDocument (LineEditorAudioProcessor& p, juce::XmlElement& document)
        KALVO_REQUIRES (p.curveModelLock, modelWriteRole);
};
