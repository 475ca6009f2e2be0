#pragma once

#include "EQBandSplit3.h"
#include "GlideFilter.h"
#include "HostLineMixes.h"
#include "LETPoint.h"
#include "LineEditor.h"
#include "ModelHandover.h"
#include "ModelLock.h"
#include "ModelWriteRole.h"
#include "ModifiedMark.h"
#include "ParameterTable.h"
#include "RestoreEpoch.h"

#include <JuceHeader.h>

#include <atomic>
#include <cstdint>

// The plug-in's audio processor and, at the same time, its whole model: twelve states of four
// lines (Main, Low, Mid, High) of two curve stages each, the per-state loop, glide, mix,
// crossover and MIDI-trigger settings, the waveform capture and the interface settings.
//
// Threads, as the compiler checks them (clang's -Wthread-safety, a build error in CI):
// - The model the message side owns (the curve points, tables and models, the per-state
//   settings, the clipboards, the preset name, the snaps, the loaded root values, the restores,
//   modelLine and modelState) is KALVO_GUARDED_BY curveModelLock and private: every part of it,
//   a plain value too, is reached through an accessor that KALVO_REQUIRES it, so a read the
//   analysis would not see (an operand of ?:, an array decayed to a pointer) still calls a
//   checked accessor. The editor, the loads and saves, the state operations and a
//   host's own thread (getStateInformation, setStateInformation) touch it only holding that lock.
//   A read goes through the const accessors (a const processor, or ModelReading (p)), which need
//   the lock only; a write through the others, which need modelWriteRole too: only an edit that
//   went ahead (ModelEdit), a restore's steps and the set-up hold it (see ModelWriteRole), so a
//   plain hold reads the model and cannot change it. syncCurveModels and foldHostLineMixes need
//   the lock alone: they bring the curve models and bandMix to what the model and the host hold.
//   A function either takes the lock (KALVO_EXCLUDES) or expects it held (KALVO_REQUIRES); none
//   takes it again.
// - Nothing that calls the host runs with the lock held, so a host that waits in its callback
//   for a thread asking for the state cannot deadlock on us. JUCE's host-notifying calls are made
//   only in HostCalls, whose functions are KALVO_EXCLUDES like every function of ours that leads
//   to one (sendLineChangeToHost); scripts/check-host-calls fails the build on any other.
// - The audio thread never takes the lock and reads none of the guarded members. The functions
//   that may run there (processBlock and its helpers, the hand-over's audio side, prepareToPlay,
//   which a wrapper may call from its audio callback, and parameterChanged, which JUCE calls on
//   whatever thread sets a parameter: the audio thread, the message thread, a host's restore)
//   require realtimeSafeRole, the promise to take no lock of ours, allocate nothing and wait for
//   nothing; taking the lock, and the functions here that take it, exclude it. The audio thread
//   reads the copy it took from the hand-over (see ModelHandover and publishModel), its own members and
//   atomics. Values that both sides write, and everything the audio thread publishes, are
//   atomics; the change flags are atomic bytes that the producers raise and the editor's timer
//   clears. It owns the ramps, the glide filters and the crossover: other threads hand it new
//   targets through setMixTarget, setGlideTime and setSplitFrequency, applied at the start of its
//   next block. A state switch only marks the curve models stale; message-side users call
//   syncCurveModels before using them. The line mixes a host automates while linkMix is off wait
//   in hostLineMixes until the message side folds them into bandMix (see foldHostLineMixes).
// - Whoever changes what the audio thread reads publishes it before anything that lets a switch
//   apply it (linkMix, currentState, stateChangeNow, a live target of another state).
// What the compiler does not check:
// - the last rule, the order of the hand-over;
// - that a host write following an edit's model step asks with that step's mark (HostEdit (p,
//   since)) rather than only whether a restore is under way now;
// - a guarded array passed on as a pointer (a curve or a table handed to a widget): the
//   accessor that gave it is checked, the reads through it are not, and stand only in functions
//   that hold or require the lock;
// - constructors and destructors: the processor's sets the model up before another thread can
//   reach it, and registers its parameter listener only once it has let go of the lock; the
//   editor's do nothing but call openWindow and closeWindow, which are checked;
// - inside this class, a write to the storage behind the accessors that passes them by: it needs
//   the lock only, not modelWriteRole (foldHostLineMixes and syncCurveModels write so);
// - that no JUCE lock is taken with the lock held: JUCE calls a parameter's listeners, a host's
//   among them, holding locks that registering a listener or attaching a knob takes, and a
//   listener that saves, or waits for a save, needs the model lock (the editor's set-up of its
//   attached knobs excludes the lock; the rest stands on review);
// - JUCE calling the host for us: a slider attached to a parameter tells the host of every move,
//   so the editor never sets an attached slider's value itself; scripts/check-host-calls reads
//   names, not types (the README says what it sees);
// - which thread calls what, and the rest of the promise: realtimeSafeRole catches the model
//   lock taken in a function that requires it, or in one of ours marked as taking it, not in a
//   helper the two share with the message side (CalculateSpeed, glideCoefficient, sendLineChange,
//   hostLineMixes.set), which is neither, nor an allocation or a wait; and a function that takes
//   the lock elsewhere, outside this class, does not exclude the role.
class LineEditorAudioProcessor : public juce::AudioProcessor,
                                 public juce::AudioProcessorValueTreeState::Listener
{
public:
    // The curve model's dimensions, so that the stores and the model can never disagree.
    static constexpr int numLines = LineEditor::numLines;
    static constexpr int numStates = LineEditor::numStates;
    static constexpr int numBands = 3;
    static constexpr int numMixes = 5;
    static constexpr int numCurvePoints = LineEditor::maxPoints;
    static constexpr int tableSize = LineEditor::tableSize;
    static constexpr int waveBufferSize = 1000000;
    static constexpr float longestCycle = 999998.0f;

    using Flag = std::atomic<bool>;
    using Ramp = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    LineEditorAudioProcessor();
    ~LineEditorAudioProcessor() override;

    //==============================================================================================
    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override KALVO_REQUIRES (realtimeSafeRole);
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override
        KALVO_REQUIRES (realtimeSafeRole);
    using juce::AudioProcessor::processBlock;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override
        KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    void setStateInformation (const void* data, int sizeInBytes) override
        KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    // Runs on whatever thread sets the parameter, the audio thread among them: it keeps the audio
    // thread's rules wherever it runs.
    void parameterChanged (const juce::String& parameterID, float newValue) override
        KALVO_REQUIRES (realtimeSafeRole);

    // What createEditor builds. The plug-in installs its editor window here; without one (the
    // engine's own tests, the offline renderer) the framework's generic editor stands in, so the
    // engine never depends on the editor.
    using EditorFactory = juce::AudioProcessorEditor* (*) (LineEditorAudioProcessor&);
    static inline std::atomic<EditorFactory> editorFactory{ nullptr };

    //==============================================================================================
    // The 17 host parameters, in creation order.
    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    // Gain of a band level 0..1: 0 is silence, 0.5 unity, 1 about +10 dB.
    static float levelToGain (float level) noexcept;

    // Cycles per bar and cycle length in samples of all four lines, from activeLength,
    // activeSync, bpm and sampleRate.
    void CalculateSpeed();

    // Glide-filter coefficient for a glide time in milliseconds at the current sample rate.
    float glideCoefficient (float milliseconds) const noexcept;

    // Message-side hand-over to the audio thread, applied at the start of its next block.
    void setMixTarget (int mix, float value) noexcept;         // mix 0 Master, 1..4 the lines
    void setGlideTime (int line, float milliseconds) noexcept; // coefficients of glideFilter[line]
    void setSplitFrequency (int which, float hz) noexcept;     // which 3 low/mid, 4 mid/high

    // Message side: copies the 512 display values while the audio thread leaves them alone (it
    // skips its refresh while waveDisplayLock is raised; a refresh it had begun is waited for).
    void copyWaveDisplay (float* destination);

    // Message side: starts the waveform afresh, flat at 0.5. The display is flattened at once
    // (with the same handshake as copyWaveDisplay); the audio thread refills its capture buffer
    // at the start of its next block.
    void restartWaveform();

    // Message side: gives "LineCH" a new value (always a different one) drawn from random, so
    // that the host registers a change of the plug-in's state.
    void sendLineChangeToHost() KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);

    // Message side, with curveModelLock held: brings both curve models to the current line and
    // state when a state switch, a load or a line change left them behind, and refreshes their
    // current undo slot. modelLine and modelState then name the curve the models hold; an edit
    // recorded into them belongs to that line and state. Code that loads some other curve into
    // a model (a load, a state operation) sets curveModelsStale afterwards.
    void syncCurveModels() KALVO_REQUIRES (curveModelLock);

    // Message side: forgets every curve undo step of both stages, for operations after which no
    // earlier step may be undone (a load, a preset reset).
    void clearUndoHistories() KALVO_REQUIRES (curveModelLock, modelWriteRole);

    // Message side: renders both stages of (line, state) from linePoints1 and linePoints2 into
    // lineArray1 and lineArray2 and their product into modulationArray. It loads the curves
    // into the two curve models on the way, so a caller leaves the models synced or stale
    // afterwards.
    void renderLineState (int line, int state) KALVO_REQUIRES (curveModelLock, modelWriteRole);

    // Message side: hands the audio thread modulationArray and the per-state settings (lineLength,
    // lineSync, bandGlide, bandMix, lmFreq, hmFreq) as they are now, all in one piece; it takes
    // them at its next block. Whoever changes any of them calls this once the change is complete,
    // and before raising stateChangeNow, so the switch that flag asks for applies the new values.
    // Folds the host's line mixes into bandMix first.
    void publishModel() KALVO_REQUIRES (curveModelLock, modelWriteRole);

    // Message side: writes the line mixes a host set while linkMix was off into bandMix of every
    // state, as the host's line-mix parameters ask. Whoever reads bandMix folds first. Nothing
    // while a restore is under way: its tree's replacement leaves the document's own parameters,
    // which its second part discards.
    void foldHostLineMixes() KALVO_REQUIRES (curveModelLock);

    // The preset name, which a host's save reads on its own thread. Take curveModelLock. Whoever
    // names the preset after reading or writing the model does it in the step that reads or
    // writes it, or only if no restore came between (see restores).
    juce::String getPresetName() KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);

    // State document, preset files, settings file and state operations.
    bool saveStateToFile (juce::File file) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    bool getStateFromFile (juce::File file) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    void SaveSettings();
    void resetPreset() KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    // The four state operations act on `state` (0..11; anything else is ignored).
    void CopyState (int state) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    void PasteState (int state) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    void flipLine (bool vertical) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    void ResetState (int state) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);
    void RandomizeState (int state) KALVO_EXCLUDES (curveModelLock, realtimeSafeRole);

    //==============================================================================================
    // Framework objects and helpers
    // Keeps no undo history: nothing undoes parameter changes, and a history would be written by
    // the host's thread in a restore and by the message thread in a knob drag.
    juce::AudioProcessorValueTreeState parameters;
    juce::Random random;
    EQBandSplit3 bandSplit; // audio thread only: others call setSplitFrequency

    // Edit position
    std::atomic<int32_t> currentState{ 0 };
    std::atomic<int32_t> currentLine{ 0 };
    int32_t editedStage[numLines] = {};

    // Curve model
    // The guarded model is reached only through these accessors, which require the lock: a
    // member read through a pointer an array decayed to, or as an operand of ?:, escapes the
    // analysis, a call of its accessor never does.
    const LineEditor& lineEditor1() const KALVO_REQUIRES (curveModelLock) { return guarded.lineEditor1; }
    LineEditor& lineEditor1() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lineEditor1; }
    const LineEditor& lineEditor2() const KALVO_REQUIRES (curveModelLock) { return guarded.lineEditor2; }
    LineEditor& lineEditor2() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lineEditor2; }
    using Curves = LETPoint[numLines][numStates][numCurvePoints];
    using Tables = float[numLines][numStates][tableSize];
    using LineSettings = float[numLines][numStates];
    using LineSwitches = bool[numLines][numStates];
    using StateSettings = float[numStates];
    const Curves& linePoints1() const KALVO_REQUIRES (curveModelLock) { return guarded.linePoints1; }
    Curves& linePoints1() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.linePoints1; }
    const Curves& linePoints2() const KALVO_REQUIRES (curveModelLock) { return guarded.linePoints2; }
    Curves& linePoints2() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.linePoints2; }
    const Tables& lineArray1() const KALVO_REQUIRES (curveModelLock) { return guarded.lineArray1; }
    Tables& lineArray1() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lineArray1; }
    const Tables& lineArray2() const KALVO_REQUIRES (curveModelLock) { return guarded.lineArray2; }
    Tables& lineArray2() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lineArray2; }
    const Tables& modulationArray() const KALVO_REQUIRES (curveModelLock) { return guarded.modulationArray; }
    Tables& modulationArray() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.modulationArray;
    }

    // Per-state settings
    const LineSettings& lineLength() const KALVO_REQUIRES (curveModelLock) { return guarded.lineLength; }
    LineSettings& lineLength() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lineLength; }
    const LineSwitches& lineSync() const KALVO_REQUIRES (curveModelLock) { return guarded.lineSync; }
    LineSwitches& lineSync() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lineSync; }
    const LineSettings& bandGlide() const KALVO_REQUIRES (curveModelLock) { return guarded.bandGlide; }
    LineSettings& bandGlide() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.bandGlide; }
    const LineSettings& bandMix() const KALVO_REQUIRES (curveModelLock) { return guarded.bandMix; }
    LineSettings& bandMix() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.bandMix; }
    const StateSettings& lmFreq() const KALVO_REQUIRES (curveModelLock) { return guarded.lmFreq; }
    StateSettings& lmFreq() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.lmFreq; }
    const StateSettings& hmFreq() const KALVO_REQUIRES (curveModelLock) { return guarded.hmFreq; }
    StateSettings& hmFreq() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.hmFreq; }
    std::atomic<int32_t> stateMIDICon[numStates]{};
    std::atomic<int32_t> stateMIDINote[numStates]{};
    Flag stateNoteHeld[numStates]{};

    // Current-state copies and audio-path working values
    std::atomic<float> activeLength[numLines]{};
    Flag activeSync[numLines]{};
    std::atomic<float> cyclesPerBar[numLines]{};
    std::atomic<float> samplesPerCycle[numLines]{};
    std::atomic<float> linePhase[numLines]{};
    GlideFilter glideFilter[numLines]; // audio thread only: others call setGlideTime
    std::atomic<float> lineValue[numLines]{};
    Ramp levelRamp[numBands]; // audio thread only, like mixRamp: others call setMixTarget
    Ramp mixRamp[numMixes];
    std::atomic<float> powerValue{ 1.0f };
    Flag bandSolo[numBands]{};
    Flag bandMute[numBands]{};
    std::atomic<float> sampleRate{ 44100.0f };
    std::atomic<float> bpm{ 120.0f };
    std::atomic<int32_t> timeSigNumerator{ 4 };
    std::atomic<int32_t> timeSigDenominator{ 4 };
    std::atomic<float> beatsPerBar{ 4.0f };
    std::atomic<float> barsPerBeat{ 0.25f };
    std::atomic<float> ppqPosition{ 0.0f };
    Flag isPlaying{ false };
    juce::AudioPlayHead::PositionInfo positionInfo;

    // State switching and MIDI
    Flag stateChangePending{ false };
    Flag stateChangeNow{ false };
    Flag changeImmediately{ false };
    Flag linkMix{ true };
    std::atomic<int32_t> midiLearnTarget{ -1 };
    Flag midiLearnActive{ false };

    // Waveform capture
    float waveBuffer[waveBufferSize];
    int32_t waveWriteIndex = 0;
    float waveDisplay[tableSize];
    Flag waveDisplayLock{ false };
    Flag waveRestartRequested{ false }; // see restartWaveform
    Flag editorOpen{ false };

    // Clipboards
    using LineCurve = LETPoint[numCurvePoints];
    using StateCurves = LETPoint[numLines][numCurvePoints];
    using PerLine = float[numLines];
    using PerLineSwitch = bool[numLines];
    const LineCurve& lineClipboard() const KALVO_REQUIRES (curveModelLock) { return guarded.lineClipboard; }
    LineCurve& lineClipboard() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.lineClipboard;
    }
    const bool& lineClipboardFull() const KALVO_REQUIRES (curveModelLock)
    {
        return guarded.lineClipboardFull;
    }
    bool& lineClipboardFull() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.lineClipboardFull;
    }
    const StateCurves& stateClipboard1() const KALVO_REQUIRES (curveModelLock)
    {
        return guarded.stateClipboard1;
    }
    StateCurves& stateClipboard1() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.stateClipboard1;
    }
    const StateCurves& stateClipboard2() const KALVO_REQUIRES (curveModelLock)
    {
        return guarded.stateClipboard2;
    }
    StateCurves& stateClipboard2() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.stateClipboard2;
    }
    const PerLine& clipLength() const KALVO_REQUIRES (curveModelLock) { return guarded.clipLength; }
    PerLine& clipLength() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.clipLength; }
    const PerLineSwitch& clipSync() const KALVO_REQUIRES (curveModelLock) { return guarded.clipSync; }
    PerLineSwitch& clipSync() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.clipSync; }
    const float& clipLMFreq() const KALVO_REQUIRES (curveModelLock) { return guarded.clipLMFreq; }
    float& clipLMFreq() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.clipLMFreq; }
    const float& clipHMFreq() const KALVO_REQUIRES (curveModelLock) { return guarded.clipHMFreq; }
    float& clipHMFreq() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.clipHMFreq; }
    const PerLine& clipGlide() const KALVO_REQUIRES (curveModelLock) { return guarded.clipGlide; }
    PerLine& clipGlide() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.clipGlide; }
    const PerLine& clipMix() const KALVO_REQUIRES (curveModelLock) { return guarded.clipMix; }
    PerLine& clipMix() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.clipMix; }
    const bool& stateClipboardFull() const KALVO_REQUIRES (curveModelLock)
    {
        return guarded.stateClipboardFull;
    }
    bool& stateClipboardFull() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.stateClipboardFull;
    }

    // View and interface settings
    int32_t currentView = 0;
    int32_t shapeCategory = 1;
    const bool& snapX() const KALVO_REQUIRES (curveModelLock) { return guarded.snapX; }
    bool& snapX() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.snapX; }
    const bool& snapY() const KALVO_REQUIRES (curveModelLock) { return guarded.snapY; }
    bool& snapY() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.snapY; }
    float scaling = 1.5f;
    int32_t skin = 1;
    std::atomic<int32_t> waveView{ 1 };
    Flag waveMainOnly{ true };
    std::atomic<int32_t> waveLR{ 0 };

    // Presets and identity
    juce::String productFolder;
    juce::String makerFolder;
    juce::File presetsFolder;
    const juce::String& presetName() const KALVO_REQUIRES (curveModelLock) { return guarded.presetName; }
    juce::String& presetName() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.presetName; }
    // The root values of the last document loaded, in its order (unknown ones too): a save writes
    // them again, ours rewritten in place.
    const juce::NamedValueSet& loadedRootValues() const KALVO_REQUIRES (curveModelLock)
    {
        return guarded.loadedRootValues;
    }
    juce::NamedValueSet& loadedRootValues() KALVO_REQUIRES (curveModelLock, modelWriteRole)
    {
        return guarded.loadedRootValues;
    }
    int32_t presetFolderIndex = 49;
    // The folder the current preset was loaded from or saved into (none until then). Never
    // saved: the editor derives presetFolderIndex from it after every rescan, so the index follows
    // folders added or removed meanwhile, and a folder outside the listed ones gives 49.
    juce::File currentPresetFolder;
    int32_t presetFileIndex = -1;
    ModifiedMark presetModified;
    juce::String versionText;
    juce::String shortVersionText;

    // Change flags, processor to editor
    Flag powerChanged{ false };
    Flag soloChanged[numBands]{};
    Flag muteChanged[numBands]{};
    Flag levelChanged[numBands]{};
    Flag mixChanged[numMixes]{};
    Flag bandMixChanged[numLines]{};
    Flag lineLengthChanged[numLines]{};
    Flag bandGlideChanged[numLines]{};
    Flag speedChanged[numLines]{};
    Flag syncChanged[numLines]{};
    Flag lmFreqChanged{ false };
    Flag hmFreqChanged{ false };
    Flag stateSwitched{ false };
    Flag stateNoteEvent[numStates]{};
    Flag midiLearnDone{ false };
    Flag linePoints1Changed{ false };
    Flag linePoints2Changed{ false };
    Flag optionsChanged{ false };
    Flag presetNameChanged{ false };
    Flag timeSigChanged{ false };

    // The lock of the message-side model (see the class comment). Never taken on the audio thread.
    ModelLock curveModelLock;
    // Line mixes a host set while linkMix was off, until foldHostLineMixes takes them.
    HostLineMixes hostLineMixes;
    // The restores of the model and the edits that tell the host after their model step: an edit
    // that lands while one is half done, or that spans a restore, loses; a save writes the
    // parameters as the one under way leaves them.
    RestoreEpoch& restores() KALVO_REQUIRES (curveModelLock) { return guarded.restores; }
    Flag curveModelsStale{ false };
    const int32_t& modelLine() const KALVO_REQUIRES (curveModelLock) { return guarded.modelLine; }
    int32_t& modelLine() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.modelLine; }
    const int32_t& modelState() const KALVO_REQUIRES (curveModelLock) { return guarded.modelState; }
    int32_t& modelState() KALVO_REQUIRES (curveModelLock, modelWriteRole) { return guarded.modelState; }

private:
    // Sets the model up under its lock; the public constructor delegates to it, then registers
    // the parameter listener.
    struct ModelSetUp
    {
    };
    explicit LineEditorAudioProcessor (ModelSetUp);

    // What the accessors above hand out, and what foldHostLineMixes and syncCurveModels write.
    struct GuardedModel
    {
        LineEditor lineEditor1;
        LineEditor lineEditor2;
        Curves linePoints1;
        Curves linePoints2;
        Tables lineArray1;
        Tables lineArray2;
        Tables modulationArray;
        LineSettings lineLength;
        LineSwitches lineSync;
        LineSettings bandGlide;
        LineSettings bandMix;
        StateSettings lmFreq;
        StateSettings hmFreq;
        LineCurve lineClipboard;
        StateCurves stateClipboard1;
        StateCurves stateClipboard2;
        PerLine clipLength = {};
        PerLineSwitch clipSync = {};
        PerLine clipGlide = {};
        PerLine clipMix = {};
        bool lineClipboardFull = false;
        float clipLMFreq = 0.0f;
        float clipHMFreq = 0.0f;
        bool stateClipboardFull = false;
        bool snapX = true;
        bool snapY = true;
        juce::String presetName;
        juce::NamedValueSet loadedRootValues;
        RestoreEpoch restores;
        int32_t modelLine = 0;
        int32_t modelState = 0;
    };
    GuardedModel guarded KALVO_GUARDED_BY (curveModelLock);

    using ParameterIndex = ParameterTable::Index;
    static constexpr int numParameters = ParameterTable::numParameters;

    float currentValue (ParameterIndex index) const noexcept { return rawValues[index]->load(); }
    bool isBandAudible (int band) const noexcept KALVO_REQUIRES (realtimeSafeRole);
    void updateLevelTargets() noexcept KALVO_REQUIRES (realtimeSafeRole);
    void setLevelTarget (int band, float gain) noexcept KALVO_REQUIRES (realtimeSafeRole);

    void applyPendingTargets() noexcept KALVO_REQUIRES (realtimeSafeRole);
    void applySplitFrequency (int which, float hz) noexcept KALVO_REQUIRES (realtimeSafeRole);
    void handleMidi (const juce::MidiBuffer& midiMessages) KALVO_REQUIRES (realtimeSafeRole);
    void readHostPosition() noexcept KALVO_REQUIRES (realtimeSafeRole);
    void switchState (bool restartGlides) KALVO_REQUIRES (realtimeSafeRole);
    void sendLineChange (juce::Random& source);
    void setParameterFromAudioThread (juce::RangedAudioParameter& parameter, float normalisedValue);
    void refreshWaveDisplay() noexcept KALVO_REQUIRES (realtimeSafeRole);
    void resetWaveDisplay() noexcept KALVO_REQUIRES (realtimeSafeRole);
    void readSettings();

    template <bool stereo, bool capture, bool ramping>
    void renderSamples (float* left, float* right, int numSamples) noexcept KALVO_REQUIRES (realtimeSafeRole);

    std::atomic<float>* rawValues[numParameters] = {};
    juce::RangedAudioParameter* stateParameter = nullptr;
    juce::RangedAudioParameter* lineChParameter = nullptr;

    // Hand-over mailboxes: the newest wanted value, applied by the audio thread at block start.
    std::atomic<float> levelTarget[numBands]{};
    std::atomic<float> mixTarget[numMixes]{};
    std::atomic<float> glideCoeffTarget[numLines]{};
    std::atomic<float> splitFrequencyTarget[2]{};
    float appliedSplitFrequency[2] = {};

    // The tables and per-state settings as the audio thread reads them (see publishModel).
    ModelHandover modelHandover;

    // Raised by the audio thread while it writes waveDisplay (see copyWaveDisplay).
    Flag waveDisplayWriting{ false };

    // Audio thread only.
    juce::Random audioRandom;
    bool waveDisplayResetPending = false; // a reset found the display being copied
    // The display is resampled whole only when something besides the capture may have changed
    // it or its source (set below); otherwise a refresh takes only the elements whose buffer
    // index the block wrote: two ranges of indices, first to last, empty when last < first.
    bool waveDisplayWhole = true;
    float waveShownCycle = 0.0f;
    int waveShownLine = -1;
    int32_t waveWritten[2][2] = {};
    bool hostRolling = false;             // playing or recording, with a usable position
    bool hostRecording = false;
    double hostPpq = 0.0;     // block-start position, full precision
    bool anchorValid = false; // the position runs on from anchorPpq without a jump
    double anchorPpq = 0.0;
    double anchorSamples = 0.0; // samples from anchorPpq to the start of this block
    double anchorTempo = 0.0;
    double anchorRate = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LineEditorAudioProcessor)
};

// A read of the model through a processor that is not const, `ModelReading (p).bandMix()`: it
// reaches the const accessors, which need the lock only, where p.bandMix() would pick the write
// accessor. A cast, not a function, so the analysis still sees whose lock it is.
using ModelReading = const LineEditorAudioProcessor&;
