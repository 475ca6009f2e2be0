#include "AAX_VTransport.h"
#include "AAX_Errors.h"
#include "InstanceHostOfferings.h"

#include <functional>

using namespace kalvo::aaxhost;
using namespace kalvo::aaxhost::testing;

namespace
{
struct TransportRow
{
    const char* operation;
    int version;
    AAX_Result withoutIt;
    std::function<AAX_Result (const AAX_ITransport&)> call;
};

std::vector<TransportRow> transportRows()
{
    return {
        { "GetCurrentTempo", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              double v = 0;
              return t.GetCurrentTempo (&v);
          } },
        { "GetCurrentMeter", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              int32_t n = 0, d = 0;
              return t.GetCurrentMeter (&n, &d);
          } },
        { "IsTransportPlaying", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              bool p = false;
              return t.IsTransportPlaying (&p);
          } },
        { "GetCurrentTickPosition", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              int64_t v = 0;
              return t.GetCurrentTickPosition (&v);
          } },
        { "GetCurrentLoopPosition", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              bool l = false;
              int64_t s = 0, e = 0;
              return t.GetCurrentLoopPosition (&l, &s, &e);
          } },
        { "GetCurrentNativeSampleLocation", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              int64_t v = 0;
              return t.GetCurrentNativeSampleLocation (&v);
          } },
        { "GetCustomTickPosition", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              int64_t v = 0;
              return t.GetCustomTickPosition (&v, 48000);
          } },
        { "GetBarBeatPosition", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              int32_t bars = 0, beats = 0;
              int64_t ticks = 0;
              return t.GetBarBeatPosition (&bars, &beats, &ticks, 0);
          } },
        { "GetTicksPerQuarter", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              uint32_t v = 0;
              return t.GetTicksPerQuarter (&v);
          } },
        { "GetCurrentTicksPerBeat", 1, AAX_ERROR_NULL_OBJECT,
          [] (const AAX_ITransport& t)
          {
              uint32_t v = 0;
              return t.GetCurrentTicksPerBeat (&v);
          } },
        { "GetTimelineSelectionStartPosition", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (const AAX_ITransport& t)
          {
              int64_t v = 0;
              return t.GetTimelineSelectionStartPosition (&v);
          } },
        { "GetTimeCodeInfo", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (const AAX_ITransport& t)
          {
              AAX_EFrameRate r = AAX_eFrameRate_Undeclared;
              int32_t o = 0;
              return t.GetTimeCodeInfo (&r, &o);
          } },
        { "GetFeetFramesInfo", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (const AAX_ITransport& t)
          {
              AAX_EFeetFramesRate r = AAX_eFeetFramesRate_24;
              int64_t o = 0;
              return t.GetFeetFramesInfo (&r, &o);
          } },
        { "IsMetronomeEnabled", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (const AAX_ITransport& t)
          {
              int32_t v = 0;
              return t.IsMetronomeEnabled (&v);
          } },
    };
}

using TransportProxy = InstanceHostTest;
using TransportOnFullHost = FullHostTest;
} // namespace

TEST_P (TransportProxy, EachOperationForwardsOrAnswersItsFixedCode)
{
    const auto& offered = GetParam().versions.transport;
    {
        const AAX_VTransport transport (instance.identity());
        int forwarded = 0;
        for (const auto& row : transportRows())
        {
            const bool present = offers (offered, row.version);
            const int before = instance.transport().callsThrough (row.version);
            EXPECT_EQ (row.call (transport), present ? AAX_SUCCESS : row.withoutIt) << row.operation;
            // Through the pointer of the version that introduced the operation, and only that one.
            EXPECT_EQ (instance.transport().callsThrough (row.version) - before, present ? 1 : 0)
                << row.operation;
            forwarded += present ? 1 : 0;
        }
        EXPECT_EQ (instance.transport().calls(), forwarded);
    }
    expectBalanced();
}

TEST_F (TransportOnFullHost, AnswersTheHostsScript)
{

    auto& script = instance.transport();
    script.setTempo (90.0);
    script.setMeter (3, 4);
    script.setPlaying (true);
    script.setSampleRate (48000.0);
    script.setSamplePosition (48000 * 4); // 4 s at 90 bpm: 6 quarters
    script.setLoop (true, 960000, 4 * 960000);

    const AAX_VTransport transport (instance.identity());
    double tempo = 0;
    EXPECT_EQ (transport.GetCurrentTempo (&tempo), AAX_SUCCESS);
    EXPECT_EQ (tempo, 90.0);
    int32_t num = 0, den = 0;
    EXPECT_EQ (transport.GetCurrentMeter (&num, &den), AAX_SUCCESS);
    EXPECT_EQ (num, 3);
    EXPECT_EQ (den, 4);
    bool playing = false;
    EXPECT_EQ (transport.IsTransportPlaying (&playing), AAX_SUCCESS);
    EXPECT_TRUE (playing);
    int64_t ticks = 0, samples = 0;
    EXPECT_EQ (transport.GetCurrentTickPosition (&ticks), AAX_SUCCESS);
    EXPECT_EQ (ticks, 6 * 960000);
    EXPECT_EQ (transport.GetCurrentNativeSampleLocation (&samples), AAX_SUCCESS);
    EXPECT_EQ (samples, 192000);
    int32_t bars = 0, beats = 0;
    int64_t displayTicks = -1;
    EXPECT_EQ (transport.GetBarBeatPosition (&bars, &beats, &displayTicks, 192000 + 8000), AAX_SUCCESS);
    EXPECT_EQ (bars, 3); // 6 quarters in 3/4: bar 3, beat 1, plus a quarter of 8000/32000 samples
    EXPECT_EQ (beats, 1);
    EXPECT_EQ (displayTicks, 240000);
    bool looping = false;
    int64_t loopStart = 0, loopEnd = 0;
    EXPECT_EQ (transport.GetCurrentLoopPosition (&looping, &loopStart, &loopEnd), AAX_SUCCESS);
    EXPECT_TRUE (looping);
    EXPECT_EQ (loopEnd, 4 * 960000);

    script.advance (32000); // one more quarter
    EXPECT_EQ (transport.GetCurrentTickPosition (&ticks), AAX_SUCCESS);
    EXPECT_EQ (ticks, 7 * 960000);
}

TEST_P (TransportProxy, MissingVersionTwoWritesZeroIntoOutputs)
{
    const AAX_VTransport transport (instance.identity());
    if (offers (GetParam().versions.transport, 2))
    {
        instance.transport().setMetronome (true);
        int32_t enabled = 0;
        EXPECT_EQ (transport.IsMetronomeEnabled (&enabled), AAX_SUCCESS);
        EXPECT_EQ (enabled, 1);
        return;
    }
    int64_t selection = 77;
    EXPECT_EQ (transport.GetTimelineSelectionStartPosition (&selection), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (selection, 0);
    auto rate = static_cast<AAX_EFrameRate> (9);
    int32_t offset = 77;
    EXPECT_EQ (transport.GetTimeCodeInfo (&rate, &offset), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (rate, 0);
    EXPECT_EQ (offset, 0);
    auto feetRate = AAX_eFeetFramesRate_25;
    int64_t feetOffset = 77;
    EXPECT_EQ (transport.GetFeetFramesInfo (&feetRate, &feetOffset), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (feetRate, 0);
    EXPECT_EQ (feetOffset, 0);
    int32_t metronome = 77;
    EXPECT_EQ (transport.IsMetronomeEnabled (&metronome), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (metronome, 0);

    // Null outputs are not written through.
    EXPECT_EQ (transport.GetTimelineSelectionStartPosition (nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (transport.GetTimeCodeInfo (nullptr, nullptr), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (transport.IsMetronomeEnabled (nullptr), AAX_ERROR_UNIMPLEMENTED);

    // Without version 1 the outputs stay untouched.
    if (!offers (GetParam().versions.transport, 1))
    {
        double tempo = 42.0;
        EXPECT_EQ (transport.GetCurrentTempo (&tempo), AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (tempo, 42.0);
    }
}

TEST (TransportProxyOverNull, AnswersFixedCodes)
{
    const AAX_VTransport transport (nullptr);
    double tempo = 0;
    EXPECT_EQ (transport.GetCurrentTempo (&tempo), AAX_ERROR_NULL_OBJECT);
    int32_t metronome = 5;
    EXPECT_EQ (transport.IsMetronomeEnabled (&metronome), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (metronome, 0);
}

INSTANTIATE_TEST_SUITE_P (Offerings, TransportProxy, ::testing::ValuesIn (allOfferings()), offeringName);
