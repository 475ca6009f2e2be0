#include "AAX_CParameter.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameterManager.h"
#include "AAX_Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
/** Records every request a parameter makes of the host. */
class RecordingDelegate final : public AAX_IAutomationDelegate
{
public:
    AAX_Result RegisterParameter (AAX_CParamID id) override { return log ("register", id); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override { return log ("unregister", id); }
    AAX_Result PostSetValueRequest (AAX_CParamID id, double v) const override
    {
        return log ("request", id, v);
    }
    AAX_Result PostCurrentValue (AAX_CParamID id, double v) const override { return log ("current", id, v); }
    AAX_Result PostTouchRequest (AAX_CParamID id) override { return log ("touch", id); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override { return log ("release", id); }
    AAX_Result GetTouchState (AAX_CParamID, AAX_CBoolean* touched) override
    {
        *touched = 0;
        return AAX_SUCCESS;
    }

    struct Call
    {
        std::string what, id;
        double value;
    };
    mutable std::vector<Call> calls;

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const auto& c : calls)
            out.push_back (c.what);
        return out;
    }

private:
    AAX_Result log (const char* what, AAX_CParamID id, double v = -1.0) const
    {
        calls.push_back ({ what, id != nullptr ? id : "<null>", v });
        return AAX_SUCCESS;
    }
};

using FloatParameter = AAX_CParameter<float>;
using Names = std::vector<std::string>;

std::unique_ptr<FloatParameter> makeParameter (const char* id = "MixMain", float defaultValue = 0.5f,
                                               float minValue = 0.0f, float maxValue = 1.0f)
{
    return std::make_unique<FloatParameter> (id, AAX_CString ("Main Mix"), defaultValue,
                                             AAX_CLinearTaperDelegate<float, 0> (minValue, maxValue),
                                             AAX_CNumberDisplayDelegate<float, 3>(), true);
}

float valueOf (const AAX_IParameter& p)
{
    float v = -99.0f;
    EXPECT_TRUE (p.GetValueAsFloat (&v));
    return v;
}
} // namespace

TEST (AAX_CParameter, ConstructionDefaults)
{
    auto p = makeParameter();
    EXPECT_STREQ (p->Identifier(), "MixMain");
    EXPECT_STREQ (p->Name().Get(), "Main Mix");
    EXPECT_TRUE (p->Automatable());
    EXPECT_EQ (p->GetNumberOfSteps(), 128u); // continuous type with no step count given
    EXPECT_EQ (p->GetType(), AAX_eParameterType_Continuous);
    EXPECT_EQ (p->GetOrientation(), 0);
    EXPECT_EQ (valueOf (*p), 0.5f);
    EXPECT_DOUBLE_EQ (p->GetNormalizedDefaultValue(), 0.5);

    // Construction leaves no notification pending: an unchanged update posts nothing.
    RecordingDelegate delegate;
    p->SetAutomationDelegate (&delegate);
    delegate.calls.clear();
    p->UpdateNormalizedValue (0.5);
    EXPECT_TRUE (delegate.calls.empty());
    p->SetAutomationDelegate (nullptr);
}

TEST (AAX_CParameter, SetRequestGoesToHostAndWaitsForUpdate)
{
    RecordingDelegate delegate;
    auto p = makeParameter();
    p->SetAutomationDelegate (&delegate);
    ASSERT_EQ (delegate.names(), Names ({ "register" }));
    delegate.calls.clear();

    EXPECT_TRUE (p->SetValueWithFloat (0.25f));
    ASSERT_EQ (delegate.names(), Names ({ "touch", "request", "release" }));
    EXPECT_EQ (delegate.calls[1].id, "MixMain");
    EXPECT_DOUBLE_EQ (delegate.calls[1].value, 0.25);
    EXPECT_EQ (valueOf (*p), 0.5f); // unchanged until the host confirms

    delegate.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_EQ (valueOf (*p), 0.25f);
    ASSERT_EQ (delegate.names(), Names ({ "current" }));
    EXPECT_DOUBLE_EQ (delegate.calls[0].value, 0.25);

    // The same value again is no change and posts nothing.
    delegate.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_TRUE (delegate.calls.empty());

    // Every request kind follows the same protocol.
    for (auto request :
         { +[] (FloatParameter& q) { q.SetNormalizedValue (0.75); },
           +[] (FloatParameter& q) { q.SetToDefaultValue(); },
           +[] (FloatParameter& q) { q.SetStepValue (3); },
           +[] (FloatParameter& q) { EXPECT_TRUE (q.SetValueFromString (AAX_CString ("0.125"))); } })
    {
        delegate.calls.clear();
        request (*p);
        EXPECT_EQ (delegate.names(), Names ({ "touch", "request", "release" }));
        EXPECT_EQ (valueOf (*p), 0.25f);
    }

    delegate.calls.clear();
    p.reset();
    EXPECT_EQ (delegate.names(), Names ({ "unregister" }));
}

TEST (AAX_CParameter, UpdatePostsTheNormalizedValueAsReceived)
{
    RecordingDelegate delegate;
    auto p = makeParameter ("MixMain", 0.5f, 0.0f, 2.0f);
    p->SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    // 0.1 has no exact float form: the stored real value maps back to a slightly different
    // position, but the host is told the very value it sent.
    p->UpdateNormalizedValue (0.1);
    ASSERT_EQ (delegate.names(), Names ({ "current" }));
    EXPECT_EQ (delegate.calls[0].value, 0.1);
    EXPECT_EQ (valueOf (*p), 0.2f);
    EXPECT_NE (p->GetNormalizedValue(), 0.1);

    // Beyond the range the value is limited, the post still carries what came in.
    delegate.calls.clear();
    p->UpdateNormalizedValue (1.5);
    ASSERT_EQ (delegate.names(), Names ({ "current" }));
    EXPECT_EQ (delegate.calls[0].value, 1.5);
    EXPECT_EQ (valueOf (*p), 2.0f);
}

TEST (AAX_CParameter, NewDisplayIsAnnouncedWithTheCurrentPosition)
{
    RecordingDelegate delegate;
    auto p = makeParameter ("MixMain", 0.5f, 0.0f, 2.0f);
    p->SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    AAX_CNumberDisplayDelegate<float, 1> oneDecimal;
    p->SetDisplayDelegate (oneDecimal);
    ASSERT_EQ (delegate.names(), Names ({ "current" }));
    EXPECT_EQ (delegate.calls[0].id, "MixMain");
    EXPECT_EQ (delegate.calls[0].value, 0.25);
    EXPECT_EQ (valueOf (*p), 0.5f); // the value itself stays
    AAX_CString text;
    EXPECT_TRUE (p->GetValueString (&text));
    EXPECT_STREQ (text.Get(), "0.5");

    // Without a delegate nothing is posted.
    auto alone = makeParameter();
    alone->SetDisplayDelegate (oneDecimal);
    EXPECT_TRUE (alone->GetValueString (&text));
    EXPECT_STREQ (text.Get(), "0.5");
}

TEST (AAX_CParameter, TextOfANonNumberPositionIsRefused)
{
    auto p = makeParameter();
    AAX_CString text;
    EXPECT_FALSE (p->GetStringFromNormalizedValue (std::numeric_limits<double>::quiet_NaN(), text));
    EXPECT_FALSE (p->GetStringFromNormalizedValue (std::numeric_limits<double>::quiet_NaN(), 8, text));
    // Positions outside 0..1 are limited by the taper and so shown at the range's ends.
    EXPECT_TRUE (p->GetStringFromNormalizedValue (1.5, text));
    EXPECT_STREQ (text.Get(), "1.000");
}

TEST (AAX_CParameter, WithoutDelegateValueChangesAtOnce)
{
    auto p = makeParameter();
    EXPECT_TRUE (p->SetValueWithFloat (0.75f));
    EXPECT_EQ (valueOf (*p), 0.75f);
    p->SetNormalizedValue (0.125);
    EXPECT_EQ (valueOf (*p), 0.125f);
    EXPECT_TRUE (p->SetValueFromString (AAX_CString (" 0.3 x")));
    EXPECT_EQ (valueOf (*p), 0.3f);
    EXPECT_FALSE (p->SetValueFromString (AAX_CString ("abc")));
    EXPECT_EQ (valueOf (*p), 0.3f);
    p->SetToDefaultValue();
    EXPECT_EQ (valueOf (*p), 0.5f);
    // Values outside the taper's range are limited to it.
    EXPECT_TRUE (p->SetValueWithFloat (7.0f));
    EXPECT_EQ (valueOf (*p), 1.0f);
}

TEST (AAX_CParameter, TaperChangeWithPreserveForcesNextUpdate)
{
    RecordingDelegate delegate;
    auto p = makeParameter();
    p->SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    AAX_CLinearTaperDelegate<float, 0> wide (0.0f, 2.0f);
    p->SetTaperDelegate (wide, true);
    ASSERT_EQ (delegate.names(), Names ({ "touch", "request", "release" }));
    EXPECT_DOUBLE_EQ (delegate.calls[1].value, 0.25); // real 0.5 on the new 0..2 range
    EXPECT_EQ (valueOf (*p), 0.5f);

    delegate.calls.clear();
    p->UpdateNormalizedValue (0.25); // same real value, but the pending notification forces it out
    ASSERT_EQ (delegate.names(), Names ({ "current" }));
    delegate.calls.clear();
    p->UpdateNormalizedValue (0.25);
    EXPECT_TRUE (delegate.calls.empty());

    // Without the preserve flag the position stays and the real value follows the new taper.
    AAX_CLinearTaperDelegate<float, 0> narrow (0.0f, 1.0f);
    p->SetTaperDelegate (narrow, false);
    EXPECT_EQ (valueOf (*p), 0.25f);
    p->SetAutomationDelegate (nullptr);
}

TEST (AAX_CParameter, StepsMapBothWays)
{
    auto p = makeParameter();
    ASSERT_EQ (p->GetNumberOfSteps(), 128u);
    EXPECT_EQ (p->GetNormalizedValueFromStep (127), 1.0);
    EXPECT_EQ (p->GetNormalizedValueFromStep (0), 0.0);
    EXPECT_DOUBLE_EQ (p->GetNormalizedValueFromStep (1), 1.0 / 127.0);
    EXPECT_EQ (p->GetNormalizedValueFromStep (500), 1.0);      // clamped
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (0.5), 64u); // 63.5 + 0.5
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (1.0), 127u);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (-3.0), 0u);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (9.0), 127u);
    EXPECT_EQ (p->GetStepValue(), 64u); // default 0.5

    p->SetNumberOfSteps (12);
    p->SetStepValue (11);
    EXPECT_EQ (valueOf (*p), 1.0f);
    EXPECT_EQ (p->GetStepValue(), 11u);

    p->SetNumberOfSteps (1);
    EXPECT_EQ (p->GetNormalizedValueFromStep (5), 0.0);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (0.7), 0u);
    p->SetStepValue (0); // fewer than two steps: nothing happens
    EXPECT_EQ (valueOf (*p), 1.0f);
}

TEST (AAX_CParameter, NonFiniteInputIsIgnored)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    RecordingDelegate delegate;
    auto p = makeParameter();
    p->SetAutomationDelegate (&delegate);
    delegate.calls.clear();

    p->SetNormalizedValue (nan);
    p->SetNormalizedValue (inf);
    p->UpdateNormalizedValue (nan);
    p->UpdateNormalizedValue (-inf);
    EXPECT_FALSE (p->SetValueWithFloat (std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE (p->SetValueWithFloat (std::numeric_limits<float>::infinity()));
    EXPECT_FALSE (p->SetValueFromString (AAX_CString ("1e300"))); // beyond float: infinite
    p->SetNormalizedDefaultValue (nan);
    EXPECT_TRUE (delegate.calls.empty());
    EXPECT_EQ (valueOf (*p), 0.5f);
    EXPECT_DOUBLE_EQ (p->GetNormalizedDefaultValue(), 0.5);

    EXPECT_EQ (p->GetStepValueFromNormalizedValue (nan), 0u);
    EXPECT_EQ (p->GetStepValueFromNormalizedValue (inf), 127u);

    p->SetAutomationDelegate (nullptr);
    p->SetNormalizedValue (nan);
    p->UpdateNormalizedValue (nan);
    EXPECT_EQ (valueOf (*p), 0.5f);
}

TEST (AAX_CParameter, DisplayTexts)
{
    auto p = makeParameter();
    AAX_CString text;
    EXPECT_TRUE (p->GetValueString (&text));
    EXPECT_STREQ (text.Get(), "0.500");
    EXPECT_TRUE (p->GetValueString (4, &text));
    EXPECT_STREQ (text.Get(), "0.50");
    EXPECT_TRUE (p->GetValueString (-2, &text));
    EXPECT_STREQ (text.Get(), "");

    const AAX_CNumberDisplayDelegate<float, 3> display;
    EXPECT_TRUE (display.ValueToString (12.5f, 3, &text));
    EXPECT_STREQ (text.Get(), "12"); // "12." loses its point
    EXPECT_TRUE (display.ValueToString (12.5f, 2, &text));
    EXPECT_STREQ (text.Get(), "12");
    EXPECT_TRUE (display.ValueToString (-0.25f, &text));
    EXPECT_STREQ (text.Get(), "-0.250");
    float parsed = 1.0f;
    EXPECT_FALSE (display.StringToValue (AAX_CString ("dB"), &parsed));
    EXPECT_EQ (parsed, 0.0f);

    EXPECT_TRUE (p->GetStringFromNormalizedValue (0.25, text));
    EXPECT_STREQ (text.Get(), "0.250");
    EXPECT_TRUE (p->GetStringFromNormalizedValue (1.0, 3, text));
    EXPECT_STREQ (text.Get(), "1.0");

    double normalized = -1.0;
    EXPECT_TRUE (p->GetNormalizedValueFromString (AAX_CString ("0.75"), &normalized));
    EXPECT_DOUBLE_EQ (normalized, 0.75);
    EXPECT_FALSE (p->GetNormalizedValueFromString (AAX_CString ("x"), &normalized));

    AAX_CString out ("old");
    EXPECT_TRUE (p->GetValueAsString (&out));
    EXPECT_STREQ (out.Get(), "0.500");
    EXPECT_FALSE (p->GetValueAsString (nullptr));
}

TEST (AAX_CParameter, ShortenedNames)
{
    FloatParameter p ("LowLevel", AAX_CString ("Low Level"), 0.5f, AAX_CLinearTaperDelegate<float, 0>(),
                      AAX_CNumberDisplayDelegate<float, 3>(), true);
    EXPECT_STREQ (p.ShortenedName (4).Get(), "Low Level"); // nothing shorter stored yet
    p.AddShortenedName (AAX_CString ("Low"));
    p.AddShortenedName (AAX_CString ("LowLvl"));
    EXPECT_STREQ (p.ShortenedName (4).Get(), "Low");
    EXPECT_STREQ (p.ShortenedName (2).Get(), "Low"); // none fits: the shortest there is
    EXPECT_STREQ (p.ShortenedName (7).Get(), "LowLvl");
    EXPECT_STREQ (p.ShortenedName (9).Get(), "Low Level"); // the full name fits
    EXPECT_STREQ (p.ShortenedName (-1).Get(), "Low Level");
    p.AddShortenedName (AAX_CString ("Lo "));
    EXPECT_STREQ (p.ShortenedName (3).Get(), "Lo "); // same length replaces
    p.ClearShortenedNames();
    EXPECT_STREQ (p.ShortenedName (3).Get(), "Low Level");
    p.SetName (AAX_CString ("Lows"));
    EXPECT_STREQ (p.Name().Get(), "Lows");
}

TEST (AAX_CParameter, LinearTaper)
{
    const AAX_CLinearTaperDelegate<float, 0> flat (3.0f, 3.0f);
    EXPECT_EQ (flat.RealToNormalized (-10.0f), 0.5);
    EXPECT_EQ (flat.RealToNormalized (3.0f), 0.5);
    EXPECT_EQ (flat.NormalizedToReal (0.0), 3.0f);
    EXPECT_EQ (flat.NormalizedToReal (1.0), 3.0f);

    const AAX_CLinearTaperDelegate<float, 0> reversed (10.0f, -10.0f);
    EXPECT_EQ (reversed.NormalizedToReal (0.25), 5.0f);
    EXPECT_EQ (reversed.RealToNormalized (-10.0f), 1.0);
    EXPECT_EQ (reversed.ConstrainRealValue (20.0f), 10.0f);
    EXPECT_EQ (reversed.ConstrainRealValue (-20.0f), -10.0f);

    const AAX_CLinearTaperDelegate<float, 0> unit;
    EXPECT_EQ (unit.GetMinimumValue(), 0.0f);
    EXPECT_EQ (unit.GetMaximumValue(), 1.0f);
    EXPECT_EQ (unit.NormalizedToReal (1.5), 1.0f);
    std::unique_ptr<AAX_ITaperDelegate<float>> clone (reversed.Clone());
    EXPECT_EQ (clone->GetMinimumValue(), 10.0f);
}

TEST (AAX_CParameter, OnlyTheOwnValueTypeAnswers)
{
    auto p = makeParameter();
    bool b = true;
    int32_t i = 7;
    double d = 7.0;
    EXPECT_FALSE (p->GetValueAsBool (&b));
    EXPECT_FALSE (p->GetValueAsInt32 (&i));
    EXPECT_FALSE (p->GetValueAsDouble (&d));
    EXPECT_TRUE (b);
    EXPECT_EQ (i, 7);
    EXPECT_EQ (d, 7.0);
    EXPECT_FALSE (p->SetValueWithBool (false));
    EXPECT_FALSE (p->SetValueWithInt32 (0));
    EXPECT_FALSE (p->SetValueWithDouble (0.0));
    EXPECT_EQ (valueOf (*p), 0.5f);

    double n = -1.0;
    EXPECT_FALSE (p->GetNormalizedValueFromBool (true, &n));
    EXPECT_FALSE (p->GetNormalizedValueFromInt32 (1, &n));
    EXPECT_FALSE (p->GetNormalizedValueFromDouble (1.0, &n));
    EXPECT_EQ (n, -1.0);
    EXPECT_TRUE (p->GetNormalizedValueFromFloat (0.25f, &n));
    EXPECT_EQ (n, 0.25);
    float f = 0.0f;
    EXPECT_TRUE (p->GetFloatFromNormalizedValue (0.75, &f));
    EXPECT_EQ (f, 0.75f);
    EXPECT_FALSE (p->GetDoubleFromNormalizedValue (0.75, &d));

    std::unique_ptr<AAX_IParameterValue> value (p->CloneValue());
    EXPECT_STREQ (value->Identifier(), "MixMain");
    EXPECT_TRUE (value->GetValueAsFloat (&f));
    EXPECT_EQ (f, 0.5f);
    EXPECT_FALSE (value->GetValueAsDouble (&d));
    EXPECT_TRUE (p->SetValueWithString (AAX_CString ("0.875")));
    EXPECT_EQ (valueOf (*p), 0.875f);
    EXPECT_EQ (f, 0.5f); // the clone is a snapshot

    // The same template serves the other value types.
    AAX_CParameter<int32_t> steps ("State", AAX_CString ("State"), 3,
                                   AAX_CLinearTaperDelegate<int32_t, 0> (0, 11),
                                   AAX_CNumberDisplayDelegate<int32_t, 0>(), true);
    EXPECT_TRUE (steps.GetValueAsInt32 (&i));
    EXPECT_EQ (i, 3);
    EXPECT_FALSE (steps.GetValueAsFloat (&f));
    EXPECT_TRUE (steps.SetValueWithInt32 (11));
    EXPECT_TRUE (steps.GetValueAsInt32 (&i));
    EXPECT_EQ (i, 11);
    AAX_CParameter<double> fine ("Fine", AAX_CString ("Fine"), 0.5, AAX_CLinearTaperDelegate<double, 0>(),
                                 AAX_CNumberDisplayDelegate<double, 3>(), false);
    EXPECT_TRUE (fine.SetValueWithDouble (0.125));
    EXPECT_TRUE (fine.GetValueAsDouble (&d));
    EXPECT_EQ (d, 0.125);
}

TEST (AAX_CParameterManager, OwnsParametersInOrder)
{
    RecordingDelegate delegate;
    {
        AAX_CParameterManager manager;
        manager.Initialize (&delegate);
        manager.AddParameter (makeParameter ("Power").release());
        manager.AddParameter (makeParameter ("MixMaster").release());
        manager.AddParameter (makeParameter ("State").release());
        EXPECT_EQ (delegate.names(), Names ({ "register", "register", "register" }));
        EXPECT_EQ (manager.NumParameters(), 3);

        auto duplicate = makeParameter ("MixMaster");
        manager.AddParameter (duplicate.get()); // refused: stays ours
        manager.AddParameter (nullptr);
        EXPECT_EQ (manager.NumParameters(), 3);
        EXPECT_EQ (delegate.calls.size(), 3u); // the refused one was not registered

        // A parameter made with a null identifier has an empty one, which no host can address.
        FloatParameter anonymous (nullptr, AAX_CString ("Anonymous"), 0.5f,
                                  AAX_CLinearTaperDelegate<float, 0>(),
                                  AAX_CNumberDisplayDelegate<float, 3>(), true);
        EXPECT_STREQ (anonymous.Identifier(), "");
        manager.AddParameter (&anonymous);
        EXPECT_EQ (manager.NumParameters(), 3);
        EXPECT_EQ (manager.GetParameterByID (""), nullptr);

        EXPECT_EQ (manager.GetParameterIndex ("Power"), 0);
        EXPECT_EQ (manager.GetParameterIndex ("State"), 2);
        EXPECT_EQ (manager.GetParameterIndex ("Nope"), -1);
        EXPECT_EQ (manager.GetParameterIndex (nullptr), -1);
        EXPECT_STREQ (manager.GetParameter (1)->Identifier(), "MixMaster");
        EXPECT_EQ (manager.GetParameter (-1), nullptr);
        EXPECT_EQ (manager.GetParameter (3), nullptr);
        EXPECT_EQ (manager.GetParameterByID (nullptr), nullptr);
        EXPECT_EQ (manager.GetParameterByID ("Power"), manager.GetParameter (0));
        const AAX_CParameterManager& constManager = manager;
        EXPECT_EQ (constManager.GetParameterByID ("State"), manager.GetParameter (2));
        EXPECT_EQ (constManager.GetParameter (0), manager.GetParameter (0));
        delegate.calls.clear();
    }
    // Destroying the manager deleted every parameter, each unregistering itself.
    EXPECT_EQ (delegate.names(), Names ({ "unregister", "unregister", "unregister" }));
}
