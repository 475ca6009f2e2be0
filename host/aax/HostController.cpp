#include "HostController.h"

#include <algorithm>

#include "AAX_Errors.h"
#include "AAX_IString.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"

namespace kalvo::aaxhost
{
namespace
{
std::vector<uint8_t> bytesOf (const void* data, uint32_t size)
{
    const auto* first = static_cast<const uint8_t*> (data);
    return data != nullptr ? std::vector<uint8_t> (first, first + size) : std::vector<uint8_t>();
}

std::string hexBytes (const std::vector<uint8_t>& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (const auto b : bytes)
    {
        if (!text.empty())
            text += ' ';
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}
} // namespace

HostController::HostController (HostObject& owner)
    : v1 (*this, owner, 1), v2 (*this, owner, 2), v3 (*this, owner, 3)
{
}

void* HostController::facetFor (const acfIID& iid, const std::set<int>& offered)
{
    if (iid == IID_IAAXControllerV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFController*> (&v1);
    if (iid == IID_IAAXControllerV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFController_V2*> (&v2);
    if (iid == IID_IAAXControllerV3 && offered.count (3) != 0)
        return static_cast<AAX_IACFController_V3*> (&v3);
    return nullptr;
}

void HostController::configure (const Settings& newSettings)
{
    const std::lock_guard<std::mutex> guard (lock);
    current = newSettings;
    meterPeaks = current.meterValues;
    meterClips.assign (current.meterValues.size(), false);
}

HostController::Settings HostController::settings() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return current;
}

int32_t HostController::signalLatency() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return latency;
}

std::map<int32_t, int32_t> HostController::cycleCounts() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return cycles;
}

std::vector<HostController::PostedPacket> HostController::packets() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return posted;
}

void HostController::clearPackets()
{
    const std::lock_guard<std::mutex> guard (lock);
    posted.clear();
}

std::vector<HostController::Notification> HostController::notifications() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return sent;
}

void HostController::queueMIDIPacket (AAX_CFieldIndex port, const AAX_CMidiPacket& packet)
{
    const std::lock_guard<std::mutex> guard (lock);
    midi.emplace_back (port, packet);
}

AAX_Result HostController::Facet::GetEffectID (AAX_IString* outEffectID)
{
    owner.record (version, "GetEffectID");
    if (outEffectID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    outEffectID->Set (state.settings().effectID.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetSampleRate (AAX_CSampleRate* outSampleRate)
{
    owner.record (version, "GetSampleRate");
    if (outSampleRate == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSampleRate = state.settings().sampleRate;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetInputStemFormat (AAX_EStemFormat* outStemFormat)
{
    owner.record (version, "GetInputStemFormat");
    if (outStemFormat == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outStemFormat = state.settings().inputStemFormat;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetOutputStemFormat (AAX_EStemFormat* outStemFormat)
{
    owner.record (version, "GetOutputStemFormat");
    if (outStemFormat == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outStemFormat = state.settings().outputStemFormat;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetSignalLatency (int32_t* outSamples)
{
    owner.record (version, "GetSignalLatency");
    if (outSamples == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSamples = state.signalLatency();
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetCycleCount (AAX_EProperty inWhichCycleCount,
                                                 AAX_CPropertyValue* outNumCycles)
{
    owner.record (version, "GetCycleCount", { HostCallLog::number (inWhichCycleCount) });
    if (outNumCycles == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto counts = state.cycleCounts();
    const auto it = counts.find (inWhichCycleCount);
    *outNumCycles = it != counts.end() ? it->second : 0;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetTODLocation (AAX_CTimeOfDay* outTODLocation)
{
    owner.record (version, "GetTODLocation");
    if (outTODLocation == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outTODLocation = state.settings().timeOfDay;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::SetSignalLatency (int32_t inNumSamples)
{
    owner.record (version, "SetSignalLatency", { HostCallLog::number (inNumSamples) });
    const std::lock_guard<std::mutex> guard (state.lock);
    state.latency = inNumSamples;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::SetCycleCount (AAX_EProperty* inWhichCycleCounts,
                                                 AAX_CPropertyValue* inValues, int32_t inNumValues)
{
    owner.record (version, "SetCycleCount", { HostCallLog::number (inNumValues) });
    if (inNumValues < 0 || (inNumValues > 0 && (inWhichCycleCounts == nullptr || inValues == nullptr)))
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (state.lock);
    for (int32_t i = 0; i < inNumValues; ++i)
        state.cycles[inWhichCycleCounts[i]] = inValues[i];
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload,
                                              uint32_t inPayloadSize)
{
    auto bytes = bytesOf (inPayload, inPayloadSize);
    owner.record (version, "PostPacket", { HostCallLog::number (inFieldIndex), hexBytes (bytes) });
    if (inPayload == nullptr && inPayloadSize != 0)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (state.lock);
    state.posted.push_back ({ inFieldIndex, std::move (bytes) });
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue)
{
    owner.record (version, "GetCurrentMeterValue", { HostCallLog::number (inMeterID) });
    const std::lock_guard<std::mutex> guard (state.lock);
    if (inMeterID >= state.current.meterValues.size())
        return AAX_ERROR_INVALID_METER_INDEX;
    if (outMeterValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outMeterValue = state.current.meterValues[inMeterID];
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue)
{
    owner.record (version, "GetMeterPeakValue", { HostCallLog::number (inMeterID) });
    const std::lock_guard<std::mutex> guard (state.lock);
    if (inMeterID >= state.meterPeaks.size())
        return AAX_ERROR_INVALID_METER_INDEX;
    if (outMeterPeakValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outMeterPeakValue = state.meterPeaks[inMeterID];
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::ClearMeterPeakValue (AAX_CTypeID inMeterID)
{
    owner.record (version, "ClearMeterPeakValue", { HostCallLog::number (inMeterID) });
    const std::lock_guard<std::mutex> guard (state.lock);
    if (inMeterID >= state.meterPeaks.size())
        return AAX_ERROR_INVALID_METER_INDEX;
    state.meterPeaks[inMeterID] = 0.0f;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped)
{
    owner.record (version, "GetMeterClipped", { HostCallLog::number (inMeterID) });
    const std::lock_guard<std::mutex> guard (state.lock);
    if (inMeterID >= state.meterClips.size())
        return AAX_ERROR_INVALID_METER_INDEX;
    if (outClipped == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outClipped = state.meterClips[inMeterID] ? 1 : 0;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::ClearMeterClipped (AAX_CTypeID inMeterID)
{
    owner.record (version, "ClearMeterClipped", { HostCallLog::number (inMeterID) });
    const std::lock_guard<std::mutex> guard (state.lock);
    if (inMeterID >= state.meterClips.size())
        return AAX_ERROR_INVALID_METER_INDEX;
    state.meterClips[inMeterID] = false;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetMeterCount (uint32_t* outMeterCount)
{
    owner.record (version, "GetMeterCount");
    if (outMeterCount == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outMeterCount = static_cast<uint32_t> (state.settings().meterValues.size());
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket)
{
    owner.record (version, "GetNextMIDIPacket");
    if (outPort == nullptr || outPacket == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (state.lock);
    if (state.midi.empty())
        return AAX_ERROR_NULL_OBJECT; // nothing left to read
    *outPort = state.midi.front().first;
    *outPacket = state.midi.front().second;
    state.midi.pop_front();
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::SendNotification (AAX_CTypeID inNotificationType,
                                                    const void* inNotificationData,
                                                    uint32_t inNotificationDataSize)
{
    auto data = bytesOf (inNotificationData, inNotificationDataSize);
    owner.record (version, "SendNotification",
                  { HostCallLog::hex (inNotificationType), HostCallLog::pointer (inNotificationData),
                    HostCallLog::number (inNotificationDataSize) });
    const std::lock_guard<std::mutex> guard (state.lock);
    state.sent.push_back ({ inNotificationType, std::move (data), inNotificationData == nullptr });
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetHybridSignalLatency (int32_t* outSamples)
{
    owner.record (version, "GetHybridSignalLatency");
    if (outSamples == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSamples = state.settings().hybridLatency;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp)
{
    owner.record (version, "GetCurrentAutomationTimestamp");
    if (outTimestamp == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outTimestamp = state.settings().automationTimestamp;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetHostName (AAX_IString* outHostNameString)
{
    owner.record (version, "GetHostName");
    if (outHostNameString == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    outHostNameString->Set (state.settings().hostName.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetPlugInTargetPlatform (AAX_CTargetPlatform* outTargetPlatform)
{
    owner.record (version, "GetPlugInTargetPlatform");
    if (outTargetPlatform == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outTargetPlatform = state.settings().targetPlatform;
    return AAX_SUCCESS;
}

AAX_Result HostController::Facet::GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite)
{
    owner.record (version, "GetIsAudioSuite");
    if (outIsAudioSuite == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outIsAudioSuite = state.settings().audioSuite ? 1 : 0;
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
