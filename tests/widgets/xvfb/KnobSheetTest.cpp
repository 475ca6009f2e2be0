#include "LookAndFeelRelease.h"
#include "XvfbFixture.h"

namespace
{
// The five knob styles (rows) at values 0, 0.25, 0.5, 0.75 and 1, then disabled at 0 and 0.75.
class KnobSheet : public Backdrop
{
public:
    KnobSheet()
    {
        const double values[] = { 0.0, 0.25, 0.5, 0.75, 1.0, 0.0, 0.75 };
        for (int style = 0; style < 5; ++style)
        {
            auto* lf = looks.add (new LooknFeel1());
            lf->rotaryStyle = style;
            lf->accentColour = juce::Colour (0xFF49A7E3);
            lf->trackColour = juce::Colour (0xFF364A55);
            if (style >= 2)
                lf->ringInnerRadius = 0.95f;

            for (int column = 0; column < 7; ++column)
            {
                auto* knob =
                    knobs.add (new juce::Slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox));
                knob->setLookAndFeel (lf);
                knob->setRange (0.0, 1.0);
                knob->setValue (values[column], juce::dontSendNotification);
                knob->setEnabled (column < 5);
                knob->setBounds (8 + column * 56, 8 + style * 56, 48, 48);
                addAndMakeVisible (knob);
            }
        }
        setSize (8 + 7 * 56, 8 + 5 * 56);
    }

    ~KnobSheet() override { clearLookAndFeels (*this); }

    juce::OwnedArray<LooknFeel1> looks;
    juce::OwnedArray<juce::Slider> knobs;
};
} // namespace

TEST_F (XvfbTest, KnobSheetOfEveryStyleEnabledAndDisabled)
{
    KnobSheet sheet;
    OnScreen window (sheet, { 10, 10 });
    const auto snapshot = sheet.createComponentSnapshot (sheet.getLocalBounds(), true, 1.0f);
    EXPECT_TRUE (goldens().matches (snapshot, "knob_sheet"));
}
