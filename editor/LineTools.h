#pragma once

#include "LETPoint.h"
#include "LineEditorAudioProcessor.h"
#include "ModelEdit.h"

#include <JuceHeader.h>

// What the line tools of the icon row and the shape library do to the model, apart from the
// icons they light. Every tool acts on the edited stage (editedStage of the current line) of the
// current line and state, takes curveModelLock and brings the curve models up to date first, so
// an undo step always records the curve the user sees. They run on the message thread. A tool
// that finds a restore under way does nothing: the restored document wins.
class LineTools
{
public:
    static constexpr int numSlots = LineEditorAudioProcessor::numCurvePoints;

    // Records an undo step, stores the slots in the given order, renders them and rebuilds the
    // product table of the current line and state; raises the stage's change flag so the editor
    // reloads its curve editor, and marks the preset modified. stage 0 is stage 1, 1 is stage 2.
    // False: a restore was under way.
    static bool commitStage (LineEditorAudioProcessor& p, int stage, const LETPoint* slots)
        KALVO_EXCLUDES (p.curveModelLock);

    // The slots Randomize Line writes: 3 to 16 segments from random's draws in a fixed order, the
    // segment shapes drawn only on stage 1.
    static void fillRandomLine (juce::Random& random, bool stageOne, LETPoint* slots);

    static void copyLine (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    // false: the clipboard is empty, or a restore is under way.
    static bool pasteLine (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    static void randomizeLine (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    static void resetLine (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    // false when there was nothing to undo (redo).
    static bool undo (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    static bool redo (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    static void toggleQuantize (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    // LinkMixes. Off: the line-mix parameters take the mixes that play and play them from then on,
    // and every state keeps its own. On: each state plays its own mixes again, a mix set while the
    // link was off being every state's (see UnlinkedLineMixes).
    static void toggleLinkMix (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);

    // Fills the edited stage with library shape `shape` (0..39) and tells the host its state
    // changed; shapes outside the library are ignored (false), as during a restore.
    static bool applyShape (LineEditorAudioProcessor& p, int shape) KALVO_EXCLUDES (p.curveModelLock);

    // The product table of a line and state from its two stage tables, handed to the audio
    // thread at once.
    static void rebuildProduct (LineEditorAudioProcessor& p, int line, int state)
        KALVO_REQUIRES (p.curveModelLock, modelWriteRole);

    static int editedStage (const LineEditorAudioProcessor& p) noexcept;
    static LineEditor& editedModel (LineEditorAudioProcessor& p) noexcept
        KALVO_REQUIRES (p.curveModelLock, modelWriteRole);
    static LETPoint* editedStore (LineEditorAudioProcessor& p) noexcept
        KALVO_REQUIRES (p.curveModelLock, modelWriteRole);

private:
    static void writeStage (LineEditorAudioProcessor& p, int stage, const LETPoint* slots)
        KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole);
};
