// What the editor's 60 ms refresh asks of the drawing components at the largest interface scale:
// the waveform (512 points), the 48 state thumbnails, a level meter, a knob, the icon row and
// the curve editor during a drag (a 50-point curve rendered and painted per mouse event),
// each painted into an image in software as the window would.

#include "GraphDraw.h"
#include "Icons.h"
#include "LevelMeter.h"
#include "LineEditorUI.h"
#include "LooknFeel1.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
void paintInto (juce::Image& image, juce::Component& c)
{
    juce::Graphics g (image);
    c.paintEntireComponent (g, true);
}

void fillWave (float* values, int count)
{
    for (int k = 0; k < count; ++k)
        values[k] = 0.5f + 0.45f * std::sin ((float) k * 0.07f) * std::cos ((float) k * 0.011f);
}

void BM_WaveformGraph (benchmark::State& state)
{
    GraphDraw graph;
    graph.mode = 1;
    graph.thickness = 2.0f;
    graph.inset = 8;
    graph.setSize (760, 200);
    float values[512];
    fillWave (values, 512);
    juce::Image image (juce::Image::ARGB, 760, 200, true, juce::SoftwareImageType());
    for (auto _ : state)
    {
        graph.setPoint (values);
        paintInto (image, graph);
    }
}
BENCHMARK (BM_WaveformGraph)->Unit (benchmark::kMicrosecond);

void BM_FortyEightStateThumbnails (benchmark::State& state)
{
    juce::OwnedArray<GraphDraw> graphs;
    float values[512];
    fillWave (values, 512);
    for (int i = 0; i < 48; ++i)
    {
        auto* g = graphs.add (new GraphDraw());
        g->mode = 2;
        g->thickness = 2.0f;
        g->inset = 8;
        g->setSize (76, 48);
    }
    juce::Image image (juce::Image::ARGB, 76, 48, true, juce::SoftwareImageType());
    for (auto _ : state)
        for (auto* g : graphs)
        {
            g->setPoint (values);
            paintInto (image, *g);
        }
}
BENCHMARK (BM_FortyEightStateThumbnails)->Unit (benchmark::kMicrosecond);

void BM_LevelMeter (benchmark::State& state)
{
    LevelMeter meter;
    meter.setSize (12, 120);
    juce::Image image (juce::Image::ARGB, 12, 120, true, juce::SoftwareImageType());
    float level = 0.0f;
    for (auto _ : state)
    {
        meter.level = level;
        level = level > 1.0f ? 0.0f : level + 0.01f;
        paintInto (image, meter);
    }
}
BENCHMARK (BM_LevelMeter)->Unit (benchmark::kMicrosecond);

void BM_RotaryKnob (benchmark::State& state)
{
    LooknFeel1 lf;
    lf.rotaryStyle = 2;
    lf.ringInnerRadius = 0.95f;
    juce::Slider slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&lf);
    slider.setSize (60, 60);
    juce::Image image (juce::Image::ARGB, 60, 60, true, juce::SoftwareImageType());
    for (auto _ : state)
        paintInto (image, slider);
    slider.setLookAndFeel (nullptr);
}
BENCHMARK (BM_RotaryKnob)->Unit (benchmark::kMicrosecond);

void BM_AllNineteenIcons (benchmark::State& state)
{
    juce::OwnedArray<Icons> icons;
    for (int type = 0; type < Icons::numGlyphs; ++type)
    {
        auto* icon = icons.add (new Icons());
        icon->iconType = type;
        icon->setSize (64, 48);
    }
    juce::Image image (juce::Image::ARGB, 64, 48, true, juce::SoftwareImageType());
    for (auto _ : state)
        for (auto* icon : icons)
            paintInto (image, *icon);
}
BENCHMARK (BM_AllNineteenIcons)->Unit (benchmark::kMicrosecond);
void BM_CurveEditorDragFrame (benchmark::State& state)
{
    LineEditorUI editor;
    editor.setSize (528, 144);
    editor.margin = 8.0f;
    editor.pointSize = 10.0f;
    editor.gridInset = editor.gridThickness = editor.lineThickness = editor.handleOutline = 2.0f;
    LETPoint curve[50];
    for (int i = 0; i < 50; ++i)
        curve[i] = { (float) i / 49.0f,
                     0.5f + 0.4f * std::sin ((float) i),
                     (float) (i % 5) * 0.4f - 0.8f,
                     i,
                     0.0f,
                     0.0f,
                     1 + i % 9,
                     false,
                     false,
                     true };
    editor.setLinePoints (curve);
    juce::Image image (juce::Image::ARGB, 528, 144, true, juce::SoftwareImageType());
    for (auto _ : state)
    {
        editor.calculateLine();
        paintInto (image, editor);
    }
}
BENCHMARK (BM_CurveEditorDragFrame)->Unit (benchmark::kMicrosecond);

} // namespace
