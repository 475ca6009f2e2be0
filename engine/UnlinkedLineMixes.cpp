#include "UnlinkedLineMixes.h"

#include "DocumentParameter.h"
#include "HostCalls.h"
#include "HostEdit.h"
#include "HostWrites.h"
#include "StateDocument.h"

#include <utility>

namespace
{
using Processor = LineEditorAudioProcessor;

const char* mixId (int line)
{
    return ParameterTable::id (static_cast<ParameterTable::Index> (ParameterTable::pMixMain + line));
}

int playingState (const Processor& p)
{
    return juce::jlimit (0, Processor::numStates - 1, p.currentState.load());
}

// In the toggle's last step: the knobs show the mixes.
void raiseFlags (Processor& p)
{
    for (int line = 0; line < Processor::numLines; ++line)
    {
        p.bandMixChanged[line] = true;
        p.mixChanged[line + 1] = true;
    }
}

// In the toggle's model step, so that a save made while the host is told of the mixes, which
// stores the unlinked document, leaves the preset modified only if something changed it since.
void markModified (Processor& p)
{
    p.presetModified = true;
    p.presetNameChanged = true;
}

// A line mix the user set, told to the host: the parameter's listener writes it into every state.
void setMixParameter (Processor& p, int line, float value) KALVO_REQUIRES (hostEditGrant)
    KALVO_EXCLUDES (p.curveModelLock)
{
    auto* parameter = p.parameters.getParameter (mixId (line));
    HostCalls::setNormalisedValue (p, *parameter, parameter->convertTo0to1 (value));
}
} // namespace

float UnlinkedLineMixes::playing (LineEditorAudioProcessor& p, int line, int state)
{
    if (p.linkMix)
        return ModelReading (p).bandMix()[line][state];
    return p.parameters.getRawParameterValue (mixId (line))->load();
}

bool UnlinkedLineMixes::fromKnob (LineEditorAudioProcessor& p, int line, float value, bool* dragGesture)
{
    // Refused, the move is dropped whichever way the link stands: the restored document wins.
    HostEdit edit (p);
    if (!edit.goesAhead())
        return true;
    if (p.linkMix)
        return false;
    if (dragGesture != nullptr && !std::exchange (*dragGesture, true))
        HostCalls::beginGesture (p, mixId (line));
    setMixParameter (p, line, value);
    return true;
}

void UnlinkedLineMixes::endDrag (LineEditorAudioProcessor& p, int line)
{
    HostCalls::endGesture (p, mixId (line));
}

void UnlinkedLineMixes::toggle (LineEditorAudioProcessor& p)
{
    HostWrites unlinking (p.curveModelLock);
    {
        ModelEdit edit (p);
        if (!edit.goesAhead())
            return;
        if (!p.linkMix)
        {
            relink (p);
            return;
        }
        p.foldHostLineMixes();
        const int state = playingState (p);
        for (int line = 0; line < Processor::numLines; ++line)
            unlinking.set (p, ParameterTable::pMixMain + line, ModelReading (p).bandMix()[line][state]);
        unlinking.willLink (p, false);
        markModified (p);
    }
    if (!unlinking.send (p))
        return;
    ModelEdit edit (p, unlinking.mark());
    if (edit.goesAhead())
        unlink (p);
}

void UnlinkedLineMixes::unlink (LineEditorAudioProcessor& p)
{
    p.linkMix = false;
    for (int line = 0; line < Processor::numLines; ++line)
        p.setMixTarget (line + 1, playing (p, line, playingState (p)));
    raiseFlags (p);
}

void UnlinkedLineMixes::relink (LineEditorAudioProcessor& p)
{
    // Published first, the mixes set while unlinked with them: a switch that sees the flag
    // flipped plays them.
    p.publishModel();
    p.linkMix = true;
    // A switch may post the state it switched to before this posts the state it read: posted again
    // until no switch came between (a switch sets currentState before it posts).
    for (int posted = -1, state = playingState (p); posted != state; posted = state, state = playingState (p))
        for (int line = 0; line < Processor::numLines; ++line)
            p.setMixTarget (line + 1, ModelReading (p).bandMix()[line][state]);
    raiseFlags (p);
    markModified (p);
}

void UnlinkedLineMixes::settleDocument (LineEditorAudioProcessor& p, juce::XmlElement& document)
{
    if (p.linkMix)
        return;
    const char* stateId = ParameterTable::id (ParameterTable::pState);
    const float state = DocumentParameter::valueOf (document, *p.parameters.getParameter (stateId))
                            .value_or (p.parameters.getRawParameterValue (stateId)->load());
    const int selected = StateDocument::stateIndex (state);

    for (int line = 0; line < Processor::numLines; ++line)
    {
        auto& parameter = *p.parameters.getParameter (mixId (line));
        // A fresh instance's parameter stands at the default: a document's value that differs
        // reached its listener, which played it on the parameter's step.
        const float defaultMix = parameter.convertFrom0to1 (parameter.getDefaultValue());
        const float held = DocumentParameter::heldValueOf (document, parameter).value_or (defaultMix);
        const float mix = DocumentParameter::onStep (
            parameter, held != defaultMix ? held : ModelReading (p).bandMix()[line][selected]);

        auto* child = document.getChildByAttribute ("id", mixId (line));
        if (child == nullptr)
        {
            child = document.createNewChildElement ("PARAM");
            child->setAttribute ("id", mixId (line));
        }
        child->setAttribute ("value", (double) mix);
    }
}
