#include "KnobHandling.h"

#include "SplitFrequency.h"

namespace
{
using Processor = LineEditorAudioProcessor;

bool isLine (int line)
{
    return line >= 0 && line < Processor::numLines;
}

// The live value of the state an edit was stored into is posted after the model was published.
// A switch that applied the published model before that post would be overridden by it, so the
// post is repeated for the state that plays now until no switch came between (a switch sets
// currentState before it posts its own values). True, with the state now playing, when one did.
bool switchedMeanwhile (const Processor& p, int& state)
{
    const int now = p.currentState;
    if (now == state || now < 0 || now >= Processor::numStates)
        return false;
    state = now;
    return true;
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
    const ModelLock::Hold hold (p.curveModelLock);
    if (p.restores().isUnderway())
        return;
    const int state = playingState (p);
    p.lineLength()[line][state] = position;
    p.publishModel();
    int s = state;
    do
    {
        p.activeLength[line] = p.lineLength()[line][s];
        p.CalculateSpeed();
    } while (switchedMeanwhile (p, s));
    p.speedChanged[line] = true;
}

void KnobHandling::glide (LineEditorAudioProcessor& p, int line, float milliseconds)
{
    if (!isLine (line))
        return;
    const ModelLock::Hold hold (p.curveModelLock);
    if (p.restores().isUnderway())
        return;
    const int state = playingState (p);
    p.bandGlide()[line][state] = milliseconds;
    p.publishModel();
    int s = state;
    do
    {
        p.setGlideTime (line, p.bandGlide()[line][s]);
    } while (switchedMeanwhile (p, s));
}

bool KnobHandling::toggleSync (LineEditorAudioProcessor& p, int line)
{
    if (!isLine (line))
        return false;
    const ModelLock::Hold hold (p.curveModelLock);
    const int state = playingState (p);
    if (p.restores().isUnderway())
        return p.lineSync()[line][state];
    const bool synced = !p.lineSync()[line][state];
    p.lineSync()[line][state] = synced;
    p.publishModel();
    int s = state;
    do
    {
        p.activeSync[line] = p.lineSync()[line][s];
        p.CalculateSpeed();
    } while (switchedMeanwhile (p, s));
    return synced;
}

void KnobHandling::mix (LineEditorAudioProcessor& p, int line, float value)
{
    if (!isLine (line))
        return;
    const ModelLock::Hold hold (p.curveModelLock);
    if (p.restores().isUnderway())
        return;
    const int state = playingState (p);
    p.bandMix()[line][state] = value;
    p.publishModel();
    int s = state;
    do
    {
        p.setMixTarget (line + 1, p.bandMix()[line][s]);
    } while (switchedMeanwhile (p, s));
    p.mixChanged[line + 1] = true;
}

KnobHandling::SplitPositions KnobHandling::split (LineEditorAudioProcessor& p, int moved, float position)
{
    const ModelLock::Hold hold (p.curveModelLock);
    const int state = playingState (p);
    if (p.restores().isUnderway())
        return { p.lmFreq()[state], p.hmFreq()[state], false };
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
    p.publishModel();
    int s = state;
    do
    {
        p.setSplitFrequency (3, splitFrequency (p.lmFreq()[s]));
        p.setSplitFrequency (4, splitFrequency (p.hmFreq()[s]));
    } while (switchedMeanwhile (p, s));
    return result;
}
