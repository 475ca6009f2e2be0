// The host's transport for one instance, played from a script the test sets: tempo, meter, play
// state, sample position, loop, selection and time code. The plug-in reads it from the audio
// thread, so every value is atomic and no answer logs, locks or allocates.
#pragma once

#include <atomic>
#include <cstdint>
#include <set>

#include "AAX_IACFTransport_V2.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostTransport
{
public:
    static constexpr int64_t ticksPerQuarter = 960000;

    explicit HostTransport (HostObject& owner);

    void* facetFor (const acfIID& iid, const std::set<int>& offered);

    void setTempo (double bpm) noexcept { tempo = bpm; }
    void setMeter (int32_t numerator, int32_t denominator) noexcept;
    void setPlaying (bool isPlaying) noexcept { playing = isPlaying; }
    void setSampleRate (double rate) noexcept { sampleRate = rate; }
    void setSamplePosition (int64_t position) noexcept { samplePosition = position; }
    // Moves the play position on, as rendering one block does.
    void advance (int64_t samples) noexcept { samplePosition += samples; }
    void setLoop (bool isLooping, int64_t startTick, int64_t endTick) noexcept;
    void setSelectionStart (int64_t sampleLocation) noexcept { selectionStart = sampleLocation; }
    void setTimeCode (int32_t frameRate, int32_t offset) noexcept;
    void setFeetFrames (int32_t rate, int64_t offset) noexcept;
    void setMetronome (bool enabled) noexcept { metronome = enabled; }

    // The tick position of a sample location at the current tempo and sample rate.
    int64_t ticksAt (int64_t sampleLocation) const noexcept;
    // How many operations the plug-in called, in all and through one interface version.
    int calls() const noexcept { return callCount.load(); }
    int callsThrough (int version) const noexcept
    {
        return version == 1 ? v1Calls.load() : (version == 2 ? v2Calls.load() : 0);
    }

private:
    class Facet final : public HostFacet<AAX_IACFTransport_V2>
    {
    public:
        Facet (HostTransport& stateToUse, HostObject& ownerToUse, int versionToUse)
            : HostFacet (ownerToUse, versionToUse), state (stateToUse)
        {
        }

        AAX_Result GetCurrentTempo (double* TempoBPM) override;
        AAX_Result GetCurrentMeter (int32_t* MeterNumerator, int32_t* MeterDenominator) override;
        AAX_Result IsTransportPlaying (bool* isPlaying) override;
        AAX_Result GetCurrentTickPosition (int64_t* TickPosition) override;
        AAX_Result GetCurrentLoopPosition (bool* bLooping, int64_t* LoopStartTick,
                                           int64_t* LoopEndTick) override;
        AAX_Result GetCurrentNativeSampleLocation (int64_t* SampleLocation) override;
        AAX_Result GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation) override;
        AAX_Result GetBarBeatPosition (int32_t* Bars, int32_t* Beats, int64_t* DisplayTicks,
                                       int64_t SampleLocation) override;
        AAX_Result GetTicksPerQuarter (uint32_t* ticks) override;
        AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) override;
        AAX_Result GetTimelineSelectionStartPosition (int64_t* oSampleLocation) override;
        AAX_Result GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset) override;
        AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset) override;
        AAX_Result IsMetronomeEnabled (int32_t* isEnabled) override;

    private:
        void count() noexcept;

        HostTransport& state;
    };

    std::atomic<double> tempo{ 120.0 };
    std::atomic<int32_t> meterNumerator{ 4 };
    std::atomic<int32_t> meterDenominator{ 4 };
    std::atomic<bool> playing{ false };
    std::atomic<double> sampleRate{ 48000.0 };
    std::atomic<int64_t> samplePosition{ 0 };
    std::atomic<bool> looping{ false };
    std::atomic<int64_t> loopStart{ 0 };
    std::atomic<int64_t> loopEnd{ 0 };
    std::atomic<int64_t> selectionStart{ 0 };
    std::atomic<int32_t> frameRate{ 0 };
    std::atomic<int32_t> timeCodeOffset{ 0 };
    std::atomic<int32_t> feetFramesRate{ 0 };
    std::atomic<int64_t> feetFramesOffset{ 0 };
    std::atomic<bool> metronome{ false };
    std::atomic<int> callCount{ 0 };
    std::atomic<int> v1Calls{ 0 };
    std::atomic<int> v2Calls{ 0 };

    Facet v1;
    Facet v2;
};
} // namespace kalvo::aaxhost
