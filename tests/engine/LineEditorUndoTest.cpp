#include "CurveBuilder.h"
#include "LineEditor.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace
{
// A sorted, flagged curve of 2..6 points that setLinePoints leaves as it is.
Curve randomCurve (std::mt19937& rng)
{
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    std::uniform_int_distribution<int> count (0, 4), type (1, 9);
    const int inner = count (rng);
    Curve curve;
    curve.fill (freeSlot());
    const int n = inner + 2;
    for (int i = 0; i < n; ++i)
    {
        const float x =
            i == 0 ? 0.0f : (i == n - 1 ? 1.0f : (static_cast<float> (i) + unit (rng) * 0.9f) / n);
        const bool end = i == 0 || i == n - 1;
        curve[static_cast<std::size_t> (i)] = { x,     unit (rng), unit (rng) * 2 - 1, i,
                                                0,     0,          type (rng),         end,
                                                false, !end };
    }
    return curve;
}

Curve curveWithY (float y)
{
    auto c = makeCurve ({ { 0.0f, y, 0.0f, 1 }, { 1.0f, y, 0.0f, 1 } });
    c[0].lockX = c[1].lockX = true;
    c[0].deletable = c[1].deletable = false;
    return c;
}

// The history as a reader would describe it: ten undo steps, redo until the next change.
struct ReferenceHistory
{
    Curve current;
    std::deque<Curve> undo, redo;

    void change (const Curve& next)
    {
        undo.push_back (current);
        if (undo.size() > 10)
            undo.pop_front();
        redo.clear();
        current = next;
    }
    void stepBack()
    {
        if (undo.empty())
            return;
        redo.push_back (current);
        current = undo.back();
        undo.pop_back();
    }
    void stepForward()
    {
        if (redo.empty())
            return;
        undo.push_back (current);
        current = redo.back();
        redo.pop_back();
    }
};

// The edit sequence of the editor: record, then load the changed curve.
void edit (LineEditor& model, int line, int state, const Curve& next)
{
    model.startNewChange (line, state);
    model.setLinePoints (next.data());
}
} // namespace

TEST (LineEditorUndo, RandomSequenceMatchesReference)
{
    std::mt19937 rng (20261207);
    auto stage1 = std::make_unique<LineEditor>();
    auto stage2 = std::make_unique<LineEditor>();
    LineEditor* stages[2] = { stage1.get(), stage2.get() };
    static ReferenceHistory reference[2][4][12];

    for (int stage = 0; stage < 2; ++stage)
        for (int l = 0; l < 4; ++l)
            for (int s = 0; s < 12; ++s)
                reference[stage][l][s].current = randomCurve (rng);

    int line = 0, state = 0;
    auto loadCurrent = [&]
    {
        for (int stage = 0; stage < 2; ++stage)
            stages[stage]->setLinePoints (reference[stage][line][state].current.data());
    };
    loadCurrent();

    std::uniform_int_distribution<int> op (0, 99), pick (0, 1), lineDist (0, 3), stateDist (0, 11);
    for (int i = 0; i < 20000; ++i)
    {
        const int stage = pick (rng);
        auto& model = *stages[stage];
        auto& ref = reference[stage][line][state];
        const int r = op (rng);
        if (r < 45)
        {
            const auto next = randomCurve (rng);
            edit (model, line, state, next);
            ref.change (next);
        }
        else if (r < 70)
        {
            model.performUndo (line, state);
            ref.stepBack();
        }
        else if (r < 90)
        {
            model.performRedo (line, state);
            ref.stepForward();
        }
        else if (r < 94)
        {
            // A state switch writes the current curve into its slot before reloading.
            model.updateUndoState (line, state);
        }
        else
        {
            if (pick (rng))
                line = lineDist (rng);
            else
                state = stateDist (rng);
            loadCurrent();
        }

        for (int st = 0; st < 2; ++st)
        {
            const auto& expected = reference[st][line][state];
            ASSERT_TRUE (sameCurve (stages[st]->points, expected.current.data()))
                << "step " << i << " stage " << st;
            ASSERT_EQ (stages[st]->undoCount[line][state], static_cast<int> (expected.undo.size()))
                << "step " << i;
            ASSERT_EQ (stages[st]->redoCount[line][state], static_cast<int> (expected.redo.size()))
                << "step " << i;
        }
    }

    for (int st = 0; st < 2; ++st)
        for (int l = 0; l < 4; ++l)
            for (int s = 0; s < 12; ++s)
            {
                EXPECT_EQ (stages[st]->undoCount[l][s], static_cast<int> (reference[st][l][s].undo.size()));
                EXPECT_EQ (stages[st]->redoCount[l][s], static_cast<int> (reference[st][l][s].redo.size()));
            }
}

TEST (LineEditorUndo, TenStepsDeepAndTheOldestIsDropped)
{
    auto model = std::make_unique<LineEditor>();
    model->setLinePoints (curveWithY (0.0f).data());
    for (int i = 1; i <= 11; ++i)
        edit (*model, 1, 2, curveWithY (i / 100.0f));

    EXPECT_EQ (model->undoCount[1][2], 10);
    for (int i = 0; i < 10; ++i)
        model->performUndo (1, 2);
    EXPECT_EQ (model->points[0].y, 0.01f) << "back to the curve before the second change";
    EXPECT_EQ (model->undoCount[1][2], 0);
    EXPECT_EQ (model->redoCount[1][2], 10);

    model->performUndo (1, 2);
    EXPECT_EQ (model->points[0].y, 0.01f);
    EXPECT_EQ (model->redoCount[1][2], 10);

    for (int i = 0; i < 10; ++i)
        model->performRedo (1, 2);
    EXPECT_EQ (model->points[0].y, 0.11f);
    EXPECT_EQ (model->undoCount[1][2], 10);
    EXPECT_EQ (model->redoCount[1][2], 0);
    model->performRedo (1, 2);
    EXPECT_EQ (model->points[0].y, 0.11f);
}

TEST (LineEditorUndo, ChangeUndoRedoAndChangeAfterUndo)
{
    auto model = std::make_unique<LineEditor>();
    model->setLinePoints (curveWithY (0.3f).data());
    edit (*model, 0, 0, curveWithY (0.4f));
    model->performUndo (0, 0);
    EXPECT_EQ (model->points[1].y, 0.3f);
    model->performRedo (0, 0);
    EXPECT_EQ (model->points[1].y, 0.4f);
    EXPECT_EQ (model->undoCount[0][0], 1);
    EXPECT_EQ (model->redoCount[0][0], 0);

    model->performUndo (0, 0);
    edit (*model, 0, 0, curveWithY (0.5f));
    EXPECT_EQ (model->redoCount[0][0], 0);
    model->performRedo (0, 0);
    EXPECT_EQ (model->points[1].y, 0.5f);

    float out[512];
    model->getLineArray (out);
    EXPECT_EQ (out[300], 0.5f) << "undo and redo render what they load";
}

TEST (LineEditorUndo, OtherLinesAndStatesAreUntouched)
{
    auto model = std::make_unique<LineEditor>();
    model->setLinePoints (curveWithY (0.2f).data());
    edit (*model, 3, 11, curveWithY (0.6f));
    model->performUndo (3, 11);
    for (int l = 0; l < 4; ++l)
        for (int s = 0; s < 12; ++s)
            if (l != 3 || s != 11)
            {
                EXPECT_EQ (model->undoCount[l][s], 0);
                EXPECT_EQ (model->redoCount[l][s], 0);
                EXPECT_EQ (model->undoHistory[l][s][0][0].indx, -1);
            }
}

TEST (LineEditorUndo, OutOfRangeArgumentsAndCountsAreHarmless)
{
    auto model = std::make_unique<LineEditor>();
    for (int bad : { -1, 4, 12, 1000 })
    {
        model->startNewChange (bad, 0);
        model->startNewChange (0, bad + 8);
        model->performUndo (bad, bad);
        model->performRedo (bad, 0);
        model->updateUndoState (0, bad + 8);
    }
    EXPECT_EQ (model->undoCount[0][0], 0);

    // The counts are public and may be written by anything; none may index past the history.
    model->undoCount[0][0] = 55;
    model->redoCount[0][0] = 40;
    model->updateUndoState (0, 0);
    model->performRedo (0, 0);
    model->performUndo (0, 0);
    EXPECT_EQ (model->undoCount[0][0], 9);
    model->undoCount[1][1] = -7;
    model->redoCount[1][1] = 3;
    model->performUndo (1, 1);
    model->updateUndoState (1, 1);
    model->performRedo (1, 1);
    model->undoCount[2][2] = 99;
    model->startNewChange (2, 2);
    EXPECT_EQ (model->undoCount[2][2], 10);
}
