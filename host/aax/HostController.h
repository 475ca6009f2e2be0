// The host's controller for one instance: sample rate, stem formats, latency, cycle counts, meters,
// MIDI packets and notifications as the test sets them, and every packet the plug-in posts.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "AAX_IACFController_V3.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostController
{
public:
    struct PostedPacket
    {
        AAX_CFieldIndex port;
        std::vector<uint8_t> bytes;
    };

    struct Notification
    {
        AAX_CTypeID type;
        std::vector<uint8_t> data;
        bool nullData;
    };

    struct Settings
    {
        std::string effectID = "com.orvane.kalvopro";
        std::string hostName = "KalvoPro Stand-in Host";
        AAX_CSampleRate sampleRate = 48000.0f;
        AAX_EStemFormat inputStemFormat = AAX_eStemFormat_Stereo;
        AAX_EStemFormat outputStemFormat = AAX_eStemFormat_Stereo;
        int32_t hybridLatency = 0;
        AAX_CTimeOfDay timeOfDay = 0;
        AAX_CTransportCounter automationTimestamp = 0;
        AAX_CTargetPlatform targetPlatform = 0;
        bool audioSuite = false;
        std::vector<float> meterValues; // one entry per meter
    };

    explicit HostController (HostObject& owner);

    void* facetFor (const acfIID& iid, const std::set<int>& offered);

    void configure (const Settings& newSettings);
    Settings settings() const;
    int32_t signalLatency() const;
    std::map<int32_t, int32_t> cycleCounts() const;
    std::vector<PostedPacket> packets() const;
    void clearPackets();
    std::vector<Notification> notifications() const;
    // MIDI packets the plug-in reads next, in order.
    void queueMIDIPacket (AAX_CFieldIndex port, const AAX_CMidiPacket& packet);

private:
    class Facet final : public HostFacet<AAX_IACFController_V3>
    {
    public:
        Facet (HostController& stateToUse, HostObject& ownerToUse, int versionToUse)
            : HostFacet (ownerToUse, versionToUse), state (stateToUse)
        {
        }

        AAX_Result GetEffectID (AAX_IString* outEffectID) override;
        AAX_Result GetSampleRate (AAX_CSampleRate* outSampleRate) override;
        AAX_Result GetInputStemFormat (AAX_EStemFormat* outStemFormat) override;
        AAX_Result GetOutputStemFormat (AAX_EStemFormat* outStemFormat) override;
        AAX_Result GetSignalLatency (int32_t* outSamples) override;
        AAX_Result GetCycleCount (AAX_EProperty inWhichCycleCount, AAX_CPropertyValue* outNumCycles) override;
        AAX_Result GetTODLocation (AAX_CTimeOfDay* outTODLocation) override;
        AAX_Result SetSignalLatency (int32_t inNumSamples) override;
        AAX_Result SetCycleCount (AAX_EProperty* inWhichCycleCounts, AAX_CPropertyValue* inValues,
                                  int32_t inNumValues) override;
        AAX_Result PostPacket (AAX_CFieldIndex inFieldIndex, const void* inPayload,
                               uint32_t inPayloadSize) override;
        AAX_Result GetCurrentMeterValue (AAX_CTypeID inMeterID, float* outMeterValue) override;
        AAX_Result GetMeterPeakValue (AAX_CTypeID inMeterID, float* outMeterPeakValue) override;
        AAX_Result ClearMeterPeakValue (AAX_CTypeID inMeterID) override;
        AAX_Result GetMeterClipped (AAX_CTypeID inMeterID, AAX_CBoolean* outClipped) override;
        AAX_Result ClearMeterClipped (AAX_CTypeID inMeterID) override;
        AAX_Result GetMeterCount (uint32_t* outMeterCount) override;
        AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* outPort, AAX_CMidiPacket* outPacket) override;
        AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                     uint32_t inNotificationDataSize) override;
        AAX_Result GetHybridSignalLatency (int32_t* outSamples) override;
        AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) override;
        AAX_Result GetHostName (AAX_IString* outHostNameString) override;
        AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* outTargetPlatform) override;
        AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) override;

    private:
        HostController& state;
    };

    mutable std::mutex lock;
    Settings current;
    int32_t latency = 0;
    std::map<int32_t, int32_t> cycles;
    std::vector<PostedPacket> posted;
    std::vector<Notification> sent;
    std::deque<std::pair<AAX_CFieldIndex, AAX_CMidiPacket>> midi;
    std::vector<float> meterPeaks;
    std::vector<bool> meterClips;

    Facet v1;
    Facet v2;
    Facet v3;
};
} // namespace kalvo::aaxhost
