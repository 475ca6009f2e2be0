#include "OnScreen.h"

OnScreen::OnScreen (juce::Component& c, juce::Point<int> topLeft) : component (c)
{
    component.setTopLeftPosition (topLeft);
    component.setWantsKeyboardFocus (true);
    component.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
    component.setVisible (true);
    component.toFront (true);
    component.grabKeyboardFocus();
    pump (300);
    // A loaded machine may take longer to hand the new window the focus.
    pumpUntil (
        [this]
        {
            auto* p = component.getPeer();
            return p != nullptr && p->isFocused() && component.hasKeyboardFocus (true);
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
