// The line tools and the shape library on a processor without a window: what each writes into
// the point stores, the rendered tables and the undo history, and which marks it sets.

#include "LineTools.h"
#include "ShapeLibrary.h"
#include "TestHome.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

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
        const auto* store = stage == 0 ? p->linePoints1[2][5] : p->linePoints2[2][5];
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
        const auto& model = stage == 0 ? p->lineEditor1 : p->lineEditor2;
        EXPECT_EQ (model.numPoints, 4);
        EXPECT_EQ (model.points[1].x, stage == 0 ? expected[2].x : expected[1].x);
        EXPECT_EQ (model.undoCount[2][5], 1);
        EXPECT_TRUE (p->presetModified);
        EXPECT_TRUE (stage == 0 ? p->linePoints1Changed : p->linePoints2Changed);
    }
}

TEST (LineTools, CopyPasteResetUndoRedoAndOptions)
{
    auto p = makeProcessor();
    select (*p, 1, 3, 1);
    p->random.setSeed (7);
    LineTools::randomizeLine (*p);
    LETPoint copied[50];
    std::copy_n (p->linePoints2[1][3], 50, copied);
    LineTools::copyLine (*p);
    EXPECT_TRUE (p->lineClipboardFull);

    select (*p, 0, 0, 0);
    p->presetModified = false;
    ASSERT_TRUE (LineTools::pasteLine (*p));
    EXPECT_EQ (std::memcmp (p->linePoints1[0][0], copied, sizeof (copied)), 0);
    EXPECT_EQ (p->lineEditor1.undoCount[0][0], 1);
    EXPECT_TRUE (p->presetModified);
    float pasted[512];
    std::copy_n (p->lineArray1[0][0], 512, pasted);

    // Reset Line: two points at 1, so the product is the other stage's table.
    LineTools::resetLine (*p);
    const auto& flat = p->linePoints1[0][0];
    EXPECT_EQ (flat[0].x, 0.0f);
    EXPECT_EQ (flat[0].y, 1.0f);
    EXPECT_EQ (flat[1].x, 1.0f);
    EXPECT_EQ (flat[1].y, 1.0f);
    EXPECT_EQ (flat[2].indx, -1);
    for (int k = 0; k < 512; ++k)
        ASSERT_EQ (p->modulationArray[0][0][k], p->lineArray2[0][0][k]) << k;

    // Undo brings the pasted curve back, Redo the flat one, a second Redo nothing; neither marks.
    p->presetModified = false;
    ASSERT_TRUE (LineTools::undo (*p));
    for (int k = 0; k < 512; ++k)
    {
        ASSERT_EQ (p->lineArray1[0][0][k], pasted[k]) << k;
        ASSERT_EQ (p->modulationArray[0][0][k], pasted[k] * p->lineArray2[0][0][k]) << k;
    }
    ASSERT_TRUE (LineTools::redo (*p));
    EXPECT_EQ (p->lineEditor1.numPoints, 2);
    EXPECT_EQ (p->linePoints1[0][0][1].y, 1.0f);
    EXPECT_FALSE (LineTools::redo (*p));
    EXPECT_FALSE (p->presetModified);

    const bool immediately = p->changeImmediately;
    LineTools::toggleQuantize (*p);
    LineTools::toggleQuantize (*p);
    EXPECT_EQ (p->changeImmediately.load(), immediately);
    EXPECT_TRUE (p->presetModified);
}

TEST (ShapeLibrary, ListsAndApplication)
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
    for (int stage = 0; stage < 2; ++stage)
    {
        select (*p, 3, 7, stage);
        const float before[2] = { p->lineArray1[3][7][100], p->lineArray2[3][7][100] };
        auto* lineCh = p->parameters.getParameter ("LineCH");
        const float lineChBefore = lineCh->getValue();
        int changes = 0;
        struct Counter : juce::AudioProcessorParameter::Listener
        {
            int& n;
            explicit Counter (int& count) : n (count) {}
            void parameterValueChanged (int, float) override { ++n; }
            void parameterGestureChanged (int, bool) override {}
        } counter (changes);
        lineCh->addListener (&counter);
        p->presetModified = false;
        ASSERT_TRUE (LineTools::applyShape (*p, 2));
        lineCh->removeListener (&counter);

        EXPECT_EQ (changes, 1);
        EXPECT_NE (lineCh->getValue(), lineChBefore);
        EXPECT_TRUE (p->presetModified);
        for (int k = 0; k < 512; ++k)
            ASSERT_EQ (p->modulationArray[3][7][k], 0.0f) << k;

        ASSERT_TRUE (LineTools::undo (*p));
        EXPECT_EQ (p->lineArray1[3][7][100], before[0]);
        EXPECT_EQ (p->lineArray2[3][7][100], before[1]);
    }
    EXPECT_FALSE (LineTools::applyShape (*p, 40));
    EXPECT_FALSE (LineTools::applyShape (*p, -1));
}
} // namespace
