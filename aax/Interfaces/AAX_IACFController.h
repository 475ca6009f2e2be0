// The host's controller, version 1: sample rate, stem formats, latency, packets, meters and MIDI.
#pragma once

#include "AAX.h"
#include "AAX_CMidiPacket.h"
#include "AAX_ControllerTypes.h"
#include "AAX_Enums.h"
#include "ACF/IACFUnknown.h"

class AAX_IString;

class AAX_IACFController : public IACFUnknown
{
public:
    virtual AAX_Result GetEffectID (AAX_IString* outEffectID) = 0;
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) = 0;
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) = 0;
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) = 0;
    virtual AAX_Result GetSignalLatency (int32_t* outSamples) = 0;
    virtual AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) = 0;
    virtual AAX_Result GetTODLocation (AAX_CTimeOfDay* outTODLocation) = 0;
    virtual AAX_Result SetSignalLatency (int32_t inNumSamples) = 0;
    virtual AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues,
                                      int32_t inNumValues) = 0;
    virtual AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload,
                                   uint32_t inPayloadSize) = 0;
    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) = 0;
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) = 0;
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) = 0;
    virtual AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) = 0;
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) = 0;
    virtual AAX_Result GetMeterCount (uint32_t* outMeterCount) = 0;
    virtual AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) = 0;

protected:
    ~AAX_IACFController() = default;
};
