#include "OnScreen.h"

OnScreen::OnScreen (juce::Component& c, juce::Point<int> topLeft) : component (c)
{
    show (component, topLeft);
}

void OnScreen::show (juce::Component& window, juce::Point<int> topLeft)
{
    window.setTopLeftPosition (topLeft);
    window.setWantsKeyboardFocus (true);
    window.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
    window.setVisible (true);
    window.toFront (true);
    window.grabKeyboardFocus();
    pump (300);
    // A loaded machine may take longer to hand the new window the focus.
    pumpUntil (
        [&window]
        {
            auto* p = window.getPeer();
            return p != nullptr && p->isFocused() && window.hasKeyboardFocus (true);
        });
}

OnScreen::~OnScreen()
{
    component.setVisible (false);
    component.removeFromDesktop();
    pump (50);
}

bool OnScreen::displayAvailable()
{
    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

bool OnScreen::pumpUntil (const std::function<bool()>& condition, int timeoutMilliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;
    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;
        pump (10);
    }
    return true;
}

void OnScreen::pump (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}
