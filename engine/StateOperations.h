#pragma once

#include "LETPoint.h"
#include "LineEditorAudioProcessor.h"
#include "HostWrites.h"

// Operations that change whole states or the whole preset at once: reset, copy and paste of a
// state through the processor's state clipboard, reset and randomize of a state and the mirror of
// the edited curve. The state operations take the state they act on: the editor's state menu
// names the state the user pointed at, which need not be the one playing. Each keeps the rendered tables
// consistent with the stored points, records the undo steps the user expects and raises the change flags the
// editor polls. They run on the message thread, take the model lock and tell the host what
// changed only after releasing it. One that finds a restore or another operation's host writes
// under way does nothing, and one that a restore overtakes before its host writes tells the host
// nothing more: the restored document wins. Until its last host write a save stores the document
// as the operation leaves it (see HostWrites).
class StateOperations
{
public:
    static constexpr int numLines = 4;
    static constexpr int numStates = 12;
    static constexpr int numSlots = 50;

    static void resetPreset (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);
    static void copyState (LineEditorAudioProcessor& p, int state) KALVO_EXCLUDES (p.curveModelLock);
    static void pasteState (LineEditorAudioProcessor& p, int state) KALVO_EXCLUDES (p.curveModelLock);
    static void resetState (LineEditorAudioProcessor& p, int state) KALVO_EXCLUDES (p.curveModelLock);
    static void randomizeState (LineEditorAudioProcessor& p, int state) KALVO_EXCLUDES (p.curveModelLock);
    static void flipLine (LineEditorAudioProcessor& p, bool vertical) KALVO_EXCLUDES (p.curveModelLock);

    // 48 free slots and the two points (0, 1) and (1, 1): no modulation.
    static void makeFlatCurve (LETPoint* curve);

    // x 2, y 0, tension 0, index -1, type 1: a slot the curve does not use.
    static LETPoint freeSlot();

private:
    // The model's part of the operations above, under the lock, recording the host writes that
    // follow into `writes`. Reset returns whether it acted.
    static bool resetModel (LineEditorAudioProcessor& p, HostWrites& writes) KALVO_EXCLUDES (p.curveModelLock);
    static void resetStateModel (LineEditorAudioProcessor& p, int state, HostWrites& writes)
        KALVO_EXCLUDES (p.curveModelLock);
    static void randomizeStateModel (LineEditorAudioProcessor& p, int state, HostWrites& writes)
        KALVO_EXCLUDES (p.curveModelLock);
};
