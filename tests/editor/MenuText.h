#pragma once

// A menu as one line of text, to compare a whole menu at once: "id text" per item, " +" when
// ticked, " off" when disabled, "-" for a separator, "[name ... ]" around a submenu ("[+name"
// when its entry is ticked).

#include "MenuData.h"

namespace kalvo::test
{
inline void menuText (const std::vector<MenuData::Item>& items, juce::StringArray& out)
{
    for (const auto& item : items)
    {
        if (item.separator)
            out.add ("-");
        else if (item.subMenu)
        {
            out.add ((item.ticked ? "[+" : "[") + item.text);
            menuText (item.subItems, out);
            out.add ("]");
        }
        else
            out.add (juce::String (item.id) + " " + item.text + (item.ticked ? " +" : "") +
                     (item.enabled ? "" : " off"));
    }
}

inline juce::String menuText (const MenuData& menu)
{
    juce::StringArray out;
    menuText (menu.items, out);
    return out.joinIntoString ("|");
}
} // namespace kalvo::test
