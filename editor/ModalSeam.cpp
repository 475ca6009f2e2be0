#include "ModalSeam.h"

#include <algorithm>

std::vector<ModalSeam::OnShow>& ModalSeam::onShow()
{
    static std::vector<OnShow> shown;
    return shown;
}

ModalSeam& ModalSeam::system()
{
    static ModalSeam seam;
    return seam;
}

int ModalSeam::showMenu (juce::PopupMenu& menu, juce::LookAndFeel& lookAndFeel)
{
    menu.setLookAndFeel (&lookAndFeel);
    onShow().push_back ({ &menu, nullptr, &lookAndFeel });
    const int result = menu.show();
    auto& shown = onShow();
    shown.erase (
        std::remove_if (shown.begin(), shown.end(), [&menu] (const OnShow& s) { return s.menu == &menu; }),
        shown.end());
    return result;
}

int ModalSeam::showAlert (const Alert& alert)
{
#if JUCE_MODAL_LOOPS_PERMITTED
    juce::AlertWindow window (alert.title, alert.message, juce::MessageBoxIconType::NoIcon,
                              alert.associatedComponent);
    if (alert.lookAndFeel != nullptr)
        window.setLookAndFeel (alert.lookAndFeel);
    if (!alert.textColour.isTransparent())
        window.setColour (juce::AlertWindow::textColourId, alert.textColour);

    // No shortcut keys: Return must not answer "Yes" to a deletion by accident. Escape still
    // dismisses the window, which answers 0.
    for (int i = 0; i < alert.buttons.size(); ++i)
        window.addButton (alert.buttons[i], i + 1);

    onShow().push_back ({ nullptr, &window, alert.lookAndFeel });
    const int result = window.runModalLoop();
    auto& shown = onShow();
    shown.erase (std::remove_if (shown.begin(), shown.end(),
                                 [&window] (const OnShow& s) { return s.window == &window; }),
                 shown.end());
    window.setLookAndFeel (nullptr);
    return result;
#else
    juce::ignoreUnused (alert);
    return 0;
#endif
}

juce::File ModalSeam::chooseFile (const FileRequest& request)
{
#if JUCE_MODAL_LOOPS_PERMITTED
    // No parent: the window is too small to hold JUCE's own dialog.
    juce::FileChooser chooser (request.title, request.initial, request.patterns);
    bool chosen = false;
    switch (request.choice)
    {
        case Choice::fileToOpen:
            chosen = chooser.browseForFileToOpen();
            break;
        case Choice::fileToSave:
            chosen = chooser.browseForFileToSave (false);
            break;
        case Choice::folder:
            chosen = chooser.browseForDirectory();
            break;
    }
    return chosen ? chooser.getResult() : juce::File();
#else
    juce::ignoreUnused (request);
    return {};
#endif
}

void ModalSeam::revealFolder (const juce::File& folder)
{
    folder.revealToUser();
}

void ModalSeam::releaseLookAndFeel (juce::LookAndFeel& lookAndFeel)
{
    bool found = false;
    for (auto& s : onShow())
    {
        if (s.lookAndFeel != &lookAndFeel)
            continue;
        found = true;
        if (s.menu != nullptr)
            s.menu->setLookAndFeel (nullptr);
        if (s.window != nullptr)
        {
            s.window->setLookAndFeel (nullptr);
            s.window->exitModalState (0);
        }
    }
    // The menu's windows took the look-and-feel from the menu when they opened. A text entry's
    // own right-click menu opens the same way without coming through here.
    bool inUse = found;
    auto& desktop = juce::Desktop::getInstance();
    for (int i = desktop.getNumComponents(); --i >= 0;)
        if (auto* window = desktop.getComponent (i);
            window != nullptr && &window->getLookAndFeel() == &lookAndFeel)
        {
            window->setLookAndFeel (nullptr);
            inUse = true;
        }
    if (inUse)
        juce::PopupMenu::dismissAllActiveMenus();
}
