#include "../../engine/CurveBuilder.h"
#include "LineEditorUI.h"
#include "ModalDriver.h"
#include "PeerMouse.h"
#include "XvfbFixture.h"

namespace
{
// A 272 x 80 curve editor (curve area 256 x 64) on an opaque window, loaded with
// (0, 1), (0.5, 0.25) and (1, 0.75): the middle point sits at (136, 56).
class LineEditorWindowTest : public XvfbTest
{
protected:
    void SetUp() override
    {
        XvfbTest::SetUp();
        window.setSize (272, 80);
        ui = std::make_unique<LineEditorUI>();
        ui->setBounds (window.getLocalBounds());
        window.addAndMakeVisible (*ui);
        const auto curve = makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.25f, 0, 1 }, { 1, 0.75f, 0, 1 } });
        ui->setLinePoints (curve.data());
    }

    void TearDown() override { juce::Desktop::setMousePosition ({ 1200, 1000 }); }

    static juce::Component* menuWindow()
    {
        auto* modal = ModalDriver::topModal();
        return modal != nullptr && juce::String (typeid (*modal).name()).contains ("MenuWindow") ? modal
                                                                                                 : nullptr;
    }

    Backdrop window;
    std::unique_ptr<LineEditorUI> ui;
};
} // namespace

TEST_F (LineEditorWindowTest, PeerDragHidesTheCursorAndCompletesOneEdit)
{
    OnScreen screen (window);
    PeerMouse mouse (window);

    mouse.move ({ 136, 56 });
    EXPECT_EQ (ui->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::UpDownLeftRightResizeCursor));

    mouse.press ({ 136, 56 });
    int changedDuringDrag = 0;
    for (int step = 1; step <= 16; ++step)
    {
        mouse.dragTo ({ 136, 56 - step }, 1);
        changedDuringDrag += ui->lineChanged ? 1 : 0;
        if (step == 8)
        {
            EXPECT_EQ (ui->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::NoCursor));
        }
    }
    EXPECT_EQ (changedDuringDrag, 0);
    EXPECT_TRUE (ui->dragging);

    mouse.release ({ 136, 40 });
    EXPECT_TRUE (ui->lineChanged);
    EXPECT_FALSE (ui->dragging);
    EXPECT_EQ (ui->points[1].y, 0.5f);
    // The hover test on release shows the point's cursor again.
    EXPECT_EQ (ui->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::UpDownLeftRightResizeCursor));
}

TEST_F (LineEditorWindowTest, RealPointMenuChoosesStep)
{
    OnScreen screen (window);
    PeerMouse mouse (window);
    juce::uint32 opened = 0;
    int items = 0;
    ModalDriver driver (
        [&]
        {
            auto* menu = menuWindow();
            if (menu == nullptr)
                return false;
            const auto now = juce::Time::getMillisecondCounter();
            auto* step = menu->getChildComponent (7); // "Delete", six curves, then "Step"
            const auto centre = step->getBounds().getCentre();
            if (opened == 0)
            {
                opened = now;
                items = menu->getNumChildComponents();
                mouse.release ({ 140, 60 }); // the right button comes up while the menu is open
                juce::Desktop::setMousePosition (menu->localPointToGlobal (centre));
                return false;
            }
            if (now - opened < 400) // a menu ignores a release in its first quarter second
                return false;
            PeerMouse click (*menu);
            click.move (centre);
            click.click (centre);
            return true;
        });

    juce::Desktop::setMousePosition (window.localPointToGlobal (juce::Point<int> (140, 60)));
    mouse.click ({ 140, 60 }, juce::ModifierKeys::rightButtonModifier);
    driver.stop();

    EXPECT_FALSE (driver.timedOut());
    EXPECT_EQ (items, 13); // twelve items and the separator
    EXPECT_EQ (ui->points[1].type, 7);
    EXPECT_EQ (ui->defaultCurveType, 7);
    EXPECT_TRUE (ui->lineChanged);
    EXPECT_FALSE (ui->snapChanged);
}

TEST_F (LineEditorWindowTest, DestroyedWhileItsRealMenuIsOpen)
{
    OnScreen screen (window);
    PeerMouse mouse (window);
    bool deleted = false;
    ModalDriver driver (
        [&]
        {
            if (menuWindow() == nullptr)
                return false;
            ui.reset(); // the host closes the window while the menu is up
            deleted = true;
            return true;
        });

    mouse.click ({ 140, 60 }, juce::ModifierKeys::rightButtonModifier);
    driver.stop();

    EXPECT_TRUE (deleted);
    EXPECT_FALSE (driver.timedOut());
    EXPECT_TRUE (OnScreen::pumpUntil ([] { return menuWindow() == nullptr; }));
}

TEST_F (LineEditorWindowTest, AllNineShapesAtScalesOneAndTwo)
{
    // One segment of every type, tensions across the range, over the 4/4 grid.
    const float tensions[] = { 0.6f, -0.7f, 0.8f, 0.5f, -0.5f, 0.7f, 0.3f, 0.2f, -0.15f };
    auto curve = makeCurve ({ { 0, 0.1f, 0, 1 } });
    for (int t = 1; t <= 9; ++t)
        curve[(size_t) t] = {
            (float) t / 9.0f, t % 2 == 1 ? 0.9f : 0.1f, tensions[t - 1], t, 0, 0, t, false, false, true
        };
    ui->setLinePoints (curve.data());
    ui->gridColour = juce::Colour (0xFF364A55);
    ui->lineColour = juce::Colour (0xFF49A7E3);

    // Sized and styled as the editor window lays it out at interface scales 1 and 2; snapshots
    // at a desktop scale of 1.
    for (const auto scale : { 1, 2 })
    {
        const auto s = (float) scale;
        window.setSize (264 * scale, 72 * scale);
        ui->setBounds (window.getLocalBounds());
        ui->gridInset = ui->gridThickness = ui->lineThickness = ui->handleOutline = s;
        ui->margin = 4.0f * s;
        ui->pointSize = 5.0f * s;
        const auto snapshot = window.createComponentSnapshot (window.getLocalBounds(), true, 1.0f);
        EXPECT_TRUE (goldens().matches (snapshot, scale == 1 ? "curve_editor" : "curve_editor_scale2"));
    }
}
