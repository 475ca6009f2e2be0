#include "AAX_VTransport.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace
{
// An operation that answers "unimplemented" still leaves defined outputs behind.
template <typename T>
void zeroOutput (T* output)
{
    if (output != nullptr)
        *output = T();
}
} // namespace

AAX_VTransport::AAX_VTransport (IACFUnknown* pUnknown)
{
    if (pUnknown == nullptr)
        return;
    if (ACFFAILED (mITransport.query (pUnknown, IID_IAAXTransportV1)))
        mITransport.reset();
    if (ACFFAILED (mITransportV2.query (pUnknown, IID_IAAXTransportV2)))
        mITransportV2.reset();
}

AAX_VTransport::~AAX_VTransport()
{
    mITransportV2.reset();
    mITransport.reset();
}

AAX_Result AAX_VTransport::GetCurrentTempo (double* TempoBPM) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCurrentTempo (TempoBPM);
}

AAX_Result AAX_VTransport::GetCurrentMeter (int32_t* MeterNumerator, int32_t* MeterDenominator) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCurrentMeter (MeterNumerator, MeterDenominator);
}

AAX_Result AAX_VTransport::IsTransportPlaying (bool* isPlaying) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->IsTransportPlaying (isPlaying);
}

AAX_Result AAX_VTransport::GetCurrentTickPosition (int64_t* TickPosition) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCurrentTickPosition (TickPosition);
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition (bool* bLooping, int64_t* LoopStartTick,
                                                   int64_t* LoopEndTick) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCurrentLoopPosition (bLooping, LoopStartTick, LoopEndTick);
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation (int64_t* SampleLocation) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCurrentNativeSampleLocation (SampleLocation);
}

AAX_Result AAX_VTransport::GetCustomTickPosition (int64_t* oTickPosition, int64_t iSampleLocation) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCustomTickPosition (oTickPosition, iSampleLocation);
}

AAX_Result AAX_VTransport::GetBarBeatPosition (int32_t* Bars, int32_t* Beats, int64_t* DisplayTicks,
                                               int64_t SampleLocation) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetBarBeatPosition (Bars, Beats, DisplayTicks, SampleLocation);
}

AAX_Result AAX_VTransport::GetTicksPerQuarter (uint32_t* ticks) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetTicksPerQuarter (ticks);
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat (uint32_t* ticks) const
{
    if (!mITransport)
        return AAX_ERROR_NULL_OBJECT;
    return mITransport->GetCurrentTicksPerBeat (ticks);
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition (int64_t* oSampleLocation) const
{
    if (!mITransportV2)
    {
        zeroOutput (oSampleLocation);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mITransportV2->GetTimelineSelectionStartPosition (oSampleLocation);
}

AAX_Result AAX_VTransport::GetTimeCodeInfo (AAX_EFrameRate* oFrameRate, int32_t* oOffset) const
{
    if (!mITransportV2)
    {
        zeroOutput (oFrameRate);
        zeroOutput (oOffset);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mITransportV2->GetTimeCodeInfo (oFrameRate, oOffset);
}

AAX_Result AAX_VTransport::GetFeetFramesInfo (AAX_EFeetFramesRate* oFeetFramesRate, int64_t* oOffset) const
{
    if (!mITransportV2)
    {
        zeroOutput (oFeetFramesRate);
        zeroOutput (oOffset);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mITransportV2->GetFeetFramesInfo (oFeetFramesRate, oOffset);
}

AAX_Result AAX_VTransport::IsMetronomeEnabled (int32_t* isEnabled) const
{
    if (!mITransportV2)
    {
        zeroOutput (isEnabled);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mITransportV2->IsMetronomeEnabled (isEnabled);
}
