#include "CurveBuilder.h"
#include "LineEditor.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

namespace
{
constexpr int N = 512;

// The shapes in double precision, straight from their definitions, for comparison with the
// single-precision rendering.
double referenceShape (int type, double c, double t)
{
    auto clamp = [] (double v, double lo, double hi) { return std::min (std::max (v, lo), hi); };
    const double q1 = clamp (c * 0.5 + 0.5, 0.000007629, 0.99999237);
    const double e = std::log2 (1.0 / std::min (q1, 1.0 - q1));
    const double q2 = clamp ((c + 1.0) * 0.5, 0.0003, 0.9998);
    const double b2 = std::pow ((1.0 - q2) / q2, 2.0);
    const double q5 = clamp ((c + 1.0) * 0.5, 0.000001, 0.999999);
    const double b5 = std::pow ((1.0 - q5) / q5, 2.0);
    const double w3 = std::min (1.0, std::abs ((1.0 + std::sqrt (2.0)) * c));
    const double a6 = std::abs (c);
    const double m7 = std::floor (std::abs (c) * 15 + 1);
    const double m8 = std::floor (std::abs (c) * 16 + 1);
    const double m9 = std::floor (std::abs (c) * 32 + 1);
    const double u = std::abs (2 * t - 1);
    const double s = t < 0.5 ? -1.0 : (t > 0.5 ? 1.0 : 0.0);
    const double pi = M_PI;

    switch (type)
    {
        case 1:
            return q1 <= 0.5 ? std::pow (t, e) : 1 - std::pow (1 - t, e);
        case 2:
            return std::abs (b2 - 1) < 1e-12 ? t : (std::pow (b2, t) - 1) / (b2 - 1);
        case 3:
            return c >= 0 ? t * (1 - w3) + std::sin (t * pi / 2) * w3
                          : t * (1 - w3) + (std::sin ((t - 1) * pi / 2) + 1) * w3;
        case 4:
        {
            const double g = q1 <= 0.5 ? std::pow (u, e) : 1 - std::pow (1 - u, e);
            return g * s * 0.5 + 0.5;
        }
        case 5:
            return std::abs (b5 - 1) < 1e-12 ? t : (std::pow (b5, u) - 1) * 0.5 * s / (b5 - 1) + 0.5;
        case 6:
            return c >= 0 ? t * (1 - a6) + (0.5 - std::cos (t * pi) * 0.5) * a6
                          : t * (1 - a6) + (std::asin (2 * t - 1) / pi + 0.5) * a6;
        case 7:
            return c >= 0 ? std::ceil (t * m7) / m7 : std::floor (t * m7) / m7;
        case 8:
            return c >= 0 ? 0.5 - std::cos (2 * pi * t * (m8 - 0.5)) * 0.5 : std::fmod (t * m8, 1.0);
        case 9:
            return c >= 0 ? std::fmod (std::ceil (t * m9), 2.0) : std::fmod (std::floor (t * m9), 2.0);
        default:
            return 0.0;
    }
}

// Near a jump of a step, saw or pulse shape the single-precision t may land on either side.
bool nearJump (int type, double c, double t)
{
    double m = 0;
    if (type == 7)
        m = std::floor (std::abs (c) * 15 + 1);
    else if (type == 8 && c < 0)
        m = std::floor (std::abs (c) * 16 + 1);
    else if (type == 9)
        m = std::floor (std::abs (c) * 32 + 1);
    else
        return false;
    const double v = t * m;
    return std::abs (v - std::round (v)) < 1e-4;
}

std::vector<float> render (LineEditor& model, const Curve& curve)
{
    model.setLinePoints (curve.data());
    std::vector<float> out (N);
    model.getLineArray (out.data());
    return out;
}

std::unique_ptr<LineEditor> makeModel()
{
    return std::make_unique<LineEditor>();
}

const float tensions[] = { -1.0f, -0.7f, -0.3f, -0.05f, 0.0f, 0.05f, 0.3f, 0.6f, 1.0f };
} // namespace

TEST (LineEditorRender, FreshModelIsTheRisingCurveOfTension06)
{
    auto model = makeModel();
    const double e = std::log2 (5.0);
    float out[N];
    model->getLineArray (out);
    for (int k = 0; k < N; ++k)
    {
        const double t = k / 512.0;
        EXPECT_NEAR (out[k], 1.0 - std::pow (1.0 - t, e), 2e-6) << "index " << k;
        EXPECT_NEAR (model->renderedLine[k][0], (k + 1) / 512.0, 1e-6) << "index " << k;
    }
    EXPECT_EQ (model->numPoints, 2);
    EXPECT_EQ (model->numSamples, 512);
    EXPECT_FLOAT_EQ (model->points[1].handleX, 0.5f);
    EXPECT_FLOAT_EQ (model->points[1].handleY, 0.8f);
}

TEST (LineEditorRender, ZeroTensionIsAStraightLineForTheCurveShapes)
{
    auto model = makeModel();
    for (int type = 1; type <= 6; ++type)
    {
        const auto out =
            render (*model, makeCurve ({ { 0.0f, 0.25f, 0.0f, 1 }, { 1.0f, 0.75f, 0.0f, type } }));
        for (int k = 0; k < N; ++k)
            ASSERT_NEAR (out[static_cast<size_t> (k)], 0.25 + 0.5 * k / 512.0, 1e-6)
                << "type " << type << " index " << k;
    }
}

TEST (LineEditorRender, EveryShapeMatchesItsDefinition)
{
    auto model = makeModel();
    for (int type = 1; type <= 9; ++type)
        for (float c : tensions)
        {
            // Segments at 0..154 (w = 154) and 154..512 (w = 358) with opposite tensions.
            const auto out = render (
                *model,
                makeCurve ({ { 0.0f, 0.1f, 0.0f, 1 }, { 0.3f, 0.8f, c, type }, { 1.0f, 0.4f, -c, type } }));
            for (int k = 0; k < N; ++k)
            {
                const bool first = k < 154;
                const double t = first ? k / 154.0 : (k - 154) / 358.0;
                const double tn = first ? c : -c;
                if (nearJump (type, tn, t))
                    continue;
                const double from = first ? 0.1 : 0.8;
                const double to = first ? 0.8 : 0.4;
                const double expected = from + referenceShape (type, tn, t) * (to - from);
                ASSERT_NEAR (out[static_cast<size_t> (k)], expected, 2e-4)
                    << "type " << type << " tension " << c << " index " << k;
            }
        }
}

TEST (LineEditorRender, DoubleShapesArePointSymmetric)
{
    auto model = makeModel();
    for (int type : { 4, 5, 6, 8 })
        for (float c : tensions)
        {
            const auto out =
                render (*model, makeCurve ({ { 0.0f, 0.0f, 0.0f, 1 }, { 1.0f, 1.0f, c, type } }));
            for (int k = 1; k < N; ++k)
            {
                if (nearJump (type, c, k / 512.0))
                    continue;
                ASSERT_NEAR (out[static_cast<size_t> (k)] + out[static_cast<size_t> (N - k)], 1.0, 1e-4)
                    << "type " << type << " tension " << c << " index " << k;
            }
        }
}

TEST (LineEditorRender, StepAndPulseAtZeroTensionJumpAfterTheFirstEntry)
{
    auto model = makeModel();
    for (int type : { 7, 9 })
    {
        const auto out = render (*model, makeCurve ({ { 0.0f, 0.2f, 0.0f, 1 }, { 1.0f, 0.9f, 0.0f, type } }));
        EXPECT_FLOAT_EQ (out[0], 0.2f) << "type " << type;
        for (int k = 1; k < N; ++k)
            ASSERT_FLOAT_EQ (out[static_cast<size_t> (k)], 0.9f) << "type " << type << " index " << k;
    }

    // Two pulse half-periods end the segment back at its start level.
    const float c = 1.0f / 32.0f; // m9 = 2
    const auto out = render (*model, makeCurve ({ { 0.0f, 0.2f, 0.0f, 1 }, { 1.0f, 0.9f, c, 9 } }));
    EXPECT_FLOAT_EQ (out[0], 0.2f);
    EXPECT_FLOAT_EQ (out[100], 0.9f);
    EXPECT_FLOAT_EQ (out[511], 0.2f);
}

TEST (LineEditorRender, UnknownTypeIsFlat)
{
    auto model = makeModel();
    for (int type : { 0, 10, -3 })
    {
        const auto out = render (*model, makeCurve ({ { 0.0f, 0.3f, 0.0f, 1 }, { 1.0f, 0.9f, 0.5f, type } }));
        for (float v : out)
            ASSERT_EQ (v, 0.3f);
    }
}

TEST (LineEditorRender, SegmentBoundsRoundHalvesToEven)
{
    auto model = makeModel();
    // The middle point at 0.5 samples rounds to index 0: its own segment starts there.
    auto out = render (
        *model,
        makeCurve ({ { 0.0f, 0.0f, 0.0f, 1 }, { 0.5f / 512.0f, 1.0f, 0.0f, 1 }, { 1.0f, 1.0f, 0.0f, 1 } }));
    EXPECT_EQ (out[0], 1.0f);

    // At 1.5 samples it rounds to index 2; the first segment (w = 2) fills 0 and 1.
    out = render (
        *model,
        makeCurve ({ { 0.0f, 0.0f, 0.0f, 1 }, { 1.5f / 512.0f, 1.0f, 0.0f, 1 }, { 1.0f, 0.5f, 0.0f, 7 } }));
    EXPECT_EQ (out[0], 0.0f);
    EXPECT_FLOAT_EQ (out[1], 0.5f);
    EXPECT_EQ (out[2], 1.0f);
    EXPECT_EQ (out[3], 0.5f);
}

TEST (LineEditorRender, PointWithinHalfASampleWritesNothingButGetsItsHandle)
{
    auto model = makeModel();
    const float x = 100.2f / 512.0f;
    const auto out = render (*model, makeCurve ({ { 0.0f, 0.0f, 0.0f, 1 },
                                                  { 100.0f / 512.0f, 0.5f, 0.0f, 1 },
                                                  { x, 1.0f, 1.0f, 1 },
                                                  { 1.0f, 1.0f, 0.0f, 1 } }));
    EXPECT_EQ (out[100], 1.0f); // written by the segment after the close point
    EXPECT_FLOAT_EQ (model->points[2].handleX, 100.1f / 512.0f);
    EXPECT_FLOAT_EQ (model->points[2].handleY, 1.0f);
}

TEST (LineEditorRender, HandleHeightFollowsTension)
{
    auto model = makeModel();
    const float expected[] = { 0.2f, 0.5f, 0.8f };
    const float c[] = { -1.0f, 0.0f, 1.0f };
    for (int i = 0; i < 3; ++i)
    {
        render (*model, makeCurve ({ { 0.0f, 0.2f, 0.0f, 1 }, { 1.0f, 0.8f, c[i], 2 } }));
        EXPECT_FLOAT_EQ (model->points[1].handleX, 0.5f);
        EXPECT_FLOAT_EQ (model->points[1].handleY, expected[i]);
    }
}

TEST (LineEditorRender, LoadingSortsStablyAndFlags)
{
    auto model = makeModel();
    auto curve = makeCurve ({ { 1.0f, 0.9f, 0.0f, 1 },
                              { 0.5f, 0.1f, 0.0f, 2 },
                              { 0.0f, 0.3f, 0.0f, 1 },
                              { 0.5f, 0.2f, 0.0f, 3 },
                              { 0.5f, 0.3f, 0.0f, 4 } });
    curve[2].lockY = true;
    model->setLinePoints (curve.data());

    ASSERT_EQ (model->numPoints, 5);
    const float ys[] = { 0.3f, 0.1f, 0.2f, 0.3f, 0.9f };
    for (int k = 0; k < 5; ++k)
    {
        EXPECT_EQ (model->points[k].indx, k);
        EXPECT_EQ (model->points[k].y, ys[k]) << "equal x keep their order";
        EXPECT_EQ (model->points[k].lockX, k == 0 || k == 4);
        EXPECT_EQ (model->points[k].deletable, !(k == 0 || k == 4));
    }
    EXPECT_TRUE (model->points[0].lockY) << "lockY is kept as loaded";
    for (int k = 5; k < 50; ++k)
        EXPECT_EQ (model->points[k].indx, -1);
}

TEST (LineEditorRender, LoadingOrdersLikeAStableSortByX)
{
    auto model = makeModel();
    std::mt19937 rng (99);
    std::uniform_int_distribution<int> slot (0, 4), used (2, 50);
    for (int round = 0; round < 200; ++round)
    {
        const int n = used (rng);
        Curve curve;
        curve.fill (freeSlot());
        for (int i = 0; i < n; ++i)
            curve[static_cast<std::size_t> (i)] = {
                slot (rng) * 0.25f, static_cast<float> (i), 0.0f, i, 0, 0, 1, false, false, true
            };
        std::shuffle (curve.begin(), curve.end(), rng); // free slots land anywhere

        auto expected = curve;
        std::stable_sort (expected.begin(), expected.end(),
                          [] (const LETPoint& a, const LETPoint& b) { return a.x < b.x; });
        model->setLinePoints (curve.data());
        ASSERT_EQ (model->numPoints, n);
        for (int k = 0; k < 50; ++k)
        {
            ASSERT_EQ (model->points[k].x, expected[static_cast<std::size_t> (k)].x) << "round " << round;
            ASSERT_EQ (model->points[k].y, expected[static_cast<std::size_t> (k)].y) << "round " << round;
        }
    }
}

TEST (LineEditorRender, NoPointsLeavesTheTableUntouched)
{
    auto model = makeModel();
    float before[N];
    model->getLineArray (before);
    Curve empty;
    empty.fill (freeSlot());
    const auto out = render (*model, empty);
    EXPECT_EQ (model->numPoints, 0);
    for (int k = 0; k < N; ++k)
        ASSERT_EQ (out[static_cast<size_t> (k)], before[k]);
}

namespace
{
// The rendering formulas evaluated once more in single precision, in the stated order and with
// the stated constants, for a bit-for-bit comparison.
float clampOrUpper (float v, float lo, float hi)
{
    return std::isnan (v) ? hi : std::min (std::max (v, lo), hi);
}

float singlePrecisionShape (int type, float c, float t)
{
    const float q1 = clampOrUpper (c * 0.5f + 0.5f, 0.000007629f, 0.99999237f);
    const float e = std::fabs (q1 <= 0.5f ? logf (q1) / 0.6931472f : logf (1.0f - q1) / -0.6931472f);
    auto base = [] (float q)
    {
        const float num = 2.0f * q - 1.0f;
        return static_cast<float> (1.0 - static_cast<double> (num) / (static_cast<double> (q) * q));
    };
    const float b2 = base (clampOrUpper ((c + 1.0f) * 0.5f, 0.0003f, 0.9998f));
    const float b5 = base (clampOrUpper ((c + 1.0f) * 0.5f, 0.000001f, 0.999999f));
    const float w3 = std::min (1.0f, std::fabs (2.4142137f * c));
    const float a6 = std::fabs (c);
    const float m7 = floorf (std::fabs (c) * 15.0f + 1.0f);
    const float m8 = floorf (std::fabs (c) * 16.0f + 1.0f);
    const float m9 = floorf (std::fabs (c) * 32.0f + 1.0f);
    const float u = std::fabs (2.0f * t - 1.0f);
    const float s = t < 0.5f ? -1.0f : (t > 0.5f ? 1.0f : 0.0f);
    switch (type)
    {
        case 1:
            return q1 <= 0.5f ? powf (t, e) : 1.0f - powf (1.0f - t, e);
        case 2:
            return b2 == 1.0f ? t : (powf (b2, t) - 1.0f) / (b2 - 1.0f);
        case 3:
            return c >= 0.0f ? t * (1.0f - w3) + sinf (t * 1.5707964f) * w3
                             : t * (1.0f - w3) + (sinf ((t - 1.0f) * 1.5707964f) + 1.0f) * w3;
        case 4:
            return (q1 <= 0.5f ? powf (u, e) : 1.0f - powf (1.0f - u, e)) * s * 0.5f + 0.5f;
        case 5:
            return b5 == 1.0f ? t : (powf (b5, u) - 1.0f) * (0.5f * s) / (b5 - 1.0f) + 0.5f;
        case 6:
            return c >= 0.0f ? t * (1.0f - a6) + (0.5f - cosf (t * 3.1415927f) * 0.5f) * a6
                             : t * (1.0f - a6) + (asinf (2.0f * t - 1.0f) * 0.31830987f + 0.5f) * a6;
        case 7:
            return c >= 0.0f ? ceilf (t * m7) / m7 : floorf (t * m7) / m7;
        case 8:
            return c >= 0.0f ? 0.5f - cosf (t * 6.2831855f * (m8 - 0.5f)) * 0.5f : fmodf (t * m8, 1.0f);
        case 9:
            return c >= 0.0f ? fmodf (ceilf (t * m9), 2.0f) : fmodf (floorf (t * m9), 2.0f);
        default:
            return 0.0f;
    }
}
} // namespace

TEST (LineEditorRender, ValidCurvesRenderBitForBitInSinglePrecision)
{
    auto model = makeModel();
    std::mt19937 rng (512);
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    std::uniform_int_distribution<int> count (2, 50), type (1, 9), grid (0, 1024), quarter (-4, 4);
    for (int round = 0; round < 400; ++round)
    {
        // Every third curve sits on a half-sample grid, so segment bounds tie and round to even.
        const int n = count (rng);
        std::vector<float> xs{ 0.0f, 1.0f };
        for (int i = 2; i < n; ++i)
            xs.push_back (round % 3 == 0 ? static_cast<float> (grid (rng)) / 1024.0f : unit (rng));
        std::sort (xs.begin(), xs.end());
        Curve curve;
        curve.fill (freeSlot());
        for (int i = 0; i < n; ++i)
        {
            const float tn =
                i % 4 == 0 ? static_cast<float> (quarter (rng)) / 4.0f : unit (rng) * 2.0f - 1.0f;
            curve[static_cast<std::size_t> (i)] = { xs[static_cast<std::size_t> (i)],
                                                    unit (rng),
                                                    tn,
                                                    i,
                                                    0.0f,
                                                    0.0f,
                                                    type (rng),
                                                    false,
                                                    false,
                                                    true };
        }

        float expected[N][2];
        for (auto& e : expected)
            e[0] = e[1] = -1.0f;
        expected[0][0] = curve[0].x;
        expected[0][1] = curve[0].y;
        for (std::size_t i = 1; i < static_cast<std::size_t> (n); ++i)
        {
            const LETPoint& p = curve[i - 1];
            const LETPoint& q = curve[i];
            const float dx = q.x - p.x, dy = q.y - p.y;
            const double k0 = std::nearbyint (static_cast<double> (p.x * 512.0f));
            const double k1 = std::nearbyint (static_cast<double> (q.x * 512.0f));
            const double w = std::nearbyint (static_cast<double> (dx * 512.0f));
            const float inv = w == 0.0 ? 0.0f : 1.0f / static_cast<float> (w);
            float x = p.x;
            for (int j = 0; j < static_cast<int> (k1 - k0); ++j)
            {
                x = x + 1.0f / 512.0f;
                const float t = static_cast<float> (j) * inv;
                expected[static_cast<int> (k0) + j][0] = x;
                expected[static_cast<int> (k0) + j][1] = p.y + singlePrecisionShape (q.type, q.tn, t) * dy;
            }
        }

        model->setLinePoints (curve.data());
        for (int k = 0; k < N; ++k)
        {
            ASSERT_EQ (model->renderedLine[k][0], expected[k][0]) << "round " << round << " index " << k;
            ASSERT_EQ (model->renderedLine[k][1], expected[k][1]) << "round " << round << " index " << k;
        }
        for (int i = 1; i < n; ++i)
        {
            const LETPoint& p = model->points[i - 1];
            const LETPoint& q = model->points[i];
            ASSERT_EQ (q.handleX, p.x + 0.5f * (q.x - p.x));
            ASSERT_EQ (q.handleY, p.y + (0.5f * (q.y - p.y)) * (q.tn + 1.0f));
        }
    }
}

// --- Curves the rendering must survive: corrupt presets, random edits, hand-edited files.

TEST (LineEditorRenderFaults, PointsStraddlingARoundingBoundaryGiveNoNaN)
{
    auto model = makeModel();
    const auto out = render (*model, makeCurve ({ { 0.0f, 0.0f, 0.0f, 1 },
                                                  { 10.4f / 512.0f, 0.5f, 0.0f, 1 },
                                                  { 10.6f / 512.0f, 0.9f, 0.3f, 1 },
                                                  { 1.0f, 0.9f, 0.0f, 1 } }));
    for (float v : out)
        ASSERT_TRUE (std::isfinite (v));
    EXPECT_EQ (out[10], 0.5f) << "the single entry takes the segment's start";
}

TEST (LineEditorRenderFaults, PointsOutsideTheCycleStayInsideTheTable)
{
    auto model = makeModel();
    const auto curve = makeCurve ({ { -0.5f, 0.0f, 0.0f, 1 }, { 1.5f, 1.0f, 0.0f, 1 } });
    const auto out = render (*model, curve);

    // Segment from index -256 to 768 with w = 1024: only its middle part lands in the table.
    for (int k = 0; k < N; ++k)
        ASSERT_NEAR (out[static_cast<size_t> (k)], (k + 256) / 1024.0, 1e-6) << "index " << k;
    for (int k = 2; k < 50; ++k)
        ASSERT_TRUE (samePoint (model->points[k], freeSlot())) << "slot " << k << " overwritten";
    EXPECT_EQ (model->points[0].x, -0.5f);
    EXPECT_EQ (model->points[1].x, 1.5f);

    // Far away points must not overflow the index arithmetic either.
    const auto far = render (*model, makeCurve ({ { -3.0e38f, 0.2f, 0.0f, 1 },
                                                  { 0.0f, 0.2f, 0.0f, 1 },
                                                  { 1.0f, 0.6f, 0.0f, 1 },
                                                  { 3.0e38f, 0.6f, 0.0f, 1 } }));
    for (int k = 0; k < N; ++k)
        ASSERT_NEAR (far[static_cast<size_t> (k)], 0.2 + 0.4 * k / 512.0, 1e-6);
}

TEST (LineEditorRenderFaults, NonFinitePointsAreSkipped)
{
    auto model = makeModel();
    const auto plain = render (*model, makeCurve ({ { 0.0f, 0.1f, 0.0f, 1 }, { 1.0f, 0.7f, 0.4f, 2 } }));
    for (float bad : { NAN, INFINITY, -INFINITY })
    {
        const auto withBadX = render (
            *model, makeCurve ({ { 0.0f, 0.1f, 0.0f, 1 }, { bad, 0.5f, 0.0f, 3 }, { 1.0f, 0.7f, 0.4f, 2 } }));
        const auto withBadY = render (
            *model, makeCurve ({ { 0.0f, 0.1f, 0.0f, 1 }, { 0.5f, bad, 0.0f, 3 }, { 1.0f, 0.7f, 0.4f, 2 } }));
        for (int k = 0; k < N; ++k)
        {
            ASSERT_EQ (withBadX[static_cast<size_t> (k)], plain[static_cast<size_t> (k)]) << bad << " " << k;
            ASSERT_EQ (withBadY[static_cast<size_t> (k)], plain[static_cast<size_t> (k)]) << bad << " " << k;
        }
    }
}

TEST (LineEditorRenderFaults, NonFiniteTensionNeverGivesNaN)
{
    auto model = makeModel();
    for (int type = 1; type <= 9; ++type)
        for (float c : { NAN, INFINITY, -INFINITY, 3.0e38f, -3.0e38f })
        {
            const auto out =
                render (*model, makeCurve ({ { 0.0f, 0.1f, 0.0f, 1 }, { 1.0f, 0.7f, c, type } }));
            for (float v : out)
                ASSERT_TRUE (std::isfinite (v)) << "type " << type << " tension " << c;
        }
}

TEST (LineEditorRenderFaults, ShortCurvesHoldTheirEndValuesInsteadOfStaleOnes)
{
    auto model = makeModel(); // holds the fresh rising curve

    auto out = render (*model, makeCurve ({ { 0.25f, 0.3f, 0.0f, 1 }, { 0.75f, 0.8f, 0.0f, 1 } }));
    for (int k = 0; k < 128; ++k)
        ASSERT_EQ (out[static_cast<size_t> (k)], 0.3f) << "index " << k;
    for (int k = 128; k < 384; ++k)
        ASSERT_NEAR (out[static_cast<size_t> (k)], 0.3 + 0.5 * (k - 128) / 256.0, 1e-6) << "index " << k;
    for (int k = 384; k < N; ++k)
        ASSERT_EQ (out[static_cast<size_t> (k)], 0.8f) << "index " << k;

    out = render (*model, makeCurve ({ { 0.4f, 0.65f, 0.0f, 1 } }));
    for (float v : out)
        ASSERT_EQ (v, 0.65f);

    // All points at one place: the table holds the last of them.
    out = render (*model, makeCurve ({ { 0.0f, 0.1f, 0.0f, 1 }, { 0.0f, 0.2f, 0.0f, 1 } }));
    for (float v : out)
        ASSERT_EQ (v, 0.2f);
}
