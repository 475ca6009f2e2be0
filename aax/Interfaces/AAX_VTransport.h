#pragma once
#include "AAX_IACFTransport_V2.h"
#include "AAX_ITransport.h"
#include "ACF/ACFPtr.h"

/** Proxy for the host's transport. Without version 1 its operations answer
    AAX_ERROR_NULL_OBJECT; without version 2 the newer ones answer AAX_ERROR_UNIMPLEMENTED and
    write 0 into their outputs, so a caller that reads them anyway sees a defined value. */
class AAX_VTransport : public AAX_ITransport
{
public:
    explicit AAX_VTransport (IACFUnknown* pUnknown);
    ~AAX_VTransport() override;

    AAX_VTransport (const AAX_VTransport&) = delete;
    AAX_VTransport& operator= (const AAX_VTransport&) = delete;

    AAX_Result GetCurrentTempo (double* TempoBPM) const override;
    AAX_Result GetCurrentMeter (int32_t* MeterNumerator, int32_t* MeterDenominator) const override;
    AAX_Result IsTransportPlaying (bool* isPlaying) const override;
    AAX_Result GetCurrentTickPosition (int64_t* TickPosition) const override;
    AAX_Result GetCurrentLoopPosition (bool* bLooping, int64_t* LoopStartTick,
                                       int64_t* LoopEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* SampleLocation) const override;
    AAX_Result GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation) const override;
    AAX_Result GetBarBeatPosition (int32_t* Bars, int32_t* Beats, int64_t* DisplayTicks,
                                   int64_t SampleLocation) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* ticks) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* oSampleLocation) const override;
    AAX_Result GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset) const override;
    AAX_Result GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset) const override;
    AAX_Result IsMetronomeEnabled (int32_t* isEnabled) const override;

private:
    ACFPtr<AAX_IACFTransport> mITransport;
    ACFPtr<AAX_IACFTransport_V2> mITransportV2;
};
