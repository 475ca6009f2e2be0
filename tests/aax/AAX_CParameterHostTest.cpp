// Typed parameters against the stand-in host: assertion reports reach the host services, and set
// requests travel through the host's automation queue and come back as value updates.
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_VAutomationDelegate.h"
#include "AaxHostTest.h"
#include "HostInstance.h"

#include <cstring>
#include <memory>
#include <string>

using namespace kalvo::aaxhost;

namespace
{
class ParameterOnHost : public kalvo::aaxtest::AaxHostTest
{
protected:
    static std::unique_ptr<AAX_CParameter<float>> make (const char* id)
    {
        return std::make_unique<AAX_CParameter<float>> (id, AAX_CString ("Name"), 0.5f,
                                                        AAX_CLinearTaperDelegate<float, 0>(),
                                                        AAX_CNumberDisplayDelegate<float, 3>(), true);
    }

    HostInstance& instance = host.make<HostInstance>();
};
} // namespace

TEST_F (ParameterOnHost, LongIdentifierIsReportedAndCutTo31Characters)
{
    StartServices();
    const std::string longID (40, 'x');
    auto p = make (longID.c_str());
    EXPECT_EQ (std::strlen (p->Identifier()), 31u);
    EXPECT_EQ (std::string (p->Identifier()), std::string (31, 'x'));
    const auto reports = host.assertions();
    ASSERT_EQ (reports.size(), 1u);
    EXPECT_EQ (reports[0].note, "len < eParemeterDefaultMaxIdentifierSize");
    EXPECT_EQ (reports[0].flags, 1);
    EXPECT_NE (reports[0].file.find ("AAX_CParameterValue.h"), std::string::npos) << reports[0].file;
    EXPECT_GT (reports[0].line, 0);

    // Exactly 31 characters fit without a report; cloning a value reports nothing more.
    auto fits = make (std::string (31, 'y').c_str());
    std::unique_ptr<AAX_IParameterValue> clone (p->CloneValue());
    EXPECT_EQ (std::strlen (clone->Identifier()), 31u);
    EXPECT_EQ (host.assertions().size(), 1u);
}

TEST_F (ParameterOnHost, ZeroStepsAreReportedAndIgnored)
{
    StartServices();
    auto p = make ("Power");
    p->SetNumberOfSteps (0);
    EXPECT_EQ (p->GetNumberOfSteps(), 128u);
    const auto reports = host.assertions();
    ASSERT_EQ (reports.size(), 1u);
    EXPECT_EQ (reports[0].note, "0 < numSteps");
    EXPECT_NE (reports[0].file.find ("AAX_CParameter.h"), std::string::npos);
}

TEST_F (ParameterOnHost, ReportsAreDroppedWithoutHostServices)
{
    auto p = make (std::string (40, 'z').c_str());
    p->SetNumberOfSteps (0);
    EXPECT_TRUE (host.assertions().empty());
    EXPECT_EQ (std::strlen (p->Identifier()), 31u);
}

TEST_F (ParameterOnHost, RequestsRoundTripThroughTheHostQueue)
{
    {
        AAX_VAutomationDelegate automation (instance.identity());
        AAX_CParameterManager manager;
        manager.Initialize (&automation);
        manager.AddParameter (make ("MixMain").release());
        manager.AddParameter (make ("MixLow").release());
        EXPECT_EQ (instance.automation().registeredParameters(),
                   (std::set<std::string>{ "MixMain", "MixLow" }));

        auto* mix = manager.GetParameterByID ("MixMain");
        EXPECT_TRUE (mix->SetValueWithFloat (0.8f));
        float value = 0.0f;
        mix->GetValueAsFloat (&value);
        EXPECT_EQ (value, 0.5f); // waits for the host

        auto events = instance.automation().takeEvents();
        ASSERT_EQ (events.size(), 3u);
        EXPECT_EQ (events[0].kind, AutomationEvent::Kind::Touch);
        EXPECT_EQ (events[1].kind, AutomationEvent::Kind::SetValueRequest);
        EXPECT_EQ (events[2].kind, AutomationEvent::Kind::Release);
        EXPECT_STREQ (events[1].parameterID, "MixMain");

        // The host confirms: the value changes and the parameter posts its current value once.
        manager.GetParameterByID (events[1].parameterID)->UpdateNormalizedValue (events[1].value);
        mix->GetValueAsFloat (&value);
        EXPECT_FLOAT_EQ (value, 0.8f);
        events = instance.automation().takeEvents();
        ASSERT_EQ (events.size(), 1u);
        EXPECT_EQ (events[0].kind, AutomationEvent::Kind::CurrentValue);
        mix->UpdateNormalizedValue (events[0].value); // the same again: no new post
        EXPECT_TRUE (instance.automation().takeEvents().empty());
    }
    // Removing the parameters unregistered them; the proxy gave its reference back.
    EXPECT_TRUE (instance.automation().registeredParameters().empty());
}

TEST_F (ParameterOnHost, HostWithoutAutomationChangesNothing)
{
    instance.versions().automationDelegate.clear();
    AAX_VAutomationDelegate automation (instance.identity());
    auto p = make ("MixHigh");
    p->SetAutomationDelegate (&automation);
    EXPECT_TRUE (p->SetValueWithFloat (0.9f)); // posted to nobody
    float value = 0.0f;
    p->GetValueAsFloat (&value);
    EXPECT_EQ (value, 0.5f);
    p->SetAutomationDelegate (nullptr);
}
