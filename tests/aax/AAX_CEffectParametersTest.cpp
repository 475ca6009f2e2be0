// The effect-parameters base as the host drives it: initialisation, parameter operations by
// identifier, value updates and the change count, notifications, packets and tear-down.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "AAX_Errors.h"
#include "AaxHostTest.h"
#include "ChunkRecord.h"
#include "HostInstance.h"
#include "HostPageTable.h"
#include "TestEffect.h"

using kalvo::aaxhost::AutomationEvent;
using kalvo::aaxhost::HostCall;
using kalvo::aaxhost::HostInstance;
using kalvo::aaxtest::Held;
using kalvo::aaxtest::ParameterSpec;
using kalvo::aaxtest::TestEffect;
using K = ParameterSpec::Kind;

namespace
{
constexpr AAX_CTypeID elck = 0x656C636B;
constexpr AAX_CTypeID previewState = 0x41535076; // 'ASPv'

const std::vector<ParameterSpec> threeParameters = { { K::Float, "MixLow", 0.9 },
                                                     { K::Int32, "Steps", 7 },
                                                     { K::Double, "Fine", 0.25 } };

class EffectParameters : public kalvo::aaxtest::AaxHostTest
{
protected:
    void SetUp() override { ASSERT_EQ (effect->Initialize (instance.identity()), AAX_SUCCESS); }
    void TearDown() override
    {
        effect->Uninitialize();
        holder.reset();
        AaxHostTest::TearDown();
    }

    std::vector<AutomationEvent> requests() { return instance.automation().takeSetValueRequests(); }
    size_t takePackets()
    {
        const size_t count = instance.controller().packets().size();
        instance.controller().clearPackets();
        return count;
    }

    HostInstance& instance = host.make<HostInstance>();
    std::unique_ptr<Held<TestEffect>> holder =
        std::make_unique<Held<TestEffect>> (new TestEffect (threeParameters));
    TestEffect* effect = holder->get();
};

// Shortened names as a parameter holds them, one variant per line.
class NamedParameter final : public AAX_CParameter<float>
{
public:
    NamedParameter (const char* id, const char* shortened)
        : AAX_CParameter<float> (id, AAX_CString (id), 0.5f, AAX_CLinearTaperDelegate<float>(),
                                 AAX_CNumberDisplayDelegate<float, 3>()),
          text (shortened)
    {
    }
    const AAX_CString& ShortenedName (int32_t) const override { return text; }

private:
    AAX_CString text;
};

class ThrowingParameter final : public AAX_CParameter<float>
{
public:
    ThrowingParameter()
        : AAX_CParameter<float> ("Throws", AAX_CString ("Throws"), 0.5f, AAX_CLinearTaperDelegate<float>(),
                                 AAX_CNumberDisplayDelegate<float, 3>())
    {
    }
    bool GetValueAsFloat (float*) const override { throw std::runtime_error ("value unavailable"); }
};
} // namespace

TEST_F (EffectParameters, InitializeMakesProxiesThenParametersThenFilters)
{
    std::vector<std::string> order;
    for (const auto& call : host.log().calls())
    {
        const std::string text = call.kind == HostCall::Kind::Query ? call.args.at (0) : call.operation;
        if (call.kind != HostCall::Kind::RefCount && (order.empty() || order.back() != text))
            order.push_back (text);
    }
    const std::vector<std::string> expected = {
        "IID_IAAXControllerV1",          "IID_IAAXControllerV2",
        "IID_IAAXControllerV3",          "IID_IAAXPageTableController",
        "IID_IAAXPageTableControllerV2", "IID_IACFComponentFactory",
        "IID_IAAXAutomationDelegateV1",  "IID_IAAXTransportV1",
        "IID_IAAXTransportV2",           "RegisterParameter"
    };
    EXPECT_EQ (order, expected);
    EXPECT_EQ (instance.automation().registeredParameters(),
               (std::set<std::string>{ "MixLow", "Steps", "Fine", "MasterBypassID" }));
    EXPECT_EQ (effect->chunkedParameters(), 3);
    AAX_CString bypass;
    EXPECT_EQ (effect->GetMasterBypassParameter (&bypass), AAX_SUCCESS);
    EXPECT_EQ (bypass, AAX_CString ("MasterBypassID"));
    EXPECT_NE (effect->Controller(), nullptr);
    EXPECT_NE (effect->Transport(), nullptr);

    effect->Uninitialize();
    EXPECT_EQ (effect->Controller(), nullptr);
    EXPECT_EQ (effect->Transport(), nullptr);
    EXPECT_TRUE (instance.automation().registeredParameters().empty());
    double value = 0.0;
    EXPECT_EQ (effect->GetParameterNormalizedValue ("MixLow", &value), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (effect->GenerateCoefficients(), AAX_SUCCESS); // no controller: nothing to post
    EXPECT_EQ (host.outstandingReferences(), 0);
}

TEST_F (EffectParameters, AnswersByIdentifier)
{
    AAX_CString text;
    double value = 0.0;
    int32_t number = 0;
    AAX_CBoolean flag = 0;
    AAX_EParameterType type{};
    AAX_EParameterOrientation orientation{};
    AAX_IParameter* parameter = nullptr;
    // Each operation with the identifier id; the result for a known one, then for an unknown one.
#define ROW(call, known, unknown)                                                                            \
    {                                                                                                        \
#call, [&](AAX_CParamID id) { return effect->call; }, known, unknown                                 \
    }
    const std::vector<
        std::tuple<const char*, std::function<AAX_Result (AAX_CParamID)>, AAX_Result, AAX_Result>>
        rows = {
            ROW (GetParameterIsAutomatable (id, &flag), 0, -20001),
            ROW (GetParameterNumberOfSteps (id, &number), 0, -20001),
            ROW (GetParameterName (id, &text), 0, 0),
            ROW (GetParameterNameOfLength (id, &text, 4), 0, 0),
            ROW (GetParameterDefaultNormalizedValue (id, &value), 0, -20001),
            ROW (SetParameterDefaultNormalizedValue (id, 0.5), 0, -20001),
            ROW (GetParameterType (id, &type), 0, -20001),
            ROW (GetParameterOrientation (id, &orientation), 0, -20001),
            ROW (GetParameter (id, &parameter), 0, -20001),
            ROW (GetParameterIndex (id, &number), 0, -20001),
            ROW (GetParameterValueInfo (id, 0, &number), -20009, -20009),
            ROW (GetParameterValueFromString (id, &value, AAX_CString ("0.75")), 0, -20001),
            ROW (GetParameterStringFromValue (id, 0.5, &text, 8), 0, -20001),
            ROW (GetParameterValueString (id, &text, 8), 0, -20001),
            ROW (GetParameterNormalizedValue (id, &value), 0, -20001),
            ROW (SetParameterNormalizedValue (id, 0.5), 0, -20001),
            ROW (SetParameterNormalizedRelative (id, 0.1), 0, -20001),
            ROW (TouchParameter (id), 0, -20001),
            ROW (ReleaseParameter (id), 0, -20001),
            ROW (UpdateParameterTouch (id, 1), 0, 0),
            ROW (UpdateParameterNormalizedValue (id, 0.5, AAX_eUpdateSource_Unspecified), 0, -20001),
            ROW (UpdateParameterNormalizedRelative (id, 0.1), 0, -20001),
        };
#undef ROW
    for (const auto& [name, call, known, unknown] : rows)
    {
        EXPECT_EQ (call ("Nope"), unknown) << name;
        EXPECT_EQ (call (nullptr), unknown) << name;
        EXPECT_EQ (call ("Fine"), known) << name;
    }
    EXPECT_EQ (effect->GetParameter ("Nope", &parameter), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (parameter, nullptr);
    EXPECT_EQ (effect->GetParameterName ("Nope", &text), AAX_SUCCESS);
    EXPECT_EQ (text, AAX_CString (""));
    EXPECT_EQ (number, 0); // the value-info selector always answers 0
    EXPECT_EQ (effect->GetParameterValueFromString ("Fine", &value, AAX_CString ("x")),
               AAX_ERROR_INVALID_STRING_CONVERSION);
    EXPECT_EQ (effect->GetParameterStringFromValue ("Fine", 0.5, &text, 8), AAX_SUCCESS);
    EXPECT_EQ (text, AAX_CString ("0.500"));
    EXPECT_EQ (effect->GetParameterIndex ("Fine", &number), AAX_SUCCESS);
    EXPECT_EQ (number, 2);
    EXPECT_EQ (effect->GetParameterIDFromIndex (1, &text), AAX_SUCCESS);
    EXPECT_EQ (text, AAX_CString ("Steps"));
    EXPECT_EQ (effect->GetParameterIDFromIndex (4, &text), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ (text, AAX_CString (""));

    // Null outputs from the host are answered, never written through.
    uint32_t written = 9;
    const std::vector<AAX_Result> nulls = {
        effect->GetNumberOfParameters (nullptr),
        effect->GetMasterBypassParameter (nullptr),
        effect->GetParameterIsAutomatable ("Fine", nullptr),
        effect->GetParameterNumberOfSteps ("Fine", nullptr),
        effect->GetParameterName ("Fine", nullptr),
        effect->GetParameterDefaultNormalizedValue ("Fine", nullptr),
        effect->GetParameterType ("Fine", nullptr),
        effect->GetParameterOrientation ("Fine", nullptr),
        effect->GetParameter ("Fine", nullptr),
        effect->GetParameterIndex ("Fine", nullptr),
        effect->GetParameterIDFromIndex (0, nullptr),
        effect->GetParameterValueFromString ("Fine", nullptr, AAX_CString ("1")),
        effect->GetParameterStringFromValue ("Fine", 0.5, nullptr, 8),
        effect->GetParameterValueString ("Fine", nullptr, 8),
        effect->GetParameterNormalizedValue ("Fine", nullptr),
        effect->GetNumberOfChanges (nullptr),
    };
    for (size_t i = 0; i < nulls.size(); ++i)
        EXPECT_EQ (nulls[i], AAX_ERROR_NULL_OBJECT) << "row " << i;
    EXPECT_EQ (effect->GetParameterNameOfLength ("Fine", nullptr, 4), AAX_ERROR_INVALID_STRING_CONVERSION);
    EXPECT_EQ (effect->GetCustomData (0, 4, &flag, &written), AAX_SUCCESS);
    EXPECT_EQ (written, 0u);
}

TEST_F (EffectParameters, RelativeChangesAreClampedAndUpdatesCountRealChanges)
{
    // Requests go to the host; only its confirmed update changes the value.
    EXPECT_EQ (effect->SetParameterNormalizedRelative ("MixLow", 0.3), AAX_SUCCESS);
    EXPECT_EQ (effect->SetParameterNormalizedRelative ("MixLow", -2.0), AAX_SUCCESS);
    auto posted = requests();
    ASSERT_EQ (posted.size(), 2u);
    EXPECT_EQ (posted[0].value, 1.0);
    EXPECT_EQ (posted[1].value, 0.0);

    int32_t changes = -1;
    double value = 0.0;
    effect->GenerateCoefficients();
    takePackets();
    EXPECT_EQ (effect->UpdateParameterNormalizedValue ("Fine", 0.25, AAX_eUpdateSource_Parameter),
               AAX_SUCCESS);
    EXPECT_EQ (effect->GetNumberOfChanges (&changes), AAX_SUCCESS);
    EXPECT_EQ (changes, 0); // the same value: dirty, but no change
    EXPECT_EQ (effect->GenerateCoefficients(), AAX_SUCCESS);
    ASSERT_EQ (takePackets(), 1u);

    EXPECT_EQ (effect->UpdateParameterNormalizedRelative ("MixLow", 0.3), AAX_SUCCESS);
    EXPECT_EQ (effect->GetParameterNormalizedValue ("MixLow", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 1.0);
    EXPECT_EQ (effect->UpdateParameterNormalizedRelative ("MixLow", -2.0), AAX_SUCCESS);
    EXPECT_EQ (effect->GetParameterNormalizedValue ("MixLow", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 0.0);
    EXPECT_EQ (effect->GetNumberOfChanges (&changes), AAX_SUCCESS);
    EXPECT_EQ (changes, 2);

    // Values that are not finite change nothing and count nothing; the host's update with one
    // still marks the packet, which then carries the value the parameter holds.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double bad : { nan, inf, -inf })
    {
        EXPECT_EQ (effect->SetParameterNormalizedValue ("MixLow", bad), AAX_SUCCESS);
        EXPECT_EQ (effect->SetParameterNormalizedRelative ("MixLow", bad), AAX_SUCCESS);
        EXPECT_EQ (effect->UpdateParameterNormalizedValue ("MixLow", bad, AAX_eUpdateSource_Unspecified),
                   AAX_SUCCESS);
        EXPECT_EQ (effect->UpdateParameterNormalizedRelative ("MixLow", bad), AAX_SUCCESS);
    }
    EXPECT_TRUE (requests().empty());
    EXPECT_EQ (effect->GetParameterNormalizedValue ("MixLow", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 0.0);
    EXPECT_EQ (effect->GetNumberOfChanges (&changes), AAX_SUCCESS);
    EXPECT_EQ (changes, 2);
    EXPECT_EQ (effect->UpdateParameterNormalizedValue ("Fine", nan, AAX_eUpdateSource_Unspecified),
               AAX_SUCCESS);
    EXPECT_EQ (effect->GetParameterNormalizedValue ("Fine", &value), AAX_SUCCESS);
    EXPECT_EQ (value, 0.25);
    EXPECT_EQ (effect->GetNumberOfChanges (&changes), AAX_SUCCESS);
    EXPECT_EQ (changes, 2);
    EXPECT_EQ (effect->GenerateCoefficients(), AAX_SUCCESS);
    EXPECT_EQ (takePackets(), 2u); // MixLow and Fine

    // Past its largest value the count wraps, and a wrapped count is not reported.
    effect->setChanges (std::numeric_limits<int32_t>::max());
    EXPECT_EQ (effect->UpdateParameterNormalizedValue ("MixLow", 0.5, AAX_eUpdateSource_Unspecified),
               AAX_SUCCESS);
    changes = 7;
    EXPECT_EQ (effect->GetNumberOfChanges (&changes), AAX_SUCCESS);
    EXPECT_EQ (changes, 7);
}

TEST_F (EffectParameters, NameOfLengthTakesTheLongestLineThatFits)
{
    struct Row
    {
        const char* shortened;
        int32_t length;
        const char* expected;
    };
    const std::vector<Row> rows = {
        { "TenLetters", 4, "TenL" }, { "TenLetters\nTen\nFour", 4, "Four" },
        { "Abc\nXyz", 3, "Abc" },    { "TenLetters", 0, "" },
        { "", 4, "kept" },
    };
    for (const auto& row : rows)
    {
        auto* parameter = new NamedParameter ("Named", row.shortened);
        effect->manager().AddParameter (parameter);
        AAX_CString name ("kept");
        EXPECT_EQ (effect->GetParameterNameOfLength ("Named", &name, row.length), AAX_SUCCESS);
        EXPECT_EQ (name, AAX_CString (row.expected)) << row.shortened << " " << row.length;
        effect->manager().RemoveAllParameters();
    }
}

TEST_F (EffectParameters, PreviewNotificationNeedsAWholeWord)
{
    effect->manager().AddParameter (new AAX_CParameter<bool> ("PreviewID", AAX_CString ("Preview"), false,
                                                              AAX_CLinearTaperDelegate<bool> (false, true),
                                                              AAX_CNumberDisplayDelegate<bool, 0>(), true));
    requests();
    const int32_t on = 1;
    const uint8_t shortWord[2] = { 1, 1 };
    EXPECT_EQ (effect->NotificationReceived (previewState, nullptr, 4), AAX_SUCCESS);
    EXPECT_EQ (effect->NotificationReceived (previewState, shortWord, sizeof shortWord), AAX_SUCCESS);
    EXPECT_EQ (effect->NotificationReceived (0x4F746872u, &on, sizeof on), AAX_SUCCESS);
    EXPECT_TRUE (requests().empty());
    EXPECT_EQ (effect->NotificationReceived (previewState, &on, sizeof on), AAX_SUCCESS);
    const auto posted = requests();
    ASSERT_EQ (posted.size(), 1u);
    EXPECT_STREQ (posted[0].parameterID, "PreviewID");
    EXPECT_EQ (posted[0].value, 1.0);
}

TEST_F (EffectParameters, ExceptionsBecomeResults)
{
    effect->manager().RemoveAllParameters();
    effect->manager().AddParameter (new ThrowingParameter());
    AAX_CBoolean equal = 7;
    uint32_t size = 0;
    const std::vector<uint8_t> data = { 1, 1, 1, 1, 'd', '_', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    auto record = kalvo::aaxhost::ChunkRecord::holding (data);
    EXPECT_EQ (effect->GetChunkSize (elck, &size), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (effect->GetChunk (elck, record.get()), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (effect->SetChunk (elck, record.get()), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (effect->CompareActiveChunk (record.get(), &equal), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (equal, 0);

    effect->manager().RemoveAllParameters();
    effect->manager().AddParameter (new AAX_CParameter<double> ("Fine", AAX_CString ("Fine"), 0.5,
                                                                AAX_CLinearTaperDelegate<double>(),
                                                                AAX_CNumberDisplayDelegate<double, 3>()));
    host.throwOnOperation ("PostPacket", [] { throw std::runtime_error ("host failure"); });
    effect->UpdateParameterNormalizedValue ("Fine", 0.75, AAX_eUpdateSource_Unspecified);
    EXPECT_EQ (effect->GenerateCoefficients(), AAX_ERROR_UNKNOWN_EXCEPTION);
    host.clearOperationThrowers();

    // A derived class whose set-up throws: the host gets a result, and the proxies go later.
    Held<TestEffect> failing (new TestEffect());
    failing->beforeInit = [] { throw std::bad_alloc(); };
    EXPECT_EQ (failing->Initialize (host.make<HostInstance>().identity()), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (failing->Uninitialize(), AAX_SUCCESS);
}

TEST_F (EffectParameters, PageTablesAndTheChunkedCount)
{
    auto& table = host.make<kalvo::aaxhost::HostPageTable> (std::set<int>{ 1, 2 });
    EXPECT_EQ (effect->UpdatePageTable (0, 8, instance.identity(), table.identity()),
               AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (effect->UpdatePageTable (0, 8, instance.identity(), nullptr), AAX_SUCCESS);
    EXPECT_EQ (table.references(), 0);

    // Filtering more identifiers than there are parameters is reported to the host.
    StartServices();
    Held<TestEffect> overFiltered (new TestEffect (threeParameters));
    overFiltered->beforeInit = [&]
    {
        for (const char* id : { "A", "B", "C", "D" })
            overFiltered->filter (id);
    };
    EXPECT_EQ (overFiltered->Initialize (host.make<HostInstance>().identity()), AAX_SUCCESS);
    EXPECT_EQ (overFiltered->chunkedParameters(), -1); // 4 parameters, 5 filtered with the bypass
    const auto reports = host.assertions();
    ASSERT_EQ (reports.size(), 1u);
    EXPECT_EQ (reports[0].note, "mNumChunkedParameters >= 0");
    EXPECT_EQ (reports[0].line, 128);
    overFiltered->Uninitialize();
}

// Released without Uninitialize: the parameters unregister and every host reference is given back.
TEST_F (EffectParameters, ReleaseWithoutUninitializeGivesEverythingBack)
{
    HostInstance& other = host.make<HostInstance>();
    {
        Held<TestEffect> forgotten (new TestEffect());
        ASSERT_EQ (forgotten->Initialize (other.identity()), AAX_SUCCESS);
        EXPECT_EQ (other.automation().registeredParameters().size(), 18u);
    }
    EXPECT_TRUE (other.automation().registeredParameters().empty());
    EXPECT_EQ (other.references(), 0);
}
