#pragma once

// An editor with its refresh timer stopped (a test runs the passes by hand), its modal seam
// scripted, a record of every parameter change the host would see, and synthesized clicks on its
// children.

#include "EditorTestSupport.h"
#include "ScriptedModalSeam.h"

#include <utility>
#include <vector>

namespace kalvo::test
{
// Every parameter change, as (parameter index, normalised value), in order.
class ParameterLog : private juce::AudioProcessorParameter::Listener
{
public:
    explicit ParameterLog (juce::AudioProcessor& processor) : parameters (processor.getParameters())
    {
        for (auto* parameter : parameters)
            parameter->addListener (this);
    }
    ~ParameterLog() override
    {
        for (auto* parameter : parameters)
            parameter->removeListener (this);
    }

    int count (int index) const
    {
        int n = 0;
        for (const auto& change : changes)
            n += change.first == index ? 1 : 0;
        return n;
    }

    std::vector<std::pair<int, float>> changes;

private:
    void parameterValueChanged (int index, float value) override { changes.emplace_back (index, value); }
    void parameterGestureChanged (int, bool) override {}

    juce::Array<juce::AudioProcessorParameter*> parameters;
};

struct OpenWindow
{
    static constexpr int lineCh = 16; // "LineCH"'s index

    std::unique_ptr<LineEditorAudioProcessor> processor = makeEditorProcessor();
    LineEditorAudioProcessor& p = *processor;
    ScriptedModalSeam seam;
    EditorPtr editor = openEditor (p);
    LineEditorAudioProcessorEditor& e = *editor;
    ParameterLog log{ p };

    OpenWindow()
    {
        e.stopTimer();
        e.modalSeam = &seam;
        pass(); // the flags raised while the window opened
        log.changes.clear();
    }

    void pass() { e.timerCallback(); }

    // The processor's audio thread switching to `state`, as a block would.
    void switchTo (int state)
    {
        p.currentState = state;
        p.stateSwitched = true;
    }

    static juce::MouseEvent event (juce::Component& child, juce::ModifierKeys mods)
    {
        const auto time = juce::Time::getCurrentTime();
        return juce::MouseEvent (
            juce::Desktop::getInstance().getMainMouseSource(), {}, mods,
            juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
            juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
            juce::MouseInputSource::defaultTiltY, &child, &child, time, {}, time, 1, false);
    }

    static constexpr auto left = juce::ModifierKeys::leftButtonModifier;
    static constexpr auto right = juce::ModifierKeys::rightButtonModifier;

    void press (juce::Component& child, int button = left)
    {
        e.mouseDown (event (child, juce::ModifierKeys (button)));
    }
    void release (juce::Component& child, int button = left)
    {
        e.mouseUp (event (child, juce::ModifierKeys (button)));
    }
    void click (juce::Component& child, int button = left)
    {
        press (child, button);
        release (child, button);
    }
};
} // namespace kalvo::test
