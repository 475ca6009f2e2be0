#pragma once

#include <JuceHeader.h>

#include <vector>

// A popup menu as plain data, so the menus' contents can be built and checked without showing
// anything; build() makes the juce::PopupMenu that is shown.
class MenuData
{
public:
    struct Item
    {
        int id = 0; // 0 for a separator or a submenu
        juce::String text;
        bool enabled = true;
        bool ticked = false;
        bool separator = false;
        bool subMenu = false;
        std::vector<Item> subItems;
    };

    std::vector<Item> items;

    void addItem (int id, const juce::String& text, bool enabled = true, bool ticked = false);
    void addSeparator();
    void addSubMenu (const juce::String& text, MenuData sub, bool enabled = true, bool ticked = false);

    juce::PopupMenu build() const;
};
