// The window's geometry at the three interface scales, against boxes worked out here from the
// layout rules: r(v s) in single precision with halves to even, composite values rounded term by
// term, C(Y) = r(Y s) + r(42 s) / 2 - r(9 s), Wg and Wf.

#include "EditorLayout.h"
#include "EditorTestSupport.h"

#include <cmath>
#include <limits>
#include <vector>

using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;

namespace
{
struct Expected
{
    juce::Component* child;
    juce::Rectangle<int> box;
};

std::vector<Expected> expectedBoxes (LineEditorAudioProcessorEditor& e, float s)
{
    const auto r = [s] (float v) { return static_cast<int> (std::lrintf (v * s)); };
    const auto C = [&r] (float y) { return r (y) + r (42) / 2 - r (9); };
    const int wg = static_cast<int> (std::lrintf ((452.0f * s + static_cast<float> (r (4))) / 12.0f));
    const int wf = static_cast<int> (std::lrintf ((448.0f * s + static_cast<float> (r (4))) / 12.0f));

    std::vector<Expected> out;
    const auto put = [&out] (juce::Component& c, int x, int y, int w, int h) {
        out.push_back ({ &c, { x, y, w, h } });
    };
    const auto plain = [&] (juce::Component& c, float x, float y, float w, float h)
    { put (c, r (x), r (y), r (w), r (h)); };
    const auto bar = [&] (juce::Component& c, float x, float y, float w, float h)
    { put (c, r (x) + r (29), r (y) + r (5), r (w), r (h)); };
    const auto area = [&] (juce::Component& c, float x, float y, float w, float h)
    { put (c, r (x) + r (-44), r (y), r (w), r (h)); };

    plain (e.skinImage, 0, 0, 592, 234);
    plain (e.aboutLabels[0], 10, 6, 72, 12);
    plain (e.aboutLabels[1], 216, 38, 160, 160);
    plain (e.shortVersionLabel, 80, 6, 100, 16);
    put (e.linkButtons[0], r (592) - r (23), r (5), r (11), r (15));
    put (e.linkButtons[1], r (592) - r (102), r (5), r (72), r (15));
    put (e.versionLabel, r (592) - r (207), r (234) - r (21), r (200), r (16));
    put (e.iconButtons[0], r (36), C (25), r (17), r (17));
    bar (e.iconButtons[1], 168, 6, 16, 13);
    bar (e.iconButtons[2], 186, 7, 13, 11);
    bar (e.iconButtons[3], 202, 7, 152, 11);
    bar (e.iconButtons[4], 356, 7, 13, 11);
    bar (e.presetNameEditor, 168, 6, 126, 14);
    bar (e.saveButton, 296, 6, 34, 14);
    bar (e.cancelButton, 332, 6, 34, 14);

    for (int i = 0; i < 4; ++i)
    {
        area (e.lineIcons[i], 115.0f + 32.0f * (float) i, 36, 32, 16);
        area (e.levelMeters[i], 569.0f + 12.0f * (float) i, 38, 7, 12);
    }
    const int topTools[] = { 18, 19, 14, 15, 20, 21 };
    for (int t = 0; t < 6; ++t)
        area (e.iconButtons[topTools[t]], 247.0f + 14.0f * (float) t, 37, 14, 14);
    area (e.masterMixSlider, 335, 37, 84, 14);
    area (e.masterMixLabel, 335, 37, 84, 14);
    area (e.freqDisplay, 432, 37, 132, 14);
    area (e.splitSliders[0], 432, 34, 65, 20);
    area (e.splitLabels[0], 432, 34, 65, 20);
    area (e.splitSliders[1], 497, 34, 65, 20);
    area (e.splitLabels[1], 497, 34, 65, 20);
    area (e.waveformGraph, 115, 58, 450, 103);
    area (e.previewGraph, 115, 53, 450, 113);
    area (e.iconButtons[5], 117, 55, 446, 109);
    area (e.lineEditorUI1, 115, 53, 450, 113);
    area (e.lineEditorUI2, 115, 53, 450, 113);
    area (e.playMarker, 117, 58, 442, 103);
    const float gridX[] = { 120, 230, 341, 452, 446 };
    for (int k = 0; k < 5; ++k)
        area (e.gridLabels[k], gridX[k], 147, 115, 18);
    area (e.iconButtons[6], 115, 168, 24, 16);
    area (e.iconButtons[7], 139, 168, 24, 16);
    const int lineTools[] = { 10, 11, 16, 17, 13, 12, 8, 9 };
    for (int t = 0; t < 8; ++t)
        area (e.iconButtons[lineTools[t]], 167.0f + 14.0f * (float) t, 169, 14, 14);
    area (e.categoryIcon, 290, 168, 44, 16);
    for (int i = 0; i < 10; ++i)
    {
        const int step = r (23.0f * (float) i);
        for (int c = 0; c < 4; ++c)
            put (e.shapeGraphs[10 * c + i], r (334) + r (-44) + step, r (168), r (23), r (16));
        put (e.shapeFrames[i], r (335) + r (-44) + step, r (168), r (23), r (16));
    }
    for (int i = 0; i < 12; ++i)
    {
        const int step = r (37.5f * (float) i);
        for (int l = 0; l < 4; ++l)
            put (e.stateGraphs[12 * l + i], r (114) + r (-44) + step, r (187.0f + (float) l), wg, r (20));
        put (e.stateFrames[i], r (115) + r (-44) + step, r (187), wf, r (23));
        put (e.stateIcons[i], r (115) + r (-44) + step, r (208), wf, r (14));
    }

    for (int i = 0; i < 4; ++i)
    {
        put (e.glideSliders[i], r (24) + r (7), r (52) + r (7), r (42) - r (14), r (42) - r (14));
        put (e.glideLabels[i], r (24), C (52), r (42), r (18));
        put (e.glideLabels[i + 4], r (24), C (70), r (42), r (18));
        put (e.syncIcons[i], r (24), C (86), r (42), r (12));
        plain (e.lengthSliders[i], 24, 114, 42, 42);
        put (e.lengthLabels[i], r (24), C (114), r (42), r (18));
        put (e.lengthLabels[i + 4], r (24), C (138), r (42), r (18));
        plain (e.mixSliders[i], 24, 170, 42, 42);
        put (e.mixLabels[i], r (24), C (170), r (42), r (18));
        put (e.mixLabels[i + 4], r (24), C (194), r (42), r (18));
    }

    juce::Slider* levels[] = { &e.highLevelSlider, &e.midLevelSlider, &e.lowLevelSlider };
    juce::Label* levelLabels[] = { e.highLevelLabels, e.midLevelLabels, e.lowLevelLabels };
    for (int b = 0; b < 3; ++b)
    {
        const float y = 55.0f + 56.0f * (float) b;
        plain (*levels[b], 526, y, 42, 42);
        put (levelLabels[b][0], r (526), C (y), r (42), r (18));
        put (levelLabels[b][1], r (526), C (y + 24), r (42), r (18));
        put (e.soloIcons[2 - b], r (522), C (y + 24), r (12), r (18));
        put (e.muteIcons[2 - b], r (560), C (y + 24), r (12), r (18));
    }
    return out;
}

void expectLayout (LineEditorAudioProcessorEditor& editor, float s, const char* when)
{
    const auto expected = expectedBoxes (editor, s);
    ASSERT_EQ (expected.size(), 235u); // every child but the tooltip window
    for (const auto& [child, box] : expected)
        EXPECT_EQ (child->getBounds(), box)
            << when << " at " << s << ": child " << editor.getIndexOfChildComponent (child);
}

std::vector<juce::Rectangle<int>> allBounds (juce::Component& parent)
{
    std::vector<juce::Rectangle<int>> boxes;
    for (auto* child : parent.getChildren())
        boxes.push_back (child->getBounds());
    return boxes;
}
} // namespace

TEST (EditorLayout, WindowAndEveryChildAtThreeScales)
{
    struct Spot
    {
        float scale;
        int width, height, beatWidth;
        juce::Rectangle<int> power, shapeFrame1, stateIcon11, glideKnob, version;
    };
    const Spot spots[] = {
        { 1.0f,
          592,
          234,
          110,
          { 36, 37, 17, 17 },
          { 314, 168, 23, 16 },
          { 483, 208, 38, 14 },
          { 31, 59, 28, 28 },
          { 385, 213, 200, 16 } },
        { 1.5f,
          888,
          351,
          165,
          { 54, 55, 26, 26 },
          { 470, 252, 34, 24 },
          { 725, 312, 56, 21 },
          { 46, 88, 42, 42 },
          { 578, 319, 300, 24 } },
        { 2.0f,
          1184,
          468,
          221,
          { 72, 74, 34, 34 },
          { 628, 336, 46, 32 },
          { 967, 416, 75, 28 },
          { 62, 118, 56, 56 },
          { 770, 426, 400, 32 } },
    };
    for (const auto& spot : spots)
    {
        auto p = makeEditorProcessor (spot.scale);
        auto editor = openEditor (*p);
        EXPECT_EQ (editor->getWidth(), spot.width);
        EXPECT_EQ (editor->getHeight(), spot.height);
        EXPECT_EQ (editor->windowWidth, spot.width);
        EXPECT_EQ (editor->windowHeight, spot.height);
        EXPECT_EQ (editor->iconButtons[0].getBounds(), spot.power);
        EXPECT_EQ (editor->shapeFrames[1].getBounds(), spot.shapeFrame1);
        EXPECT_EQ (editor->stateIcons[11].getBounds(), spot.stateIcon11);
        EXPECT_EQ (editor->glideSliders[2].getBounds(), spot.glideKnob);
        EXPECT_EQ (editor->versionLabel.getBounds(), spot.version);
        EXPECT_EQ (editor->playMarker.beatCount, 4);
        EXPECT_EQ (editor->playMarker.beatWidth, spot.beatWidth);
        expectLayout (*editor, spot.scale, "fresh");

        // A second run with the same scale moves nothing.
        const auto before = allBounds (*editor);
        editor->setElementSizes();
        EXPECT_EQ (allBounds (*editor), before);
    }
}

TEST (EditorLayout, ScaleSwitchesMatchFreshWindowsAndRecomputeTheBeatWidth)
{
    auto p = makeEditorProcessor (1.0f);
    auto editor = openEditor (*p);
    ASSERT_EQ (editor->playMarker.beatWidth, 110);

    for (float s : { 2.0f, 1.0f, 1.5f })
    {
        p->scaling = s;
        editor->setElementSizes();
        expectLayout (*editor, s, "after a switch");
        EXPECT_EQ (editor->playMarker.beatWidth, editor->playMarker.getWidth() / 4) << s;
    }
    p->scaling = 2.0f;
    editor->setElementSizes();
    EXPECT_EQ (editor->playMarker.beatWidth, 221);
    EXPECT_EQ (editor->lookAndFeels[8].scale, 2.0f);
    EXPECT_EQ (editor->iconButtons[21].scale, 2.0f);
    EXPECT_EQ (editor->shapeGraphs[39].inset, 8);
    EXPECT_EQ (editor->lineEditorUI2.pointSize, 10.0f);
}

TEST (EditorLayout, FontsFollowTheScale)
{
    auto p = makeEditorProcessor (1.5f);
    auto editor = openEditor (*p);
    EXPECT_FLOAT_EQ (editor->lengthLabels[0].getFont().getHeight(), 15.0f);
    EXPECT_FLOAT_EQ (editor->lowLevelLabels[0].getFont().getHeight(), 15.0f);
    EXPECT_FLOAT_EQ (editor->mixLabels[7].getFont().getHeight(), 13.5f);
    EXPECT_TRUE (editor->mixLabels[7].getFont().isBold());
    EXPECT_FLOAT_EQ (editor->masterMixLabel.getFont().getHeight(), 13.5f);
    EXPECT_FLOAT_EQ (editor->gridLabels[4].getFont().getHeight(), 13.5f);
    EXPECT_FALSE (editor->gridLabels[4].getFont().isBold());
    EXPECT_FLOAT_EQ (editor->splitLabels[1].getFont().getHeight(), 16.5f);
    EXPECT_FLOAT_EQ (editor->versionLabel.getFont().getHeight(), 13.5f);
    EXPECT_FLOAT_EQ (editor->shortVersionLabel.getFont().getHeight(), 12.0f);
    EXPECT_FLOAT_EQ (editor->presetNameEditor.getFont().getHeight(), 15.0f);

    // A layout drops typing in the name entry for the preset's name.
    editor->presetNameEditor.setText ("half typed");
    editor->setElementSizes();
    EXPECT_EQ (editor->presetNameEditor.getText(), p->presetName());
}

TEST (EditorLayout, BeatCountIsAtLeastOne)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float beatsPerBar;
        int count;
    } cases[] = { { 4.0f, 4 },  { 3.0f, 3 }, { 2.5f, 2 },  { 3.5f, 4 }, { 1.0f, 1 }, { 0.5f, 1 },
                  { 0.25f, 1 }, { 0.0f, 1 }, { -4.0f, 1 }, { nan, 1 },  { inf, 1 },  { -inf, 1 } };
    for (const auto& c : cases)
    {
        EXPECT_EQ (EditorLayout::beatCount (c.beatsPerBar), c.count) << c.beatsPerBar;
        EXPECT_EQ (EditorLayout::beatWidth (442, c.beatsPerBar), 442 / c.count) << c.beatsPerBar;
    }

    // A bar of 1/8 gives one beat across the whole marker, not a division by zero.
    auto p = makeEditorProcessor (1.0f);
    p->beatsPerBar = 0.5f;
    auto editor = openEditor (*p);
    EXPECT_EQ (editor->playMarker.beatCount, 1);
    EXPECT_EQ (editor->playMarker.beatWidth, 442);
}
