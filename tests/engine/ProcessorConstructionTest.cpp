// The processor as the host first sees it: identity, buses, parameters, defaults of every state
// and line, the crossover, the timing and the settings file.

#include "HostParameter.h"
#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>

using kalvo::test::makeProcessor;
using kalvo::test::useTemporaryHome;

namespace
{
juce::File settingsFolder()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile ("Orvane")
        .getChildFile ("KalvoPro");
}

void writeSettings (const juce::String& text)
{
    useTemporaryHome();
    settingsFolder().createDirectory();
    ASSERT_TRUE (settingsFolder().getChildFile ("Setting.xml").replaceWithText (text));
}

bool isFlatCurveAtOne (const LETPoint* curve)
{
    if (curve[0].x != 0.0f || curve[0].y != 1.0f || curve[0].indx != 0 || !curve[0].lockX ||
        curve[0].deletable)
        return false;
    if (curve[1].x != 1.0f || curve[1].y != 1.0f || curve[1].indx != 1 || !curve[1].lockX ||
        curve[1].deletable)
        return false;
    for (int i = 2; i < 50; ++i)
        if (curve[i].indx != -1 || curve[i].x != 2.0f)
            return false;
    return true;
}
} // namespace

TEST (ProcessorConstruction, IdentityAndFrameworkAnswers)
{
    auto p = makeProcessor();
    EXPECT_EQ (p->getName(), "KalvoPro");
    EXPECT_EQ (p->getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (p->acceptsMidi());
    EXPECT_FALSE (p->producesMidi());
    EXPECT_FALSE (p->isMidiEffect());
    EXPECT_TRUE (p->hasEditor());
    EXPECT_EQ (p->getNumPrograms(), 1);
    EXPECT_EQ (p->getCurrentProgram(), 0);
    EXPECT_EQ (p->getProgramName (0), "Preset 1");
    EXPECT_EQ (p->getProgramName (7), "Preset 1");
    p->setCurrentProgram (3);
    p->changeProgramName (0, "Other");
    EXPECT_EQ (p->getCurrentProgram(), 0);
    EXPECT_EQ (p->getProgramName (0), "Preset 1");
}

TEST (ProcessorConstruction, VersionTextFollowsTheWrapperType)
{
    auto plain = makeProcessor();
    EXPECT_EQ (plain->versionText, "Version 1.0.1 build 7 ");
    EXPECT_EQ (plain->shortVersionText, "V 1.0.1");

    const std::pair<juce::AudioProcessor::WrapperType, const char*> cases[] = {
        { juce::AudioProcessor::wrapperType_VST3, "Version 1.0.1 build 7 VST3 64 bit" },
        { juce::AudioProcessor::wrapperType_VST, "Version 1.0.1 build 7 VST 64 bit" },
        { juce::AudioProcessor::wrapperType_AudioUnit, "Version 1.0.1 build 7 AU 64 bit" },
        { juce::AudioProcessor::wrapperType_AAX, "Version 1.0.1 build 7 AAX 64 bit" },
        { juce::AudioProcessor::wrapperType_LV2, "Version 1.0.1 build 7 " },
        { juce::AudioProcessor::wrapperType_Standalone, "Version 1.0.1 build 7 " },
    };
    for (const auto& [type, text] : cases)
    {
        juce::AudioProcessor::setTypeOfNextNewPlugin (type);
        auto p = makeProcessor();
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        EXPECT_EQ (p->versionText, text);
        EXPECT_EQ (p->shortVersionText, "V 1.0.1");
    }
}

TEST (ProcessorConstruction, StereoBusesOnlyStereoLayoutsAccepted)
{
    auto p = makeProcessor();
    ASSERT_EQ (p->getBusCount (true), 1);
    ASSERT_EQ (p->getBusCount (false), 1);
    EXPECT_EQ (p->getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (p->getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (p->getBus (true, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ (p->getBus (false, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
    EXPECT_TRUE (p->getBus (true, 0)->isEnabledByDefault());
    EXPECT_TRUE (p->getBus (false, 0)->isEnabledByDefault());

    const auto layout = [] (juce::AudioChannelSet in, juce::AudioChannelSet out)
    {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add (in);
        l.outputBuses.add (out);
        return l;
    };
    const auto stereo = juce::AudioChannelSet::stereo();
    const auto mono = juce::AudioChannelSet::mono();
    EXPECT_TRUE (p->checkBusesLayoutSupported (layout (stereo, stereo)));
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout (mono, mono)));
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout (mono, stereo)));
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout (stereo, mono)));
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout (juce::AudioChannelSet::create5point1(), stereo)));
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout (stereo, juce::AudioChannelSet::create7point1())));
    EXPECT_FALSE (p->checkBusesLayoutSupported (layout (juce::AudioChannelSet::disabled(), mono)));
    // Switched-off buses are allowed: hosts switch them off and on in turn.
    EXPECT_TRUE (p->checkBusesLayoutSupported (layout (stereo, juce::AudioChannelSet::disabled())));
    EXPECT_TRUE (p->checkBusesLayoutSupported (layout (juce::AudioChannelSet::disabled(), stereo)));

    // A host that applies no layout of its own gets stereo in and out.
    EXPECT_EQ (p->getTotalNumInputChannels(), 2);
    EXPECT_EQ (p->getTotalNumOutputChannels(), 2);
    EXPECT_TRUE (p->enableAllBuses());
    EXPECT_EQ (p->getTotalNumInputChannels(), 2);

    // Hosts that set a channel count directly get the stereo layout.
    auto other = makeProcessor();
    other->setPlayConfigDetails (2, 2, 48000.0, 256);
    EXPECT_EQ (other->getTotalNumInputChannels(), 2);
    EXPECT_EQ (other->getTotalNumOutputChannels(), 2);
}

TEST (ProcessorConstruction, SeventeenParametersInCreationOrder)
{
    auto p = makeProcessor();
    struct Expected
    {
        const char* id;
        float maximum, step, defaultValue;
    };
    const Expected expected[] = {
        { "Power", 1, 0.1f, 1 },         { "MixMaster", 1, 0.001f, 1 },   { "MixMain", 1, 0.001f, 1 },
        { "MixLow", 1, 0.001f, 1 },      { "MixMid", 1, 0.001f, 1 },      { "MixHigh", 1, 0.001f, 1 },
        { "LowLevel", 1, 0.001f, 0.5f }, { "MidLevel", 1, 0.001f, 0.5f }, { "HighLevel", 1, 0.001f, 0.5f },
        { "LowSolo", 1, 0.1f, 0 },       { "LowMute", 1, 0.1f, 0 },       { "MidSolo", 1, 0.1f, 0 },
        { "MidMute", 1, 0.1f, 0 },       { "HighSolo", 1, 0.1f, 0 },      { "HighMute", 1, 0.1f, 0 },
        { "State", 11, 1.0f, 0 },        { "LineCH", 1, 0.01f, 0 },
    };

    const auto& all = p->getParameters();
    ASSERT_EQ (all.size(), 17);
    for (int i = 0; i < 17; ++i)
    {
        auto* parameter = dynamic_cast<HostParameter*> (all[i]);
        ASSERT_NE (parameter, nullptr) << i;
        EXPECT_EQ (parameter->getParameterID(), expected[i].id);
        EXPECT_EQ (parameter->getName (100), expected[i].id);
        EXPECT_EQ (parameter->getLabel(), "");
        EXPECT_EQ (parameter->range.start, 0.0f);
        EXPECT_EQ (parameter->range.end, expected[i].maximum);
        EXPECT_FLOAT_EQ (parameter->range.interval, expected[i].step);
        EXPECT_EQ (parameter->range.skew, 1.0f);
        EXPECT_FALSE (parameter->range.symmetricSkew);
        EXPECT_EQ (parameter->get(), expected[i].defaultValue) << expected[i].id;
        EXPECT_EQ (p->parameters.getParameter (expected[i].id), parameter);
    }
    EXPECT_EQ (p->parameters.state.getType().toString(), "KalvoParamTree");
}

TEST (ProcessorConstruction, EveryStateAndLineStartsFlatWithDefaultSettings)
{
    auto p = makeProcessor();
    for (int line = 0; line < 4; ++line)
    {
        EXPECT_EQ (p->activeLength[line].load(), 0.63f);
        EXPECT_TRUE (p->activeSync[line].load());
        EXPECT_EQ (p->linePhase[line].load(), 0.0f);
        EXPECT_EQ (p->lineValue[line].load(), 0.0f);
        EXPECT_EQ (p->glideFilter[line].value, 0.0f);
        EXPECT_FLOAT_EQ (p->glideFilter[line].coeff, static_cast<float> (std::exp (-2.0 * M_PI / 441.0)));
        EXPECT_FLOAT_EQ (p->glideFilter[line].oneMinusCoeff, 1.0f - p->glideFilter[line].coeff);
        EXPECT_EQ (p->editedStage[line], 0);

        for (int state = 0; state < 12; ++state)
        {
            EXPECT_TRUE (isFlatCurveAtOne (p->linePoints1()[line][state])) << line << "/" << state;
            EXPECT_TRUE (isFlatCurveAtOne (p->linePoints2()[line][state])) << line << "/" << state;
            EXPECT_EQ (p->lineLength()[line][state], 0.63f);
            EXPECT_TRUE (p->lineSync()[line][state]);
            EXPECT_EQ (p->bandGlide()[line][state], 10.0f);
            EXPECT_EQ (p->bandMix()[line][state], 1.0f);
            for (int k = 0; k < 512; ++k)
            {
                ASSERT_EQ (p->lineArray1()[line][state][k], 1.0f);
                ASSERT_EQ (p->lineArray2()[line][state][k], 1.0f);
                ASSERT_EQ (p->modulationArray()[line][state][k], 1.0f);
            }
        }
    }

    for (int state = 0; state < 12; ++state)
    {
        EXPECT_EQ (p->stateMIDINote[state].load(), 60 + state);
        EXPECT_EQ (p->stateMIDICon[state].load(), 0);
        EXPECT_FALSE (p->stateNoteHeld[state].load());
        EXPECT_EQ (p->lmFreq()[state], 0.242f);
        EXPECT_EQ (p->hmFreq()[state], 0.7627f);
    }

    for (int i = 0; i < 50; ++i)
    {
        EXPECT_EQ (p->lineClipboard()[i].indx, -1);
        EXPECT_EQ (p->lineClipboard()[i].x, 0.0f);
        EXPECT_TRUE (p->lineClipboard()[i].deletable);
        EXPECT_FALSE (p->lineClipboard()[i].lockX);
        for (int line = 0; line < 4; ++line)
        {
            EXPECT_EQ (p->stateClipboard1()[line][i].indx, -1);
            EXPECT_EQ (p->stateClipboard2()[line][i].type, 1);
        }
    }
    EXPECT_FALSE (p->lineClipboardFull());
    EXPECT_FALSE (p->stateClipboardFull());
}

TEST (ProcessorConstruction, ScalarDefaults)
{
    auto p = makeProcessor();
    EXPECT_EQ (p->currentState.load(), 0);
    EXPECT_EQ (p->currentLine.load(), 0);
    EXPECT_FALSE (p->changeImmediately.load());
    EXPECT_TRUE (p->linkMix.load());
    EXPECT_FALSE (p->editorOpen.load());
    EXPECT_FALSE (p->waveDisplayLock.load());
    EXPECT_EQ (p->powerValue.load(), 1.0f);
    for (int b = 0; b < 3; ++b)
    {
        EXPECT_FALSE (p->bandSolo[b].load());
        EXPECT_FALSE (p->bandMute[b].load());
        EXPECT_FALSE (p->soloChanged[b].load());
        EXPECT_FALSE (p->muteChanged[b].load());
    }
    EXPECT_EQ (p->presetName(), "Default");
    EXPECT_EQ (p->shapeCategory, 1);
    EXPECT_EQ (p->currentView, 0);
    EXPECT_EQ (p->presetFolderIndex, 49);
    EXPECT_EQ (p->presetFileIndex, -1);
    EXPECT_FALSE (p->stateChangePending.load());
    EXPECT_FALSE (p->stateChangeNow.load());
    EXPECT_TRUE (p->snapX());
    EXPECT_TRUE (p->snapY());
    EXPECT_EQ (p->timeSigNumerator.load(), 4);
    EXPECT_EQ (p->timeSigDenominator.load(), 4);
    EXPECT_EQ (p->beatsPerBar.load(), 4.0f);
    EXPECT_EQ (p->barsPerBeat.load(), 0.25f);
    EXPECT_EQ (p->ppqPosition.load(), 0.0f);
    EXPECT_EQ (p->bpm.load(), 120.0f);
    EXPECT_EQ (p->sampleRate.load(), 44100.0f);
    EXPECT_FALSE (p->isPlaying.load());
    EXPECT_EQ (p->midiLearnTarget.load(), -1);
    EXPECT_FALSE (p->midiLearnActive.load());
    EXPECT_FALSE (p->midiLearnDone.load());
    EXPECT_EQ (p->waveWriteIndex, 0);
    for (float v : p->waveDisplay)
        ASSERT_EQ (v, 0.5f);
    for (int i = 0; i < LineEditorAudioProcessor::waveBufferSize; i += 997)
        ASSERT_EQ (p->waveBuffer[i], 0.5f);
    EXPECT_EQ (p->waveBuffer[LineEditorAudioProcessor::waveBufferSize - 1], 0.5f);
    EXPECT_EQ (p->productFolder, "KalvoPro");
    EXPECT_EQ (p->makerFolder, "Orvane");
    EXPECT_EQ (p->parameters.undoManager, nullptr); // the parameter tree keeps no history
}

TEST (ProcessorConstruction, CycleLengthAtDefaultTempoAndRate)
{
    auto p = makeProcessor();
    for (int line = 0; line < 4; ++line)
    {
        EXPECT_EQ (p->cyclesPerBar[line].load(), 4.0f);
        EXPECT_EQ (p->samplesPerCycle[line].load(), 22050.0f);
    }
}

TEST (ProcessorConstruction, CrossoverAtTheDefaultSplitPositions)
{
    auto p = makeProcessor();
    // Position v maps to (v * 10699900) / (15300 - v * 14630) + 30 Hz.
    const double low = 0.242 * 10699900.0 / (15300.0 - 0.242 * 14630.0) + 30.0;
    const double high = 0.7627 * 10699900.0 / (15300.0 - 0.7627 * 14630.0) + 30.0;
    EXPECT_NEAR (low, 250.19, 0.005);
    EXPECT_NEAR (high, 2000.40, 0.005);
    EXPECT_NEAR (p->bandSplit.lowMidFreq, low, 0.001);
    EXPECT_NEAR (p->bandSplit.midHighFreq, high, 0.01);
    EXPECT_EQ (p->bandSplit.sampleRate, 44100.0);
}

TEST (ProcessorConstruction, RampsAtConstructionRate)
{
    auto p = makeProcessor();
    // 1 ms and 10 ms at 44.1 kHz, with the single-precision constants: 44 and 440 steps.
    for (auto& ramp : p->mixRamp)
    {
        EXPECT_EQ (ramp.getCurrentValue(), 1.0f);
        EXPECT_EQ (ramp.getTargetValue(), 1.0f);
        EXPECT_FALSE (ramp.isSmoothing());
    }
    auto mix = p->mixRamp[0];
    mix.setTargetValue (0.0f);
    for (int i = 0; i < 43; ++i)
        mix.getNextValue();
    EXPECT_TRUE (mix.isSmoothing());
    EXPECT_EQ (mix.getNextValue(), 0.0f);
    EXPECT_FALSE (mix.isSmoothing());

    auto level = p->levelRamp[1];
    level.setTargetValue (0.0f);
    for (int i = 0; i < 439; ++i)
        level.getNextValue();
    EXPECT_TRUE (level.isSmoothing());
    level.getNextValue();
    EXPECT_FALSE (level.isSmoothing());
}

TEST (ProcessorConstruction, FirstEditorRefreshFindsTheLineFlagsRaised)
{
    auto p = makeProcessor();
    for (int line = 0; line < 4; ++line)
    {
        EXPECT_TRUE (p->lineLengthChanged[line].load());
        EXPECT_TRUE (p->bandMixChanged[line].load());
        EXPECT_TRUE (p->speedChanged[line].load());
        EXPECT_TRUE (p->bandGlideChanged[line].load());
        EXPECT_TRUE (p->syncChanged[line].load());
        EXPECT_TRUE (p->mixChanged[line + 1].load());
    }
    EXPECT_FALSE (p->mixChanged[0].load());
    EXPECT_TRUE (p->presetNameChanged.load());
    EXPECT_FALSE (p->presetModified.load());
    EXPECT_FALSE (p->linePoints1Changed.load());
    EXPECT_FALSE (p->linePoints2Changed.load());
    EXPECT_FALSE (p->stateSwitched.load());
    EXPECT_FALSE (p->powerChanged.load());
}

TEST (ProcessorConstruction, CurveModelsHoldTheFirstLineAndState)
{
    auto p = makeProcessor();
    EXPECT_EQ (p->modelLine(), 0);
    EXPECT_EQ (p->modelState(), 0);
    EXPECT_FALSE (p->curveModelsStale.load());
    EXPECT_EQ (p->lineEditor1().numPoints, 2);
    EXPECT_EQ (p->lineEditor1().points[0].y, 1.0f);
    EXPECT_EQ (p->lineEditor2().points[1].y, 1.0f);
}

TEST (ProcessorConstruction, PresetsFolderIsCreatedAndNoSettingsFileWritten)
{
    auto p = makeProcessor();
    EXPECT_TRUE (p->presetsFolder.isDirectory());
    EXPECT_EQ (p->presetsFolder, settingsFolder().getChildFile ("Presets"));
    EXPECT_FALSE (settingsFolder().getChildFile ("Setting.xml").exists());
    EXPECT_EQ (p->scaling, 1.5f);
    EXPECT_EQ (p->skin, 1);
    EXPECT_EQ (p->waveView.load(), 1);
    EXPECT_TRUE (p->waveMainOnly.load());
    EXPECT_EQ (p->waveLR.load(), 0);
}

TEST (ProcessorConstruction, PresetsFolderBlockedByAFileIsNotFatal)
{
    useTemporaryHome();
    settingsFolder().deleteRecursively();
    settingsFolder().createDirectory();
    ASSERT_TRUE (settingsFolder().getChildFile ("Presets").replaceWithText ("not a folder"));
    auto p = makeProcessor();
    EXPECT_EQ (p->presetsFolder, settingsFolder().getChildFile ("Presets"));
    EXPECT_TRUE (p->presetsFolder.existsAsFile());
    settingsFolder().deleteRecursively();
}

TEST (ProcessorConstruction, SettingsFileIsRead)
{
    writeSettings (R"(<?xml version="1.0" encoding="UTF-8"?>
<Setting Scaling="2.0" Skin="3" WaveView="5" WaveMainOnly="0" WaveLR="2"/>)");
    auto p = makeProcessor();
    EXPECT_EQ (p->scaling, 2.0f);
    EXPECT_EQ (p->skin, 3);
    EXPECT_EQ (p->waveView.load(), 5);
    EXPECT_FALSE (p->waveMainOnly.load());
    EXPECT_EQ (p->waveLR.load(), 2);
    settingsFolder().deleteRecursively();
}

TEST (ProcessorConstruction, SettingsFileWithMissingAttributesOrOddRoot)
{
    writeSettings ("<setting/>");
    {
        auto p = makeProcessor();
        EXPECT_EQ (p->scaling, 1.0f); // a missing attribute reads 1.0, unlike a missing file
        EXPECT_EQ (p->skin, 1);
        EXPECT_EQ (p->waveView.load(), 1);
        EXPECT_TRUE (p->waveMainOnly.load());
        EXPECT_EQ (p->waveLR.load(), 0);
    }
    writeSettings ("<Other Scaling=\"2.0\"/>");
    {
        auto p = makeProcessor();
        EXPECT_EQ (p->scaling, 1.5f);
    }
    writeSettings ("this is not xml at all <<<");
    {
        auto p = makeProcessor();
        EXPECT_EQ (p->scaling, 1.5f);
    }
    settingsFolder().deleteRecursively();
}
