#include "UnlinkedLineMixes.h"

#include "HostCalls.h"
#include "HostEdit.h"

#include <algorithm>
#include <cmath>

namespace
{
using Processor = LineEditorAudioProcessor;

const char* mixId (int line)
{
    return ParameterTable::id (static_cast<ParameterTable::Index> (ParameterTable::pMixMain + line));
}

bool isLine (int line)
{
    return line >= 0 && line < Processor::numLines;
}

// What the parameter holds once it is set to `value`: the nearest step of its range.
float asParameterHolds (Processor& p, const char* id, float value)
{
    auto* parameter = p.parameters.getParameter (id);
    return parameter->convertFrom0to1 (parameter->convertTo0to1 (value));
}

juce::XmlElement* parameterChild (juce::XmlElement& document, const char* id)
{
    for (auto* child : document.getChildWithTagNameIterator ("PARAM"))
        if (child->getStringAttribute ("id") == id)
            return child;
    return nullptr;
}

float defaultValue (Processor& p, const char* id)
{
    auto* parameter = p.parameters.getParameter (id);
    return parameter->convertFrom0to1 (parameter->getDefaultValue());
}

// The value the parameter tree takes from a document's child, as it reads it (its text as a
// float, the default without one), or `withoutChild` when there is no child: the tree then
// leaves the parameter alone.
float documentValue (Processor& p, const juce::XmlElement* child, const char* id, float withoutChild)
{
    if (child == nullptr)
        return withoutChild;
    if (!child->hasAttribute ("value"))
        return defaultValue (p, id);
    return static_cast<float> (child->getStringAttribute ("value").getDoubleValue());
}

// A line mix the user set, told to the host: the parameter's listener writes it into every state.
void setMixParameter (Processor& p, int line, float value) KALVO_REQUIRES (hostEditGrant)
    KALVO_EXCLUDES (p.curveModelLock)
{
    auto* parameter = p.parameters.getParameter (mixId (line));
    HostCalls::setNormalisedValue (p, *parameter, parameter->convertTo0to1 (value));
}
} // namespace

bool UnlinkedLineMixes::fromKnob (LineEditorAudioProcessor& p, int line, float value)
{
    if (!isLine (line))
        return false;
    // Refused, the move is dropped whichever way the link stands: the restored document wins.
    HostEdit edit (p);
    if (!edit.goesAhead())
        return true;
    if (p.linkMix)
        return false;
    setMixParameter (p, line, value);
    return true;
}

bool UnlinkedLineMixes::beginDrag (LineEditorAudioProcessor& p, int line)
{
    if (!isLine (line) || p.linkMix)
        return false;
    HostCalls::beginGesture (p, mixId (line));
    return true;
}

void UnlinkedLineMixes::endDrag (LineEditorAudioProcessor& p, int line)
{
    if (isLine (line))
        HostCalls::endGesture (p, mixId (line));
}

UnlinkedLineMixes::Mixes UnlinkedLineMixes::shareMixesThatPlay (LineEditorAudioProcessor& p)
{
    p.foldHostLineMixes();
    const int state = juce::jlimit (0, Processor::numStates - 1, p.currentState.load());
    Mixes mixes;
    for (int line = 0; line < Processor::numLines; ++line)
    {
        // On the parameter's step, so that a parameter already there leaves nothing to differ.
        mixes.of[line] = asParameterHolds (p, mixId (line), p.bandMix()[line][state]);
        std::fill (std::begin (p.bandMix()[line]), std::end (p.bandMix()[line]), mixes.of[line]);
        p.setMixTarget (line + 1, mixes.of[line]);
        p.bandMixChanged[line] = true;
        p.mixChanged[line + 1] = true;
    }
    return mixes;
}

void UnlinkedLineMixes::setParameters (LineEditorAudioProcessor& p, const Mixes& mixes, RestoreEpoch::Mark since)
{
    for (int line = 0; line < Processor::numLines; ++line)
    {
        HostEdit edit (p, since);
        if (!edit.goesAhead())
            return;
        setMixParameter (p, line, mixes.of[line]);
    }
}

void UnlinkedLineMixes::settleDocument (LineEditorAudioProcessor& p, juce::XmlElement& document)
{
    const char* stateId = ParameterTable::id (ParameterTable::pState);
    const float state = asParameterHolds (p, stateId,
                                          documentValue (p, parameterChild (document, stateId), stateId,
                                                         p.parameters.getRawParameterValue (stateId)->load()));
    const int selected = std::isfinite (state) ? juce::jlimit (0, Processor::numStates - 1, (int) std::nearbyint (state)) : 0;

    if (p.linkMix)
        return;
    for (int line = 0; line < Processor::numLines; ++line)
    {
        const char* id = mixId (line);
        auto* child = parameterChild (document, id);
        // A fresh instance's parameter stands at the default: a document's value that differs
        // reached its listener, which wrote it into every state.
        const float defaultMix = defaultValue (p, id);
        const float asked = documentValue (p, child, id, defaultMix);
        const float mix = asParameterHolds (p, id, asked != defaultMix ? asked : p.bandMix()[line][selected]);
        std::fill (std::begin (p.bandMix()[line]), std::end (p.bandMix()[line]), mix);

        if (child == nullptr)
        {
            child = document.createNewChildElement ("PARAM");
            child->setAttribute ("id", id);
        }
        child->setAttribute ("value", (double) mix);
    }
}
