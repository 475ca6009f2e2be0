#include "KnobHandling.h"

#include "LineEditorAudioProcessor.h"
#include "SplitFrequency.h"

namespace
{
bool isLine (int line)
{
    return line >= 0 && line < LineEditorAudioProcessor::numLines;
}
} // namespace

void KnobHandling::length (LineEditorAudioProcessor& p, int line, float position)
{
    if (!isLine (line))
        return;
    const int state = p.currentState;
    p.activeLength[line] = position;
    {
        const juce::ScopedLock lock (p.curveModelLock);
        p.lineLength[line][state] = position;
        p.publishModel();
    }
    p.CalculateSpeed();
    p.speedChanged[line] = true;
}

void KnobHandling::glide (LineEditorAudioProcessor& p, int line, float milliseconds)
{
    if (!isLine (line))
        return;
    const int state = p.currentState;
    {
        const juce::ScopedLock lock (p.curveModelLock);
        p.bandGlide[line][state] = milliseconds;
        p.publishModel();
    }
    p.setGlideTime (line, milliseconds);
}

void KnobHandling::mix (LineEditorAudioProcessor& p, int line, float value)
{
    if (!isLine (line))
        return;
    const int state = p.currentState;
    {
        const juce::ScopedLock lock (p.curveModelLock);
        p.bandMix[line][state] = value;
        p.publishModel();
    }
    p.setMixTarget (line + 1, value);
    p.mixChanged[line + 1] = true;
}

KnobHandling::SplitPositions KnobHandling::split (LineEditorAudioProcessor& p, int moved, float position)
{
    const juce::ScopedLock lock (p.curveModelLock);
    const int state = p.currentState;
    const float low = moved == 0 ? position : p.lmFreq[state];
    const float high = moved == 0 ? p.hmFreq[state] : position;
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
        p.setSplitFrequency (3, splitFrequency (result.low));
        p.lmFreq[state] = result.low;
        p.lmFreqChanged = true;
    }
    if (storeHigh)
    {
        p.setSplitFrequency (4, splitFrequency (result.high));
        p.hmFreq[state] = result.high;
        p.hmFreqChanged = true;
    }
    p.publishModel();
    return result;
}
