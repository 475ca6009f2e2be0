#include "AssertionCatcher.h"
#include "Icons.h"
#include "LookAndFeelRelease.h"
#include "ModalDriver.h"
#include "PeerMouse.h"
#include "PixelProbe.h"
#include "XvfbFixture.h"

TEST_F (XvfbTest, TooltipWindowIsPlacedAndDrawnByTheLookAndFeel)
{
    LooknFeel1 lf;
    styleAsMenuLook (lf, 1.0f);
    juce::TooltipWindow tooltips (nullptr, 700);
    tooltips.setLookAndFeel (&lf);

    const juce::String text ("Line Undo (3)");
    const juce::Point<int> mouse (200, 150);
    // Checked straight away: with no component under the real pointer the tooltip window's own
    // timer takes a manually shown tip down again at its next tick.
    tooltips.displayTip (mouse, text);

    ASSERT_TRUE (tooltips.isOnDesktop());
    const auto screenArea = juce::Desktop::getInstance().getDisplays().getDisplayForPoint (mouse)->userArea;
    const auto expected = lf.getTooltipBounds (text, mouse, screenArea);
    EXPECT_EQ (tooltips.getScreenBounds(), expected);
    EXPECT_EQ (expected.getPosition(), mouse + juce::Point<int> (20, 6)); // upper-left quarter of the screen

    const auto snapshot = tooltips.createComponentSnapshot (tooltips.getLocalBounds(), true, 1.0f);
    EXPECT_TRUE (goldens().matches (snapshot, "tooltip"));
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, snapshot.getWidth() / 2, 0, juce::Colour (0xFF505050), 3));

    // Past the centre of the screen the tip goes to the left of and above the mouse.
    const juce::Point<int> lowerRight (1000, 900);
    tooltips.displayTip (lowerRight, text);
    EXPECT_EQ (tooltips.getScreenBounds().getBottomRight(), lowerRight - juce::Point<int> (10, 6));

    // At scale 2 the font, gaps and outline double.
    lf.scale = 2.0f;
    tooltips.displayTip (mouse, text);
    EXPECT_EQ (tooltips.getScreenBounds().getPosition(), mouse + juce::Point<int> (40, 12));
    EXPECT_EQ (tooltips.getHeight(), 30);
    const auto large = tooltips.createComponentSnapshot (tooltips.getLocalBounds(), true, 1.0f);
    EXPECT_TRUE (goldens().matches (large, "tooltip_scale2"));
    EXPECT_TRUE (PixelProbe::colourNear (large, large.getWidth() / 2, 1, juce::Colour (0xFF505050), 3));

    tooltips.hideTip();
    tooltips.setLookAndFeel (nullptr);
}

TEST_F (XvfbTest, AlertWindowEndedWithAChosenButtonFromATimer)
{
    LooknFeel1 lf;
    styleAsMenuLook (lf, 1.0f);
    juce::AlertWindow alert ("Delete Preset", "Delete the preset \"Init\"?",
                             juce::MessageBoxIconType::QuestionIcon);
    alert.setLookAndFeel (&lf);
    alert.addButton ("Yes", 1);
    alert.addButton ("No", 0);

    juce::Image snapshot;
    ModalDriver driver (
        [&]
        {
            if (ModalDriver::topModal() != &alert)
                return false;
            snapshot = alert.createComponentSnapshot (alert.getLocalBounds(), true, 1.0f);
            alert.triggerButtonClick ("Yes");
            return true;
        });
    const auto result = alert.runModalLoop();
    driver.stop();

    EXPECT_EQ (result, 1);
    ASSERT_TRUE (snapshot.isValid());
    EXPECT_TRUE (goldens().matches (snapshot, "alert"));
    // The text buttons have the dark body of the look-and-feel.
    EXPECT_GT (PixelProbe::countNear (snapshot, snapshot.getBounds(), juce::Colour (0xFF151515), 2), 100);
    alert.setLookAndFeel (nullptr);
}

TEST_F (XvfbTest, ShowingTooltipsAndIconsReleaseTheirLookAndFeelBeforeItGoes)
{
    AssertionCatcher catcher;
    {
        struct Owner : public Backdrop
        {
            Owner()
            {
                icon.setTooltip ("Solo");
                icon.setBounds (10, 10, 30, 20);
                icon.setLookAndFeel (&look);
                addAndMakeVisible (icon);
                tooltips.setLookAndFeel (&look);
                setSize (100, 60);
            }
            ~Owner() override
            {
                clearLookAndFeels (*this);
                tooltips.setLookAndFeel (nullptr);
            }

            juce::TooltipWindow tooltips{ nullptr, 700 };
            Icons icon;
            LooknFeel1 look; // declared last, destroyed first: safe only because of the release above
        } owner;

        OnScreen window (owner);
        owner.tooltips.displayTip ({ 60, 60 }, "Solo");
        EXPECT_TRUE (owner.tooltips.isOnDesktop());
    }
    OnScreen::pump (50);
    EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
}

TEST_F (XvfbTest, HoveringAnIconShowsItsTooltipAfterTheDelay)
{
    LooknFeel1 lf;
    styleAsMenuLook (lf, 1.0f);
    struct Panel : public Backdrop
    {
        Panel()
        {
            icon.iconType = 13;
            icon.text = "S";
            icon.setTooltip ("Solo");
            icon.setBounds (40, 30, 30, 20);
            addAndMakeVisible (icon);
            setSize (200, 120);
        }
        Icons icon;
    } panel;

    juce::TooltipWindow tooltips (nullptr, 700);
    tooltips.setLookAndFeel (&lf);
    OnScreen window (panel, { 300, 300 });

    const auto start = juce::Time::getMillisecondCounter();
    const auto mouse = panel.icon.getScreenBounds().getCentre();
    // The pointer itself (which the tooltip window polls) and the move event (which tells the
    // mouse source what lies under it).
    juce::Desktop::setMousePosition (mouse);
    PeerMouse (panel.icon).move (panel.icon.getLocalBounds().getCentre());
    while (!tooltips.isOnDesktop() && juce::Time::getMillisecondCounter() - start < 3000)
        OnScreen::pump (20);
    const auto shownAfter = juce::Time::getMillisecondCounter() - start;

    ASSERT_TRUE (tooltips.isOnDesktop());
    EXPECT_GE (shownAfter, 600u);
    const auto area = juce::Desktop::getInstance().getDisplays().getDisplayForPoint (mouse)->userArea;
    EXPECT_EQ (tooltips.getScreenBounds(), lf.getTooltipBounds ("Solo", mouse, area));

    juce::Desktop::setMousePosition ({ 1200, 1000 });
    tooltips.hideTip();
    tooltips.setLookAndFeel (nullptr);
}
