#include "ModalDriver.h"
#include "PeerMouse.h"
#include "PixelProbe.h"
#include "XvfbFixture.h"

namespace
{
bool isMenuWindow (juce::Component* c)
{
    return c != nullptr && c->isVisible() && juce::String (typeid (*c).name()).contains ("MenuWindow");
}

// Open popup menu windows, the root first and each submenu after its parent. Every level of a
// menu is modal; the root is the one entered first, the deepest in the modal stack.
juce::Array<juce::Component*> menuWindows()
{
    juce::Array<juce::Component*> windows;
    auto* modal = juce::ModalComponentManager::getInstance();
    for (int i = modal->getNumModalComponents(); --i >= 0;)
        if (auto* c = modal->getModalComponent (i); isMenuWindow (c))
            windows.add (c);
    return windows;
}

// One picture of every open menu window as they lie on the screen.
juce::Image snapshotMenus (const juce::Array<juce::Component*>& windows)
{
    juce::Rectangle<int> area;
    for (auto* w : windows)
        area = area.isEmpty() ? w->getScreenBounds() : area.getUnion (w->getScreenBounds());

    juce::Image image (juce::Image::ARGB, juce::jmax (1, area.getWidth()), juce::jmax (1, area.getHeight()),
                       true);
    juce::Graphics g (image);
    for (auto* w : windows)
        g.drawImageAt (w->createComponentSnapshot (w->getLocalBounds(), true, 1.0f),
                       w->getScreenX() - area.getX(), w->getScreenY() - area.getY());
    return image;
}

juce::Point<int> itemCentreOnScreen (juce::Component& menuWindow, int itemIndex)
{
    auto* item = menuWindow.getChildComponent (itemIndex);
    jassert (item != nullptr);
    return item == nullptr ? juce::Point<int>() : item->getScreenBounds().getCentre();
}

class PopupMenuTest : public XvfbTest
{
protected:
    void SetUp() override
    {
        XvfbTest::SetUp();
        styleAsMenuLook (lf, 1.0f);

        scaleMenu.addItem (10, "Scale: %50");
        scaleMenu.addItem (11, "Scale: %75", true, true);
        scaleMenu.addItem (12, "Scale: %100");

        menu.setLookAndFeel (&lf);
        menu.addSectionHeader ("Presets");                      // child 0
        menu.addItem (1, "Save Preset");                        // 1
        menu.addItem (2, "Rename Preset and Save");             // 2
        menu.addItem (3, "Delete Preset", false);               // 3, disabled
        menu.addSeparator();                                    // 4
        menu.addItem (4, "Immediate State Switch", true, true); // 5, ticked
        menu.addSubMenu ("Interface", scaleMenu);               // 6
        menu.addSeparator();                                    // 7
        menu.addItem (15, "About");                             // 8

        owner.setSize (300, 200);
    }

    void TearDown() override { juce::Desktop::setMousePosition ({ 1200, 1000 }); }

    int show()
    {
        return menu.showMenu (juce::PopupMenu::Options()
                                  .withTargetScreenArea ({ 100, 120, 1, 1 })
                                  .withParentComponent (nullptr)
                                  .withMinimumWidth (160));
    }

    void showWithSubmenuAndSnapshot (float scale, const juce::String& golden);

    LooknFeel1 lf;
    juce::PopupMenu menu, scaleMenu;
    Backdrop owner;
};
} // namespace

void PopupMenuTest::showWithSubmenuAndSnapshot (float scale, const juce::String& golden)
{
    lf.scale = scale;
    lf.popupFontSize = 11.0f * scale;
    OnScreen window (owner, { 20, 20 });

    juce::Image snapshot;
    int openWindows = 0;
    int rootWidth = 0;
    int phase = 0;
    juce::uint32 phaseStart = 0;
    ModalDriver driver (
        [&]
        {
            auto windows = menuWindows();
            if (windows.isEmpty())
                return false;
            auto& root = *windows.getFirst();
            const auto now = juce::Time::getMillisecondCounter();

            if (phase == 0)
            {
                // Hover over "Interface" until its submenu opens.
                juce::Desktop::setMousePosition (itemCentreOnScreen (root, 6));
                phase = 1;
                phaseStart = now;
                return false;
            }
            if (phase == 1)
            {
                if (windows.size() < 2)
                    return now - phaseStart > 3000; // give up: the test below reports it
                // Move into the submenu onto the ticked "Scale: %75", highlighting it.
                juce::Desktop::setMousePosition (itemCentreOnScreen (*windows[1], 1));
                phase = 2;
                phaseStart = now;
                return false;
            }
            if (now - phaseStart < 400)
                return false;

            openWindows = windows.size();
            rootWidth = root.getWidth();
            snapshot = snapshotMenus (windows);
            root.exitModalState (12); // the user chose "Scale: %100"
            return true;
        });

    const auto result = show();
    driver.stop();

    EXPECT_FALSE (driver.timedOut());
    EXPECT_EQ (result, 12);
    EXPECT_EQ (openWindows, 2);
    ASSERT_TRUE (snapshot.isValid());
    EXPECT_TRUE (goldens().matches (snapshot, golden));

    // Menu border of 2s in the background colour, black panel inside (probed beside the header).
    const auto s = (int) scale;
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, rootWidth - 1, 6 * s, juce::Colour (0xFF364A55), 4));
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, rootWidth - 2 * s, 6 * s, juce::Colour (0xFF364A55), 4));
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, rootWidth - 2 * s - 2, 6 * s, juce::Colours::black, 4));
    // The highlighted submenu item is filled in the highlight colour.
    EXPECT_GT (PixelProbe::countNear (snapshot, snapshot.getBounds(), juce::Colour (0xFF49A7E3), 2), 200);
    EXPECT_TRUE (menuWindows().isEmpty());
}

TEST_F (PopupMenuTest, RealMenuAtScaleOneWithSubmenuSeparatorAndTick)
{
    showWithSubmenuAndSnapshot (1.0f, "popup_menu");
}

TEST_F (PopupMenuTest, RealMenuAtScaleTwoWithSubmenuSeparatorAndTick)
{
    showWithSubmenuAndSnapshot (2.0f, "popup_menu_scale2");
}

TEST_F (PopupMenuTest, ItemHeightsComeFromTheLookAndFeel)
{
    OnScreen window (owner, { 20, 20 });
    juce::Array<int> heights;
    ModalDriver driver (
        [&]
        {
            auto windows = menuWindows();
            if (windows.isEmpty())
                return false;
            for (auto* child : windows.getFirst()->getChildren())
                heights.add (child->getHeight());
            windows.getFirst()->exitModalState (0);
            return true;
        });
    show();
    driver.stop();

    ASSERT_EQ (heights.size(), 9);
    EXPECT_EQ (heights[1], 15); // 11 * 1.4 rounded
    EXPECT_EQ (heights[4], 10); // separator
    EXPECT_EQ (heights[5], 15);

    lf.scale = 2.0f;
    heights.clear();
    ModalDriver again (
        [&]
        {
            auto windows = menuWindows();
            if (windows.isEmpty())
                return false;
            for (auto* child : windows.getFirst()->getChildren())
                heights.add (child->getHeight());
            windows.getFirst()->exitModalState (0);
            return true;
        });
    show();
    again.stop();
    ASSERT_EQ (heights.size(), 9);
    EXPECT_EQ (heights[1], 31); // 22 * 1.4 rounded
    EXPECT_EQ (heights[4], 10);
}

TEST_F (PopupMenuTest, ClickThroughTheMenuWindowsPeerChoosesTheItem)
{
    OnScreen window (owner, { 20, 20 });
    juce::uint32 opened = 0;
    ModalDriver driver (
        [&]
        {
            auto windows = menuWindows();
            if (windows.isEmpty())
                return false;
            auto& root = *windows.getFirst();
            auto* item = root.getChildComponent (2); // "Rename Preset and Save"
            const auto centre = item->getBounds().getCentre();
            const auto now = juce::Time::getMillisecondCounter();
            if (opened == 0)
            {
                opened = now;
                juce::Desktop::setMousePosition (root.localPointToGlobal (centre));
                return false;
            }
            // A menu ignores a release in its first quarter second.
            if (now - opened < 400)
                return false;
            PeerMouse mouse (root);
            mouse.move (centre);
            mouse.click (centre);
            return true;
        });
    const auto result = show();
    driver.stop();
    EXPECT_FALSE (driver.timedOut());
    EXPECT_EQ (result, 2);
}

TEST_F (PopupMenuTest, DismissedMenuReturnsZero)
{
    OnScreen window (owner, { 20, 20 });
    ModalDriver driver ([] { return !menuWindows().isEmpty() && juce::PopupMenu::dismissAllActiveMenus(); });
    const auto result = show();
    driver.stop();
    EXPECT_EQ (result, 0);
}
