#pragma once

#include "LETPoint.h"
#include "LineEditorAudioProcessor.h"

#include <JuceHeader.h>

// The processor's saved state as one XML document: the parameter tree with five root values,
// then the settings and curves of every line and state. The same document travels in two outer
// forms: the host's binary block and a UTF-8 preset file.
//
// Reading never trusts the document: values are clamped into the ranges the model and the audio
// path rely on, broken curves are repaired, and anything that cannot be read leaves the processor
// exactly as it was.
class StateDocument
{
public:
    static constexpr int numLines = 4;
    static constexpr int numStates = 12;
    static constexpr int numSlots = 50;

    // Documents larger than this are refused unread: the largest full document is under 1 MiB.
    static constexpr int maxDocumentBytes = 16 * 1024 * 1024;
    // A full document has 114 elements, two levels deep. The limits leave ample room for elements
    // that a later version or a hand editor adds (they are ignored), and refuse only what can be
    // nothing but hostile: millions of tiny elements, or nesting deep enough to exhaust the
    // parser's stack. Such text is refused before parsing.
    static constexpr int maxTags = 100000;
    static constexpr int maxDepth = 64;

    // The whole document built from the processor's current values, under the given preset name
    // when one is given; never null. All of it is read in one hold of the model lock, so it is
    // one document: while a restore is under way, the restored one (the newest, when restores
    // overlap); while an edit is telling the host its parameters, the edited one. Folds the line mixes a host
    // set while the mixes are common to all states into bandMix first, as publishing the model
    // does, and changes nothing else.
    static std::unique_ptr<juce::XmlElement> createDocument (LineEditorAudioProcessor& p,
                                                             const juce::String* presetName = nullptr)
        KALVO_EXCLUDES (p.curveModelLock);
    // The same, in the caller's hold: for a save that must be the document of one moment of its
    // own (see NamedPresetSave).
    static std::unique_ptr<juce::XmlElement> createDocumentHeld (LineEditorAudioProcessor& p,
                                                                 const juce::String* presetName = nullptr)
        KALVO_REQUIRES (p.curveModelLock);

    // Host form: replaces the block's content.
    static void writeToBlock (LineEditorAudioProcessor& p, juce::MemoryBlock& destination)
        KALVO_EXCLUDES (p.curveModelLock);

    // Preset form, under the given preset name when one is given. True when the file was written
    // completely.
    static bool writeToFile (LineEditorAudioProcessor& p, const juce::File& file,
                             const juce::String* presetName = nullptr) KALVO_EXCLUDES (p.curveModelLock);

    // The preset file's text form: UTF-8 declaration, no DTD, lines wrapped at 60, "\r\n".
    static juce::XmlElement::TextFormat fileFormat();

    // Host form. False (and nothing changed) when the block holds no usable document.
    static bool readFromBlock (LineEditorAudioProcessor& p, const void* data, int sizeInBytes)
        KALVO_EXCLUDES (p.curveModelLock);

    // Preset form; the file's name becomes the preset name, or, pasted, the preset keeps its name
    // and stays modified. False (and nothing changed) when the file is missing, unreadable, too
    // large or not a document of ours.
    static bool readFromFile (LineEditorAudioProcessor& p, const juce::File& file, bool pasted = false)
        KALVO_EXCLUDES (p.curveModelLock);

    // Text of either form to an element, refusing what the XML parser cannot safely take.
    static std::unique_ptr<juce::XmlElement> parseText (const juce::String& text);

    // Host block to text; false when the block is not one of ours or not valid UTF-8.
    static bool textFromBlock (const void* data, int sizeInBytes, juce::String& text);

    // Preset file to text; false when missing, unreadable, too large or not decodable.
    static bool textFromFile (const juce::File& file, juce::String& text);

    // Applies a parsed document. nameFromFile, when given, becomes the preset name instead of the
    // document's own; pasted keeps the current name instead and leaves the preset modified, in the
    // same step as the model, so that a restore coming between keeps its own. False (and nothing
    // changed) when the root is not our tree. Takes the model lock twice: the parameter tree takes
    // the document's parameters between, without it, since that calls the host; the model's
    // restores (RestoreEpoch) count it as under way from the first to the second, or until an
    // exception leaves it. Begun while another restore replaces the tree, it returns after its
    // first part, and that one finishes it.
    static bool applyDocument (LineEditorAudioProcessor& p, juce::XmlElement& document,
                               const juce::String* nameFromFile, bool pasted = false)
        KALVO_EXCLUDES (p.curveModelLock);

    // "LinePoints" + line name + "1St" / "2St" + state.
    static juce::String elementName (int line, int stage, int state);

    // The state a "State" parameter value selects: the nearest one, the first for NaN.
    static int stateIndex (float value);

    // Makes a curve read from outside safe for the curve model and the audio path: used slots
    // (index not -1, finite x) sorted to the front with x and y in 0..1 and tension in -1..1,
    // the first at x 0 and the last at x 1, free slots rewritten as free slots; fewer than two
    // used points give the flat curve at 1.0. A curve the model can already take as stored (in
    // any slot order, as Randomize State leaves it) is kept slot for slot.
    static void makeCurveUsable (LETPoint* curve);
};
