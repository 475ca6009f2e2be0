// The line tools, the shape library and the knob handlers on a processor without a window: what
// each writes into the point stores, the rendered tables and the undo history, and which marks it
// sets.

#include "KnobHandling.h"
#include "LineTools.h"
#include "ProcessorTestSupport.h"
#include "ShapeLibrary.h"
#include "TestHome.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace
{
std::unique_ptr<LineEditorAudioProcessor> makeProcessor()
{
    kalvo::test::temporaryHomeFolder();
    return std::make_unique<LineEditorAudioProcessor>();
}

void select (LineEditorAudioProcessor& p, int line, int state, int stage)
{
    p.currentLine = line;
    p.currentState = state;
    p.editedStage[line] = stage;
}

struct Slot
{
    float x, y, tn;
    int type;
};

// Draws in the order written: n, slot 0's y, slot n's y, tension and (stage 1) type, then x, y,
// tension and (stage 1) type of each inner slot.
TEST (LineTools, RandomizeLineDrawsInItsOrder)
{
    const Slot stageOne[] = { { 0.0f, 0.701632261f, 0.0f, 1 },
                              { 0.549568355f, 0.236536026f, 0.366513163f, 9 },
                              { 0.427823454f, 0.971429408f, -0.74724704f, 6 },
                              { 1.0f, 0.920766354f, 0.0490723625f, 4 } };
    const Slot stageTwo[] = { { 0.0f, 0.701632261f, 0.0f, 1 },
                              { 0.412110537f, 0.549568355f, -0.421542376f, 1 },
                              { 0.729070723f, 0.977904081f, -0.115482472f, 1 },
                              { 1.0f, 0.920766354f, 0.0490723625f, 1 } };
    for (int stage = 0; stage < 2; ++stage)
    {
        auto p = makeProcessor();
        select (*p, 2, 5, stage);
        p->random.setSeed (42);
        LineTools::randomizeLine (*p);

        const auto& expected = stage == 0 ? stageOne : stageTwo;
        const auto* store = stage == 0 ? p->linePoints1()[2][5] : p->linePoints2()[2][5];
        for (int i = 0; i < 4; ++i)
        {
            SCOPED_TRACE (testing::Message() << "stage " << stage + 1 << " slot " << i);
            EXPECT_EQ (store[i].x, expected[i].x);
            EXPECT_EQ (store[i].y, expected[i].y);
            EXPECT_EQ (store[i].tn, expected[i].tn);
            EXPECT_EQ (store[i].type, expected[i].type);
            EXPECT_NE (store[i].indx, -1);
        }
        EXPECT_EQ (store[4].indx, -1);
        EXPECT_EQ (store[4].x, 2.0f);

        // The model sorts its own copy.
        const auto& model = stage == 0 ? p->lineEditor1() : p->lineEditor2();
        EXPECT_EQ (model.numPoints, 4);
        EXPECT_EQ (model.points[1].x, stage == 0 ? expected[2].x : expected[1].x);
        EXPECT_EQ (model.undoCount[2][5], 1);
        EXPECT_TRUE (p->presetModified);
        EXPECT_TRUE (stage == 0 ? p->linePoints1Changed : p->linePoints2Changed);
    }
}

// Reset Line, then Undo and Redo on it; neither step marks the preset.
TEST (LineTools, ResetUndoRedo)
{
    auto p = makeProcessor();
    select (*p, 0, 0, 0);
    p->random.setSeed (7);
    LineTools::randomizeLine (*p);
    float random[512];
    std::copy_n (p->lineArray1()[0][0], 512, random);

    LineTools::resetLine (*p);
    const auto& flat = p->linePoints1()[0][0];
    EXPECT_EQ (flat[0].x, 0.0f);
    EXPECT_EQ (flat[0].y, 1.0f);
    EXPECT_EQ (flat[1].x, 1.0f);
    EXPECT_EQ (flat[1].y, 1.0f);
    EXPECT_EQ (flat[2].indx, -1);
    for (int k = 0; k < 512; ++k)
        ASSERT_EQ (p->modulationArray()[0][0][k], p->lineArray2()[0][0][k]) << k;

    p->presetModified = false;
    ASSERT_TRUE (LineTools::undo (*p));
    for (int k = 0; k < 512; ++k)
        ASSERT_EQ (p->modulationArray()[0][0][k], random[k] * p->lineArray2()[0][0][k]) << k;
    ASSERT_TRUE (LineTools::redo (*p));
    EXPECT_EQ (p->lineEditor1().numPoints, 2);
    EXPECT_EQ (p->linePoints1()[0][0][1].y, 1.0f);
    EXPECT_FALSE (LineTools::redo (*p));
    EXPECT_FALSE (p->presetModified);
}

// The audio thread switches the state whenever it likes, here all the time: each tool click still
// acts on one state, so every stored curve keeps matching its rendered and product tables.
TEST (LineTools, AClickActsOnOneStateWhileTheStateSwitches)
{
    auto p = makeProcessor();
    select (*p, 1, 0, 0);
    p->random.setSeed (3);
    std::atomic<bool> done{ false };
    std::thread audio (
        [&]
        {
            for (int i = 0; !done; ++i)
                p->currentState = (i & 1) != 0 ? 5 : 0;
        });
    for (int click = 0; click < 1000; ++click)
    {
        LineTools::randomizeLine (*p);
        if (click % 4 == 3)
            LineTools::undo (*p);
        if (click % 8 == 7)
            LineTools::redo (*p);
    }
    done = true;
    audio.join();

    for (int state : { 0, 5 })
    {
        LineEditor model;
        model.setLinePoints (p->linePoints1()[1][state]);
        float table[512];
        model.getLineArray (table);
        for (int k = 0; k < 512; ++k)
        {
            ASSERT_EQ (p->lineArray1()[1][state][k], table[k]) << state << ", " << k;
            ASSERT_EQ (p->modulationArray()[1][state][k], table[k] * p->lineArray2()[1][state][k])
                << state << ", " << k;
        }
    }
}

TEST (ShapeLibrary, Lists)
{
    const int perCategory[] = { 25, 48, 126, 139 };
    int all = 0;
    for (int c = 0; c < 4; ++c)
    {
        int n = 0;
        for (int i = 0; i < 10; ++i)
            n += ShapeLibrary::shapes[c * 10 + i].numPoints;
        EXPECT_EQ (n, perCategory[c]) << c;
        all += n;
    }
    EXPECT_EQ (all, 338);
    for (int s = 0; s < 40; ++s)
    {
        const auto& shape = ShapeLibrary::shapes[s];
        const bool two = s <= 3 || s == 8 || s == 9;
        EXPECT_EQ (shape.numPoints == 2, two) << s;
        EXPECT_LE (shape.numPoints, s == 25 ? 32 : 31) << s;
        EXPECT_EQ (shape.points[0].x, 0.0f) << s;
        EXPECT_EQ (shape.points[shape.numPoints - 1].x, 1.0f) << s;
        for (int i = 1; i < shape.numPoints; ++i)
            EXPECT_GT (shape.points[i].x, shape.points[i - 1].x) << s << ", " << i;
    }
    EXPECT_EQ (ShapeLibrary::shapes[25].numPoints, 32);

    auto p = makeProcessor();
    EXPECT_FALSE (LineTools::applyShape (*p, 40));
    EXPECT_FALSE (LineTools::applyShape (*p, -1));
}
} // namespace

namespace
{
// A host's play head that holds the audio thread in its block, where it reads the position just
// before the state switch it was asked for, until `wait` returns.
class HoldingPlayHead final : public juce::AudioPlayHead
{
public:
    explicit HoldingPlayHead (std::function<void()> waitFor) : wait (std::move (waitFor)) {}

    juce::Optional<PositionInfo> getPosition() const override
    {
        wait();
        return PositionInfo{};
    }

private:
    std::function<void()> wait;
};

// Runs `edit` here while the audio thread, held at the start of the block that switches to
// `state`, waits until `inside` says the edit is under way: the switch lands in the middle of
// the edit, where a wrong order of the edit's steps would show.
template <typename Inside, typename Edit>
void switchInside (kalvo::test::TestHost& host, int state, Inside inside, Edit edit)
{
    std::atomic<bool> held{ false }, done{ false };
    HoldingPlayHead holding (
        [&]
        {
            held = true;
            while (!inside() && !done)
                ;
        });
    host.setParameter ("State", static_cast<float> (state));
    host.processor->setPlayHead (&holding);
    std::thread audio ([&host] { host.run (16); });
    while (!held)
        ;
    edit();
    done = true;
    audio.join();
    host.processor->setPlayHead (&host.playHead);
    host.run (16);
}
} // namespace

// The link is switched on while the host's line mix still waits to be published; the audio
// thread switches state as soon as it sees the link on. The switch never plays a mix older than
// the host's. A few rounds, as the switch may come too late to land inside the toggle.
TEST (LineTools, ALinkToggleNeverLetsASwitchPlayAnOlderMix)
{
    kalvo::test::TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    for (int round = 0; round < 32; ++round)
    {
        p.linkMix = false;
        const float hostMix = 0.2f + 0.01f * static_cast<float> (round);
        host.setParameter ("MixLow", hostMix);
        host.run (16);

        switchInside (host, p.currentState == 0 ? 3 : 0, [&p] { return p.linkMix.load(); },
                      [&p] { LineTools::toggleLinkMix (p); });

        ASSERT_TRUE (p.linkMix.load());
        ASSERT_NEAR (p.mixRamp[2].getTargetValue(), hostMix, 1e-6) << round;
    }
}

// The Low mix knob moves in the playing state while the audio thread switches to another, whose
// mix differs: the state switched to plays its own mix, not the knob's. A few rounds, as the switch
// may come too late to land inside the knob's move.
TEST (KnobHandling, AMixMovedAcrossASwitchLeavesThePlayingStatesMix)
{
    kalvo::test::TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    {
        const ModelLock::Hold hold (p.curveModelLock);
        p.bandMix()[1][3] = 0.9f;
        p.publishModel();
    }
    host.run (16);

    const auto knobHoldsTheLock = [&p]
    {
        if (!p.curveModelLock.tryEnter())
            return true;
        p.curveModelLock.exit();
        return false;
    };
    for (int round = 0; round < 32; ++round)
    {
        const int other = p.currentState == 0 ? 3 : 0;
        const float moved = 0.1f + 0.01f * static_cast<float> (round);
        switchInside (host, other, knobHoldsTheLock, [&p, moved] { KnobHandling::mix (p, 1, moved); });

        const ModelLock::Hold hold (p.curveModelLock);
        ASSERT_EQ (p.currentState.load(), other);
        ASSERT_NEAR (p.mixRamp[2].getTargetValue(), p.bandMix()[1][other], 1e-6) << round;
    }
}
