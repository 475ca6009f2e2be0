#pragma once

#include "LineEditorAudioProcessor.h"

// What a move of one of the knobs that are not host parameters writes into the processor: the
// entry of the state that plays, the live value the audio uses, and the change flag the editor's
// refresh polls. None of them marks the preset modified, except the mix with the link off, which
// changes a parameter. Message thread only. Each stores and publishes the value before it posts
// the live one, all under the model lock, so a state switch in between never plays one state's
// value in another. A move while a restore is half done is dropped: the restored document wins,
// and the restore's change flags bring the knobs to it.
class KnobHandling
{
public:
    // Loop length position 0..1 of `line`.
    static void length (LineEditorAudioProcessor& p, int line, float position) KALVO_EXCLUDES (p.curveModelLock);

    // Glide time of `line` in milliseconds; the audio thread takes the new coefficient pair whole.
    static void glide (LineEditorAudioProcessor& p, int line, float milliseconds) KALVO_EXCLUDES (p.curveModelLock);

    // Switches the playing state's tempo sync of `line`; the setting it then has.
    static bool toggleSync (LineEditorAudioProcessor& p, int line) KALVO_EXCLUDES (p.curveModelLock);

    // Mix 0..1 of `line`; its ramp is mix 1 + line (mix 0 is the master). With the link off the
    // line-mix parameter takes it instead, for every state (see UnlinkedLineMixes); that marks
    // the preset modified, as any parameter change does. `dragGesture` is the drag's, for a move
    // that is part of one (see UnlinkedLineMixes::fromKnob).
    static void mix (LineEditorAudioProcessor& p, int line, float value, bool* dragGesture = nullptr)
        KALVO_EXCLUDES (p.curveModelLock);

    // The two crossover positions after a move of knob `moved` (0 low-mid, 1 mid-high).
    struct SplitPositions
    {
        float low;
        float high;
        bool pushed; // the other knob was dragged along: set it to its new position silently
    };

    // Stores the moved knob's new position. It is compared with the other position as the
    // playing state holds it, not as the other knob shows it: after a state switch the knobs
    // show the old state until the refresh catches up. A knob moved past the other takes it
    // along to the same position, and both are stored into the same state at once, so the pair
    // stays in order even when the audio thread switches state before the window catches up.
    static SplitPositions split (LineEditorAudioProcessor& p, int moved, float position)
        KALVO_EXCLUDES (p.curveModelLock);
};
