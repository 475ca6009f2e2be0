// Host parameters and what a change of each one does to the model: levels with solo and mute,
// the master and line mixes in both mix regimes, power, state requests.

#include "ProcessorTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using kalvo::test::TestHost;

namespace
{
// The level law, evaluated in double from its definition.
double levelGain (double v)
{
    return (3.16228 * v) / (2.16228 - 1.1622801 * v);
}

const char* const levelIDs[3] = { "LowLevel", "MidLevel", "HighLevel" };
const char* const soloIDs[3] = { "LowSolo", "MidSolo", "HighSolo" };
const char* const muteIDs[3] = { "LowMute", "MidMute", "HighMute" };
const char* const allIDs[17] = { "Power",    "MixMaster", "MixMain",   "MixLow",  "MixMid",  "MixHigh",
                                 "LowLevel", "MidLevel",  "HighLevel", "LowSolo", "LowMute", "MidSolo",
                                 "MidMute",  "HighSolo",  "HighMute",  "State",   "LineCH" };
} // namespace

TEST (ProcessorParameters, LevelLaw)
{
    EXPECT_EQ (LineEditorAudioProcessor::levelToGain (0.5f), 1.0f);
    EXPECT_EQ (LineEditorAudioProcessor::levelToGain (0.0f), 0.0f);
    EXPECT_NEAR (LineEditorAudioProcessor::levelToGain (1.0f), 3.16228, 1e-5);
    EXPECT_NEAR (LineEditorAudioProcessor::levelToGain (0.25f), 0.42238, 1e-5);
    EXPECT_NEAR (LineEditorAudioProcessor::levelToGain (0.75f), 1.83772, 1e-5);
    for (int i = 0; i <= 1000; ++i)
    {
        const float v = static_cast<float> (i) / 1000.0f;
        ASSERT_NEAR (LineEditorAudioProcessor::levelToGain (v), levelGain (v), 2e-6 * (1.0 + levelGain (v)))
            << v;
    }
}

TEST (ProcessorParameters, LevelChangesReachTheRampAtTheNextBlock)
{
    TestHost host;
    auto& p = *host.processor;
    p.levelChanged[0] = false;

    host.setParameter ("LowLevel", 0.75f);
    EXPECT_TRUE (p.levelChanged[0].load());
    // Handed over, not yet applied: the audio thread owns the ramp.
    EXPECT_EQ (p.levelRamp[0].getTargetValue(), 1.0f);
    host.run (1);
    EXPECT_NEAR (p.levelRamp[0].getTargetValue(), levelGain (0.75), 1e-5);

    host.setParameter ("HighLevel", 0.0f);
    host.setParameter ("MidLevel", 1.0f);
    host.run (1);
    EXPECT_EQ (p.levelRamp[2].getTargetValue(), 0.0f);
    EXPECT_NEAR (p.levelRamp[1].getTargetValue(), 3.16228, 1e-5);
}

TEST (ProcessorParameters, SoloAndMuteInEveryCombination)
{
    TestHost host;
    auto& p = *host.processor;
    const float levels[3] = { 0.3f, 0.5f, 0.8f };
    for (int b = 0; b < 3; ++b)
        host.setParameter (levelIDs[b], levels[b]);

    for (int combination = 0; combination < 64; ++combination)
    {
        bool solo[3], mute[3];
        for (int b = 0; b < 3; ++b)
        {
            solo[b] = (combination >> b) & 1;
            mute[b] = (combination >> (b + 3)) & 1;
            host.setParameter (soloIDs[b], solo[b] ? 1.0f : 0.0f);
            host.setParameter (muteIDs[b], mute[b] ? 1.0f : 0.0f);
        }
        host.run (1);

        const bool anySolo = solo[0] || solo[1] || solo[2];
        for (int b = 0; b < 3; ++b)
        {
            EXPECT_EQ (p.bandSolo[b].load(), solo[b]);
            EXPECT_EQ (p.bandMute[b].load(), mute[b]);
            const bool audible = !mute[b] && (!anySolo || solo[b]);
            const double expected = audible ? levelGain (levels[b]) : 0.0;
            EXPECT_NEAR (p.levelRamp[b].getTargetValue(), expected, 1e-5)
                << "combination " << combination << " band " << b;
        }
    }
}

TEST (ProcessorParameters, TwoSoloedBandsAreBothHeard)
{
    TestHost host;
    auto& p = *host.processor;
    host.setParameter ("LowSolo", 1.0f);
    host.setParameter ("MidSolo", 1.0f);
    host.run (1);
    EXPECT_EQ (p.levelRamp[0].getTargetValue(), 1.0f);
    EXPECT_EQ (p.levelRamp[1].getTargetValue(), 1.0f);
    EXPECT_EQ (p.levelRamp[2].getTargetValue(), 0.0f);
}

TEST (ProcessorParameters, SoloFlagsAndRampTiming)
{
    TestHost host;
    auto& p = *host.processor;
    host.setParameter ("LowSolo", 1.0f);
    EXPECT_TRUE (p.soloChanged[0].load());
    EXPECT_FALSE (p.soloChanged[1].load());
    host.run (441); // 10 ms at 44.1 kHz: the level ramps are through
    EXPECT_EQ (p.levelRamp[1].getCurrentValue(), 0.0f);
    EXPECT_EQ (p.levelRamp[2].getCurrentValue(), 0.0f);
    EXPECT_EQ (p.levelRamp[0].getCurrentValue(), 1.0f);

    host.setParameter ("LowSolo", 0.0f);
    host.run (441);
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ (p.levelRamp[b].getCurrentValue(), 1.0f);
}

TEST (ProcessorParameters, MutedLevelChangeStillFlagsButStaysSilent)
{
    TestHost host;
    auto& p = *host.processor;
    host.setParameter ("LowMute", 1.0f);
    EXPECT_TRUE (p.muteChanged[0].load());
    p.levelChanged[0] = false;
    host.setParameter ("LowLevel", 0.9f);
    EXPECT_TRUE (p.levelChanged[0].load());
    host.run (1);
    EXPECT_EQ (p.levelRamp[0].getTargetValue(), 0.0f);
}

TEST (ProcessorParameters, MasterMixAppliesInBothRegimes)
{
    TestHost host;
    auto& p = *host.processor;
    for (bool linked : { true, false })
    {
        p.linkMix = linked;
        p.mixChanged[0] = false;
        const float value = linked ? 0.25f : 0.75f;
        host.setParameter ("MixMaster", value);
        EXPECT_TRUE (p.mixChanged[0].load());
        host.run (1);
        EXPECT_NEAR (p.mixRamp[0].getTargetValue(), value, 1e-6);
    }
}

TEST (ProcessorParameters, LinkedMixesIgnoreTheHostLineMixes)
{
    TestHost host;
    auto& p = *host.processor;
    ASSERT_TRUE (p.linkMix.load());
    const char* ids[4] = { "MixMain", "MixLow", "MixMid", "MixHigh" };
    for (int line = 0; line < 4; ++line)
    {
        p.mixChanged[line + 1] = false;
        p.bandMixChanged[line] = false;
        host.setParameter (ids[line], 0.2f);
        host.run (1);
        EXPECT_FALSE (p.mixChanged[line + 1].load());
        EXPECT_FALSE (p.bandMixChanged[line].load());
        EXPECT_EQ (p.mixRamp[line + 1].getTargetValue(), 1.0f);
        for (int s = 0; s < 12; ++s)
            EXPECT_EQ (p.bandMix()[line][s], 1.0f);
    }
}

TEST (ProcessorParameters, CommonMixesGoToEveryState)
{
    TestHost host;
    auto& p = *host.processor;
    p.linkMix = false;
    // Play state 4.
    host.setTransport (120.0, false);
    host.setParameter ("State", 4.0f);
    host.run (1);
    ASSERT_EQ (p.currentState.load(), 4);

    const char* ids[4] = { "MixMain", "MixLow", "MixMid", "MixHigh" };
    for (int line = 0; line < 4; ++line)
    {
        p.mixChanged[line + 1] = false;
        p.bandMixChanged[line] = false;
        host.setParameter (ids[line], 0.3f);
        EXPECT_TRUE (p.mixChanged[line + 1].load());
        EXPECT_TRUE (p.bandMixChanged[line].load());
        // The listener may run on the audio thread: the model takes the value on the message side.
        const ModelLock::Hold hold (p.curveModelLock);
        p.foldHostLineMixes();
        for (int s = 0; s < 12; ++s)
            EXPECT_EQ (p.bandMix()[line][s], host.parameterValue (ids[line]));
        EXPECT_NEAR (p.bandMix()[line][0], 0.3f, 1e-6);
        host.run (1);
        EXPECT_NEAR (p.mixRamp[line + 1].getTargetValue(), 0.3f, 1e-6);
    }
}

TEST (ProcessorParameters, EveryChangeMarksThePresetModified)
{
    TestHost host;
    auto& p = *host.processor;
    for (auto* id : allIDs)
    {
        p.presetModified = false;
        p.presetNameChanged = false;
        auto* parameter = p.parameters.getParameter (id);
        parameter->setValueNotifyingHost (parameter->getValue() > 0.5f ? 0.1f : 0.9f);
        EXPECT_TRUE (p.presetModified.load()) << id;
        EXPECT_TRUE (p.presetNameChanged.load()) << id;
    }
}

TEST (ProcessorParameters, PowerFollowsTheParameter)
{
    TestHost host;
    auto& p = *host.processor;
    host.setParameter ("Power", 0.0f);
    EXPECT_EQ (p.powerValue.load(), 0.0f);
    EXPECT_TRUE (p.powerChanged.load());
    p.powerChanged = false;
    host.setParameter ("Power", 0.6f);
    EXPECT_NEAR (p.powerValue.load(), 0.6f, 1e-6);
    EXPECT_TRUE (p.powerChanged.load());
}

TEST (ProcessorParameters, StateChangeOnlyRequestsASwitch)
{
    TestHost host;
    auto& p = *host.processor;
    host.setParameter ("State", 7.0f);
    EXPECT_TRUE (p.stateChangePending.load());
    EXPECT_EQ (p.currentState.load(), 0);
    EXPECT_FALSE (p.stateSwitched.load());
}

// Values no host can mean, given as hosts give them (setValue from the wrappers' parameter
// calls, text typed into a host's field): non-finite values leave every parameter as it was,
// values beyond the range are clamped, and the saved state stays finite. Each would trip a
// range assertion, which the test main turns into a failure.
TEST (ProcessorParameters, HostileHostValuesLeaveParametersUsable)
{
    TestHost host;
    auto& p = *host.processor;
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float normalised;
        bool kept;       // the value stays as it was
        float clampedTo; // otherwise
    } cases[] = { { std::numeric_limits<float>::quiet_NaN(), true, 0 },
                  { inf, true, 0 },
                  { -inf, true, 0 },
                  { 1.5f, false, 1.0f },
                  { -0.25f, false, 0.0f },
                  { 3.0e38f, false, 1.0f } };

    for (auto* id : allIDs)
    {
        auto* parameter = p.parameters.getParameter (id);
        for (const auto& c : cases)
        {
            parameter->setValueNotifyingHost (0.6f);
            const auto before = parameter->getValue();
            parameter->setValue (c.normalised);
            host.run (1);
            EXPECT_EQ (parameter->getValue(),
                       c.kept ? before : parameter->convertTo0to1 (parameter->convertFrom0to1 (c.clampedTo)))
                << id << " " << c.normalised;
            EXPECT_TRUE (std::isfinite (p.parameters.getRawParameterValue (id)->load())) << id;
            EXPECT_FALSE (parameter->getText (c.normalised, 0).isEmpty()) << id;
        }
        for (auto* text : { "nan", "inf", "-inf", "1e39", "12", "-3" })
        {
            const auto v = parameter->getValueForText (text);
            EXPECT_TRUE (v >= 0.0f && v <= 1.0f) << id << " " << text;
        }
    }

    juce::MemoryBlock state;
    p.getStateInformation (state);
    const std::string text (static_cast<const char*> (state.getData()), state.getSize());
    EXPECT_EQ (text.find ("\"nan\""), std::string::npos);
    EXPECT_EQ (text.find ("inf\""), std::string::npos);
}

// Hosts and saved projects knew these parameters as JUCE's stock float parameter: the steps, the
// default, every value's text, what typed text means and where a value lands must all stay the
// same, value by value.
TEST (ProcessorParameters, HostParametersBehaveAsTheStockFloatParameter)
{
    const auto p = kalvo::test::makeProcessor();
    for (const auto& spec : ParameterTable::specs)
    {
        auto& ours = *p->parameters.getParameter (spec.id);
        juce::AudioParameterFloat stockParameter (juce::ParameterID{ spec.id, 1 }, spec.id,
                                                  { 0.0f, spec.maximum, spec.step }, spec.defaultValue);
        juce::AudioProcessorParameter& stock = stockParameter;
        EXPECT_EQ (ours.getNumSteps(), stock.getNumSteps()) << spec.id;
        EXPECT_EQ (ours.isDiscrete(), stock.isDiscrete()) << spec.id;
        EXPECT_EQ (ours.getDefaultValue(), stock.getDefaultValue()) << spec.id;
        for (int i = 0; i <= 2000; ++i)
        {
            const auto v = static_cast<float> (i) / 2000.0f;
            ASSERT_EQ (ours.getText (v, 0), stock.getText (v, 0)) << spec.id << " " << v;
            ASSERT_EQ (ours.getText (v, 3), stock.getText (v, 3)) << spec.id << " " << v;
            ours.setValue (v);
            stock.setValue (v);
            ASSERT_EQ (ours.getValue(), stock.getValue()) << spec.id << " " << v;
        }
        for (auto* text : { "0", "0.0005", "0.37", "0.5", "1", "7.4", "11", "12", "-3", "abc", " 0.25 dB",
                            "1e39", "-1e39" })
            EXPECT_EQ (ours.getValueForText (text), stock.getValueForText (text)) << spec.id << " " << text;
    }
}
