#pragma once
#include "AAX_IACFController_V3.h"
#include "AAX_IACFPageTableController_V2.h"
#include "AAX_IACFPageTable_V2.h"
#include "AAX_IController.h"
#include "ACF/ACFPtr.h"

/** Per-instance proxy for the host's controller. An operation of version 1 answers
    AAX_ERROR_NULL_OBJECT without that version; one of version 2 or 3 answers
    AAX_ERROR_UNIMPLEMENTED and writes 0 into its scalar outputs, so that a caller reading them
    anyway sees a defined value. Nothing is written through a null output. */
class AAX_VController : public AAX_IController
{
public:
    explicit AAX_VController (IACFUnknown* pUnkHost);
    ~AAX_VController() override;

    AAX_VController (const AAX_VController&) = delete;
    AAX_VController& operator= (const AAX_VController&) = delete;

    AAX_Result GetEffectID (AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) const override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const override;
    AAX_Result GetSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount,
                              AAX_CPropertyValue* outNumCycles) const override;
    AAX_Result GetTODLocation (AAX_CTimeOfDay* outTODLocation) const override;
    AAX_Result SetSignalLatency (int32_t inNumSamples) override;
    AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues,
                              int32_t inNumValues) override;
    AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload,
                           uint32_t inPayloadSize) override;
    AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                 uint32_t inNotificationDataSize) override;
    AAX_Result SendNotification (AAX_CTypeID inNotificationType) override;
    AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const override;
    AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const override;
    AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) const override;
    AAX_Result GetMeterCount (uint32_t* outMeterCount) const override;
    AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const override;
    AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) const override;
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
    AAX_Result GetHybridSignalLatency (int32_t* outSamples) const override;
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const override;
    AAX_Result GetHostName (AAX_IString* outHostNameString) const override;
    AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* outTargetPlatform) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const override;

    AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID,
                                              AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                              uint32_t inTableType, int32_t inTablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                              uint32_t inTableType, int32_t inTablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* inPageTableFilePath,
                                                      AAX_ETextEncoding inFilePathEncoding,
                                                      AAX_CPropertyValue inManufacturerID,
                                                      AAX_CPropertyValue inProductID,
                                                      AAX_CPropertyValue inPlugInID, uint32_t inTableType,
                                                      int32_t inTablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath,
                                                      AAX_ETextEncoding inFilePathEncoding,
                                                      const char* inLayoutName, uint32_t inTableType,
                                                      int32_t inTablePageSize) const override;

    /** An empty host page table (one reference, which the caller releases), or null. */
    AAX_IACFPageTable_V2* CreatePageTable() const;

private:
    /** Wraps a filled host page table in a proxy; takes over (and gives back) the local reference. */
    static AAX_IPageTable* WrapPageTable (AAX_Result hostResult, AAX_IACFPageTable_V2* pageTable);

    ACFPtr<AAX_IACFController> mIController;
    ACFPtr<AAX_IACFController_V2> mIControllerV2;
    ACFPtr<AAX_IACFController_V3> mIControllerV3;
    ACFPtr<AAX_IACFPageTableController> mIPageTableController;
    ACFPtr<AAX_IACFPageTableController_V2> mIPageTableControllerV2;
    ACFPtr<IACFComponentFactory> mComponentFactory;
};
