#pragma once

#include "LineEditorAudioProcessor.h"
#include "ModelEdit.h"

// The line mixes while the link is off (linkMix false). Then each line-mix parameter owns what its
// line plays, what its knob shows and what a save stores for the state it selects, while the states
// keep their own mixes for the link to play again. A mix changed meanwhile, by the knob (which sets
// the parameter) or by the host, is one for every state: the parameter's listener leaves it for
// the fold into every state (see hostLineMixes). Turning the link off and loading a document
// change no state's mix.
class UnlinkedLineMixes
{
public:
    // The mix of `line` that plays in `state` and that its knob shows: the state's own with the
    // link on, the line-mix parameter's with it off.
    static float playing (LineEditorAudioProcessor& p, int line, int state) KALVO_REQUIRES (p.curveModelLock);

    // Message thread, a move of the mix knob of `line` (0..3): false while the link is on (the
    // knob then writes the playing state's mix itself). Otherwise the line-mix parameter takes the
    // value, unless a restore is half done: the restored document wins. `dragGesture`, for a move
    // of a drag, says whether the drag has the host's change gesture open: a move that reaches
    // the parameter opens it when it is not, so that a drag the link was on for when it began
    // (a restore turned it off) still tells the host. The caller ends it with endDrag.
    static bool fromKnob (LineEditorAudioProcessor& p, int line, float value, bool* dragGesture)
        KALVO_EXCLUDES (p.curveModelLock);
    static void endDrag (LineEditorAudioProcessor& p, int line) KALVO_EXCLUDES (p.curveModelLock);

    // LinkMixes clicked, on the message thread; nothing while a restore or another edit's host
    // writes are under way. On: each line plays the playing state's own mix again, ramped as a
    // switch ramps, the mixes set while it was off included. Off, in two steps: in the first, with
    // the link still on, the mixes that play are recorded as the edit's host writes and then given
    // to the line-mix parameters, whose listener ignores them while the link is on; a second step
    // with the first one's mark flips the flag, unless a restore began since: its document stands.
    // From then on the parameters play. Until the second step a save stores the unlinked document.
    static void toggle (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);

    // A load, in the restore's first part, after the model took the document (linkMix included)
    // and before the parameter tree takes its cleaned "PARAM" children. For an unlinked document
    // each line plays what a fresh instance always played: the document's line-mix parameter when
    // it is not at its default, else the document's mix of the state it selects. The document's
    // parameter is rewritten to that mix, so the instance's own parameters do not matter; the
    // states keep the document's mixes.
    static void settleDocument (LineEditorAudioProcessor& p, juce::XmlElement& document)
        KALVO_REQUIRES (p.curveModelLock);

private:
    static void unlink (LineEditorAudioProcessor& p) KALVO_REQUIRES (p.curveModelLock, modelEditGrant);
    static void relink (LineEditorAudioProcessor& p)
        KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole);
};
