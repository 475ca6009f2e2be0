#pragma once
#include "AAX.h"
#include "AAX_CChunkDataParser.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_CString.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_IParameter.h"
#include "AAX_ITransport.h"
#include "AAX_ParameterEnums.h"
#include "AAX_SPlugInChunk.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>

class AAX_IPageTable;
class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VTransport;

/** The base of an instance's effect-parameters object: owns its host parameters, answers the
    host's parameter queries by identifier, takes the host's values and gestures, saves, restores
    and compares the parameter chunk 'elck', and posts the parameters' packets. A derived class
    creates its parameters and packet routes in EffectInit. No operation lets an exception reach
    the host. */
class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    // The chunk that carries every host parameter's value except the filtered ones.
    static constexpr AAX_CTypeID kParameterChunkID = 0x656C636B; // 'elck'
    static constexpr const char* kParameterChunkName = "Complete Controls State";
    static constexpr const char* kMasterBypassID = "MasterBypassID";

    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    AAX_CEffectParameters (const AAX_CEffectParameters&) = delete;
    AAX_CEffectParameters& operator= (const AAX_CEffectParameters&) = delete;

    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                     uint32_t inNotificationDataSize) override;

    AAX_Result GetNumberOfParameters (int32_t* oNumControls) const override;
    AAX_Result GetMasterBypassParameter (AAX_IString* oIDString) const override;
    AAX_Result GetParameterIsAutomatable (AAX_CParamID iParameterID,
                                          AAX_CBoolean* oAutomatable) const override;
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID iParameterID, int32_t* oNumSteps) const override;
    AAX_Result GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const override;
    AAX_Result GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName,
                                         int32_t iNameLength) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double* oValue) const override;
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result GetParameterType (AAX_CParamID iParameterID,
                                 AAX_EParameterType* oParameterType) const override;
    AAX_Result GetParameterOrientation (AAX_CParamID iParameterID,
                                        AAX_EParameterOrientation* oParameterOrientation) const override;
    AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) override;
    AAX_Result GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const override;
    AAX_Result GetParameterIDFromIndex (int32_t iControlIndex,
                                        AAX_IString* oParameterIDString) const override;
    AAX_Result GetParameterValueInfo (AAX_CParamID iParameterID, int32_t iSelector,
                                      int32_t* oValue) const override;
    AAX_Result GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue,
                                            const AAX_IString& iValueString) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue,
                                            AAX_IString* oValueString, int32_t iMaxLength) const override;
    AAX_Result GetParameterValueString (AAX_CParamID iParameterID, AAX_IString* oValueString,
                                        int32_t iMaxLength) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID iParameterID, double* oValuePtr) const override;
    AAX_Result SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override;

    AAX_Result TouchParameter (AAX_CParamID iParameterID) override;
    AAX_Result ReleaseParameter (AAX_CParamID iParameterID) override;
    AAX_Result UpdateParameterTouch (AAX_CParamID iParameterID, AAX_CBoolean iTouchState) override;
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue,
                                               AAX_EUpdateSource iSource) override;
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue) override;
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData (AAX_CFieldIndex iFieldIndex, void* oData, uint32_t iDataSize) const override;

    AAX_Result GetNumberOfChunks (int32_t* oNumChunks) const override;
    AAX_Result GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const override;
    AAX_Result GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const override;
    AAX_Result GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const override;
    AAX_Result SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk) override;
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* iChunkP, AAX_CBoolean* oIsEqual) const override;
    AAX_Result GetNumberOfChanges (int32_t* oNumChanges) const override;

    AAX_Result TimerWakeup() override;
    AAX_Result GetCurveData (AAX_CTypeID iCurveType, const float* iValues, uint32_t iNumValues,
                             float* oValues) const override;
    AAX_Result GetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, void* oData,
                              uint32_t* oDataWritten) const override;
    AAX_Result SetCustomData (AAX_CTypeID iDataBlockID, uint32_t inDataSize, const void* iData) override;
    AAX_Result DoMIDITransfers() override;
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* ioRenderInfo) override;
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex inFieldIndex, AAX_CMidiPacket& iPacket) override;
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& iPacket) override;
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId,
                                     uint32_t* oYMeterId) const override;
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax, float* oYMin,
                                         float* oYMax) const override;
    AAX_Result UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* iHostUnknown,
                                IACFUnknown* ioPageTableUnknown) const override;

    // The host proxies; null before Initialize and after Uninitialize.
    AAX_IController* Controller();
    const AAX_IController* Controller() const;
    AAX_ITransport* Transport();
    const AAX_ITransport* Transport() const;

protected:
    /** The derived class's set-up: parameters, master bypass and packet routes. */
    virtual AAX_Result EffectInit();
    /** Fills a control surface's page table; nothing here. */
    virtual AAX_Result UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize,
                                        AAX_IPageTable& ioPageTable) const;

    /** Leaves the parameter out of the chunk (writing, reading and comparing). */
    void FilterParameterIDOnSave (AAX_CParamID controlID);
    /** Fills the chunk parser with every chunked parameter's value. */
    void BuildChunkData() const;

    int32_t mNumPlugInChanges;
    mutable int32_t mChunkSize;
    mutable AAX_CChunkDataParser mChunkParser;
    int32_t mNumChunkedParameters;
    AAX_CPacketDispatcher mPacketDispatcher;
    AAX_CParameterManager mParameterManager;
    std::set<std::string> mFilteredParameterIDs;

private:
    AAX_Result InitializeUnguarded (IACFUnknown* iController);
    AAX_Result GetChunkUnguarded (AAX_SPlugInChunk* oChunk) const;
    /** The current value plus delta, clamped to 0..1, and the result of reading the current value. */
    AAX_Result RelativeTarget (AAX_CParamID iParameterID, double delta, double& target) const;
    void ApplyChunk();
    bool CompareWithChunk() const;
    bool IsChunked (const AAX_IParameter& parameter) const;
    /** Visits every chunked parameter in the manager's order until the visitor answers false. A
        parameter counted but missing is skipped, and reported with the given line unless it is 0. */
    void ForEachChunkedParameter (int32_t missingReportLine,
                                  const std::function<bool (AAX_IParameter&)>& visit) const;
    void DeleteProxies();

    AAX_VController* mController;
    AAX_VTransport* mTransport;
    AAX_VAutomationDelegate* mAutomationDelegate;
};
