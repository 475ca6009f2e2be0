#include "ProcessorTestSupport.h"
#include "StateOperations.h"
#include "StateTestSupport.h"

#include <cmath>
#include <utility>

using namespace statetest;

namespace
{
std::set<std::string> expand (std::initializer_list<const char*> names)
{
    std::set<std::string> out;
    for (std::string name : names)
    {
        if (name.size() > 5 && name.substr (name.size() - 5) == "[0-3]")
            for (int i = 0; i < 4; ++i)
                out.insert (name.substr (0, name.size() - 5) + "[" + std::to_string (i) + "]");
        else if (name.size() > 5 && name.substr (name.size() - 5) == "[1-4]")
            for (int i = 1; i < 5; ++i)
                out.insert (name.substr (0, name.size() - 5) + "[" + std::to_string (i) + "]");
        else
            out.insert (name);
    }
    return out;
}

const auto stateFlags =
    expand ({ "linePoints1Changed", "linePoints2Changed", "presetModified", "presetNameChanged",
              "speedChanged[0-3]", "syncChanged[0-3]", "lineLengthChanged[0-3]", "bandMixChanged[0-3]",
              "lmFreqChanged", "hmFreqChanged", "mixChanged[1-4]", "stateChangeNow" });

std::set<std::string> plus (std::set<std::string> a, std::initializer_list<const char*> more)
{
    for (auto* m : more)
        a.insert (m);
    return a;
}

// Gives every line of state s curves and settings of its own, so a mix-up shows.
void distinctState (LineEditorAudioProcessor& p, int s, juce::int64 seed)
{
    juce::Random r (seed);
    for (int l = 0; l < 4; ++l)
    {
        randomCurve (r, p.linePoints1()[l][s], 3 + l);
        randomCurve (r, p.linePoints2()[l][s], 5 + l);
        p.lineEditor1().setLinePoints (p.linePoints1()[l][s]);
        p.lineEditor1().getLineArray (p.lineArray1()[l][s]);
        p.lineEditor2().setLinePoints (p.linePoints2()[l][s]);
        p.lineEditor2().getLineArray (p.lineArray2()[l][s]);
        for (int k = 0; k < 512; ++k)
            p.modulationArray()[l][s][k] = p.lineArray1()[l][s][k] * p.lineArray2()[l][s][k];
        p.lineLength()[l][s] = 0.1f * (float) (l + 1);
        p.lineSync()[l][s] = l % 2 == 0;
        p.bandGlide()[l][s] = 20.0f + (float) l;
        p.bandMix()[l][s] = 0.2f + 0.1f * (float) l;
    }
    p.lmFreq()[s] = 0.11f;
    p.hmFreq()[s] = 0.88f;
    p.stateMIDICon[s] = 1;
    p.stateMIDINote[s] = 30 + s;
}

// Moves the processor to state s (as the audio block would) and line l.
void select (LineEditorAudioProcessor& p, int l, int s)
{
    const ModelLock::Hold hold (p.curveModelLock);
    p.currentState = s;
    p.currentLine = l;
    for (int i = 0; i < 4; ++i)
    {
        p.activeLength[i] = p.lineLength()[i][s];
        p.activeSync[i] = p.lineSync()[i][s];
    }
    p.syncCurveModels();
}

struct Curves
{
    LETPoint one[4][12][50], two[4][12][50];
};

std::unique_ptr<Curves> curvesOf (LineEditorAudioProcessor& p)
{
    auto c = std::make_unique<Curves>();
    std::copy (&p.linePoints1()[0][0][0], &p.linePoints1()[0][0][0] + 4 * 12 * 50, &c->one[0][0][0]);
    std::copy (&p.linePoints2()[0][0][0], &p.linePoints2()[0][0][0] + 4 * 12 * 50, &c->two[0][0][0]);
    return c;
}
} // namespace

TEST (StateOperations, EachOperationRaisesExactlyItsFlags)
{
    auto p = makeProcessor();
    // The first time a parameter is set, the framework calls its listener even when the value
    // stays the same; the listener's own flags are not the operation's.
    p->resetPreset();
    p->parameters.getParameter ("MixLow")->setValueNotifyingHost (0.5f);
    juce::MemoryBlock restore;
    p->getStateInformation (restore);
    const LockProbe probe (*p);

    clearFlags (*p);
    p->resetPreset();
    EXPECT_EQ (raised (*p), plus (stateFlags, { "stateSwitched", "powerChanged" }));

    clearFlags (*p);
    p->CopyState (p->currentState);
    EXPECT_EQ (raised (*p), std::set<std::string>{});
    EXPECT_TRUE (p->stateClipboardFull());

    clearFlags (*p);
    p->PasteState (p->currentState);
    EXPECT_EQ (raised (*p), stateFlags);

    clearFlags (*p);
    p->ResetState (p->currentState);
    EXPECT_EQ (raised (*p), plus (stateFlags, { "stateSwitched" }));

    clearFlags (*p);
    p->RandomizeState (p->currentState);
    EXPECT_EQ (raised (*p), stateFlags);

    p->editedStage[0] = 1;
    clearFlags (*p);
    p->flipLine (true);
    EXPECT_EQ (raised (*p), expand ({ "linePoints2Changed", "presetModified", "presetNameChanged" }));

    p->editedStage[0] = 0;
    clearFlags (*p);
    p->flipLine (false);
    EXPECT_EQ (raised (*p), expand ({ "linePoints1Changed", "presetModified", "presetNameChanged" }));

    // Reset State reset the playing state's mixes, and a restore sets what differs, with the host told.
    p->setStateInformation (restore.getData(), (int) restore.getSize());
    EXPECT_GT (probe.heard, 20);
    EXPECT_EQ (probe.underLock, 0);
}

TEST (StateOperations, PasteOnAnEmptyClipboardDoesNothing)
{
    auto p = makeProcessor();
    distinctState (*p, 0, 1);
    clearFlags (*p);
    const auto before = curvesOf (*p);
    p->PasteState (p->currentState);
    EXPECT_EQ (raised (*p), std::set<std::string>{});
    EXPECT_EQ (p->lineEditor1().undoCount[0][0], 0);
    EXPECT_TRUE (sameCurve (p->linePoints1()[2][0], before->one[2][0]));
}

TEST (StateOperations, CopyAStateAndPasteItIntoAnother)
{
    auto p = makeProcessor();
    distinctState (*p, 3, 10);
    distinctState (*p, 7, 20);
    p->stateMIDINote[7] = 99;
    select (*p, 1, 3);
    p->CopyState (p->currentState);

    const auto before = curvesOf (*p);
    select (*p, 1, 7);
    p->PasteState (p->currentState);

    for (int l = 0; l < 4; ++l)
    {
        EXPECT_TRUE (sameCurve (p->linePoints1()[l][7], before->one[l][3]));
        EXPECT_TRUE (sameCurve (p->linePoints2()[l][7], before->two[l][3]));
        EXPECT_EQ (p->lineLength()[l][7], p->lineLength()[l][3]);
        EXPECT_EQ (p->lineSync()[l][7], p->lineSync()[l][3]);
        EXPECT_EQ (p->bandGlide()[l][7], 20.0f + (float) l);
        EXPECT_EQ (p->bandMix()[l][7], p->bandMix()[l][3]);
        const auto expected = render (before->one[l][3]);
        EXPECT_EQ (p->lineArray1()[l][7][300], expected[300]);
    }
    EXPECT_EQ (p->lmFreq()[7], 0.11f);
    EXPECT_EQ (p->hmFreq()[7], 0.88f);
    EXPECT_EQ ((int) p->stateMIDINote[7], 99); // trigger notes are not part of a state copy

    // The models hold the edited line of the pasted state, and one undo there gives back that
    // line's own two curves; the other lines stay pasted.
    EXPECT_TRUE (modelHolds (p->lineEditor1(), p->linePoints1()[1][7]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), p->linePoints2()[1][7]));
    p->lineEditor1().performUndo (1, 7);
    p->lineEditor2().performUndo (1, 7);
    EXPECT_TRUE (modelHolds (p->lineEditor1(), before->one[1][7]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), before->two[1][7]));
    EXPECT_EQ (p->lineEditor1().undoCount[2][7], 0);

    // Pasting into the state it came from works as well.
    select (*p, 0, 3);
    p->PasteState (p->currentState);
    EXPECT_TRUE (sameCurve (p->linePoints1()[0][3], before->one[0][3]));
}

TEST (StateOperations, UndoAfterResetStateRestoresEachLinesOwnCurve)
{
    auto p = makeProcessor();
    distinctState (*p, 5, 30);
    select (*p, 0, 5);
    const auto before = curvesOf (*p);
    p->ResetState (p->currentState);

    for (int l = 0; l < 4; ++l)
    {
        EXPECT_TRUE (isFlatCurve (p->linePoints1()[l][5]));
        EXPECT_TRUE (isFlatCurve (p->linePoints2()[l][5]));
        EXPECT_EQ (p->modulationArray()[l][5][200], 1.0f);
        EXPECT_EQ (p->lineLength()[l][5], 0.63f);
        EXPECT_TRUE (p->lineSync()[l][5]);
        EXPECT_EQ (p->bandGlide()[l][5], 10.0f);
    }
    EXPECT_EQ (p->lmFreq()[5], 0.242f);
    EXPECT_EQ (p->hmFreq()[5], 0.7627f);

    for (int l : { 2, 0, 3, 1 })
    {
        select (*p, l, 5);
        p->lineEditor1().performUndo (l, 5);
        p->lineEditor2().performUndo (l, 5);
        EXPECT_TRUE (modelHolds (p->lineEditor1(), before->one[l][5])) << l;
        EXPECT_TRUE (modelHolds (p->lineEditor2(), before->two[l][5])) << l;
    }
}

TEST (StateOperations, UndoAfterRandomizeStateRestoresEachLinesOwnCurve)
{
    auto p = makeProcessor();
    distinctState (*p, 2, 40);
    select (*p, 3, 2);
    const auto before = curvesOf (*p);
    p->RandomizeState (p->currentState);

    for (int l : { 1, 3, 0, 2 })
    {
        select (*p, l, 2);
        EXPECT_EQ (p->lineEditor2().undoCount[l][2], 0);
        p->lineEditor1().performUndo (l, 2);
        EXPECT_TRUE (modelHolds (p->lineEditor1(), before->one[l][2])) << l;
    }
}

TEST (StateOperations, AfterResetAndRandomizeTheModelsHoldTheEditedCurve)
{
    auto p = makeProcessor();
    distinctState (*p, 4, 50);
    select (*p, 2, 4);

    p->ResetState (p->currentState);
    EXPECT_TRUE (modelHolds (p->lineEditor1(), p->linePoints1()[2][4]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), p->linePoints2()[2][4]));

    distinctState (*p, 4, 51);
    select (*p, 2, 4);
    p->RandomizeState (p->currentState);
    EXPECT_TRUE (modelHolds (p->lineEditor1(), p->linePoints1()[2][4]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), p->linePoints2()[2][4]));

    distinctState (*p, 0, 52);
    select (*p, 1, 4);
    p->resetPreset();
    EXPECT_EQ ((int) p->currentState, 0);
    EXPECT_TRUE (modelHolds (p->lineEditor1(), p->linePoints1()[1][0]));
    EXPECT_TRUE (modelHolds (p->lineEditor2(), p->linePoints2()[1][0]));
}

TEST (StateOperations, ResettingMixesStoredPerStateTouchesOnlyTheCurrentState)
{
    auto p = makeProcessor();
    p->linkMix = true;
    for (int s = 0; s < 12; ++s)
        distinctState (*p, s, 60 + s);
    select (*p, 0, 6);
    p->ResetState (p->currentState);
    for (int l = 0; l < 4; ++l)
    {
        EXPECT_EQ (p->bandMix()[l][6], 1.0f);
        EXPECT_EQ (p->bandMix()[l][5], 0.2f + 0.1f * (float) l);
        EXPECT_EQ (p->bandMix()[l][11], 0.2f + 0.1f * (float) l);
    }
    EXPECT_EQ (parameterValue (*p, "MixLow"), 1.0f);

    select (*p, 0, 8);
    p->RandomizeState (p->currentState);
    for (int l = 0; l < 4; ++l)
    {
        EXPECT_EQ (p->bandMix()[l][8], 1.0f);
        EXPECT_EQ (p->bandMix()[l][7], 0.2f + 0.1f * (float) l);
    }

    // With the mixes common to all states, Reset and Randomize keep them.
    p->linkMix = false;
    for (int s = 0; s < 12; ++s)
        for (int l = 0; l < 4; ++l)
            p->bandMix()[l][s] = 0.4f;
    p->ResetState (p->currentState);
    p->RandomizeState (p->currentState);
    for (int s = 0; s < 12; ++s)
        for (int l = 0; l < 4; ++l)
            EXPECT_EQ (p->bandMix()[l][s], 0.4f);
}

TEST (StateOperations, RandomizeStateIsReproducibleWithAFixedSeed)
{
    auto a = makeProcessor();
    auto b = makeProcessor();
    select (*a, 0, 9);
    select (*b, 0, 9);
    a->random.setSeed (20261207);
    b->random.setSeed (20261207);
    a->RandomizeState (a->currentState);
    b->RandomizeState (b->currentState);

    for (int l = 0; l < 4; ++l)
    {
        EXPECT_TRUE (sameCurve (a->linePoints1()[l][9], b->linePoints1()[l][9]));
        EXPECT_EQ (a->bandGlide()[l][9], b->bandGlide()[l][9]);
        EXPECT_EQ (a->lineLength()[l][9], b->lineLength()[l][9]);
        EXPECT_EQ (a->lineSync()[l][9], b->lineSync()[l][9]);
    }
    EXPECT_EQ (a->lmFreq()[9], b->lmFreq()[9]);
    EXPECT_EQ (a->hmFreq()[9], b->hmFreq()[9]);

    // The draws in their order, for the Main line, the state's lengths and splits.
    juce::Random r (20261207);
    const float glide = std::max (5.0f, 350.0f * r.nextFloat());
    const int n = (int) std::nearbyint (std::max (3.0f, 16.0f * r.nextFloat()));
    const float y0 = r.nextFloat();
    const float yLast = r.nextFloat();
    const float tnLast = (r.nextFloat() - 0.5f) * 1.6f;
    const int typeLast = (int) std::nearbyint (8.0f * r.nextFloat()) + 1;
    const float x1 = r.nextFloat();
    EXPECT_EQ (a->bandGlide()[0][9], glide);
    EXPECT_EQ (a->linePoints1()[0][9][0].y, y0);
    EXPECT_EQ (a->linePoints1()[0][9][n].x, 1.0f);
    EXPECT_EQ (a->linePoints1()[0][9][n].y, yLast);
    EXPECT_EQ (a->linePoints1()[0][9][n].tn, tnLast);
    EXPECT_EQ (a->linePoints1()[0][9][n].type, typeLast);
    EXPECT_EQ (a->linePoints1()[0][9][n].indx, 0);
    EXPECT_EQ (a->linePoints1()[0][9][1].x, x1);
    EXPECT_EQ (a->linePoints1()[0][9][n + 1].indx, -1);
}

// Rounding to the nearest integer with halves to even, written out without the C library's
// rounding mode.
static int roundHalfToEven (float v)
{
    const float below = std::floor (v);
    const float fraction = v - below;
    const int lower = (int) below;
    if (fraction < 0.5f)
        return lower;
    if (fraction > 0.5f)
        return lower + 1;
    return lower % 2 == 0 ? lower : lower + 1;
}

TEST (StateOperations, RandomizeStateMakesEveryDrawInItsOrderAndRoundsHalvesToEven)
{
    // Seeds whose draws hit an exact half where it matters: 596275 draws 8.5 for the point count
    // of the Low line (8 inner segments, not 9), 72507 draws 6.5 for the type of the Mid line's
    // first inner point (type 7, not 8), 782888 draws 14.5 for the Main line's count.
    for (const juce::int64 seed : { 596275, 72507, 782888, 20261207 })
    {
        SCOPED_TRACE (seed);
        auto p = makeProcessor();
        distinctState (*p, 3, 5);
        select (*p, 1, 3);
        p->linkMix = false;
        const auto before = curvesOf (*p);
        p->random.setSeed (seed);
        p->RandomizeState (p->currentState);

        juce::Random r (seed);
        int counts[4] = {};
        for (int l = 0; l < 4; ++l)
        {
            const auto* c = p->linePoints1()[l][3];
            EXPECT_EQ (p->bandGlide()[l][3], std::max (5.0f, 350.0f * r.nextFloat()));
            const int n = roundHalfToEven (std::max (3.0f, 16.0f * r.nextFloat()));
            counts[l] = n;

            EXPECT_EQ (c[0].x, 0.0f);
            EXPECT_EQ (c[0].y, r.nextFloat());
            EXPECT_EQ (c[0].tn, 0.0f);
            EXPECT_EQ (c[0].indx, 0);
            EXPECT_EQ (c[0].type, 1);

            EXPECT_EQ (c[n].x, 1.0f);
            EXPECT_EQ (c[n].y, r.nextFloat());
            EXPECT_EQ (c[n].tn, (r.nextFloat() - 0.5f) * 1.6f);
            EXPECT_EQ (c[n].type, roundHalfToEven (8.0f * r.nextFloat()) + 1);
            EXPECT_EQ (c[n].indx, 0);

            for (int i = 1; i < n; ++i)
            {
                EXPECT_EQ (c[i].x, r.nextFloat()) << l << " " << i;
                EXPECT_EQ (c[i].y, std::min (1.0f, 1.2f * r.nextFloat())) << l << " " << i;
                EXPECT_EQ (c[i].tn, (r.nextFloat() - 0.5f) * 1.6f) << l << " " << i;
                EXPECT_EQ (c[i].type, roundHalfToEven (8.0f * r.nextFloat()) + 1) << l << " " << i;
                EXPECT_EQ (c[i].indx, i);
                EXPECT_TRUE (c[i].deletable);
            }
            for (int i = n + 1; i < 50; ++i)
            {
                EXPECT_EQ (c[i].indx, -1);
                EXPECT_EQ (c[i].x, 2.0f);
            }
            EXPECT_TRUE (sameCurve (p->linePoints2()[l][3], before->two[l][3]));
        }
        for (int l = 0; l < 4; ++l)
        {
            EXPECT_EQ (p->lineLength()[l][3], std::min (1.0f, 1.1f * r.nextFloat()));
            EXPECT_EQ (p->lineSync()[l][3], r.nextFloat() > 0.25f);
        }
        EXPECT_EQ (p->lmFreq()[3], std::max (0.2f, 0.5f * r.nextFloat()));
        EXPECT_EQ (p->hmFreq()[3], std::max (0.4f, 0.8f * r.nextFloat()));

        // The ties really came up, and went to the even side.
        if (seed == 596275)
        {
            EXPECT_EQ (counts[1], 8);
        }
        if (seed == 782888)
        {
            EXPECT_EQ (counts[0], 14);
        }
        if (seed == 72507)
        {
            EXPECT_EQ (p->linePoints1()[2][3][1].type, 7);
        }
    }
}

TEST (StateOperations, RandomizeStateKeepsItsInvariants)
{
    auto p = makeProcessor();
    distinctState (*p, 9, 70);
    distinctState (*p, 10, 71);
    select (*p, 0, 9);
    const auto before = curvesOf (*p);
    const float otherGlide = p->bandGlide()[0][10];

    for (int seed = 1; seed <= 200; ++seed)
    {
        p->random.setSeed (seed);
        p->RandomizeState (p->currentState);

        for (int l = 0; l < 4; ++l)
        {
            const auto* c = p->linePoints1()[l][9];
            int used = 0;
            float lo = 2.0f, hi = -1.0f;
            for (int i = 0; i < 50; ++i)
            {
                if (c[i].indx == -1)
                    continue;
                ++used;
                lo = std::min (lo, c[i].x);
                hi = std::max (hi, c[i].x);
                ASSERT_GE (c[i].type, 1);
                ASSERT_LE (c[i].type, 9);
                ASSERT_GE (c[i].tn, -0.8f);
                ASSERT_LT (c[i].tn, 0.8f);
                ASSERT_GE (c[i].y, 0.0f);
                ASSERT_LE (c[i].y, 1.0f);
            }
            ASSERT_GE (used, 4);
            ASSERT_LE (used, 17);
            ASSERT_EQ (lo, 0.0f);
            ASSERT_EQ (hi, 1.0f);
            ASSERT_GE (p->bandGlide()[l][9], 5.0f);
            ASSERT_LT (p->bandGlide()[l][9], 350.0f);
            ASSERT_GE (p->lineLength()[l][9], 0.0f);
            ASSERT_LE (p->lineLength()[l][9], 1.0f);
            // Rendered from the new points; stage 2 stays.
            ASSERT_TRUE (sameCurve (p->linePoints2()[l][9], before->two[l][9]));
            const auto expected = render (c);
            for (int k = 0; k < 512; ++k)
                ASSERT_EQ (p->modulationArray()[l][9][k], expected[(size_t) k] * p->lineArray2()[l][9][k]);
        }
        ASSERT_GE (p->lmFreq()[9], 0.2f);
        ASSERT_LT (p->lmFreq()[9], 0.5f);
        ASSERT_GE (p->hmFreq()[9], 0.4f);
        ASSERT_LT (p->hmFreq()[9], 0.8f);
    }

    EXPECT_TRUE (sameCurve (p->linePoints1()[0][10], before->one[0][10]));
    EXPECT_EQ (p->bandGlide()[0][10], otherGlide);
}

TEST (StateOperations, FlippingHorizontallyTwiceGivesTheCurveBack)
{
    auto p = makeProcessor();
    juce::Random r (80);
    for (int n : { 2, 3, 7, 50 })
    {
        randomCurve (r, p->linePoints1()[0][0], n);
        LETPoint original[50];
        std::copy (p->linePoints1()[0][0], p->linePoints1()[0][0] + 50, original);
        select (*p, 0, 0);
        p->curveModelsStale = true;
        p->flipLine (false);

        // Mirrored once: the first point now sits where the last one was.
        EXPECT_EQ (p->linePoints1()[0][0][0].x, 0.0f);
        EXPECT_EQ (p->linePoints1()[0][0][n - 1].x, 1.0f);
        EXPECT_FLOAT_EQ (p->linePoints1()[0][0][0].y, original[n - 1].y);

        p->flipLine (false);
        const auto* back = p->linePoints1()[0][0];
        for (int i = 0; i < n; ++i)
        {
            EXPECT_NEAR (back[i].x, original[i].x, 1.0e-6f) << n << " " << i;
            EXPECT_EQ (back[i].y, original[i].y);
            EXPECT_EQ (back[i].indx, i);
            if (i > 0)
            {
                EXPECT_EQ (back[i].type, original[i].type) << n << " " << i;
                EXPECT_EQ (back[i].tn, original[i].tn) << n << " " << i;
            }
        }
        EXPECT_EQ (p->lineEditor1().undoCount[0][0], 2);
        p->lineEditor1().undoCount[0][0] = 0;
    }
}

TEST (StateOperations, FlippingAFlatCurveVerticallySilencesTheLine)
{
    auto p = makeProcessor();
    select (*p, 2, 0);
    p->editedStage[2] = 1;
    p->flipLine (true);
    EXPECT_EQ (p->linePoints2()[2][0][0].y, 0.0f);
    EXPECT_EQ (p->linePoints2()[2][0][1].y, 0.0f);
    for (int k = 0; k < 512; ++k)
        ASSERT_EQ (p->modulationArray()[2][0][k], 0.0f);
    EXPECT_EQ (p->lineEditor2().undoCount[2][0], 1);
    // The undo step holds the curve before the flip.
    p->lineEditor2().performUndo (2, 0);
    EXPECT_EQ (p->lineEditor2().points[0].y, 1.0f);
    EXPECT_EQ (p->lineEditor2().points[1].y, 1.0f);
}

TEST (StateOperations, FlippingACurveWithFewerThanTwoPointsStaysInsideIt)
{
    auto p = makeProcessor();
    select (*p, 0, 0);
    auto* c = p->linePoints1()[0][0];

    std::fill (c, c + 50, StateOperations::freeSlot());
    p->curveModelsStale = true;
    p->flipLine (false);
    p->flipLine (true);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ (c[i].indx, -1);

    c[0].x = 0.25f;
    c[0].y = 0.25f;
    c[0].indx = 0;
    p->flipLine (false);
    EXPECT_EQ (c[0].x, 0.25f);
    p->flipLine (true);
    EXPECT_EQ (c[0].y, 0.75f);
}

TEST (StateOperations, ResetPresetReturnsEverythingToItsDefaults)
{
    auto p = makeProcessor();
    for (int s = 0; s < 12; ++s)
        distinctState (*p, s, 90 + s);
    setParameter (*p, "State", 5.0f);
    setParameter (*p, "LowLevel", 0.9f);
    setParameter (*p, "MixMaster", 0.1f);
    setParameter (*p, "HighMute", 1.0f);
    setParameter (*p, "Power", 0.0f);
    select (*p, 1, 5);
    p->lineEditor1().startNewChange (1, 5);
    p->linkMix = false;
    p->changeImmediately = false;

    p->resetPreset();

    EXPECT_EQ ((int) p->currentState, 0);
    EXPECT_EQ (parameterValue (*p, "State"), 0.0f);
    EXPECT_EQ (parameterValue (*p, "LowLevel"), 0.5f);
    EXPECT_EQ (parameterValue (*p, "MixMaster"), 1.0f);
    EXPECT_EQ (parameterValue (*p, "HighMute"), 0.0f);
    EXPECT_EQ (parameterValue (*p, "Power"), 0.0f); // left alone
    EXPECT_TRUE (p->linkMix);
    EXPECT_TRUE (p->changeImmediately);

    for (int l = 0; l < 4; ++l)
    {
        for (int s = 0; s < 12; ++s)
        {
            EXPECT_TRUE (isFlatCurve (p->linePoints1()[l][s]));
            EXPECT_TRUE (isFlatCurve (p->linePoints2()[l][s]));
            EXPECT_EQ (p->modulationArray()[l][s][0], 1.0f);
            EXPECT_EQ (p->modulationArray()[l][s][511], 1.0f);
            EXPECT_EQ (p->bandMix()[l][s], 1.0f);
            EXPECT_EQ (p->bandGlide()[l][s], 10.0f);
            EXPECT_EQ (p->lineLength()[l][s], 0.63f);
            EXPECT_EQ (p->lineEditor1().undoCount[l][s] + p->lineEditor1().redoCount[l][s], 0);
            EXPECT_EQ (p->lineEditor2().undoCount[l][s] + p->lineEditor2().redoCount[l][s], 0);
        }
    }
    for (int s = 0; s < 12; ++s)
    {
        EXPECT_EQ ((int) p->stateMIDICon[s], 0);
        EXPECT_EQ ((int) p->stateMIDINote[s], 60 + s);
        EXPECT_EQ (p->lmFreq()[s], 0.242f);
        EXPECT_EQ (p->hmFreq()[s], 0.7627f);
    }
}

namespace
{
// Every stored byte of state s, undo histories and counts included.
std::vector<char> stateBytes (LineEditorAudioProcessor& p, int s)
{
    std::vector<char> out;
    const auto put = [&out] (const auto& value)
    {
        const auto* bytes = reinterpret_cast<const char*> (&value);
        out.insert (out.end(), bytes, bytes + sizeof (value));
    };
    for (int l = 0; l < 4; ++l)
    {
        put (p.linePoints1()[l][s]);
        put (p.linePoints2()[l][s]);
        put (p.lineArray1()[l][s]);
        put (p.lineArray2()[l][s]);
        put (p.modulationArray()[l][s]);
        put (p.lineLength()[l][s]);
        put (p.lineSync()[l][s]);
        put (p.bandGlide()[l][s]);
        put (p.bandMix()[l][s]);
        for (const auto* model : { &p.lineEditor1(), &p.lineEditor2() })
        {
            put (model->undoCount[l][s]);
            put (model->redoCount[l][s]);
            put (model->undoHistory[l][s]);
        }
    }
    put (p.lmFreq()[s]);
    put (p.hmFreq()[s]);
    return out;
}
} // namespace

// The state menu names the state the user pointed at, while a quantised switch to it may still be
// pending: the operation must land there and leave the playing state alone.
TEST (StateOperations, OperationsActOnTheStateNamedWhileAnotherPlays)
{
    enum Op
    {
        copy,
        paste,
        reset,
        randomize
    };
    for (const Op op : { copy, paste, reset, randomize })
    {
        SCOPED_TRACE (op);
        auto p = makeProcessor();
        distinctState (*p, 2, 11);
        distinctState (*p, 5, 12);
        distinctState (*p, 7, 13);
        select (*p, 1, 7);
        p->CopyState (7);
        select (*p, 1, 2);
        p->stateChangePending = true;
        p->stateChangeNow = false;

        const auto playing = stateBytes (*p, 2);
        const auto named = stateBytes (*p, 5);
        const int undoBefore = p->lineEditor1().undoCount[1][5];
        LETPoint oldLowCurve[50];
        std::copy (p->linePoints1()[1][5], p->linePoints1()[1][5] + 50, oldLowCurve);

        switch (op)
        {
            case copy:
                p->CopyState (5);
                break;
            case paste:
                p->PasteState (5);
                break;
            case reset:
                p->ResetState (5);
                break;
            case randomize:
                p->RandomizeState (5);
                break;
        }

        EXPECT_EQ (stateBytes (*p, 2), playing);
        EXPECT_EQ (p->currentState.load(), 2);
        EXPECT_FALSE (p->stateChangeNow.load()); // the playing state's settings did not change

        if (op == copy)
        {
            EXPECT_EQ (stateBytes (*p, 5), named);
            for (int l = 0; l < 4; ++l)
            {
                EXPECT_EQ (
                    std::memcmp (p->stateClipboard1()[l], p->linePoints1()[l][5], sizeof (p->stateClipboard1()[l])),
                    0);
                EXPECT_EQ (p->clipLength()[l], 0.1f * (float) (l + 1)); // stored, not the playing state's
                EXPECT_EQ (p->clipSync()[l], l % 2 == 0);
            }
            continue;
        }

        EXPECT_NE (stateBytes (*p, 5), named);
        EXPECT_EQ (p->lineEditor1().undoCount[1][5], undoBefore + 1);
        if (op == paste)
        {
            EXPECT_EQ (std::memcmp (p->linePoints1()[1][5], p->stateClipboard1()[1], sizeof (oldLowCurve)), 0);
        }
        if (op == reset)
        {
            for (int l = 0; l < 4; ++l)
                EXPECT_EQ (p->lineLength()[l][5], StateDefaults::length);
        }

        // The new undo step of the edited line holds state 5's own curve from before.
        auto before = std::make_unique<LineEditor>();
        before->setLinePoints (oldLowCurve);
        EXPECT_EQ (
            std::memcmp (p->lineEditor1().undoHistory[1][5][undoBefore], before->points, sizeof (oldLowCurve)),
            0);
    }
}
