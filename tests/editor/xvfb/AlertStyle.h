#pragma once

// What every alert of the editor window looks like, whichever way it is shown: the window's own
// look-and-feel, the Main line's bright text, no icon, and buttons without shortcut keys.

#include "LineEditorAudioProcessorEditor.h"

#include <gtest/gtest.h>

namespace kalvo::test
{
inline void expectWindowAlertStyle (juce::AlertWindow& alert, LineEditorAudioProcessorEditor& editor)
{
    EXPECT_EQ (&alert.getLookAndFeel(), &editor.lookAndFeels[8]);
    EXPECT_EQ (alert.findColour (juce::AlertWindow::textColourId), juce::Colour (0xFF49A7E3));
    EXPECT_EQ (alert.getAlertType(), juce::MessageBoxIconType::NoIcon);
    int buttons = 0;
    for (auto* child : alert.getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child))
        {
            ++buttons;
            for (const int key : { juce::KeyPress::returnKey, juce::KeyPress::escapeKey })
                EXPECT_FALSE (button->isRegisteredForShortcut (juce::KeyPress (key)))
                    << button->getButtonText();
        }
    EXPECT_EQ (buttons, alert.getNumButtons());
}
} // namespace kalvo::test
