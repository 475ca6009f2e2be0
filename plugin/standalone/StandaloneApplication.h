#pragma once

#include <JuceHeader.h>
#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_audio_plugin_client/juce_audio_plugin_client.h>
#include <juce_audio_utils/juce_audio_utils.h>

#include <juce_audio_plugin_client/Standalone/juce_StandaloneFilterWindow.h>

// The standalone application: JUCE's own, except that its settings file
// (~/.config/KalvoPro.settings) is opened only when it is a regular file of a bounded size, as
// every file KalvoPro reads. JUCE opened whatever stood there, and a named pipe kept the
// application from ever showing its window; anything but such a file is now left alone, and the
// application runs without stored settings.
class StandaloneApplication final : public juce::JUCEApplication
{
public:
    StandaloneApplication();

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override { return true; }
    void anotherInstanceStarted (const juce::String&) override {}

    void initialise (const juce::String&) override;
    void shutdown() override;
    void systemRequestedQuit() override;

private:
    juce::ApplicationProperties properties;
    std::unique_ptr<juce::StandaloneFilterWindow> window;
};
