// The whole window end to end, as a user and a host meet it: opened and closed again and again
// while the audio plays.

#include "PeerMouse.h"
#include "WholeEditor.h"

#include "CurveEdits.h"

#include <array>

using kalvo::test::WholeEditor;

namespace
{
class WholeEditorXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }
};

using Display = std::array<float, LineEditorAudioProcessor::tableSize>;

Display displayOf (LineEditorAudioProcessor& p)
{
    Display d;
    p.copyWaveDisplay (d.data());
    return d;
}

// Where used point `index` of the curve editor sits, in its own pixels.
juce::Point<int> pointOnScreen (const LineEditorUI& ui, int index)
{
    const auto g = ui.geometry();
    return { juce::roundToInt (CurveEdits::screenX (g, ui.points[index].x)),
             juce::roundToInt (CurveEdits::screenY (g, ui.points[index].y)) };
}

constexpr int timerPeriod = LineEditorAudioProcessorEditor::refreshIntervalMs;
} // namespace

TEST_F (WholeEditorXvfbTest, OpensAndClosesFiftyTimesWhileThePluginPlays)
{
    enum Closing
    {
        plainly,
        whileDragging,
        withATooltip,
        numClosings
    };

    WholeEditor w (1.5f);
    w.audio.start();
    bool displayMoved = false;
    const auto started = juce::Time::getMillisecondCounter();

    for (int cycle = 0; cycle < 50; ++cycle)
    {
        w.open();
        w.audio.sendNote (60 + cycle % 3, true);
        const auto before = displayOf (w.p);
        OnScreen::pump (3 * timerPeriod + 20);
        w.audio.sendNote (60 + cycle % 3, false);
        displayMoved = displayMoved || displayOf (w.p) != before;

        switch (cycle % numClosings)
        {
            case whileDragging:
            {
                auto& ui = w.e().lineEditorUI1;
                PeerMouse mouse (ui);
                const auto from = pointOnScreen (ui, 1);
                mouse.press (from);
                mouse.dragTo (from + juce::Point<int> (0, 12), 3);
                OnScreen::pump (timerPeriod);
                ASSERT_TRUE (ui.dragging);
                break;
            }
            case withATooltip:
            {
                auto& power = w.e().iconButtons[0];
                w.e().tooltipWindow.displayTip (power.getScreenBounds().getCentre(), "Power");
                ASSERT_TRUE (OnScreen::pumpUntil ([&] { return w.e().tooltipWindow.isVisible(); }));
                break;
            }
            default:
                break;
        }

        w.close();
        EXPECT_FALSE (w.p.editorOpen);
        const auto closed = displayOf (w.p);
        ASSERT_TRUE (w.audio.waitForBlocks (4));
        EXPECT_EQ (displayOf (w.p), closed) << "cycle " << cycle;
    }

    EXPECT_TRUE (displayMoved) << "the waveform display never moved while a window was open";
    std::cout << "50 open/close cycles in " << (juce::Time::getMillisecondCounter() - started) << " ms"
              << std::endl;
}
