// The plug-in's effect parameters as the host sees them, version 1: initialisation, the
// parameters by identifier, value changes, packets, field data, chunks and the change count.
#pragma once

#include "AAX.h"
#include "AAX_ParameterEnums.h"
#include "AAX_SPlugInChunk.h"
#include "ACF/IACFUnknown.h"

class AAX_IParameter;
class AAX_IString;

// Answered for IID_IAAXEffectParametersV1.
class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* iController) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                             uint32_t inNotificationDataSize) = 0;

    virtual AAX_Result GetNumberOfParameters (int32_t* oNumControls) const = 0;
    virtual AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const = 0;
    virtual AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID,
                                                  AAX_CBoolean* oAutomatable) const = 0;
    virtual AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const = 0;
    virtual AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const = 0;
    virtual AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName,
                                                 int32_t iNameLength) const = 0;
    virtual AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID,
                                                           double* oValue) const = 0;
    virtual AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) = 0;
    virtual AAX_Result GetParameterType (AAX_CParamID iParameterID,
                                         AAX_EParameterType* oParameterType) const = 0;
    virtual AAX_Result GetParameterOrientation (AAX_CParamID iParameterID,
                                                AAX_EParameterOrientation* oParameterOrientation) const = 0;
    virtual AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) = 0;
    virtual AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const = 0;
    virtual AAX_Result GetParameterIDFromIndex (int32_t iControlIndex,
                                                AAX_IString* oParameterIDString) const = 0;
    virtual AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector,
                                              int32_t* oValue) const = 0;
    virtual AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue,
                                                    const AAX_IString& iValueString) const = 0;
    virtual AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue,
                                                    AAX_IString* oValueString, int32_t iMaxLength) const = 0;
    virtual AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString,
                                                int32_t iMaxLength) const = 0;
    virtual AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const = 0;
    virtual AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) = 0;
    virtual AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) = 0;

    virtual AAX_Result TouchParameter (AAX_CParamID iParameterID) = 0;
    virtual AAX_Result ReleaseParameter (AAX_CParamID iParameterID) = 0;
    virtual AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) = 0;
    virtual AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue,
                                                       AAX_EUpdateSource iSource) = 0;
    virtual AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) = 0;
    virtual AAX_Result GenerateCoefficients() = 0;
    virtual AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData,
                                       uint32_t iDataSize) const = 0;

    virtual AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const = 0;
    virtual AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const = 0;
    virtual AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const = 0;
    virtual AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const = 0;
    virtual AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) = 0;
    virtual AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const = 0;
    virtual AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const = 0;

    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues,
                                     float* oValues) const = 0;
    virtual AAX_Result GetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, void* oData,
                                      uint32_t* oDataWritten) const = 0;
    virtual AAX_Result SetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, const void* iData) = 0;
    virtual AAX_Result DoMIDITransfers() = 0;

protected:
    ~AAX_IACFEffectParameters() = default;
};
