#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Four single-precision lanes that the audio path works on side by side: the left and right
// channel of the crossover (lanes 0 and 1), the four lines' glides, the gains of four samples.
// Every operation is the plain IEEE single-precision operation lane by lane, so a lane computes
// bit for bit what the same scalar expression computes. SSE2 where the target has it (the x86
// baseline); elsewhere four floats, which compilers vectorise for their own targets.
struct FloatLanes
{
#if defined(__SSE2__)
    __m128 v;

    static FloatLanes splat (float x) noexcept { return { _mm_set1_ps (x) }; }
    static FloatLanes splatFrom (const float* x) noexcept { return { _mm_load1_ps (x) }; }
    static FloatLanes of (float a, float b, float c = 0.0f, float d = 0.0f) noexcept
    {
        return { _mm_setr_ps (a, b, c, d) };
    }
    static FloatLanes load (const float* x) noexcept { return { _mm_loadu_ps (x) }; }
    // Lane 0 from *a, lane 1 from *b, lanes 2 and 3 zero.
    static FloatLanes pairFrom (const float* a, const float* b) noexcept
    {
        return { _mm_unpacklo_ps (_mm_load_ss (a), _mm_load_ss (b)) };
    }

    // Lanes 0 and 1 from x[0] and x[1], lanes 2 and 3 zero.
    static FloatLanes loadPair (const float* x) noexcept
    {
        return { _mm_loadl_pi (_mm_setzero_ps(), reinterpret_cast<const __m64*> (x)) };
    }

    void store (float* x) const noexcept { _mm_storeu_ps (x, v); }
    void storePair (float* a, float* b) const noexcept
    {
        _mm_store_ss (a, v);
        _mm_store_ss (b, _mm_shuffle_ps (v, v, _MM_SHUFFLE (1, 1, 1, 1)));
    }
    float lane (int i) const noexcept
    {
        alignas (16) float x[4];
        _mm_store_ps (x, v);
        return x[i];
    }

    friend FloatLanes operator+ (FloatLanes a, FloatLanes b) noexcept { return { _mm_add_ps (a.v, b.v) }; }
    friend FloatLanes operator- (FloatLanes a, FloatLanes b) noexcept { return { _mm_sub_ps (a.v, b.v) }; }
    friend FloatLanes operator* (FloatLanes a, FloatLanes b) noexcept { return { _mm_mul_ps (a.v, b.v) }; }

    FloatLanes abs() const noexcept { return { _mm_andnot_ps (_mm_set1_ps (-0.0f), v) }; }

    // Lanes where a > b (false for a NaN): all bits set, else zero.
    static FloatLanes greater (FloatLanes a, FloatLanes b) noexcept { return { _mm_cmpgt_ps (a.v, b.v) }; }
    // Lanes where a <= b (false for a NaN).
    static FloatLanes notGreater (FloatLanes a, FloatLanes b) noexcept { return { _mm_cmple_ps (a.v, b.v) }; }
    // The lane of a where mask is set, else zero.
    static FloatLanes keep (FloatLanes mask, FloatLanes a) noexcept { return { _mm_and_ps (mask.v, a.v) }; }
    // The lane of a where mask is set, else that of b.
    static FloatLanes select (FloatLanes mask, FloatLanes a, FloatLanes b) noexcept
    {
        return { _mm_or_ps (_mm_and_ps (mask.v, a.v), _mm_andnot_ps (mask.v, b.v)) };
    }
    // Bit i set when lane i of mask is set.
    static int bits (FloatLanes mask) noexcept { return _mm_movemask_ps (mask.v); }

    // Rows become columns.
    static void transpose (FloatLanes& a, FloatLanes& b, FloatLanes& c, FloatLanes& d) noexcept
    {
        _MM_TRANSPOSE4_PS (a.v, b.v, c.v, d.v);
    }

    // (a0, b0, a1, b1) and (a2, b2, a3, b3).
    static void interleave (FloatLanes a, FloatLanes b, FloatLanes& low, FloatLanes& high) noexcept
    {
        low = { _mm_unpacklo_ps (a.v, b.v) };
        high = { _mm_unpackhi_ps (a.v, b.v) };
    }
#else
    float v[4];

    static FloatLanes splat (float x) noexcept { return { { x, x, x, x } }; }
    static FloatLanes splatFrom (const float* x) noexcept { return splat (*x); }
    static FloatLanes of (float a, float b, float c = 0.0f, float d = 0.0f) noexcept
    {
        return { { a, b, c, d } };
    }
    static FloatLanes load (const float* x) noexcept { return { { x[0], x[1], x[2], x[3] } }; }
    static FloatLanes pairFrom (const float* a, const float* b) noexcept { return { { *a, *b, 0.0f, 0.0f } }; }
    static FloatLanes loadPair (const float* x) noexcept { return { { x[0], x[1], 0.0f, 0.0f } }; }

    void store (float* x) const noexcept
    {
        for (int i = 0; i < 4; ++i)
            x[i] = v[i];
    }
    void storePair (float* a, float* b) const noexcept
    {
        *a = v[0];
        *b = v[1];
    }
    float lane (int i) const noexcept { return v[i]; }

    template <typename Op>
    static FloatLanes each (FloatLanes a, FloatLanes b, Op op) noexcept
    {
        FloatLanes r;
        for (int i = 0; i < 4; ++i)
            r.v[i] = op (a.v[i], b.v[i]);
        return r;
    }
    friend FloatLanes operator+ (FloatLanes a, FloatLanes b) noexcept
    {
        return each (a, b, [] (float x, float y) { return x + y; });
    }
    friend FloatLanes operator- (FloatLanes a, FloatLanes b) noexcept
    {
        return each (a, b, [] (float x, float y) { return x - y; });
    }
    friend FloatLanes operator* (FloatLanes a, FloatLanes b) noexcept
    {
        return each (a, b, [] (float x, float y) { return x * y; });
    }

    FloatLanes abs() const noexcept
    {
        return each (*this, *this, [] (float x, float) { return std::abs (x); });
    }

    static float maskOf (bool set) noexcept
    {
        const uint32_t bits = set ? 0xffffffffu : 0u;
        float f;
        std::memcpy (&f, &bits, sizeof f);
        return f;
    }
    static bool isSet (float mask) noexcept
    {
        uint32_t bits;
        std::memcpy (&bits, &mask, sizeof bits);
        return bits != 0;
    }
    static FloatLanes greater (FloatLanes a, FloatLanes b) noexcept
    {
        return each (a, b, [] (float x, float y) { return maskOf (x > y); });
    }
    static FloatLanes notGreater (FloatLanes a, FloatLanes b) noexcept
    {
        return each (a, b, [] (float x, float y) { return maskOf (x <= y); });
    }
    static FloatLanes keep (FloatLanes mask, FloatLanes a) noexcept
    {
        return each (mask, a, [] (float m, float x) { return isSet (m) ? x : 0.0f; });
    }
    static FloatLanes select (FloatLanes mask, FloatLanes a, FloatLanes b) noexcept
    {
        FloatLanes r;
        for (int i = 0; i < 4; ++i)
            r.v[i] = isSet (mask.v[i]) ? a.v[i] : b.v[i];
        return r;
    }
    static int bits (FloatLanes mask) noexcept
    {
        int r = 0;
        for (int i = 0; i < 4; ++i)
            r |= isSet (mask.v[i]) ? 1 << i : 0;
        return r;
    }

    static void transpose (FloatLanes& a, FloatLanes& b, FloatLanes& c, FloatLanes& d) noexcept
    {
        FloatLanes* rows[4] = { &a, &b, &c, &d };
        float m[4][4];
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                m[j][i] = rows[i]->v[j];
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                rows[i]->v[j] = m[i][j];
    }

    static void interleave (FloatLanes a, FloatLanes b, FloatLanes& low, FloatLanes& high) noexcept
    {
        low = { { a.v[0], b.v[0], a.v[1], b.v[1] } };
        high = { { a.v[2], b.v[2], a.v[3], b.v[3] } };
    }
#endif
};
