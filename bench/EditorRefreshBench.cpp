// One pass of the editor's 60 ms refresh on the message thread: with nothing to do but the live
// displays, and with every change flag raised and a curve edit to commit. Painting is left out
// (the widget benchmarks measure it); this is what the pass itself costs.

#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
void raiseEveryFlag (LineEditorAudioProcessor& p, LineEditorAudioProcessorEditor& e)
{
    for (auto* flag : { &p.powerChanged, &p.lmFreqChanged, &p.hmFreqChanged, &p.stateSwitched,
                        &p.midiLearnDone, &p.linePoints1Changed, &p.linePoints2Changed, &p.optionsChanged,
                        &p.presetNameChanged, &p.timeSigChanged, &p.stateChangePending })
        *flag = true;
    for (int i = 0; i < 3; ++i)
        p.soloChanged[i] = p.muteChanged[i] = p.levelChanged[i] = true;
    for (auto& flag : p.mixChanged)
        flag = true;
    for (int i = 0; i < 4; ++i)
        p.bandMixChanged[i] = p.lineLengthChanged[i] = p.bandGlideChanged[i] = p.speedChanged[i] =
            p.syncChanged[i] = true;
    for (auto& flag : p.stateNoteEvent)
        flag = true;
    e.lineEditorUI2.lineChanged = true;
    e.lineEditorUI1.snapChanged = true;
}

struct Window
{
    Window()
    {
        p->scaling = 2.0f;
        editor = std::make_unique<LineEditorAudioProcessorEditor> (*p, p->parameters);
        editor->stopTimer();
        p->isPlaying = true;
    }
    std::unique_ptr<LineEditorAudioProcessor> p = std::make_unique<LineEditorAudioProcessor>();
    std::unique_ptr<LineEditorAudioProcessorEditor> editor;
};

void BM_RefreshPassIdle (benchmark::State& state)
{
    Window w;
    float v = 0.0f;
    for (auto _ : state)
    {
        v = v > 0.9f ? 0.0f : v + 0.01f;
        w.p->lineValue[0] = v;
        w.p->linePhase[0] = v;
        w.editor->timerCallback();
    }
}
BENCHMARK (BM_RefreshPassIdle)->Unit (benchmark::kMicrosecond);

void BM_RefreshPassEveryFlag (benchmark::State& state)
{
    Window w;
    for (auto _ : state)
    {
        raiseEveryFlag (*w.p, *w.editor);
        w.editor->timerCallback();
    }
}
BENCHMARK (BM_RefreshPassEveryFlag)->Unit (benchmark::kMicrosecond);
} // namespace
