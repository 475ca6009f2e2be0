#include "LineEditorAudioProcessor.h"

#include "FloatLanes.h"
#include "HostCalls.h"
#include "HostParameter.h"
#include "SettingsFile.h"
#include "SplitFrequency.h"
#include "StateDocument.h"
#include "StateOperations.h"
#include "TableRuns.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

namespace
{
constexpr const char* versionNumber = "1.0.1";
constexpr const char* buildText = "build 7";

// Cycles per bar of the thirteen synced lengths, four bars per cycle up to sixteen per bar.
constexpr float syncCycles[13] = { 0.25f, 0.333333f, 0.5f, 0.666667f, 1.0f,  1.333333f, 2.0f,
                                   3.0f,  4.0f,      6.0f, 8.0f,      12.0f, 16.0f };

// Per-sample phases are computed from a sample count in double; beyond this magnitude the
// count would lose whole samples, so such positions are treated as standing still.
constexpr double largestPhaseArgument = 1.0e12;

LETPoint unusedSlot()
{
    return LETPoint{ 0.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, false, false, true };
}

int clampIndex (int value, int size) noexcept
{
    return value < 0 ? 0 : (value >= size ? size - 1 : value);
}

// Publishes an audio-thread value that other threads read: written only when it changed, with
// a release store instead of the full barrier a plain atomic assignment costs.
template <typename T>
void publish (std::atomic<T>& target, T value) noexcept
{
    if (target.load (std::memory_order_relaxed) != value)
        target.store (value, std::memory_order_release);
}

float clampUnit (float value, float fallback) noexcept
{
    if (!std::isfinite (value))
        return fallback;
    return std::min (1.0f, std::max (0.0f, value));
}

// Split position (0..1) of a state to the crossover frequency it stands for.
float splitHz (float position) noexcept
{
    return splitFrequency (clampUnit (position, 0.5f));
}

constexpr int chunkSize = TableRuns::capacity;
static_assert (TableRuns::tableSize == LineEditorAudioProcessor::tableSize);

using Model = ModelHandover::Model;
static_assert (ModelHandover::numLines == LineEditorAudioProcessor::numLines &&
               ModelHandover::numStates == LineEditorAudioProcessor::numStates &&
               ModelHandover::tableSize == LineEditorAudioProcessor::tableSize);
} // namespace

//==================================================================================================
LineEditorAudioProcessor::LineEditorAudioProcessor() : LineEditorAudioProcessor (ModelSetUp{})
{
    // Registering takes the lock under which JUCE calls every listener of the parameter tree, and
    // one that saves takes the model lock: so it waits until the set-up has let go of that.
    for (int i = 0; i < numParameters; ++i)
        parameters.addParameterListener (ParameterTable::specs[i].id, this);
}

LineEditorAudioProcessor::LineEditorAudioProcessor (ModelSetUp)
    // Both buses start switched on: hosts that apply no layout of their own (some LV2 and VST3
    // hosts) would otherwise hand the plug-in zero channels, or null channel pointers.
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      parameters (*this, nullptr, "KalvoParamTree", createParameterLayout())
{
    // Nobody else sees the processor yet; held so that the model's functions find what they expect.
    const ModelWriteRole::SetUp setUp (curveModelLock);

    for (int i = 0; i < numCurvePoints; ++i)
    {
        lineClipboard()[i] = unusedSlot();
        for (int line = 0; line < numLines; ++line)
        {
            stateClipboard1()[line][i] = unusedSlot();
            stateClipboard2()[line][i] = unusedSlot();
            for (int state = 0; state < numStates; ++state)
            {
                linePoints1()[line][state][i] = unusedSlot();
                linePoints2()[line][state][i] = unusedSlot();
            }
        }
    }

    // The crossover starts from its own defaults (400 Hz and 3.2 kHz at 44.1 kHz).
    bandSplit.sampleRate = 44100.0;
    bandSplit.lowMidFreq = 400.0f;
    bandSplit.midHighFreq = 3200.0f;
    bandSplit.InitiateVars();

    for (int i = 0; i < numParameters; ++i)
        rawValues[i] = parameters.getRawParameterValue (ParameterTable::specs[i].id);
    stateParameter = parameters.getParameter (ParameterTable::id (ParameterTable::pState));
    lineChParameter = parameters.getParameter (ParameterTable::id (ParameterTable::pLineCH));
    jassert (stateParameter != nullptr && lineChParameter != nullptr);

    productFolder = "KalvoPro";
    makerFolder = "Orvane";

    juce::String suffix;
    switch (wrapperType)
    {
        case wrapperType_VST:
            suffix = " VST 64 bit";
            break;
        case wrapperType_VST3:
            suffix = " VST3 64 bit";
            break;
        case wrapperType_AudioUnit:
            suffix = " AU 64 bit";
            break;
        case wrapperType_AAX:
            suffix = " AAX 64 bit";
            break;
        case wrapperType_Undefined:
        case wrapperType_AudioUnitv3:
        case wrapperType_Standalone:
        case wrapperType_Unity:
        case wrapperType_LV2:
            suffix = " ";
            break;
    }
    versionText = juce::String ("Version ") + versionNumber + " " + buildText + suffix;
    shortVersionText = juce::String ("V ") + versionNumber;

    sampleRate = 44100.0f;

    presetName() = "Default";

    std::fill (std::begin (waveDisplay), std::end (waveDisplay), 0.5f);
    std::fill (std::begin (waveBuffer), std::end (waveBuffer), 0.5f);
    waveWriteIndex = 0;

    for (auto& ramp : mixRamp)
    {
        ramp.reset (static_cast<int> (std::floor (static_cast<double> (0.001f) * 44100.0)));
        ramp.setCurrentAndTargetValue (1.0f);
    }
    for (auto& ramp : levelRamp)
    {
        ramp.reset (static_cast<int> (std::floor (static_cast<double> (0.01f) * 44100.0)));
        ramp.setCurrentAndTargetValue (1.0f);
    }
    for (auto& target : mixTarget)
        target = 1.0f;
    for (auto& target : levelTarget)
        target = 1.0f;

    bandSplit.sampleRate = static_cast<double> (sampleRate.load());
    bandSplit.InitiateVars();
    // The frequencies of the default split positions 0.242 and 0.7627.
    applySplitFrequency (0, 250.19362f);
    applySplitFrequency (1, 2000.4028f);

    for (int line = 0; line < numLines; ++line)
    {
        activeLength[line] = StateDefaults::length;
        activeSync[line] = StateDefaults::sync;
        linePhase[line] = 0.0f;
        lineLengthChanged[line] = true;

        for (int state = 0; state < numStates; ++state)
        {
            bandGlide()[line][state] = StateDefaults::glide;
            lineLength()[line][state] = StateDefaults::length;
            lineSync()[line][state] = StateDefaults::sync;
            lmFreq()[state] = StateDefaults::lowMidSplit;
            hmFreq()[state] = StateDefaults::midHighSplit;
            stateMIDICon[state] = 0;
            stateMIDINote[state] = StateDefaults::firstMidiNote + state;

            StateOperations::makeFlatCurve (linePoints1()[line][state]);
            StateOperations::makeFlatCurve (linePoints2()[line][state]);
            renderLineState (line, state);

            bandMix()[line][state] = StateDefaults::mix;
        }

        const float coefficient = glideCoefficient (bandGlide()[line][currentState]);
        glideFilter[line].setCoefficient (coefficient);
        glideFilter[line].value = 0.0f;
        glideCoeffTarget[line] = coefficient;
    }

    CalculateSpeed();

    // The models end on the current curve, so the first undo step records what the editor shows.
    renderLineState (currentLine, currentState);
    linePoints1Changed = false;
    linePoints2Changed = false;
    modelLine() = currentLine;
    modelState() = currentState;

    scaling = 1.5f;
    skin = 1;
    waveView = 1;

    presetsFolder = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
                        .getChildFile (makerFolder)
                        .getChildFile (productFolder)
                        .getChildFile ("Presets");
    if (!presetsFolder.isDirectory())
        presetsFolder.createDirectory(); // a failure shows later, when a preset is saved

    readSettings();

    for (int line = 0; line < numLines; ++line)
    {
        lineLengthChanged[line] = true;
        bandMixChanged[line] = true;
        speedChanged[line] = true;
        bandGlideChanged[line] = true;
        syncChanged[line] = true;
        mixChanged[line + 1] = true;
        const float mix = bandMix()[line][currentState];
        mixTarget[line + 1] = mix;
        mixRamp[line + 1].setTargetValue (mix);
    }
    presetModified = false;
    presetNameChanged = true;

    publishModel();
}

LineEditorAudioProcessor::~LineEditorAudioProcessor()
{
    for (const auto& spec : ParameterTable::specs)
        parameters.removeParameterListener (spec.id, this);
}

//==================================================================================================
juce::AudioProcessorValueTreeState::ParameterLayout LineEditorAudioProcessor::createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    for (const auto& spec : ParameterTable::specs)
        layout.add (std::make_unique<HostParameter> (
            juce::ParameterID{ spec.id, 1 }, spec.id,
            juce::NormalisableRange<float> (0.0f, spec.maximum, spec.step), spec.defaultValue));
    return layout;
}

float LineEditorAudioProcessor::levelToGain (float level) noexcept
{
    return (3.16228f * level) / (2.16228f - 1.1622801f * level);
}

bool LineEditorAudioProcessor::isBandAudible (int band) const noexcept
{
    // A band is heard when it is not muted and either nothing is soloed or it is soloed itself.
    const bool anySolo = bandSolo[0] || bandSolo[1] || bandSolo[2];
    return !bandMute[band] && (!anySolo || bandSolo[band]);
}

void LineEditorAudioProcessor::setLevelTarget (int band, float gain) noexcept
{
    levelTarget[band] = std::isfinite (gain) && gain > 0.0f ? gain : 0.0f;
}

void LineEditorAudioProcessor::updateLevelTargets() noexcept
{
    for (int band = 0; band < numBands; ++band)
        setLevelTarget (band, isBandAudible (band) ? levelToGain (currentValue (static_cast<ParameterIndex> (
                                                         ParameterTable::pLowLevel + band)))
                                                   : 0.0f);
}

void LineEditorAudioProcessor::parameterChanged (const juce::String& parameterID, float newValue)
{
    presetModified.parameterChanged();
    presetNameChanged = true;

    int index = 0;
    while (index < numParameters && parameterID != ParameterTable::specs[index].id)
        ++index;

    switch (index)
    {
        case ParameterTable::pPower:
            powerValue = currentValue (ParameterTable::pPower);
            powerChanged = true;
            break;

        case ParameterTable::pLowLevel:
        case ParameterTable::pMidLevel:
        case ParameterTable::pHighLevel:
        {
            const int band = index - ParameterTable::pLowLevel;
            setLevelTarget (band, isBandAudible (band) ? levelToGain (newValue) : 0.0f);
            levelChanged[band] = true;
            break;
        }

        case ParameterTable::pLowSolo:
        case ParameterTable::pMidSolo:
        case ParameterTable::pHighSolo:
        {
            const int band = (index - ParameterTable::pLowSolo) / 2;
            bandSolo[band] = currentValue (static_cast<ParameterIndex> (index)) > 0.5f;
            updateLevelTargets();
            soloChanged[band] = true;
            break;
        }

        case ParameterTable::pLowMute:
        case ParameterTable::pMidMute:
        case ParameterTable::pHighMute:
        {
            const int band = (index - ParameterTable::pLowMute) / 2;
            bandMute[band] = currentValue (static_cast<ParameterIndex> (index)) > 0.5f;
            updateLevelTargets();
            muteChanged[band] = true;
            break;
        }

        case ParameterTable::pMixMaster:
            setMixTarget (0, currentValue (ParameterTable::pMixMaster));
            mixChanged[0] = true;
            break;

        case ParameterTable::pMixMain:
        case ParameterTable::pMixLow:
        case ParameterTable::pMixMid:
        case ParameterTable::pMixHigh:
            if (!linkMix)
            {
                // Possibly the audio thread: the model waits for the message side's fold.
                const int line = index - ParameterTable::pMixMain;
                const float value = currentValue (static_cast<ParameterIndex> (index));
                hostLineMixes.set (line, value);
                setMixTarget (line + 1, value);
                mixChanged[line + 1] = true;
                bandMixChanged[line] = true;
            }
            break;

        case ParameterTable::pState:
            stateChangePending = true;
            break;

        default: // "LineCH" and anything unknown: only the modified marks above
            break;
    }
}

//==================================================================================================
void LineEditorAudioProcessor::CalculateSpeed()
{
    const float rate = sampleRate;
    const float tempo = bpm;

    for (int line = 0; line < numLines; ++line)
    {
        const float length = activeLength[line];
        float cycles;
        if (activeSync[line])
        {
            const int n = juce::roundToInt (12.0f * length);
            cycles = (n >= 0 && n <= 12) ? syncCycles[n] : length;
        }
        else
        {
            cycles = length * 15.75f + 0.25f;
        }
        cyclesPerBar[line] = cycles;

        float samples = (64.0f / cycles) * (rate / ((tempo / 60.0f) * 16.0f));
        // The capture buffer and the display resampling index with this; keep it usable.
        if (std::isnan (samples))
            samples = longestCycle;
        samplesPerCycle[line] = std::min (longestCycle, std::max (1.0f, samples));
    }
}

float LineEditorAudioProcessor::glideCoefficient (float milliseconds) const noexcept
{
    return GlideFilter::coefficientFor (milliseconds, sampleRate);
}

void LineEditorAudioProcessor::setMixTarget (int mix, float value) noexcept
{
    if (mix >= 0 && mix < numMixes)
        mixTarget[mix] = clampUnit (value, 1.0f);
}

void LineEditorAudioProcessor::setGlideTime (int line, float milliseconds) noexcept
{
    if (line >= 0 && line < numLines)
        glideCoeffTarget[line] = glideCoefficient (milliseconds);
}

void LineEditorAudioProcessor::setSplitFrequency (int which, float hz) noexcept
{
    if ((which == 3 || which == 4) && std::isfinite (hz))
        splitFrequencyTarget[which - 3] = hz;
}

void LineEditorAudioProcessor::applySplitFrequency (int which, float hz) noexcept
{
    publish (splitFrequencyTarget[which], hz);
    if (hz != appliedSplitFrequency[which])
    {
        appliedSplitFrequency[which] = hz;
        bandSplit.setParams (3 + which, hz);
    }
}

void LineEditorAudioProcessor::applyPendingTargets() noexcept
{
    for (int band = 0; band < numBands; ++band)
        levelRamp[band].setTargetValue (levelTarget[band].load (std::memory_order_relaxed));
    for (int mix = 0; mix < numMixes; ++mix)
        mixRamp[mix].setTargetValue (mixTarget[mix].load (std::memory_order_relaxed));
    for (int line = 0; line < numLines; ++line)
    {
        const float coefficient = glideCoeffTarget[line].load (std::memory_order_relaxed);
        if (coefficient != glideFilter[line].coeff)
            glideFilter[line].setCoefficient (coefficient);
    }
    for (int which = 0; which < 2; ++which)
        applySplitFrequency (which, splitFrequencyTarget[which].load (std::memory_order_relaxed));
}

//==================================================================================================
void LineEditorAudioProcessor::sendLineChangeToHost()
{
    sendLineChange (random);
}

void LineEditorAudioProcessor::sendLineChange (juce::Random& source)
{
    // The value snaps to steps of 0.01: a draw that lands on the current step would tell the
    // host nothing, so draw again (and after a few unlucky draws take the opposite half).
    const float current = lineChParameter->convertFrom0to1 (lineChParameter->getValue());
    float value = source.nextFloat();
    for (int attempt = 0; attempt < 8 && lineChParameter->convertFrom0to1 (value) == current; ++attempt)
        value = source.nextFloat();
    if (lineChParameter->convertFrom0to1 (value) == current)
        value = current < 0.5f ? current + 0.5f : current - 0.5f;
    setParameterFromAudioThread (*lineChParameter, value);
}

void LineEditorAudioProcessor::setParameterFromAudioThread (juce::RangedAudioParameter& parameter,
                                                            float normalisedValue)
{
    HostCalls::setNormalisedValue (*this, parameter, normalisedValue);
}

void LineEditorAudioProcessor::clearUndoHistories()
{
    for (int l = 0; l < numLines; ++l)
    {
        for (int s = 0; s < numStates; ++s)
        {
            lineEditor1().undoCount[l][s] = lineEditor1().redoCount[l][s] = 0;
            lineEditor2().undoCount[l][s] = lineEditor2().redoCount[l][s] = 0;
        }
    }
}

void LineEditorAudioProcessor::renderLineState (int line, int state)
{
    lineEditor1().setLinePoints (linePoints1()[line][state]);
    lineEditor1().getLineArray (lineArray1()[line][state]);
    lineEditor2().setLinePoints (linePoints2()[line][state]);
    lineEditor2().getLineArray (lineArray2()[line][state]);
    for (int k = 0; k < tableSize; ++k)
        modulationArray()[line][state][k] = lineArray1()[line][state][k] * lineArray2()[line][state][k];
}

// A read of the model may fold and sync under the lock alone: neither changes what the model
// holds, the first takes in mixes a host already set, the second the curve the models stand for.
void LineEditorAudioProcessor::foldHostLineMixes()
{
    if (restores().isRestoring())
        return;
    for (int line = 0; line < numLines; ++line)
    {
        float value = 0.0f;
        if (hostLineMixes.take (line, value))
            std::fill (std::begin (guarded.bandMix[line]), std::end (guarded.bandMix[line]), value);
    }
}

void LineEditorAudioProcessor::publishModel()
{
    foldHostLineMixes();
    auto& model = modelHandover.toFill();
    static_assert (sizeof (model.table) == sizeof (modulationArray()) &&
                   sizeof (model.length) == sizeof (lineLength()) && sizeof (model.sync) == sizeof (lineSync()) &&
                   sizeof (model.glide) == sizeof (bandGlide()) && sizeof (model.mix) == sizeof (bandMix()) &&
                   sizeof (model.lowMidSplit) == sizeof (lmFreq()) &&
                   sizeof (model.midHighSplit) == sizeof (hmFreq()));
    std::memcpy (model.table, modulationArray(), sizeof (model.table));
    std::memcpy (model.length, lineLength(), sizeof (model.length));
    std::memcpy (model.sync, lineSync(), sizeof (model.sync));
    std::memcpy (model.glide, bandGlide(), sizeof (model.glide));
    std::memcpy (model.mix, bandMix(), sizeof (model.mix));
    std::memcpy (model.lowMidSplit, lmFreq(), sizeof (model.lowMidSplit));
    std::memcpy (model.midHighSplit, hmFreq(), sizeof (model.midHighSplit));
    modelHandover.publish();
}

void LineEditorAudioProcessor::syncCurveModels()
{
    const int line = clampIndex (currentLine, numLines);
    const int state = clampIndex (currentState, numStates);
    const bool stale = curveModelsStale.exchange (false);
    if (!stale && line == guarded.modelLine && state == guarded.modelState)
        return;

    guarded.lineEditor1.setLinePoints (guarded.linePoints1[line][state]);
    guarded.lineEditor1.updateUndoState (line, state);
    guarded.lineEditor2.setLinePoints (guarded.linePoints2[line][state]);
    guarded.lineEditor2.updateUndoState (line, state);
    guarded.modelLine = line;
    guarded.modelState = state;
}

//==================================================================================================
void LineEditorAudioProcessor::prepareToPlay (double newSampleRate, int)
{
    const auto rate = static_cast<float> (newSampleRate);
    if (std::isfinite (rate) && rate > 0.0f)
        sampleRate = rate;
    const double preparedRate = static_cast<double> (sampleRate.load());

    const int state = clampIndex (currentState, numStates);
    const Model& model = modelHandover.take();
    for (int line = 0; line < numLines; ++line)
    {
        const float coefficient = glideCoefficient (model.glide[line][state]);
        glideCoeffTarget[line] = coefficient;
        glideFilter[line].setCoefficient (coefficient);
        glideFilter[line].value = 0.0f;
    }

    timeSigChanged = true;

    const int mixSteps = static_cast<int> (std::floor (static_cast<double> (0.001f) * preparedRate));
    for (int mix = 0; mix < numMixes; ++mix)
    {
        mixRamp[mix].setCurrentAndTargetValue (mixTarget[mix].load());
        mixRamp[mix].reset (mixSteps);
    }
    const int levelSteps = static_cast<int> (std::floor (static_cast<double> (0.01f) * preparedRate));
    for (int band = 0; band < numBands; ++band)
    {
        levelRamp[band].setCurrentAndTargetValue (levelTarget[band].load());
        levelRamp[band].reset (levelSteps);
    }

    // The crossover restarts from the newest split frequencies.
    for (int which = 0; which < 2; ++which)
        appliedSplitFrequency[which] = splitFrequencyTarget[which].load();
    bandSplit.lowMidFreq = appliedSplitFrequency[0];
    bandSplit.midHighFreq = appliedSplitFrequency[1];
    bandSplit.sampleRate = preparedRate;
    bandSplit.InitiateVars();

    resetWaveDisplay();

    anchorValid = false;

    // The cycle length in samples depends on the rate just set.
    CalculateSpeed();
}

void LineEditorAudioProcessor::releaseResources() {}

bool LineEditorAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    // Stereo only. A bus may also be switched off: hosts switch buses off and on one at a time.
    const auto usable = [] (const juce::AudioChannelSet& set)
    { return set == juce::AudioChannelSet::stereo() || set.isDisabled(); };
    return usable (layouts.getMainInputChannelSet()) && usable (layouts.getMainOutputChannelSet());
}

//==================================================================================================
void LineEditorAudioProcessor::handleMidi (const juce::MidiBuffer& midiMessages)
{
    for (const auto metadata : midiMessages)
    {
        if (metadata.numBytes < 3)
            continue;

        const int status = metadata.data[0] & 0xf0;
        const int note = metadata.data[1];
        const int velocity = metadata.data[2];

        if (status == 0x90 && velocity != 0)
        {
            if (midiLearnActive)
            {
                // A target outside the states matches nothing; learning stays armed.
                const int target = midiLearnTarget;
                if (target >= 0 && target < numStates)
                {
                    stateMIDINote[target] = note;
                    stateMIDICon[target] = 1;
                    midiLearnTarget = -1;
                    midiLearnActive = false;
                    midiLearnDone = true;
                    sendLineChange (audioRandom);
                }
                continue;
            }

            for (int state = 0; state < numStates; ++state)
            {
                if (stateMIDICon[state] == 1 && stateMIDINote[state] == note)
                {
                    stateNoteHeld[state] = true;
                    stateNoteEvent[state] = true;
                    if (state != currentState)
                        setParameterFromAudioThread (*stateParameter, static_cast<float> (state) / 11.0f);
                }
            }
        }
        else if (status == 0x80 || status == 0x90)
        {
            for (int state = 0; state < numStates; ++state)
            {
                if (stateMIDINote[state] == note)
                {
                    stateNoteHeld[state] = false;
                    stateNoteEvent[state] = true;
                }
            }
        }
    }
}

void LineEditorAudioProcessor::readHostPosition() noexcept
{
    const auto frameworkRate = static_cast<float> (getSampleRate());
    if (std::isfinite (frameworkRate) && frameworkRate > 0.0f && frameworkRate != sampleRate)
    {
        sampleRate = frameworkRate;
        CalculateSpeed();
    }

    juce::Optional<juce::AudioPlayHead::PositionInfo> position;
    if (const auto* head = getPlayHead())
        position = head->getPosition();

    // Without a position, or without the fields that make it move, the block counts as stopped
    // and the last tempo, meter and position stand.
    bool usable = false;
    hostRecording = false;
    if (position.hasValue())
    {
        positionInfo = *position;

        if (const auto tempo = positionInfo.getBpm())
        {
            const auto newTempo = static_cast<float> (*tempo);
            if (std::isfinite (newTempo) && newTempo > 0.0f && newTempo != bpm)
            {
                bpm = newTempo;
                CalculateSpeed();
            }
        }

        if (const auto meter = positionInfo.getTimeSignature())
        {
            int numerator = meter->numerator, denominator = meter->denominator;
            if (numerator <= 0 || denominator <= 0)
                numerator = denominator = 4;
            if (numerator != timeSigNumerator || denominator != timeSigDenominator)
            {
                timeSigNumerator = numerator;
                timeSigDenominator = denominator;
                resetWaveDisplay();
                timeSigChanged = true;
            }
        }

        const auto ppq = positionInfo.getPpqPosition();
        if (ppq.hasValue() && std::isfinite (*ppq) && std::isfinite (static_cast<float> (*ppq)))
        {
            hostPpq = *ppq;
            publish (ppqPosition, static_cast<float> (*ppq));
            usable = positionInfo.getBpm().hasValue();
        }
    }

    publish (isPlaying, usable && positionInfo.getIsPlaying());
    hostRecording = usable && positionInfo.getIsRecording();
    hostRolling = isPlaying || hostRecording;

    // A bar is numerator quarter notes of 4 / denominator each.
    const float beats =
        static_cast<float> (timeSigNumerator) * 4.0f / static_cast<float> (timeSigDenominator);
    publish (beatsPerBar, beats);
    publish (barsPerBeat, 1.0f / beats);

    const float barPosition = barsPerBeat * ppqPosition;
    for (int line = 0; line < numLines; ++line)
    {
        const float x = barPosition * cyclesPerBar[line];
        const float phase = x - std::floor (x);
        publish (linePhase[line], std::isfinite (phase) ? phase : 0.0f);
    }
}

void LineEditorAudioProcessor::switchState (bool restartGlides)
{
    const int state = clampIndex (juce::roundToInt (currentValue (ParameterTable::pState)), numStates);
    currentState = state;
    // The curve models belong to the message side; it reloads them before its next use.
    curveModelsStale = true;

    // Taken after the request: a load or state operation publishes before it asks for a switch.
    // An edit of the new state that saw currentState may publish while an older model is applied
    // here, and post its live value before this posts the older one: a model published meanwhile
    // is applied again. Each publish copies the whole model under the message side's lock, which
    // takes longer than a pass here, so a second pass is rare and a third needs this thread held
    // up in the middle of one. The bound only keeps a thread starved like that from being held
    // here while edits keep coming: past it, the tables still come from each block's take, and
    // only an edit that published during the last pass may see its live value overwritten by the
    // older one, until the next edit of it or the next switch.
    constexpr int maxPasses = 4;
    int passes = 0;
    const auto postMix = [this] (int line, float mix)
    {
        setMixTarget (line + 1, mix);
        mixRamp[line + 1].setTargetValue (mixTarget[line + 1].load());
        bandMixChanged[line] = true;
    };
    do
    {
        const Model& model = modelHandover.take();

        for (int line = 0; line < numLines; ++line)
        {
            activeSync[line] = model.sync[line][state];
            activeLength[line] = model.length[line][state];
            const float coefficient = glideCoefficient (model.glide[line][state]);
            glideCoeffTarget[line] = coefficient;
            glideFilter[line].setCoefficient (coefficient);
            if (restartGlides)
                glideFilter[line].value = 0.0f;
            syncChanged[line] = true;
            speedChanged[line] = true;
            bandGlideChanged[line] = true;
            lineLengthChanged[line] = true;
        }
        CalculateSpeed();

        if (linkMix)
        {
            for (int line = 0; line < numLines; ++line)
                postMix (line, model.mix[line][state]);
            // The link may have gone off since it was read, its toggle posting the parameters'
            // mixes before these: they play, posted again.
            if (!linkMix)
                for (int line = 0; line < numLines; ++line)
                    postMix (line, currentValue (static_cast<ParameterIndex> (ParameterTable::pMixMain + line)));
        }

        applySplitFrequency (0, splitHz (model.lowMidSplit[state]));
        applySplitFrequency (1, splitHz (model.midHighSplit[state]));
    } while (++passes < maxPasses && modelHandover.hasNewer());

    lmFreqChanged = true;
    hmFreqChanged = true;
    stateSwitched = true;
}

void LineEditorAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    const juce::ScopedNoDenormals noDenormals;

    const int numSamples = buffer.getNumSamples();
    const int numChannels = buffer.getNumChannels();
    for (int channel = getTotalNumInputChannels(); channel < numChannels; ++channel)
        buffer.clear (channel, 0, numSamples);

    applyPendingTargets();
    if (waveRestartRequested.load (std::memory_order_relaxed) && waveRestartRequested.exchange (false))
    {
        std::fill (std::begin (waveBuffer), std::end (waveBuffer), 0.5f);
        waveDisplayWhole = true;
    }
    if (waveDisplayResetPending)
        resetWaveDisplay();
    handleMidi (midiMessages);
    readHostPosition();

    // A request is taken (cleared) before the switch reads the state, so one made meanwhile on
    // another thread stays raised for the next block instead of being lost.
    if (stateChangeNow.load (std::memory_order_relaxed) && stateChangeNow.exchange (false))
        switchState (true);

    if (stateChangePending)
    {
        const float mainPhase = linePhase[0];
        if (!hostRolling || changeImmediately || mainPhase <= 0.01f || mainPhase > 0.99f)
        {
            stateChangePending = false;
            switchState (false);
        }
    }

    // The newest tables for this block's samples.
    modelHandover.take();

    // The position runs on sample by sample from an anchor while the host plays without a jump,
    // so every sample sees the same phase whatever the host's block size.
    const double rate = static_cast<double> (sampleRate.load());
    const double tempo = static_cast<double> (bpm.load());
    const double increment = tempo / 60.0 / rate;
    if (hostRolling)
    {
        const double expected = anchorPpq + anchorSamples * increment;
        if (!anchorValid || anchorTempo != tempo || anchorRate != rate ||
            !(std::abs (hostPpq - expected) <= 0.5 * increment))
        {
            anchorValid = true;
            anchorPpq = hostPpq;
            anchorSamples = 0.0;
            anchorTempo = tempo;
            anchorRate = rate;
        }
    }
    else
    {
        anchorValid = false;
    }

    bool captured = false;
    if (powerValue > 0.5f && numChannels > 0)
    {
        const bool capture =
            timeSigNumerator == 4 && timeSigDenominator == 4 && editorOpen && isPlaying && waveView == 1;
        captured = capture;
        float* left = buffer.getWritePointer (0);
        float* right = numChannels > 1 ? buffer.getWritePointer (1) : nullptr;

        // Most blocks have no ramp running: their gains are constant for the whole block.
        bool ramping = false;
        for (const auto& ramp : levelRamp)
            ramping = ramping || ramp.isSmoothing();
        for (const auto& ramp : mixRamp)
            ramping = ramping || ramp.isSmoothing();

        const int variant = (right != nullptr ? 4 : 0) + (capture ? 2 : 0) + (ramping ? 1 : 0);
        switch (variant)
        {
            case 0:
                renderSamples<false, false, false> (left, left, numSamples);
                break;
            case 1:
                renderSamples<false, false, true> (left, left, numSamples);
                break;
            case 2:
                renderSamples<false, true, false> (left, left, numSamples);
                break;
            case 3:
                renderSamples<false, true, true> (left, left, numSamples);
                break;
            case 4:
                renderSamples<true, false, false> (left, right, numSamples);
                break;
            case 5:
                renderSamples<true, false, true> (left, right, numSamples);
                break;
            case 6:
                renderSamples<true, true, false> (left, right, numSamples);
                break;
            default:
                renderSamples<true, true, true> (left, right, numSamples);
                break;
        }

        if (capture)
            refreshWaveDisplay();
    }
    // The capture resumes into a buffer the display no longer follows.
    if (!captured)
        waveDisplayWhole = true;

    if (hostRolling)
        anchorSamples += static_cast<double> (numSamples);
}

template <bool stereo, bool capture, bool ramping>
void LineEditorAudioProcessor::renderSamples (float* left, float* right, int numSamples) noexcept
{
    using Lanes = FloatLanes;
    const int state = clampIndex (currentState, numStates);

    // Phase of line i at sample n: fraction (base[i] + (first + n) * step[i]).
    double base[numLines], step[numLines];
    double first = 0.0;
    double reach = 0.0; // the largest |x| of the block
    bool moving = hostRolling && anchorValid;
    const double barScale = static_cast<double> (barsPerBeat.load (std::memory_order_relaxed));
    const double increment = anchorTempo / 60.0 / anchorRate;
    for (int line = 0; line < numLines; ++line)
    {
        const double scale = barScale * static_cast<double> (cyclesPerBar[line].load (std::memory_order_relaxed));
        base[line] = anchorPpq * scale;
        step[line] = increment * scale;
        const double lineReach = std::abs (base[line]) + (anchorSamples + numSamples) * std::abs (step[line]);
        if (!(lineReach < largestPhaseArgument))
            moving = false;
        reach = std::max (reach, lineReach);
    }
    if (moving)
    {
        first = anchorSamples;
    }
    else
    {
        reach = 1.0;
        for (int line = 0; line < numLines; ++line)
        {
            base[line] = static_cast<double> (linePhase[line].load (std::memory_order_relaxed));
            step[line] = 0.0;
        }
    }
    const bool narrow = reach < 2147483647.0;

    const float* tables[numLines];
    for (int line = 0; line < numLines; ++line)
        tables[line] = modelHandover.taken().table[line][state];

    // The four glides side by side, one lane per line.
    Lanes glideValue = Lanes::of (glideFilter[0].value, glideFilter[1].value, glideFilter[2].value,
                                  glideFilter[3].value);
    const Lanes glideCoeff = Lanes::of (glideFilter[0].coeff, glideFilter[1].coeff, glideFilter[2].coeff,
                                        glideFilter[3].coeff);
    const Lanes glidePull = Lanes::of (glideFilter[0].oneMinusCoeff, glideFilter[1].oneMinusCoeff,
                                       glideFilter[2].oneMinusCoeff, glideFilter[3].oneMinusCoeff);
    const Lanes glideThreshold = Lanes::splat (0.0005f);

    // Without a ramp running, every mix and level stands at its target for the whole block.
    const Lanes one = Lanes::splat (1.0f);
    const Lanes fixedLevel[numBands] = { Lanes::splat (levelRamp[0].getTargetValue()),
                                         Lanes::splat (levelRamp[1].getTargetValue()),
                                         Lanes::splat (levelRamp[2].getTargetValue()) };
    const Lanes fixedMix[numMixes] = { Lanes::splat (mixRamp[0].getTargetValue()),
                                       Lanes::splat (mixRamp[1].getTargetValue()),
                                       Lanes::splat (mixRamp[2].getTargetValue()),
                                       Lanes::splat (mixRamp[3].getTargetValue()),
                                       Lanes::splat (mixRamp[4].getTargetValue()) };

    // Capture settings stand for the whole block.
    const int captureLine = clampIndex (currentLine, numLines);
    const bool captureOutput = captureLine == 0 || waveMainOnly;
    const int channelChoice = waveLR;
    const bool restartEverySample = linePhase[captureLine] < 0.01f;
    const float cycleLength = samplesPerCycle[captureLine];
    int writeIndex = clampIndex (waveWriteIndex, waveBufferSize);
    // What the block writes: from its first index to the first restart, then from 0 on.
    const int firstWritten = writeIndex;
    int lastBeforeRestart = -1, lastAfterRestart = -1;

    // Per chunk (padded to whole groups of four): the three band gains, the ramps' values, the
    // crossover's right output of a mono block and the captured band.
    alignas (16) float gains[numBands][chunkSize];
    alignas (16) float rampValues[numBands + numMixes][chunkSize];
    float spareRight[chunkSize];
    float tapLeft[chunkSize], tapRight[chunkSize];
    const EQBandSplit3::BandTap tap{ captureLine - 1, tapLeft, tapRight };
    TableRuns runs[numLines];

    for (int chunkStart = 0; chunkStart < numSamples; chunkStart += chunkSize)
    {
        const int chunkLength = std::min (chunkSize, numSamples - chunkStart);
        const int paddedLength = (chunkLength + 3) & ~3;
        const double chunkFirst = first + static_cast<double> (chunkStart);
        for (int line = 0; line < numLines; ++line)
        {
            if (narrow)
                findRuns<int32_t> (base[line], step[line], chunkFirst, chunkLength, tables[line], runs[line]);
            else
                findRuns<int64_t> (base[line], step[line], chunkFirst, chunkLength, tables[line], runs[line]);
        }

        if constexpr (ramping)
        {
            for (int j = 0; j < chunkLength; ++j)
            {
                for (int band = 0; band < numBands; ++band)
                    rampValues[band][j] = levelRamp[band].getNextValue();
                for (int mix = 0; mix < numMixes; ++mix)
                    rampValues[numBands + mix][j] = mixRamp[mix].getNextValue();
            }
            for (auto& values : rampValues)
                for (int j = chunkLength; j < paddedLength; ++j)
                    values[j] = values[chunkLength - 1];
        }

        // Glides and band gains, four samples at a time: the glides' recursion leaves the processor
        // time for the gains of the samples before. The target stands through stretches where no
        // line's table value changes.
        int run[numLines] = {};
        int stretchEnd = 0;
        Lanes target = glideValue, pull = glideValue;
        const auto glide = [&] (int j)
        {
            if (j >= chunkLength)
                return glideValue;
            if (j == stretchEnd)
            {
                for (int line = 0; line < numLines; ++line)
                    run[line] += j > 0 && runs[line].end[run[line]] == j ? 1 : 0;
                stretchEnd = std::min ({ runs[0].end[run[0]], runs[1].end[run[1]], runs[2].end[run[2]],
                                         runs[3].end[run[3]] });
                target = Lanes::of (runs[0].value[run[0]], runs[1].value[run[1]], runs[2].value[run[2]],
                                    runs[3].value[run[3]]);
                pull = target * glidePull;
            }
            const Lanes moved = glideValue * glideCoeff + pull;
            glideValue =
                Lanes::select (Lanes::greater ((glideValue - target).abs(), glideThreshold), moved, glideValue);
            return glideValue;
        };

        for (int j = 0; j < paddedLength; j += 4)
        {
            Lanes v0 = glide (j), v1 = glide (j + 1), v2 = glide (j + 2), v3 = glide (j + 3);
            Lanes::transpose (v0, v1, v2, v3); // now one line per row, one sample per lane

            const auto rampOr = [&] (int which, Lanes fixed)
            {
                if constexpr (ramping)
                    return Lanes::load (rampValues[which] + j);
                else
                    return fixed;
            };
            const Lanes lowLevel = rampOr (0, fixedLevel[0]), midLevel = rampOr (1, fixedLevel[1]),
                        highLevel = rampOr (2, fixedLevel[2]);
            const Lanes master = rampOr (3, fixedMix[0]), mainMix = rampOr (4, fixedMix[1]),
                        lowMix = rampOr (5, fixedMix[2]), midMix = rampOr (6, fixedMix[3]),
                        highMix = rampOr (7, fixedMix[4]);

            const Lanes dry = (one - master).abs();
            const Lanes g0 = ((one - mainMix).abs() + v0 * mainMix) * master + dry;
            const Lanes gLow = dry + ((master * g0) * lowLevel) * ((one - lowMix).abs() + v1 * lowMix);
            const Lanes gMid = dry + ((master * g0) * midLevel) * ((one - midMix).abs() + v2 * midMix);
            const Lanes gHigh = (((highLevel * ((one - highMix).abs() + v3 * highMix)) * g0) * master) + dry;
            gLow.store (gains[0] + j);
            gMid.store (gains[1] + j);
            gHigh.store (gains[2] + j);
        }

        float* chunkLeft = left + chunkStart;
        float* chunkRight = stereo ? right + chunkStart : spareRight;
        bandSplit.process (chunkLeft, stereo ? chunkRight : chunkLeft, chunkLeft, chunkRight, gains[0], gains[1],
                           gains[2], chunkLength, capture && !captureOutput ? &tap : nullptr);

        if constexpr (capture)
        {
            const float* sourceLeft = captureOutput ? chunkLeft : tapLeft;
            const float* sourceRight = captureOutput ? chunkRight : tapRight;
            for (int j = 0; j < chunkLength; ++j)
            {
                if (channelChoice == 0)
                    waveBuffer[writeIndex] = (sourceLeft[j] + sourceRight[j] + 2.0f) * 0.25f;
                else if (channelChoice == 1)
                    waveBuffer[writeIndex] = (sourceLeft[j] + 1.0f) * 0.5f;
                else if (channelChoice == 2)
                    waveBuffer[writeIndex] = (sourceRight[j] + 1.0f) * 0.5f;

                const int next = writeIndex + 1;
                if (restartEverySample || writeIndex > 999997 || static_cast<float> (next) > cycleLength)
                {
                    if (lastBeforeRestart < 0)
                        lastBeforeRestart = writeIndex;
                    else
                        lastAfterRestart = std::max (lastAfterRestart, writeIndex);
                    writeIndex = 0;
                }
                else
                {
                    writeIndex = next;
                }
            }
        }
    }

    for (int line = 0; line < numLines; ++line)
    {
        const float value = glideValue.lane (line);
        glideFilter[line].value = value;
        if (numSamples > 0)
            publish (lineValue[line], value);
    }
    if constexpr (capture)
    {
        waveWriteIndex = writeIndex;
        const bool restarted = lastBeforeRestart >= 0;
        waveWritten[0][0] = firstWritten;
        waveWritten[0][1] = restarted ? lastBeforeRestart : writeIndex - 1;
        waveWritten[1][0] = 0;
        waveWritten[1][1] = restarted ? std::max (lastAfterRestart, writeIndex - 1) : -1;
    }
}

void LineEditorAudioProcessor::refreshWaveDisplay() noexcept
{
    // Either the editor sees this flag and waits, or this side sees its lock and skips.
    waveDisplayWriting = true;
    if (!waveDisplayLock)
    {
        const int line = clampIndex (currentLine, numLines);
        const float cycleLength = samplesPerCycle[line];
        const auto source = [cycleLength] (int k)
        {
            return clampIndex (juce::roundToInt ((static_cast<float> (k) * cycleLength) * 0.001953125f),
                               waveBufferSize);
        };

        // Element k shows index source (k), which never falls as k grows: between two blocks
        // that resample the same cycle, only the elements whose index was written can change.
        // Taking just those keeps a small block from paying for all 512.
        if (waveDisplayWhole || line != waveShownLine || cycleLength != waveShownCycle ||
            !(cycleLength >= 0.0f && cycleLength <= static_cast<float> (waveBufferSize)))
        {
            for (int k = 0; k < tableSize; ++k)
                waveDisplay[k] = waveBuffer[source (k)];
            waveDisplayWhole = false;
            waveShownLine = line;
            waveShownCycle = cycleLength;
        }
        else
        {
            for (const auto& range : waveWritten)
            {
                if (range[1] < range[0])
                    continue;
                int first = 0, end = tableSize; // the first element whose index reaches the range
                while (first < end)
                {
                    const int middle = (first + end) / 2;
                    if (source (middle) < range[0])
                        first = middle + 1;
                    else
                        end = middle;
                }
                for (int k = first; k < tableSize && source (k) <= range[1]; ++k)
                    waveDisplay[k] = waveBuffer[source (k)];
            }
        }
        waveDisplayResetPending = false;
    }
    else
    {
        waveDisplayWhole = true; // this block's writes are not shown
    }
    waveDisplayWriting = false;
}

void LineEditorAudioProcessor::resetWaveDisplay() noexcept
{
    waveDisplayWriting = true;
    waveDisplayWhole = true;
    waveDisplayResetPending = waveDisplayLock;
    if (!waveDisplayResetPending)
        std::fill (std::begin (waveDisplay), std::end (waveDisplay), 0.5f);
    waveDisplayWriting = false;
}

void LineEditorAudioProcessor::copyWaveDisplay (float* destination)
{
    waveDisplayLock = true;
    while (waveDisplayWriting)
        std::this_thread::yield();
    std::memcpy (destination, waveDisplay, sizeof (waveDisplay));
    waveDisplayLock = false;
}

void LineEditorAudioProcessor::restartWaveform()
{
    waveDisplayLock = true;
    while (waveDisplayWriting)
        std::this_thread::yield();
    std::fill (std::begin (waveDisplay), std::end (waveDisplay), 0.5f);
    waveDisplayLock = false;
    waveRestartRequested = true;
}

//==================================================================================================
const juce::String LineEditorAudioProcessor::getName() const
{
    return "KalvoPro";
}

double LineEditorAudioProcessor::getTailLengthSeconds() const
{
    return 0.0;
}

bool LineEditorAudioProcessor::acceptsMidi() const
{
    return true;
}

bool LineEditorAudioProcessor::producesMidi() const
{
    return false;
}

bool LineEditorAudioProcessor::isMidiEffect() const
{
    return false;
}

juce::AudioProcessorEditor* LineEditorAudioProcessor::createEditor()
{
    if (const auto factory = editorFactory.load())
        return factory (*this);
    return new juce::GenericAudioProcessorEditor (*this);
}

bool LineEditorAudioProcessor::hasEditor() const
{
    return true;
}

int LineEditorAudioProcessor::getNumPrograms()
{
    return 1;
}

int LineEditorAudioProcessor::getCurrentProgram()
{
    return 0;
}

void LineEditorAudioProcessor::setCurrentProgram (int) {}

const juce::String LineEditorAudioProcessor::getProgramName (int)
{
    return "Preset 1";
}

void LineEditorAudioProcessor::changeProgramName (int, const juce::String&) {}

//==================================================================================================
// The state document, the settings file and the state operations live in classes of their own.
void LineEditorAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    // A host may ask on its own thread while the editor or a restore changes the model: the
    // document takes curveModelLock.
    StateDocument::writeToBlock (*this, destData);
}

void LineEditorAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    StateDocument::readFromBlock (*this, data, sizeInBytes);
}

juce::String LineEditorAudioProcessor::getPresetName()
{
    const ModelLock::Hold hold (curveModelLock);
    return ModelReading (*this).presetName();
}

bool LineEditorAudioProcessor::saveStateToFile (juce::File file)
{
    return StateDocument::writeToFile (*this, file);
}

bool LineEditorAudioProcessor::getStateFromFile (juce::File file)
{
    return StateDocument::readFromFile (*this, file);
}

void LineEditorAudioProcessor::readSettings()
{
    SettingsFile::read (*this);
}

void LineEditorAudioProcessor::SaveSettings()
{
    SettingsFile::write (*this);
}

void LineEditorAudioProcessor::resetPreset()
{
    StateOperations::resetPreset (*this);
}

void LineEditorAudioProcessor::CopyState (int state)
{
    if (state >= 0 && state < numStates)
        StateOperations::copyState (*this, state);
}

void LineEditorAudioProcessor::PasteState (int state)
{
    if (state >= 0 && state < numStates)
        StateOperations::pasteState (*this, state);
}

void LineEditorAudioProcessor::flipLine (bool vertical)
{
    StateOperations::flipLine (*this, vertical);
}

void LineEditorAudioProcessor::ResetState (int state)
{
    if (state >= 0 && state < numStates)
        StateOperations::resetState (*this, state);
}

void LineEditorAudioProcessor::RandomizeState (int state)
{
    if (state >= 0 && state < numStates)
        StateOperations::randomizeState (*this, state);
}
