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

void OnScreen::pump (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}
