#include "PresetAlert.h"

namespace
{
constexpr const char* title = "Saving preset...";

// An alert window that knows its owner, so the owner can find and end it.
class OwnedAlert : public juce::AlertWindow
{
public:
    OwnedAlert (juce::Component& ownerComponent, juce::LookAndFeel& look, juce::Colour textColour,
                const PresetAlert::Request& request)
        : juce::AlertWindow (request.title, request.message, juce::MessageBoxIconType::NoIcon,
                             &ownerComponent),
          owner (&ownerComponent)
    {
        setColour (juce::AlertWindow::textColourId, textColour);
        setLookAndFeel (&look);
        for (const auto& button : request.buttons)
            addButton (button.text, button.result); // no shortcut keys
    }

    ~OwnedAlert() override { setLookAndFeel (nullptr); }

    bool belongsTo (const juce::Component& c) const { return owner.getComponent() == &c; }

private:
    juce::Component::SafePointer<juce::Component> owner;
};
} // namespace

void PresetAlert::show (juce::Component& owner, juce::LookAndFeel& look, juce::Colour textColour,
                        const Request& request, Reply reply)
{
    if (presenter)
    {
        presenter (owner, look, textColour, request, std::move (reply));
        return;
    }

    auto* window = new OwnedAlert (owner, look, textColour, request);
    window->enterModalState (true,
                             juce::ModalCallbackFunction::create (
                                 [reply] (int result)
                                 {
                                     if (reply)
                                         reply (result);
                                 }),
                             true);
}

void PresetAlert::dismissAll (juce::Component& owner)
{
    auto& desktop = juce::Desktop::getInstance();
    for (int i = desktop.getNumComponents(); --i >= 0;)
        if (auto* alert = dynamic_cast<OwnedAlert*> (desktop.getComponent (i));
            alert != nullptr && alert->belongsTo (owner))
        {
            alert->setLookAndFeel (nullptr);
            alert->exitModalState (0);
        }
}

PresetAlert::Request PresetAlert::message (const juce::String& text)
{
    return { title, text, { { "OK", 0 } } };
}

PresetAlert::Request PresetAlert::replaceQuestion (const juce::String& presetName)
{
    return { title, "Replace the existing preset '" + presetName + "'?", { { "Yes", 1 }, { "Cancel", 0 } } };
}
