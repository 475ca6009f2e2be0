#include "LookAndFeelRelease.h"
#include "AssertionCatcher.h"
#include "Icons.h"
#include "LooknFeel1.h"
#include "LooknFeel2.h"

#include <gtest/gtest.h>

namespace
{
// An owner laid out the risky way: its look-and-feels are declared after the components that use
// them, so they would be destroyed first. Releasing them in the destructor makes that safe.
struct Owner : public juce::Component
{
    explicit Owner (bool releaseFirst) : release (releaseFirst)
    {
        for (auto* c : { static_cast<juce::Component*> (&knob), static_cast<juce::Component*> (&icon),
                         static_cast<juce::Component*> (&panel) })
            addAndMakeVisible (c);
        panel.addAndMakeVisible (nameEntry);
        tooltips = std::make_unique<juce::TooltipWindow> (nullptr, 700);

        knob.setLookAndFeel (&knobLook);
        icon.setLookAndFeel (&menuLook);
        nameEntry.setLookAndFeel (&menuLook);
        tooltips->setLookAndFeel (&menuLook);
    }

    ~Owner() override
    {
        if (release)
        {
            clearLookAndFeels (*this);
            tooltips->setLookAndFeel (nullptr);
        }
    }

    bool release;
    juce::Slider knob;
    Icons icon;
    juce::Component panel;
    juce::TextEditor nameEntry;
    std::unique_ptr<juce::TooltipWindow> tooltips;
    LooknFeel1 menuLook;
    LooknFeel2 knobLook;
};
} // namespace

TEST (LookAndFeelRelease, ClearsEveryComponentDownTheTree)
{
    LooknFeel1 lf;
    juce::Component root, child, grandChild;
    root.addChildComponent (child);
    child.addChildComponent (grandChild);
    for (auto* c : { &root, &child, &grandChild })
        c->setLookAndFeel (&lf);

    clearLookAndFeels (root);
    for (auto* c : { &root, &child, &grandChild })
        EXPECT_NE (&c->getLookAndFeel(), static_cast<juce::LookAndFeel*> (&lf));
}

TEST (LookAndFeelRelease, AnOwnerThatReleasesFirstDestroysItsLookAndFeelsSafely)
{
    AssertionCatcher catcher;
    {
        Owner owner (true);
        owner.setSize (200, 100);
        EXPECT_EQ (&owner.nameEntry.getLookAndFeel(), static_cast<juce::LookAndFeel*> (&owner.menuLook));
    }
    EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
}

TEST (LookAndFeelRelease, AnOwnerThatDoesNotIsCaught)
{
    // The framework reports a look-and-feel destroyed while still in use; this is the fault the
    // release above prevents.
    AssertionCatcher catcher;
    {
        Owner owner (false);
    }
    EXPECT_GT (catcher.assertionCount(), 0);
    EXPECT_TRUE (catcher.assertions.joinIntoString ("\n").contains ("juce_LookAndFeel.cpp"));
}
