#include "Icons.h"
#include "LookAndFeelRelease.h"
#include "LooknFeel2.h"
#include "PeerMouse.h"
#include "PixelProbe.h"
#include "XvfbFixture.h"

namespace
{
struct ClickRecorder : public juce::MouseListener
{
    void mouseDown (const juce::MouseEvent& e) override
    {
        ++downs;
        lastFlags = e.mods.getRawFlags() &
                    (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::rightButtonModifier);
        lastSource = e.eventComponent;
    }
    void mouseUp (const juce::MouseEvent&) override { ++ups; }

    int downs = 0;
    int ups = 0;
    int lastFlags = 0;
    juce::Component* lastSource = nullptr;
};

class Panel : public Backdrop
{
public:
    Panel()
    {
        knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
        knob.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        knob.setRange (0.0, 1.0);
        knob.setValue (0.5, juce::dontSendNotification);
        knob.setLookAndFeel (&knobLook);
        knob.setBounds (20, 20, 60, 60);
        addAndMakeVisible (knob);

        icon.iconType = 13;
        icon.text = "S";
        icon.setBounds (120, 20, 30, 20);
        addAndMakeVisible (icon);

        entry.setLookAndFeel (&menuLook);
        menuLook.scale = 2.0f;
        entry.setBounds (20, 100, 100, 30);
        addAndMakeVisible (entry);

        setSize (200, 150);
    }

    ~Panel() override { clearLookAndFeels (*this); }

    LooknFeel2 knobLook;
    LooknFeel1 menuLook;
    juce::Slider knob;
    Icons icon;
    juce::TextEditor entry;
};
} // namespace

TEST_F (XvfbTest, InvisibleKnobStillMovesWithAPeerDrag)
{
    Panel panel;
    OnScreen window (panel);

    const auto snapshot = panel.createComponentSnapshot (panel.knob.getBounds(), true, 1.0f);
    EXPECT_EQ (PixelProbe::countNear (snapshot, snapshot.getBounds(), juce::Colour (0xFF202623), 0),
               snapshot.getWidth() * snapshot.getHeight());

    PeerMouse mouse (panel.knob);
    mouse.move ({ 30, 40 });
    mouse.press ({ 30, 40 });
    mouse.dragTo ({ 30, 0 });
    mouse.release ({ 30, 0 });
    EXPECT_GT (panel.knob.getValue(), 0.55);

    const auto before = panel.knob.getValue();
    mouse.press ({ 30, 0 });
    mouse.dragTo ({ 30, 60 });
    mouse.release ({ 30, 60 });
    EXPECT_LT (panel.knob.getValue(), before);
}

TEST_F (XvfbTest, IconClicksReachTheirListenerWithTheButtonFlags)
{
    Panel panel;
    ClickRecorder recorder;
    panel.icon.addMouseListener (&recorder, false);
    OnScreen window (panel);

    PeerMouse mouse (panel.icon);
    mouse.move ({ 15, 10 });
    mouse.click ({ 15, 10 });
    EXPECT_EQ (recorder.downs, 1);
    EXPECT_EQ (recorder.ups, 1);
    EXPECT_EQ (recorder.lastFlags, 16);
    EXPECT_EQ (recorder.lastSource, &panel.icon);

    mouse.click ({ 15, 10 }, juce::ModifierKeys::rightButtonModifier);
    EXPECT_EQ (recorder.downs, 2);
    EXPECT_EQ (recorder.lastFlags, 32);

    // A click beside the icon does not reach it.
    PeerMouse (panel).click ({ 170, 100 });
    EXPECT_EQ (recorder.downs, 2);
    panel.icon.removeMouseListener (&recorder);
}

TEST_F (XvfbTest, NameEntryOutlineBrightensWhileFocusedUnlessReadOnly)
{
    Panel panel;
    OnScreen window (panel);
    const auto outlineAlpha = [&]
    {
        const auto image = panel.createComponentSnapshot (panel.entry.getBounds(), true, 1.0f);
        // Outline (2, 2, 96, 26), 2 thick: row 1 holds the outline alone over the backdrop.
        const auto pixel = image.getPixelAt (50, 1);
        return pixel;
    };
    const juce::Colour backdrop (0xFF202623);
    const juce::Colour accent (0xFF7CB0DB);

    EXPECT_LE (PixelProbe::difference (outlineAlpha(), backdrop.interpolatedWith (accent, 0x99 / 255.0f)), 3);

    panel.entry.grabKeyboardFocus();
    ASSERT_TRUE (OnScreen::pumpUntil ([&] { return panel.entry.hasKeyboardFocus (true); }));
    EXPECT_LE (PixelProbe::difference (outlineAlpha(), backdrop.interpolatedWith (accent, 0xCC / 255.0f)), 3);

    panel.entry.setReadOnly (true);
    EXPECT_LE (PixelProbe::difference (outlineAlpha(), backdrop.interpolatedWith (accent, 0x99 / 255.0f)), 3);
}
