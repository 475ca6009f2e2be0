#include "KnobHandling.h"

#include "ModelEdit.h"
#include "SplitFrequency.h"
#include "UnlinkedLineMixes.h"

namespace
{
using Processor = LineEditorAudioProcessor;

bool isLine (int line)
{
    return line >= 0 && line < Processor::numLines;
}

// True, with the state now playing, when a switch came since `state` played.
bool switchedMeanwhile (const Processor& p, int& state)
{
    const int now = p.currentState;
    if (now == state || now < 0 || now >= Processor::numStates)
        return false;
    state = now;
    return true;
}

// Publishes the value a knob stored into `state`, then posts the live value(s) with
// post (p, state). A switch that applied the published model before that post would be
// overridden by it, so the post is repeated for the state that plays now until no switch came
// between (a switch sets currentState before it posts its own values). The post is called as a
// member so that the analysis reads its processor as p.
template <typename Post>
void publishAndPost (Processor& p, int state, Post post)
    KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole)
{
    p.publishModel();
    int s = state;
    do
        post.operator() (p, s);
    while (switchedMeanwhile (p, s));
}

int playingState (const Processor& p)
{
    return juce::jlimit (0, Processor::numStates - 1, p.currentState.load());
}
} // namespace

void KnobHandling::length (LineEditorAudioProcessor& p, int line, float position)
{
    if (!isLine (line))
        return;
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    const int state = playingState (p);
    p.lineLength()[line][state] = position;
    publishAndPost (p, state,
                    [line] (Processor& q, int s) KALVO_REQUIRES (q.curveModelLock, modelWriteRole)
                    {
                        q.activeLength[line] = q.lineLength()[line][s];
                        q.CalculateSpeed();
                    });
    p.speedChanged[line] = true;
}

void KnobHandling::glide (LineEditorAudioProcessor& p, int line, float milliseconds)
{
    if (!isLine (line))
        return;
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    const int state = playingState (p);
    p.bandGlide()[line][state] = milliseconds;
    publishAndPost (p, state,
                    [line] (Processor& q, int s) KALVO_REQUIRES (q.curveModelLock, modelWriteRole)
                    { q.setGlideTime (line, q.bandGlide()[line][s]); });
}

bool KnobHandling::toggleSync (LineEditorAudioProcessor& p, int line)
{
    if (!isLine (line))
        return false;
    ModelEdit edit (p);
    if (!edit.goesAhead())
    {
        const ModelLock::Hold hold (p.curveModelLock);
        return ModelReading (p).lineSync()[line][playingState (p)];
    }
    const int state = playingState (p);
    const bool synced = !p.lineSync()[line][state];
    p.lineSync()[line][state] = synced;
    publishAndPost (p, state,
                    [line] (Processor& q, int s) KALVO_REQUIRES (q.curveModelLock, modelWriteRole)
                    {
                        q.activeSync[line] = q.lineSync()[line][s];
                        q.CalculateSpeed();
                    });
    return synced;
}

void KnobHandling::mix (LineEditorAudioProcessor& p, int line, float value, bool* dragGesture)
{
    if (!isLine (line) || UnlinkedLineMixes::fromKnob (p, line, value, dragGesture))
        return;
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    const int state = playingState (p);
    p.bandMix()[line][state] = value;
    publishAndPost (p, state,
                    [line] (Processor& q, int s) KALVO_REQUIRES (q.curveModelLock, modelWriteRole)
                    { q.setMixTarget (line + 1, q.bandMix()[line][s]); });
    p.mixChanged[line + 1] = true;
}

KnobHandling::SplitPositions KnobHandling::split (LineEditorAudioProcessor& p, int moved, float position)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
    {
        const ModelLock::Hold hold (p.curveModelLock);
        const int state = playingState (p);
        return { ModelReading (p).lmFreq()[state], ModelReading (p).hmFreq()[state], false };
    }
    const int state = playingState (p);
    const float low = moved == 0 ? position : p.lmFreq()[state];
    const float high = moved == 0 ? p.hmFreq()[state] : position;
    SplitPositions result{ low, high, low > high };
    if (result.pushed)
    {
        if (moved == 0)
            result.high = low;
        else
            result.low = high;
    }

    const bool storeLow = moved == 0 || result.pushed;
    const bool storeHigh = moved != 0 || result.pushed;
    if (storeLow)
    {
        p.lmFreq()[state] = result.low;
        p.lmFreqChanged = true;
    }
    if (storeHigh)
    {
        p.hmFreq()[state] = result.high;
        p.hmFreqChanged = true;
    }
    publishAndPost (p, state,
                    [] (Processor& q, int s) KALVO_REQUIRES (q.curveModelLock, modelWriteRole)
                    {
                        q.setSplitFrequency (3, splitFrequency (q.lmFreq()[s]));
                        q.setSplitFrequency (4, splitFrequency (q.hmFreq()[s]));
                    });
    return result;
}
