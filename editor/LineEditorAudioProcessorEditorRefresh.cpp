// The 60 ms refresh: every change the processor flags reaches the widgets here, and every edit
// finished in a curve editor reaches the model here.
#include "KnobReadouts.h"
#include "LineEditorAudioProcessorEditor.h"
#include "LineTools.h"
#include "UnlinkedLineMixes.h"

#include <cmath>
#include <cstring>

namespace
{
// Takes a flag: a raise that arrives while its step runs stays for the next pass.
bool take (std::atomic<bool>& flag)
{
    return flag.exchange (false);
}
} // namespace

void LineEditorAudioProcessorEditor::timerCallback()
{
    bool committed = false;
    {
        // A host may restore a state on its own thread: the pass reads the model it writes.
        const ModelLock::Hold hold (processorRef.curveModelLock);
        committed = refreshModelViews();
    }
    // The host hears of an edit once the lock is released.
    if (committed)
        processorRef.sendLineChangeToHost();
    if (take (processorRef.presetNameChanged))
        SetPresetNameForMenu (processorRef.presetModified);
}

bool LineEditorAudioProcessorEditor::refreshModelViews()
{
    const auto cl = [this] { return editedLine(); };
    const auto cs = [this] { return editedState(); };

    // Live displays stand still while the power is off.
    if (processorRef.powerValue > 0.5f)
    {
        if (processorRef.timeSigNumerator == 4 && processorRef.timeSigDenominator == 4 &&
            processorRef.isPlaying && processorRef.waveView == 1)
        {
            float wave[LineEditorAudioProcessor::tableSize];
            processorRef.copyWaveDisplay (wave);
            if (std::memcmp (wave, shownWave, sizeof (wave)) != 0)
                showWaveform (wave);
        }

        for (int i = 0; i < 4; ++i)
        {
            const float v = processorRef.lineValue[i];
            if (v >= 0.0f && v <= 1.0f && std::abs (v - levelMeters[i].level) > 0.001f)
            {
                levelMeters[i].level = v;
                levelMeters[i].repaint();
            }
        }

        // Only where the bar was and where it is now, and nothing while it stands: the marker
        // spans the whole curve area, and repainting it redraws everything beneath.
        const float markerX = static_cast<float> ((playMarker.beatWidth + 1) * playMarker.beatCount) *
                              processorRef.linePhase[cl()].load();
        if (!(markerX == playMarker.markerX || (std::isnan (markerX) && std::isnan (playMarker.markerX))))
        {
            playMarker.repaint (playMarker.barBounds());
            playMarker.markerX = markerX;
            playMarker.repaint (playMarker.barBounds());
        }
    }

    if (take (processorRef.powerChanged))
    {
        setIconState (iconButtons[0], processorRef.powerValue <= 0.0f ? 2 : 0);
        setPowerColors();
        ColorLineTabs();
        ColorSoloMuteButts();
        setSateLAbelText();
    }

    for (int b = 0; b < 3; ++b)
    {
        if (take (processorRef.soloChanged[b]))
            setIconState (soloIcons[b], processorRef.bandSolo[b] ? 0 : 2);
        if (take (processorRef.muteChanged[b]))
            setIconState (muteIcons[b], processorRef.bandMute[b] ? 0 : 2);
    }

    if (take (processorRef.midiLearnDone))
    {
        restoreStateIconColours();
        setSateLAbelText();
    }

    const auto showSplits = [this] (int which)
    {
        freqDisplay.lowSplit = static_cast<float> (splitSliders[0].getValue());
        freqDisplay.highSplit = static_cast<float> (splitSliders[1].getValue());
        freqDisplay.repaint();
        splitLabels[which].setText (KnobReadouts::split (static_cast<float> (splitSliders[which].getValue())),
                                    juce::dontSendNotification);
    };
    if (take (processorRef.lmFreqChanged))
    {
        splitSliders[0].setValue (ModelReading (processorRef).lmFreq()[cs()], juce::dontSendNotification);
        showSplits (0);
    }
    if (take (processorRef.hmFreqChanged))
    {
        splitSliders[1].setValue (ModelReading (processorRef).hmFreq()[cs()], juce::dontSendNotification);
        showSplits (1);
    }

    if (take (processorRef.optionsChanged))
    {
        // Lit Quantize means switches wait for the end of the cycle.
        setIconState (iconButtons[20], processorRef.changeImmediately ? 2 : 0);
        setIconState (iconButtons[21], processorRef.linkMix ? 0 : 2);
    }

    if (processorRef.stateChangePending) // the audio block clears it
        ColorStateGraph();

    // Before the reloads below, so an edit lands in the curve it was made on. A drag still in
    // progress goes on unless a state switch is about to reload the curve editors under it. The
    // flag is taken once: a switch the audio thread raises after this reads is the next pass's,
    // so the reload never ends a drag that was not committed.
    const bool switched = take (processorRef.stateSwitched);
    const bool committed = commitEdits (switched);

    if (switched)
    {
        ColorStateGraph();
        reloadCurveEditors();
        previewGraph.setPoint (ModelReading (processorRef).modulationArray()[cl()][cs()]);
        showUndoRedoCounts();
    }

    if (take (processorRef.mixChanged[0]))
        masterMixLabel.setText (KnobReadouts::masterMix (static_cast<float> (masterMixSlider.getValue())),
                                juce::dontSendNotification);

    {
        juce::Slider* levelSliders[] = { &lowLevelSlider, &midLevelSlider, &highLevelSlider };
        juce::Label* levelLabels[] = { &lowLevelLabels[0], &midLevelLabels[0], &highLevelLabels[0] };
        for (int b = 0; b < 3; ++b)
            if (take (processorRef.levelChanged[b]))
                levelLabels[b]->setText (
                    KnobReadouts::level (static_cast<float> (levelSliders[b]->getValue())),
                    juce::dontSendNotification);
    }

    for (int i = 0; i < 4; ++i)
        if (take (processorRef.syncChanged[i]))
            setIconState (syncIcons[i], processorRef.activeSync[i] ? 0 : 2);

    for (int i = 0; i < 4; ++i)
    {
        if (take (processorRef.speedChanged[i]))
        {
            lengthLabels[i].setText (
                KnobReadouts::length (processorRef.activeLength[i], processorRef.activeSync[i]),
                juce::dontSendNotification);
            playMarker.repaint();
            setIndecLabelText();
        }
    }

    if (take (processorRef.timeSigChanged))
    {
        const int numerator = processorRef.timeSigNumerator;
        for (auto* curveEditor : { &lineEditorUI1, &lineEditorUI2 })
        {
            curveEditor->timeSigNumerator = numerator;
            curveEditor->xSnapDivisions =
                numerator == 3 || numerator == 6 || numerator == 12 ? 72.0f : 128.0f;
            curveEditor->repaint();
        }
        updateMarkerBeats();
        playMarker.repaint();
        setIndecLabelText();
        float wave[LineEditorAudioProcessor::tableSize];
        processorRef.copyWaveDisplay (wave);
        showWaveform (wave);
    }

    // The two curve editors always snap alike, and the processor keeps the choice.
    for (auto* from : { &lineEditorUI1, &lineEditorUI2 })
    {
        if (!from->snapChanged)
            continue;
        from->snapChanged = false;
        // During a restore the restored document's choice stands.
        ModelEdit edit (processorRef.restores());
        if (!edit.goesAhead())
        {
            from->snapX = ModelReading (processorRef).snapX();
            from->snapY = ModelReading (processorRef).snapY();
            continue;
        }
        auto* other = from == &lineEditorUI1 ? &lineEditorUI2 : &lineEditorUI1;
        processorRef.snapX() = other->snapX = from->snapX;
        processorRef.snapY() = other->snapY = from->snapY;
    }

    for (int stage = 1; stage <= 2; ++stage)
    {
        if (!take (stage == 1 ? processorRef.linePoints1Changed : processorRef.linePoints2Changed))
            continue;
        auto& curveEditor = stage == 1 ? lineEditorUI1 : lineEditorUI2;
        const int line = cl(), state = cs();
        curveEditor.setLinePoints (stage == 1 ? ModelReading (processorRef).linePoints1()[line][state]
                                              : ModelReading (processorRef).linePoints2()[line][state],
                                   line, state);
        for (int k = 0; k < 48; ++k)
            stateGraphs[k].setPoint (ModelReading (processorRef).modulationArray()[k / 12][k % 12]);
        previewGraph.setPoint (ModelReading (processorRef).modulationArray()[line][state]);
        curveEditor.snapX = ModelReading (processorRef).snapX();
        curveEditor.snapY = ModelReading (processorRef).snapY();
        showUndoRedoCounts();
    }

    for (int i = 0; i < 12; ++i)
    {
        if (!take (processorRef.stateNoteEvent[i]))
            continue;
        const bool full = processorRef.powerValue >= 0.5f;
        const juce::uint8 alpha = full ? 0xFF : 0x7F;
        auto& icon = stateIcons[i];
        icon.onColour = palette[6].withAlpha (alpha);
        icon.pressedColour = palette[8].withAlpha (alpha);
        icon.offColour = palette[6].withAlpha (static_cast<juce::uint8> (full ? 0x7F : 51));
        if (processorRef.stateNoteHeld[i])
        {
            // A held trigger note lights the state in the Low line's red.
            icon.onColour = icon.offColour = palette[9].withAlpha (alpha);
            icon.pressedColour = palette[11].withAlpha (alpha);
        }
        icon.repaint();
    }

    for (int i = 0; i < 4; ++i)
        if (take (processorRef.mixChanged[1 + i]))
            mixLabels[i].setText (KnobReadouts::mix (static_cast<float> (mixSliders[i].getValue())),
                                  juce::dontSendNotification);

    for (int i = 0; i < 4; ++i)
    {
        const int state = cs();
        if (take (processorRef.lineLengthChanged[i]))
            lengthSliders[i].setValue (ModelReading (processorRef).lineLength()[i][state],
                                       juce::dontSendNotification);
        // The read-outs show where the knobs landed on their steps, as at construction.
        if (take (processorRef.bandMixChanged[i]))
        {
            processorRef.foldHostLineMixes();
            mixSliders[i].setValue (UnlinkedLineMixes::playing (processorRef, i, state),
                                    juce::dontSendNotification);
            mixLabels[i].setText (KnobReadouts::mix (static_cast<float> (mixSliders[i].getValue())),
                                  juce::dontSendNotification);
        }
        if (take (processorRef.bandGlideChanged[i]))
        {
            glideSliders[i].setValue (ModelReading (processorRef).bandGlide()[i][state],
                                      juce::dontSendNotification);
            glideLabels[i].setText (KnobReadouts::glide (static_cast<float> (glideSliders[i].getValue())),
                                    juce::dontSendNotification);
        }
    }

    return committed;
}

//==================================================================================================
void LineEditorAudioProcessorEditor::showWaveform (const float* values)
{
    std::memcpy (shownWave, values, sizeof (shownWave));
    waveformGraph.setPoint (values);
}

void LineEditorAudioProcessorEditor::reloadCurveEditors()
{
    const int line = editedLine(), state = editedState();
    lineEditorUI1.setLinePoints (ModelReading (processorRef).linePoints1()[line][state], line, state);
    lineEditorUI2.setLinePoints (ModelReading (processorRef).linePoints2()[line][state], line, state);
}

void LineEditorAudioProcessorEditor::commitPendingEdits (bool takeDrags)
{
    bool committed = false;
    {
        const ModelLock::Hold hold (processorRef.curveModelLock);
        committed = commitEdits (takeDrags);
    }
    if (committed)
        processorRef.sendLineChangeToHost();
}

bool LineEditorAudioProcessorEditor::commitEdits (bool takeDrags)
{
    const bool first = commitStage (1, takeDrags);
    const bool second = commitStage (2, takeDrags);
    if (!first && !second)
        return false;
    showUndoRedoCounts();
    return true;
}

bool LineEditorAudioProcessorEditor::commitStage (int stage, bool takeDrag)
{
    auto& curveEditor = stage == 1 ? lineEditorUI1 : lineEditorUI2;
    if (!curveEditor.lineChanged && !(takeDrag && curveEditor.dragging))
        return false;

    // Taking a drag in progress ends it; the rest of the gesture moves nothing.
    curveEditor.stopDrag();
    curveEditor.lineChanged = false;

    // A load or a host restore replaced the stored curves after the edit began, or is doing so:
    // the store wins, and the raised flag reloads the curve editor. A restore raises it under the
    // lock held here, in its first part; an earlier pass may have taken it before the second.
    ModelEdit edit (processorRef.restores());
    if ((stage == 1 ? processorRef.linePoints1Changed : processorRef.linePoints2Changed).load() ||
        !edit.goesAhead())
        return false;

    // An edit whose curve's line and state are unknown has nowhere it surely belongs: the line
    // and state shown now may be others than the ones it was made on.
    const int line = curveEditor.loadedLine, state = curveEditor.loadedState;
    if (!juce::isPositiveAndBelow (line, LineEditorAudioProcessor::numLines) ||
        !juce::isPositiveAndBelow (state, LineEditorAudioProcessor::numStates))
        return false;

    auto& model = stage == 1 ? processorRef.lineEditor1() : processorRef.lineEditor2();
    auto& store =
        stage == 1 ? processorRef.linePoints1()[line][state] : processorRef.linePoints2()[line][state];
    auto& table =
        stage == 1 ? processorRef.lineArray1()[line][state] : processorRef.lineArray2()[line][state];

    LETPoint edited[LineEditorAudioProcessor::numCurvePoints];
    std::copy (std::begin (curveEditor.points), std::end (curveEditor.points), edited);
    processorRef.syncCurveModels();
    // The curve editor still shows a line or state the models have left: the undo step records
    // that curve's stored points, and the models come back afterwards.
    const bool elsewhere = line != processorRef.modelLine() || state != processorRef.modelState();
    if (elsewhere)
        model.setLinePoints (store);

    model.startNewChange (line, state);
    model.setLinePoints (edited);
    std::copy (std::begin (model.points), std::end (model.points), store);
    model.getLineArray (table);
    LineTools::rebuildProduct (processorRef, line, state);

    if (elsewhere)
    {
        processorRef.curveModelsStale = true;
        processorRef.syncCurveModels();
    }

    stateGraphs[line * 12 + state].setPoint (processorRef.modulationArray()[line][state]);
    if (line == editedLine() && state == editedState())
        previewGraph.setPoint (processorRef.modulationArray()[line][state]);
    return true;
}
