#include "HostTransport.h"

#include <cmath>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace kalvo::aaxhost
{
HostTransport::HostTransport (HostObject& owner) : v1 (*this, owner, 1), v2 (*this, owner, 2) {}

void* HostTransport::facetFor (const acfIID& iid, const std::set<int>& offered)
{
    if (iid == IID_IAAXTransportV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFTransport*> (&v1);
    if (iid == IID_IAAXTransportV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFTransport_V2*> (&v2);
    return nullptr;
}

void HostTransport::setMeter (int32_t numerator, int32_t denominator) noexcept
{
    meterNumerator = numerator;
    meterDenominator = denominator;
}

void HostTransport::setLoop (bool isLooping, int64_t startTick, int64_t endTick) noexcept
{
    looping = isLooping;
    loopStart = startTick;
    loopEnd = endTick;
}

void HostTransport::setTimeCode (int32_t rate, int32_t offset) noexcept
{
    frameRate = rate;
    timeCodeOffset = offset;
}

void HostTransport::setFeetFrames (int32_t rate, int64_t offset) noexcept
{
    feetFramesRate = rate;
    feetFramesOffset = offset;
}

int64_t HostTransport::ticksAt (int64_t sampleLocation) const noexcept
{
    const double rate = sampleRate.load();
    if (rate <= 0.0)
        return 0;
    const double quarters = static_cast<double> (sampleLocation) / rate * tempo.load() / 60.0;
    return static_cast<int64_t> (std::llround (quarters * static_cast<double> (ticksPerQuarter)));
}

void HostTransport::Facet::count() noexcept
{
    ++state.callCount;
    ++(version == 1 ? state.v1Calls : state.v2Calls);
}

AAX_Result HostTransport::Facet::GetCurrentTempo (double* TempoBPM)
{
    count();
    if (TempoBPM == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *TempoBPM = state.tempo;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetCurrentMeter (int32_t* MeterNumerator, int32_t* MeterDenominator)
{
    count();
    if (MeterNumerator == nullptr || MeterDenominator == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *MeterNumerator = state.meterNumerator;
    *MeterDenominator = state.meterDenominator;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::IsTransportPlaying (bool* isPlaying)
{
    count();
    if (isPlaying == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *isPlaying = state.playing;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetCurrentTickPosition (int64_t* TickPosition)
{
    count();
    if (TickPosition == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *TickPosition = state.ticksAt (state.samplePosition);
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetCurrentLoopPosition (bool* bLooping, int64_t* LoopStartTick,
                                                         int64_t* LoopEndTick)
{
    count();
    if (bLooping == nullptr || LoopStartTick == nullptr || LoopEndTick == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *bLooping = state.looping;
    *LoopStartTick = state.loopStart;
    *LoopEndTick = state.loopEnd;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetCurrentNativeSampleLocation (int64_t* SampleLocation)
{
    count();
    if (SampleLocation == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *SampleLocation = state.samplePosition;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation)
{
    count();
    if (oTickPosition == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *oTickPosition = state.ticksAt (iSampleLocation);
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetBarBeatPosition (int32_t* Bars, int32_t* Beats, int64_t* DisplayTicks,
                                                     int64_t SampleLocation)
{
    count();
    if (Bars == nullptr || Beats == nullptr || DisplayTicks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const int64_t numerator = state.meterNumerator.load() > 0 ? state.meterNumerator.load() : 4;
    const int64_t denominator = state.meterDenominator.load() > 0 ? state.meterDenominator.load() : 4;
    const int64_t ticksPerBeat = ticksPerQuarter * 4 / denominator;
    int64_t ticks = state.ticksAt (SampleLocation);
    if (ticks < 0)
        ticks = 0;
    const int64_t beatsSoFar = ticks / ticksPerBeat;
    *Bars = static_cast<int32_t> (beatsSoFar / numerator + 1); // bars and beats count from 1
    *Beats = static_cast<int32_t> (beatsSoFar % numerator + 1);
    *DisplayTicks = ticks % ticksPerBeat;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetTicksPerQuarter (uint32_t* ticks)
{
    count();
    if (ticks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *ticks = static_cast<uint32_t> (ticksPerQuarter);
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetCurrentTicksPerBeat (uint32_t* ticks)
{
    count();
    if (ticks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const int32_t denominator = state.meterDenominator.load() > 0 ? state.meterDenominator.load() : 4;
    *ticks = static_cast<uint32_t> (ticksPerQuarter * 4 / denominator);
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetTimelineSelectionStartPosition (int64_t* oSampleLocation)
{
    count();
    if (oSampleLocation == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *oSampleLocation = state.selectionStart;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset)
{
    count();
    if (oFrameRate == nullptr || oOffset == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *oFrameRate = static_cast<AAX_EFrameRate> (state.frameRate.load());
    *oOffset = state.timeCodeOffset;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset)
{
    count();
    if (oFeetFramesRate == nullptr || oOffset == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *oFeetFramesRate = static_cast<AAX_EFeetFramesRate> (state.feetFramesRate.load());
    *oOffset = state.feetFramesOffset;
    return AAX_SUCCESS;
}

AAX_Result HostTransport::Facet::IsMetronomeEnabled (int32_t* isEnabled)
{
    count();
    if (isEnabled == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *isEnabled = state.metronome ? 1 : 0;
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
