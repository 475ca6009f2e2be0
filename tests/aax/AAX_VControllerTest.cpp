#include "AAX_VController.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_IPageTable.h"
#include "AAX_UIDs.h"
#include "InstanceHostOfferings.h"

#include <functional>
#include <memory>

using namespace kalvo::aaxhost;
using namespace kalvo::aaxhost::testing;

namespace
{
// A four-character code, built big-endian.
constexpr int32_t fourCC (const char (&c)[5])
{
    return static_cast<int32_t> ((static_cast<uint32_t> (c[0]) << 24) | (static_cast<uint32_t> (c[1]) << 16) |
                                 (static_cast<uint32_t> (c[2]) << 8) | static_cast<uint32_t> (c[3]));
}
constexpr int32_t kOrvn = fourCC ("Orvn"), kKlvp = fourCC ("Klvp"), kKlv1 = fourCC ("Klv1");
constexpr uint32_t kPgTL = static_cast<uint32_t> (fourCC ("PgTL"));
constexpr uint32_t kASPv = static_cast<uint32_t> (fourCC ("ASPv"));

struct ControllerRow
{
    const char* operation;
    int version;
    std::function<AAX_Result (AAX_VController&)> call;
};

std::vector<ControllerRow> controllerRows()
{
    return {
        { "GetEffectID", 1,
          [] (AAX_VController& c)
          {
              AAX_CString id;
              return c.GetEffectID (&id);
          } },
        { "GetSampleRate", 1,
          [] (AAX_VController& c)
          {
              AAX_CSampleRate rate = 0;
              return c.GetSampleRate (&rate);
          } },
        { "GetInputStemFormat", 1,
          [] (AAX_VController& c)
          {
              AAX_EStemFormat f = AAX_eStemFormat_None;
              return c.GetInputStemFormat (&f);
          } },
        { "GetOutputStemFormat", 1,
          [] (AAX_VController& c)
          {
              AAX_EStemFormat f = AAX_eStemFormat_None;
              return c.GetOutputStemFormat (&f);
          } },
        { "GetSignalLatency", 1,
          [] (AAX_VController& c)
          {
              int32_t s = 0;
              return c.GetSignalLatency (&s);
          } },
        { "GetCycleCount", 1,
          [] (AAX_VController& c)
          {
              AAX_CPropertyValue n = 0;
              return c.GetCycleCount (AAX_eProperty_NoID, &n);
          } },
        { "GetTODLocation", 1,
          [] (AAX_VController& c)
          {
              AAX_CTimeOfDay t = 0;
              return c.GetTODLocation (&t);
          } },
        { "SetSignalLatency", 1, [] (AAX_VController& c) { return c.SetSignalLatency (64); } },
        { "SetCycleCount", 1,
          [] (AAX_VController& c)
          {
              AAX_EProperty which = AAX_eProperty_NoID;
              AAX_CPropertyValue value = 100;
              return c.SetCycleCount (&which, &value, 1);
          } },
        { "PostPacket", 1,
          [] (AAX_VController& c)
          {
              const float one = 1.0f;
              return c.PostPacket (3, &one, sizeof (one));
          } },
        { "SendNotification", 2,
          [] (AAX_VController& c)
          {
              const int32_t word = 1;
              return c.SendNotification (0x41535076, &word, sizeof (word));
          } },
        { "SendNotification", 2, [] (AAX_VController& c) { return c.SendNotification (0x41535076); } },
        { "GetCurrentMeterValue", 1,
          [] (AAX_VController& c)
          {
              float v = 0;
              return c.GetCurrentMeterValue (0, &v);
          } },
        { "GetMeterPeakValue", 1,
          [] (AAX_VController& c)
          {
              float v = 0;
              return c.GetMeterPeakValue (0, &v);
          } },
        { "ClearMeterPeakValue", 1, [] (AAX_VController& c) { return c.ClearMeterPeakValue (0); } },
        { "GetMeterCount", 1,
          [] (AAX_VController& c)
          {
              uint32_t n = 0;
              return c.GetMeterCount (&n);
          } },
        { "GetMeterClipped", 1,
          [] (AAX_VController& c)
          {
              AAX_CBoolean clipped = 0;
              return c.GetMeterClipped (0, &clipped);
          } },
        { "ClearMeterClipped", 1, [] (AAX_VController& c) { return c.ClearMeterClipped (0); } },
        { "GetNextMIDIPacket", 1,
          [] (AAX_VController& c)
          {
              AAX_CFieldIndex port = -1;
              AAX_CMidiPacket packet;
              return c.GetNextMIDIPacket (&port, &packet);
          } },
        { "GetHybridSignalLatency", 2,
          [] (AAX_VController& c)
          {
              int32_t s = 0;
              return c.GetHybridSignalLatency (&s);
          } },
        { "GetCurrentAutomationTimestamp", 2,
          [] (AAX_VController& c)
          {
              AAX_CTransportCounter t = 0;
              return c.GetCurrentAutomationTimestamp (&t);
          } },
        { "GetHostName", 2,
          [] (AAX_VController& c)
          {
              AAX_CString name;
              return c.GetHostName (&name);
          } },
        { "GetPlugInTargetPlatform", 3,
          [] (AAX_VController& c)
          {
              AAX_CTargetPlatform p = 0;
              return c.GetPlugInTargetPlatform (&p);
          } },
        { "GetIsAudioSuite", 3,
          [] (AAX_VController& c)
          {
              AAX_CBoolean b = 0;
              return c.GetIsAudioSuite (&b);
          } },
    };
}

using ControllerProxy = InstanceHostTest;

void configureHost (HostInstance& instance)
{
    HostController::Settings settings;
    settings.sampleRate = 44100.0f;
    settings.meterValues = { 0.5f };
    instance.controller().configure (settings);
    AAX_CMidiPacket note;
    note.mLength = 3;
    note.mData[0] = 0x90;
    instance.controller().queueMIDIPacket (2, note);
    HostPageTable::Content table;
    table.pages = { { { 0, "MixMain" } } };
    instance.pageTables().addTableForEffect (kOrvn, kKlvp, kKlv1, kPgTL, table);
    instance.pageTables().addTableForLayout ("com.orvane.kalvopro", "Main", kPgTL, table);
    instance.pageTables().addTableFile ("/tables/kalvo.xml", table);
}
using ControllerOnFullHost = FullHostTest;
} // namespace

TEST_P (ControllerProxy, EachOperationForwardsOrAnswersItsFixedCode)
{
    const auto& offered = GetParam().versions.controller;
    configureHost (instance);
    {
        AAX_VController controller (instance.identity());
        for (const auto& row : controllerRows())
        {
            const AAX_Result withoutIt = row.version == 1 ? AAX_ERROR_NULL_OBJECT : AAX_ERROR_UNIMPLEMENTED;
            EXPECT_EQ (row.call (controller), offers (offered, row.version) ? AAX_SUCCESS : withoutIt)
                << row.operation;
        }
    }
    // Each forwarded operation reached the host through the version that introduced it.
    for (const auto& row : controllerRows())
    {
        const size_t expected = offers (offered, row.version)
                                    ? (row.operation == std::string ("SendNotification") ? 2u : 1u)
                                    : 0u;
        EXPECT_EQ (host.log().count (row.operation), expected) << row.operation;
        EXPECT_EQ (versionsOf (host, row.operation), std::vector<int> (expected, row.version))
            << row.operation;
    }
    expectBalanced();
}

TEST_P (ControllerProxy, TableCopiesNeedPageTableControllerAndFactory)
{
    const auto& v = GetParam().versions;
    configureHost (instance);
    {
        AAX_VController controller (instance.identity());
        // A page table can only be made where the host offers version 2 of page tables.
        const bool canMakeTables = v.componentFactory && offers (v.pageTable, 2);
        std::unique_ptr<AAX_IPageTable> byEffect (
            controller.CreateTableCopyForEffect (kOrvn, kKlvp, kKlv1, kPgTL, 8));
        std::unique_ptr<AAX_IPageTable> byLayout (
            controller.CreateTableCopyForLayout ("com.orvane.kalvopro", "Main", kPgTL, 8));
        std::unique_ptr<AAX_IPageTable> fromFile (controller.CreateTableCopyForEffectFromFile (
            "/tables/kalvo.xml", AAX_eTextEncoding_UTF8, kOrvn, kKlvp, kKlv1, kPgTL, 8));
        std::unique_ptr<AAX_IPageTable> layoutFile (controller.CreateTableCopyForLayoutFromFile (
            "/tables/kalvo.xml", AAX_eTextEncoding_UTF8, "Main", kPgTL, 8));
        std::unique_ptr<AAX_IPageTable> unknown (controller.CreateTableCopyForEffect (1, 2, 3, 4, 8));

        EXPECT_EQ (byEffect != nullptr, canMakeTables && offers (v.pageTableController, 1));
        EXPECT_EQ (byLayout != nullptr, canMakeTables && offers (v.pageTableController, 1));
        EXPECT_EQ (fromFile != nullptr, canMakeTables && offers (v.pageTableController, 2));
        EXPECT_EQ (layoutFile != nullptr, canMakeTables && offers (v.pageTableController, 2));
        EXPECT_EQ (unknown, nullptr); // the host failed the copy: the empty table went back
        if (byEffect != nullptr)
        {
            AAX_CString id;
            EXPECT_EQ (byEffect->GetMappedParameterID (0, 0, id), AAX_SUCCESS);
            EXPECT_STREQ (id.Get(), "MixMain");
        }
        EXPECT_EQ (host.log().count ("CreateTableCopyForEffect"),
                   offers (v.pageTableController, 1) ? 2u : 0u);
    }
    expectBalanced();
}

TEST_F (ControllerOnFullHost, ReadsHostSettings)
{
    configureHost (instance);
    AAX_VController controller (instance.identity());
    AAX_CSampleRate rate = 0;
    EXPECT_EQ (controller.GetSampleRate (&rate), AAX_SUCCESS);
    EXPECT_EQ (rate, 44100.0f);
    AAX_EStemFormat in = AAX_eStemFormat_None, out = AAX_eStemFormat_None;
    EXPECT_EQ (controller.GetInputStemFormat (&in), AAX_SUCCESS);
    EXPECT_EQ (controller.GetOutputStemFormat (&out), AAX_SUCCESS);
    EXPECT_EQ (in, AAX_eStemFormat_Stereo);
    EXPECT_EQ (out, AAX_eStemFormat_Stereo);
    EXPECT_EQ (controller.SetSignalLatency (128), AAX_SUCCESS);
    int32_t latency = 0;
    EXPECT_EQ (controller.GetSignalLatency (&latency), AAX_SUCCESS);
    EXPECT_EQ (latency, 128);
    AAX_CString effect;
    EXPECT_EQ (controller.GetEffectID (&effect), AAX_SUCCESS);
    EXPECT_STREQ (effect.Get(), "com.orvane.kalvopro");
    AAX_CFieldIndex port = -1;
    AAX_CMidiPacket packet;
    EXPECT_EQ (controller.GetNextMIDIPacket (&port, &packet), AAX_SUCCESS);
    EXPECT_EQ (port, 2);
    EXPECT_EQ (packet.mData[0], 0x90);

    const float one = 1.0f;
    EXPECT_EQ (controller.PostPacket (3, &one, 4), AAX_SUCCESS);
    const auto packets = instance.controller().packets();
    ASSERT_EQ (packets.size(), 1u);
    EXPECT_EQ (packets[0].port, 3);
    EXPECT_EQ (packets[0].bytes, std::vector<uint8_t> ({ 0x00, 0x00, 0x80, 0x3F }));
}

TEST_P (ControllerProxy, MissingNewerVersionsWriteZeroIntoOutputs)
{
    const auto& offered = GetParam().versions.controller;
    AAX_VController controller (instance.identity());
    if (!offers (offered, 2))
    {
        int32_t hybrid = 77;
        EXPECT_EQ (controller.GetHybridSignalLatency (&hybrid), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (hybrid, 0);
        AAX_CTransportCounter stamp = 77;
        EXPECT_EQ (controller.GetCurrentAutomationTimestamp (&stamp), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (stamp, 0);
        AAX_CString name ("unchanged");
        EXPECT_EQ (controller.GetHostName (&name), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (controller.SendNotification (1), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (controller.GetHybridSignalLatency (nullptr), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (controller.GetCurrentAutomationTimestamp (nullptr), AAX_ERROR_UNIMPLEMENTED);
    }
    if (!offers (offered, 3))
    {
        AAX_CTargetPlatform platform = 77;
        EXPECT_EQ (controller.GetPlugInTargetPlatform (&platform), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (platform, 0);
        AAX_CBoolean audioSuite = 77;
        EXPECT_EQ (controller.GetIsAudioSuite (&audioSuite), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (audioSuite, 0);
        EXPECT_EQ (controller.GetIsAudioSuite (nullptr), AAX_ERROR_UNIMPLEMENTED);
    }
    if (!offers (offered, 1))
    {
        AAX_CSampleRate rate = 77.0f; // version 1 missing: the output is left alone
        EXPECT_EQ (controller.GetSampleRate (&rate), AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (rate, 77.0f);
    }
}

TEST_F (ControllerOnFullHost, TableCopyCountsOnlyWithAResultOfZero)
{
    configureHost (instance);
    {
        AAX_VController controller (instance.identity());
        // The host fills the table but answers a code other than 0: the copy is given back.
        for (const AAX_Result answer : std::vector<AAX_Result>{ 1, AAX_ERROR_UNIMPLEMENTED })
        {
            host.overrideResult (instance.label(), "CreateTableCopyForEffect", answer);
            EXPECT_EQ (controller.CreateTableCopyForEffect (kOrvn, kKlvp, kKlv1, kPgTL, 1), nullptr)
                << answer;
        }
        host.clearResultOverrides();
        std::unique_ptr<AAX_IPageTable> table (
            controller.CreateTableCopyForEffect (kOrvn, kKlvp, kKlv1, kPgTL, 1));
        EXPECT_NE (table, nullptr);
    }
    EXPECT_EQ (host.log().count ("CreateTableCopyForEffect"), 3u);
}

TEST_F (ControllerOnFullHost, SingleArgumentNotificationSendsNoData)
{
    AAX_VController controller (instance.identity());
    EXPECT_EQ (controller.SendNotification (kASPv), AAX_SUCCESS);
    const auto sent = instance.controller().notifications();
    ASSERT_EQ (sent.size(), 1u);
    EXPECT_EQ (sent[0].type, static_cast<AAX_CTypeID> (kASPv));
    EXPECT_TRUE (sent[0].nullData);
    EXPECT_TRUE (sent[0].data.empty());
}

TEST (ControllerProxyOverHost, FailedFactoryQueryStillConstructs)
{
    StandInHost host;
    auto& instance = host.make<HostInstance>();
    host.inject (IID_IACFComponentFactory, HostInjection::FailWithObject);
    {
        AAX_VController controller (instance.identity());
        EXPECT_EQ (controller.CreatePageTable(), nullptr);
        AAX_CSampleRate rate = 0;
        EXPECT_EQ (controller.GetSampleRate (&rate), AAX_SUCCESS);
        EXPECT_EQ (controller.CreateTableCopyForEffect (1, 2, 3, 4, 5), nullptr);
    }
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
}

TEST (ControllerProxyOverHost, FactoryNeedsANonNegativeResultThePageTableExactlyZero)
{
    StandInHost host;
    auto& instance = host.make<HostInstance>();
    host.inject (IID_IACFComponentFactory, HostInjection::SucceedWithCode);
    {
        // A factory query answered with a positive code is a success: the factory is kept.
        AAX_VController controller (instance.identity());
        AAX_IACFPageTable_V2* table = controller.CreatePageTable();
        EXPECT_NE (table, nullptr);
        if (table != nullptr)
            table->Release();
    }
    host.clearInjections();
    host.inject (IID_IAAXPageTableV2, HostInjection::SucceedWithCode);
    {
        // A new page table counts only with a result of exactly 0; what came back is given back.
        auto& second = host.make<HostInstance>();
        AAX_VController controller (second.identity());
        EXPECT_EQ (controller.CreatePageTable(), nullptr);
    }
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
    for (const auto& fault : host.faults())
        ADD_FAILURE() << "host noticed: " << fault;
}

TEST (ControllerProxyOverHost, FailedVersionQueriesReleaseWhatCameBack)
{
    StandInHost host;
    auto& instance = host.make<HostInstance>();
    host.inject (IID_IAAXControllerV2, HostInjection::FailWithObject);
    host.inject (IID_IAAXControllerV3, HostInjection::SucceedWithNull);
    {
        AAX_VController controller (instance.identity());
        EXPECT_EQ (controller.SendNotification (1), AAX_ERROR_UNIMPLEMENTED);
        AAX_CBoolean audioSuite = 1;
        EXPECT_EQ (controller.GetIsAudioSuite (&audioSuite), AAX_ERROR_UNIMPLEMENTED);
        AAX_CSampleRate rate = 0;
        EXPECT_EQ (controller.GetSampleRate (&rate), AAX_SUCCESS);
    }
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
}

TEST (ControllerProxyOverNull, AnswersFixedCodes)
{
    AAX_VController controller (nullptr);
    AAX_CSampleRate rate = 3.0f;
    EXPECT_EQ (controller.GetSampleRate (&rate), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (rate, 3.0f);
    EXPECT_EQ (controller.SendNotification (1), AAX_ERROR_UNIMPLEMENTED);
    AAX_CTransportCounter stamp = 5;
    EXPECT_EQ (controller.GetCurrentAutomationTimestamp (&stamp), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (stamp, 0);
    EXPECT_EQ (controller.CreatePageTable(), nullptr);
    EXPECT_EQ (controller.CreateTableCopyForLayout ("a", "b", 1, 2), nullptr);
}

INSTANTIATE_TEST_SUITE_P (Offerings, ControllerProxy, ::testing::ValuesIn (allOfferings()), offeringName);
