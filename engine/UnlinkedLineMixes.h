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
    struct Mixes
    {
        float of[LineEditorAudioProcessor::numLines] = {};
    };

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

    // Turning the link off takes three steps. In the edit's first step, with the link still on,
    // mixesThatPlay gives the mixes that play, as the line-mix parameters hold them; once the lock
    // is released, setParameters gives them to the parameters, whose listener ignores them while
    // the link is on, unless a restore began since the edit's mark (false then). Last, a second
    // step with the same mark calls unlink: the parameters play from now on.
    // In the first step willUnlink begins the edit's host writes: until the last step a save stores
    // the parameters at the mixes and the link off.
    static Mixes mixesThatPlay (LineEditorAudioProcessor& p) KALVO_REQUIRES (p.curveModelLock);
    static void willUnlink (LineEditorAudioProcessor& p, const Mixes& mixes, RestoreEpoch::Edit& writes)
        KALVO_REQUIRES (p.curveModelLock, modelEditGrant);
    static bool setParameters (LineEditorAudioProcessor& p, const Mixes& mixes, RestoreEpoch::Mark since)
        KALVO_EXCLUDES (p.curveModelLock);
    static void unlink (LineEditorAudioProcessor& p) KALVO_REQUIRES (p.curveModelLock, modelEditGrant);

    // The link goes on again: each line plays the playing state's own mix, ramped as a switch
    // ramps, the mixes set while it was off included.
    static void relink (LineEditorAudioProcessor& p)
        KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole);

    // A load, in the restore's first part, after the model took the document (linkMix included)
    // and before the parameter tree takes its cleaned "PARAM" children. For an unlinked document
    // each line plays what a fresh instance always played: the document's line-mix parameter when
    // it is not at its default, else the document's mix of the state it selects. The document's
    // parameter is rewritten to that mix, so the instance's own parameters do not matter; the
    // states keep the document's mixes.
    static void settleDocument (LineEditorAudioProcessor& p, juce::XmlElement& document)
        KALVO_REQUIRES (p.curveModelLock);
};
