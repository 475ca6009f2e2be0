#include "StandaloneApplication.h"

#include "RegularFileInput.h"
#include "StateDocument.h"

namespace
{
// The file holds the plug-in's state in base 64 and the audio device setup: twice the largest
// state leaves room for both.
constexpr juce::int64 maxSettingsBytes = 2 * static_cast<juce::int64> (StateDocument::maxDocumentBytes);
} // namespace

StandaloneApplication::StandaloneApplication()
{
    juce::PropertiesFile::Options options;
    options.applicationName = getApplicationName();
    options.filenameSuffix = ".settings";
    options.folderName = "~/.config";
    properties.setStorageParameters (options);
}

const juce::String StandaloneApplication::getApplicationName()
{
    return JucePlugin_Name;
}

const juce::String StandaloneApplication::getApplicationVersion()
{
    return JucePlugin_VersionString;
}

void StandaloneApplication::initialise (const juce::String&)
{
    const auto file = properties.getStorageParameters().getDefaultFile();
    const bool usable = !file.exists() || RegularFileInput::check (file, maxSettingsBytes).wasOk();
    window = std::make_unique<juce::StandaloneFilterWindow> (
        getApplicationName(),
        juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
        usable ? properties.getUserSettings() : nullptr, false);
    window->setVisible (true);
}

void StandaloneApplication::shutdown()
{
    window = nullptr;
    properties.saveIfNeeded();
}

void StandaloneApplication::systemRequestedQuit()
{
    if (window != nullptr)
        window->pluginHolder->savePluginState();

    // An open modal window is closed first, and the question asked again once it has gone.
    if (juce::ModalComponentManager::getInstance()->cancelAllModalComponents())
    {
        juce::Timer::callAfterDelay (100, [] {
            if (auto* application = juce::JUCEApplicationBase::getInstance())
                application->systemRequestedQuit();
        });
        return;
    }

    quit();
}

juce::JUCEApplicationBase* juce_CreateApplication();

juce::JUCEApplicationBase* juce_CreateApplication()
{
    return new StandaloneApplication();
}
