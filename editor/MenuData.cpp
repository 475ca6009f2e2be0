#include "MenuData.h"

namespace
{
void fill (juce::PopupMenu& menu, const std::vector<MenuData::Item>& items)
{
    for (const auto& item : items)
    {
        if (item.separator)
        {
            menu.addSeparator();
        }
        else if (item.subMenu)
        {
            juce::PopupMenu sub;
            fill (sub, item.subItems);
            // Only this overload can tick the submenu's own entry.
            menu.addSubMenu (item.text, sub, item.enabled, juce::Image(), item.ticked, 0);
        }
        else
        {
            menu.addItem (item.id, item.text, item.enabled, item.ticked);
        }
    }
}
} // namespace

void MenuData::addItem (int id, const juce::String& text, bool enabled, bool ticked)
{
    Item item;
    item.id = id;
    item.text = text;
    item.enabled = enabled;
    item.ticked = ticked;
    items.push_back (std::move (item));
}

void MenuData::addSeparator()
{
    Item item;
    item.separator = true;
    items.push_back (std::move (item));
}

void MenuData::addSubMenu (const juce::String& text, MenuData sub, bool enabled, bool ticked)
{
    Item item;
    item.text = text;
    item.enabled = enabled;
    item.ticked = ticked;
    item.subMenu = true;
    item.subItems = std::move (sub.items);
    items.push_back (std::move (item));
}

juce::PopupMenu MenuData::build() const
{
    juce::PopupMenu menu;
    fill (menu, items);
    return menu;
}
