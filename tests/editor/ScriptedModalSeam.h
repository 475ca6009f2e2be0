#pragma once

// A modal seam for tests: it records every menu, alert, file choice and folder reveal the window
// asks for, answers from a script, and can run something inside the call, where a real modal
// loop would be (for instance close the window, as a host may).

#include "ModalSeam.h"

#include <deque>
#include <functional>
#include <vector>

namespace kalvo::test
{
class ScriptedModalSeam : public ModalSeam
{
public:
    struct Item
    {
        int id;
        juce::String text;
        bool enabled;
        bool ticked;
    };

    struct Shown
    {
        enum Kind
        {
            menu,
            alert,
            file,
            reveal
        } kind;
        std::vector<Item> items;                  // a menu's items, separators left out
        juce::LookAndFeel* lookAndFeel = nullptr; // a menu's or an alert's
        Alert alertShown;
        FileRequest request;
        juce::File folder;
    };

    std::deque<int> answers;      // menus and alerts, in order; 0 once they run out
    std::deque<juce::File> files; // file choices, in order; none once they run out
    std::function<void()> during; // runs inside every call, before it answers
    std::vector<Shown> shown;

    int showMenu (juce::PopupMenu& menu, juce::LookAndFeel& look) override
    {
        Shown s{ Shown::menu, {}, &look, {}, {}, {} };
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            const auto& item = it.getItem();
            if (!item.isSeparator)
                s.items.push_back ({ item.itemID, item.text, item.isEnabled, item.isTicked });
        }
        shown.push_back (s);
        return answer();
    }

    int showAlert (const Alert& alert) override
    {
        shown.push_back ({ Shown::alert, {}, alert.lookAndFeel, alert, {}, {} });
        return answer();
    }

    juce::File chooseFile (const FileRequest& request) override
    {
        shown.push_back ({ Shown::file, {}, nullptr, {}, request, {} });
        runDuring();
        if (files.empty())
            return {};
        const auto file = files.front();
        files.pop_front();
        return file;
    }

    void revealFolder (const juce::File& folder) override
    {
        shown.push_back ({ Shown::reveal, {}, nullptr, {}, {}, folder });
    }

    // The texts of the last menu's items, with "(off)" after each disabled one.
    juce::StringArray lastMenu() const
    {
        juce::StringArray texts;
        if (!shown.empty())
            for (const auto& item : shown.back().items)
                texts.add (item.text + (item.enabled ? "" : " (off)"));
        return texts;
    }

private:
    void runDuring()
    {
        if (during)
        {
            const auto action = during;
            action();
        }
    }

    int answer()
    {
        runDuring();
        if (answers.empty())
            return 0;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
};
} // namespace kalvo::test
