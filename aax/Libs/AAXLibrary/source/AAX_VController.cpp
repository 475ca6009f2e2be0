#include "AAX_VController.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VPageTable.h"

namespace
{
template <typename T>
void zeroOutput (T* output)
{
    if (output != nullptr)
        *output = T();
}

template <typename Interface>
void queryVersion (ACFPtr<Interface>& holder, IACFUnknown* source, const acfIID& iid)
{
    // A missing version stays null; whatever came back with a failure is released.
    if (ACFFAILED (holder.query (source, iid)))
        holder.reset();
}
} // namespace

AAX_VController::AAX_VController (IACFUnknown* pUnkHost)
{
    if (pUnkHost == nullptr)
        return;

    queryVersion (mIController, pUnkHost, IID_IAAXControllerV1);
    queryVersion (mIControllerV2, pUnkHost, IID_IAAXControllerV2);
    queryVersion (mIControllerV3, pUnkHost, IID_IAAXControllerV3);
    queryVersion (mIPageTableController, pUnkHost, IID_IAAXPageTableController);
    queryVersion (mIPageTableControllerV2, pUnkHost, IID_IAAXPageTableControllerV2);

    // Without a factory the instance works on; it only cannot make page tables.
    ACFPtr<IACFComponentFactory> factory;
    if (ACFSUCCEEDED (factory.query (pUnkHost, IID_IACFComponentFactory)))
        mComponentFactory = std::move (factory);
}

AAX_VController::~AAX_VController()
{
    mComponentFactory.reset();
    mIPageTableControllerV2.reset();
    mIPageTableController.reset();
    mIControllerV3.reset();
    mIControllerV2.reset();
    mIController.reset();
}

AAX_Result AAX_VController::GetEffectID (AAX_IString* outEffectID) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetEffectID (outEffectID);
}

AAX_Result AAX_VController::GetSampleRate (AAX_CSampleRate* outSampleRate) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetSampleRate (outSampleRate);
}

AAX_Result AAX_VController::GetInputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetInputStemFormat (outStemFormat);
}

AAX_Result AAX_VController::GetOutputStemFormat (AAX_EStemFormat* outStemFormat) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetOutputStemFormat (outStemFormat);
}

AAX_Result AAX_VController::GetSignalLatency (int32_t* outSamples) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetSignalLatency (outSamples);
}

AAX_Result AAX_VController::GetCycleCount (AAX_EProperty inWhichCycleCount,
                                           AAX_CPropertyValue* outNumCycles) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetCycleCount (inWhichCycleCount, outNumCycles);
}

AAX_Result AAX_VController::GetTODLocation (AAX_CTimeOfDay* outTODLocation) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetTODLocation (outTODLocation);
}

AAX_Result AAX_VController::SetSignalLatency (int32_t inNumSamples)
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->SetSignalLatency (inNumSamples);
}

AAX_Result AAX_VController::SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues,
                                           int32_t inNumValues)
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->SetCycleCount (inWhichCycleCounts, inValues, inNumValues);
}

AAX_Result AAX_VController::PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload,
                                        uint32_t inPayloadSize)
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->PostPacket (inFieldIndex, inPayload, inPayloadSize);
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                              uint32_t inNotificationDataSize)
{
    if (!mIControllerV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIControllerV2->SendNotification (inNotificationType, inNotificationData, inNotificationDataSize);
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID inNotificationType)
{
    return SendNotification (inNotificationType, nullptr, 0);
}

AAX_Result AAX_VController::GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetCurrentMeterValue (inMeterID, outMeterValue);
}

AAX_Result AAX_VController::GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetMeterPeakValue (inMeterID, outMeterPeakValue);
}

AAX_Result AAX_VController::ClearMeterPeakValue (AAX_CTypeID inMeterID) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->ClearMeterPeakValue (inMeterID);
}

AAX_Result AAX_VController::GetMeterCount (uint32_t* outMeterCount) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetMeterCount (outMeterCount);
}

AAX_Result AAX_VController::GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetMeterClipped (inMeterID, outClipped);
}

AAX_Result AAX_VController::ClearMeterClipped (AAX_CTypeID inMeterID) const
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->ClearMeterClipped (inMeterID);
}

AAX_Result AAX_VController::GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket)
{
    if (!mIController)
        return AAX_ERROR_NULL_OBJECT;
    return mIController->GetNextMIDIPacket (outPort, outPacket);
}

AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* outSamples) const
{
    if (!mIControllerV2)
    {
        zeroOutput (outSamples);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIControllerV2->GetHybridSignalLatency (outSamples);
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) const
{
    if (!mIControllerV2)
    {
        zeroOutput (outTimestamp);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIControllerV2->GetCurrentAutomationTimestamp (outTimestamp);
}

AAX_Result AAX_VController::GetHostName (AAX_IString* outHostNameString) const
{
    if (!mIControllerV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIControllerV2->GetHostName (outHostNameString);
}

AAX_Result AAX_VController::GetPlugInTargetPlatform (AAX_CTargetPlatform* outTargetPlatform) const
{
    if (!mIControllerV3)
    {
        zeroOutput (outTargetPlatform);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIControllerV3->GetPlugInTargetPlatform (outTargetPlatform);
}

AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) const
{
    if (!mIControllerV3)
    {
        zeroOutput (outIsAudioSuite);
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIControllerV3->GetIsAudioSuite (outIsAudioSuite);
}

AAX_IACFPageTable_V2* AAX_VController::CreatePageTable() const
{
    if (!mComponentFactory)
        return nullptr;
    ACFPtr<AAX_IACFPageTable_V2> table;
    if (table.create (mComponentFactory.get(), AAXCompID_PageTable, IID_IAAXPageTableV2) != ACF_OK)
        return nullptr; // the holder releases whatever came back
    return table.release();
}

AAX_IPageTable* AAX_VController::WrapPageTable (AAX_Result hostResult, AAX_IACFPageTable_V2* pageTable)
{
    if (pageTable == nullptr)
        return nullptr;
    // The proxy queries its own references; the local one goes back either way.
    AAX_IPageTable* proxy = hostResult == AAX_SUCCESS ? new AAX_VPageTable (pageTable) : nullptr;
    pageTable->Release();
    return proxy;
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID,
                                                           AAX_CPropertyValue inProductID,
                                                           AAX_CPropertyValue inPlugInID,
                                                           uint32_t inTableType,
                                                           int32_t inTablePageSize) const
{
    if (!mIPageTableController)
        return nullptr;
    AAX_IACFPageTable_V2* table = CreatePageTable();
    const AAX_Result result = mIPageTableController->CreateTableCopyForEffect (
        inManufacturerID, inProductID, inPlugInID, inTableType, inTablePageSize, table);
    return WrapPageTable (result, table);
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                                           uint32_t inTableType,
                                                           int32_t inTablePageSize) const
{
    if (!mIPageTableController)
        return nullptr;
    AAX_IACFPageTable_V2* table = CreatePageTable();
    const AAX_Result result = mIPageTableController->CreateTableCopyForLayout (
        inEffectID, inLayoutName, inTableType, inTablePageSize, table);
    return WrapPageTable (result, table);
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffectFromFile (
    const char* inPageTableFilePath, AAX_ETextEncoding inFilePathEncoding,
    AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
    uint32_t inTableType, int32_t inTablePageSize) const
{
    if (!mIPageTableControllerV2)
        return nullptr;
    AAX_IACFPageTable_V2* table = CreatePageTable();
    const AAX_Result result = mIPageTableControllerV2->CreateTableCopyForEffectFromFile (
        inPageTableFilePath, inFilePathEncoding, inManufacturerID, inProductID, inPlugInID, inTableType,
        inTablePageSize, table);
    return WrapPageTable (result, table);
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath,
                                                                   AAX_ETextEncoding inFilePathEncoding,
                                                                   const char* inLayoutName,
                                                                   uint32_t inTableType,
                                                                   int32_t inTablePageSize) const
{
    if (!mIPageTableControllerV2)
        return nullptr;
    AAX_IACFPageTable_V2* table = CreatePageTable();
    const AAX_Result result = mIPageTableControllerV2->CreateTableCopyForLayoutFromFile (
        inPageTableFilePath, inFilePathEncoding, inLayoutName, inTableType, inTablePageSize, table);
    return WrapPageTable (result, table);
}
