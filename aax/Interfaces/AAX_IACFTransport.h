// The host's transport, version 1: tempo, meter, play state and positions.
#pragma once

#include "AAX.h"
#include "ACF/IACFUnknown.h"

class AAX_IACFTransport : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo (double* TempoBPM) = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* MeterNumerator, int32_t* MeterDenominator) = 0;
    virtual AAX_Result IsTransportPlaying (bool* isPlaying) = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* TickPosition) = 0;
    virtual AAX_Result GetCurrentLoopPosition (bool* bLooping, int64_t* LoopStartTick,
                                               int64_t* LoopEndTick) = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* SampleLocation) = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation) = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* Bars, int32_t* Beats, int64_t* DisplayTicks,
                                           int64_t SampleLocation) = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* ticks) = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) = 0;

protected:
    ~AAX_IACFTransport() = default;
};
