#include "CurveRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
// A point that the rendering cannot place: its value or position is not a number, or it lies
// so far outside the cycle that index arithmetic would overflow.
bool isRenderable (const LETPoint& p)
{
    return std::isfinite (p.y) && std::fabs (p.x) <= 1.0e6f;
}

// clamp(v, lo, hi) = min(max(v, lo), hi), with a NaN input giving the stated bound.
float clampOr (float v, float lo, float hi, float ifNaN)
{
    if (std::isnan (v))
        return ifNaN;
    return std::min (std::max (v, lo), hi);
}

// Nearest integer, halves to even (the default floating-point rounding mode), on the
// single-precision value widened to double.
double roundHalfEven (float v)
{
    return std::nearbyint (static_cast<double> (v));
}

// 1 - (2q - 1) / q^2: the doubling in single precision, the rest in double, rounded to single.
float expBase (float q)
{
    const float twoQMinusOne = 2.0f * q - 1.0f;
    const double qd = q;
    return static_cast<float> (1.0 - static_cast<double> (twoQMinusOne) / (qd * qd));
}

// Shape parameters of one segment, computed once from its tension c.
struct Shape
{
    explicit Shape (float c) : tension (c)
    {
        q1 = clampOr (c * 0.5f + 0.5f, 0.000007629f, 0.99999237f, 0.99999237f);
        const float e = q1 <= 0.5f ? logf (q1) / 0.6931472f : logf (1.0f - q1) / -0.6931472f;
        exponent = std::fabs (e);
        b2 = expBase (clampOr ((c + 1.0f) * 0.5f, 0.0003f, 0.9998f, 0.9998f));
        b5 = expBase (clampOr ((c + 1.0f) * 0.5f, 0.000001f, 0.999999f, 0.999999f));
        const float w = std::fabs (2.4142137f * c);
        w3 = std::isnan (w) ? 1.0f : std::min (1.0f, w);
        a6 = std::fabs (c);
        m7 = floorf (std::fabs (c) * 15.0f + 1.0f);
        m8 = floorf (std::fabs (c) * 16.0f + 1.0f);
        m9 = floorf (std::fabs (c) * 32.0f + 1.0f);
    }

    // f(t) for 0 <= t < 1; 0 (a flat segment) for an unknown type.
    float value (int32_t type, float t) const
    {
        const float c = tension;
        switch (type)
        {
            case 1:
                return q1 <= 0.5f ? powf (t, exponent) : 1.0f - powf (1.0f - t, exponent);
            case 2:
                return b2 == 1.0f ? t : (powf (b2, t) - 1.0f) / (b2 - 1.0f);
            case 3:
                if (c >= 0.0f)
                    return t * (1.0f - w3) + sinf (t * 1.5707964f) * w3;
                return t * (1.0f - w3) + (sinf ((t - 1.0f) * 1.5707964f) + 1.0f) * w3;
            case 4:
            {
                const float u = std::fabs (2.0f * t - 1.0f);
                const float g = q1 <= 0.5f ? powf (u, exponent) : 1.0f - powf (1.0f - u, exponent);
                return g * side (t) * 0.5f + 0.5f;
            }
            case 5:
            {
                if (b5 == 1.0f)
                    return t;
                const float u = std::fabs (2.0f * t - 1.0f);
                return (powf (b5, u) - 1.0f) * (0.5f * side (t)) / (b5 - 1.0f) + 0.5f;
            }
            case 6:
                if (c >= 0.0f)
                    return t * (1.0f - a6) + (0.5f - cosf (t * 3.1415927f) * 0.5f) * a6;
                return t * (1.0f - a6) + (asinf (2.0f * t - 1.0f) * 0.31830987f + 0.5f) * a6;
            case 7:
                return c >= 0.0f ? ceilf (t * m7) / m7 : floorf (t * m7) / m7;
            case 8:
                if (c >= 0.0f)
                    return 0.5f - cosf (t * 6.2831855f * (m8 - 0.5f)) * 0.5f;
                return fmodf (t * m8, 1.0f);
            case 9:
                return c >= 0.0f ? fmodf (ceilf (t * m9), 2.0f) : fmodf (floorf (t * m9), 2.0f);
            default:
                return 0.0f;
        }
    }

    static float side (float t)
    {
        if (t < 0.5f)
            return -1.0f;
        return t > 0.5f ? 1.0f : 0.0f;
    }

    float tension;
    float q1, exponent, b2, b5, w3, a6, m7, m8, m9;
};

} // namespace

int32_t CurveRenderer::load (LETPoint* points, const LETPoint* source)
{
    int32_t numPoints = 0;
    for (int i = 0; i < maxPoints; ++i)
    {
        points[i] = source[i];
        if (points[i].indx != -1)
            ++numPoints;
    }

    sortAndFlag (points, numPoints);
    return numPoints;
}

void CurveRenderer::sortAndFlag (LETPoint* points, int32_t numPoints)
{
    // A stable bubble sort: equal x (and NaN x) never swap, so equal points keep their order.
    // A pass without a swap leaves nothing for the later passes, which compare fewer pairs.
    for (int pass = 0; pass < maxPoints - 1; ++pass)
    {
        bool swapped = false;
        for (int j = 0; j < maxPoints - 1 - pass; ++j)
            if (points[j].x > points[j + 1].x)
            {
                std::swap (points[j], points[j + 1]);
                swapped = true;
            }
        if (!swapped)
            break;
    }

    const int used = std::min (static_cast<int> (numPoints), maxPoints);
    for (int k = 0; k < used; ++k)
    {
        points[k].indx = k;
        points[k].lockX = (k == 0 || k == used - 1);
        points[k].deletable = !points[k].lockX;
    }
}

void CurveRenderer::render (LETPoint* points, int32_t numPoints, Table& renderedLine)
{
    if (numPoints < 1)
        return;

    const int used = std::min (static_cast<int> (numPoints), static_cast<int> (maxPoints));
    constexpr float n = static_cast<float> (tableSize);
    constexpr float step = 1.0f / n;

    const LETPoint* first = nullptr;
    const LETPoint* last = nullptr;

    for (int i = 0; i < used; ++i)
    {
        LETPoint& q = points[i];
        if (!isRenderable (q))
            continue;

        if (first == nullptr)
        {
            renderedLine[0][0] = q.x;
            renderedLine[0][1] = q.y;
            first = last = &q;
            continue;
        }

        const LETPoint& p = *last;
        last = &q;
        const float c = q.tn;
        const float dx = q.x - p.x;
        const float dy = q.y - p.y;

        const double k0 = roundHalfEven (p.x * n);
        const double k1 = roundHalfEven (q.x * n);
        const double w = roundHalfEven (dx * n);

        if (k0 < k1)
        {
            const Shape shape (c);
            // Two points less than half a sample apart can still straddle a rounding boundary:
            // their one entry starts the segment (t = 0) instead of dividing by a zero width.
            const float inv = w != 0.0 ? 1.0f / static_cast<float> (w) : 0.0f;

            // Only indices inside the table are written; a point outside the cycle keeps its
            // shape where the segment crosses the table.
            const auto kStart = static_cast<int64_t> (std::max (k0, 0.0));
            const auto kEnd = static_cast<int64_t> (std::min (k1, static_cast<double> (tableSize)));
            const auto kFirst = static_cast<int64_t> (k0);

            float x = p.x;
            if (kStart > kFirst)
                x = p.x + static_cast<float> (kStart - kFirst) * step;

            for (int64_t k = kStart; k < kEnd; ++k)
            {
                x = x + step;
                const float t = static_cast<float> (k - kFirst) * inv;
                float y = p.y + shape.value (q.type, t) * dy;
                if (!std::isfinite (y))
                    y = p.y;
                renderedLine[k][0] = x;
                renderedLine[k][1] = y;
            }
        }

        q.handleX = p.x + 0.5f * dx;
        q.handleY = p.y + (0.5f * dy) * (c + 1.0f);
    }

    if (first == nullptr)
        return;

    // A curve that does not span the whole cycle holds its end values, so no entry keeps a
    // value of the curve rendered before.
    const double kFirstPoint = std::max (roundHalfEven (first->x * n), 0.0);
    for (int k = 0; k < static_cast<int> (std::min (kFirstPoint, static_cast<double> (tableSize))); ++k)
    {
        renderedLine[k][0] = static_cast<float> (k + 1) * step;
        renderedLine[k][1] = first->y;
    }

    const double kLastPoint = std::min (roundHalfEven (last->x * n), static_cast<double> (tableSize));
    for (int k = static_cast<int> (std::max (kLastPoint, 0.0)); k < tableSize; ++k)
    {
        renderedLine[k][0] = static_cast<float> (k + 1) * step;
        renderedLine[k][1] = last->y;
    }
}

float CurveRenderer::valueAt (const LETPoint* points, int32_t numPoints, float x)
{
    const int used = std::min (static_cast<int> (numPoints), static_cast<int> (maxPoints));
    const LETPoint* last = nullptr;

    for (int i = 0; i < used; ++i)
    {
        const LETPoint& q = points[i];
        if (!isRenderable (q))
            continue;
        if (last == nullptr && x < q.x)
            return q.y;
        if (last != nullptr && x >= last->x && x < q.x)
        {
            const float t = (x - last->x) / (q.x - last->x);
            const float y = last->y + Shape (q.tn).value (q.type, t) * (q.y - last->y);
            return std::isfinite (y) ? y : last->y;
        }
        last = &q;
    }
    return last != nullptr ? last->y : 0.0f;
}
