#pragma once

#include <JuceHeader.h>

#include <vector>

// Everything the editor window shows modally: popup menus, alert windows, file choosers, and the
// file manager it opens on a folder. The window calls one of these and acts on the answer once
// the call returns. This one does it with JUCE, synchronously; tests derive from it, script the
// answers and record what would have been shown, without a real menu or any other process.
//
// Whatever is shown may outlive its caller: the host can close the window inside the modal loop.
// A caller therefore checks that it still exists (a SafePointer) after every call, and an owner
// calls releaseLookAndFeel for each of its look-and-feels before destroying it.
class ModalSeam
{
public:
    struct Alert
    {
        juce::String title;
        juce::String message;
        juce::StringArray buttons; // left to right, without shortcut keys
        juce::LookAndFeel* lookAndFeel = nullptr;
        juce::Colour textColour; // transparent: the look-and-feel's own
        juce::Component* associatedComponent = nullptr;
    };

    enum class Choice
    {
        fileToOpen,
        fileToSave,
        folder
    };

    struct FileRequest
    {
        Choice choice = Choice::fileToOpen;
        juce::String title;
        juce::File initial;
        juce::String patterns; // "*.kvp"; empty for any file
    };

    virtual ~ModalSeam() = default;

    // Shows the menu at the mouse in lookAndFeel; the chosen item's id, 0 when dismissed.
    virtual int showMenu (juce::PopupMenu& menu, juce::LookAndFeel& lookAndFeel);

    // Shows the alert with its buttons; 1 + the index of the button pressed, 0 when dismissed.
    virtual int showAlert (const Alert& alert);

    // The file or folder chosen; a default File when the user cancelled.
    virtual juce::File chooseFile (const FileRequest& request);

    // Opens the file manager on the folder.
    virtual void revealFolder (const juce::File& folder);

    // The seam the window uses unless told otherwise.
    static ModalSeam& system();

    // Lets every menu and alert this seam has on show, and any other menu window drawn in
    // lookAndFeel, let go of it, and ends them, so that it can be destroyed while they are up.
    static void releaseLookAndFeel (juce::LookAndFeel& lookAndFeel);

private:
    // What is on show now, innermost last: the menu or the alert window and its look-and-feel.
    struct OnShow
    {
        juce::PopupMenu* menu;
        juce::Component* window;
        juce::LookAndFeel* lookAndFeel;
    };
    static std::vector<OnShow>& onShow();
};
