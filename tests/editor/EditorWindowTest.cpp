// The editor window's children, views and life: stacking order, visibility per view, the
// processor's editor-open flag, the refresh timer, the factory and repeated opening and closing.

#include "AssertionCatcher.h"
#include "EditorTestSupport.h"

#include <thread>
#include <vector>

using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;

namespace
{
// The adding order of the constructor, which is the stacking order (tooltip window aside).
std::vector<juce::Component*> stackingOrder (LineEditorAudioProcessorEditor& e)
{
    std::vector<juce::Component*> order;
    const auto add = [&order] (juce::Component& c) { order.push_back (&c); };
    add (e.skinImage);
    for (int k = 0; k <= 4; ++k)
        add (e.iconButtons[k]);
    add (e.presetNameEditor);
    add (e.saveButton);
    add (e.cancelButton);
    add (e.iconButtons[5]);
    for (auto& c : e.shapeFrames)
        add (c);
    for (auto& c : e.stateFrames)
        add (c);
    add (e.iconButtons[6]);
    add (e.iconButtons[7]);
    add (e.categoryIcon);
    for (int k : { 8, 9, 10, 11, 12, 13, 18, 19, 14, 15, 20, 21, 16, 17 })
        add (e.iconButtons[k]);
    for (int l = 0; l < 4; ++l)
    {
        add (e.lineIcons[l]);
        add (e.levelMeters[l]);
    }
    for (int l = 0; l < 4; ++l)
    {
        add (e.lengthSliders[l]);
        add (e.lengthLabels[l]);
        add (e.lengthLabels[l + 4]);
        add (e.syncIcons[l]);
    }
    for (auto& c : e.stateIcons)
        add (c);
    for (auto& c : e.soloIcons)
        add (c);
    for (auto& c : e.muteIcons)
        add (c);
    for (int l = 0; l < 4; ++l)
    {
        add (e.glideSliders[l]);
        add (e.glideLabels[l]);
        add (e.glideLabels[l + 4]);
    }
    add (e.masterMixSlider);
    add (e.masterMixLabel);
    for (int l = 0; l < 4; ++l)
    {
        add (e.mixSliders[l]);
        add (e.mixLabels[l]);
        add (e.mixLabels[l + 4]);
    }
    add (e.lowLevelSlider);
    add (e.lowLevelLabels[0]);
    add (e.lowLevelLabels[1]);
    add (e.midLevelSlider);
    add (e.midLevelLabels[0]);
    add (e.midLevelLabels[1]);
    add (e.highLevelSlider);
    add (e.highLevelLabels[0]);
    add (e.highLevelLabels[1]);
    for (auto& c : e.gridLabels)
        add (c);
    add (e.lineEditorUI1);
    add (e.lineEditorUI2);
    add (e.waveformGraph);
    add (e.previewGraph);
    add (e.playMarker);
    for (auto& c : e.shapeGraphs)
        add (c);
    for (auto& c : e.stateGraphs)
        add (c);
    add (e.freqDisplay);
    add (e.splitSliders[0]);
    add (e.splitSliders[1]);
    add (e.splitLabels[0]);
    add (e.splitLabels[1]);
    add (e.versionLabel);
    add (e.shortVersionLabel);
    add (e.aboutLabels[0]);
    add (e.aboutLabels[1]);
    add (e.linkButtons[0]);
    add (e.linkButtons[1]);
    add (e.tooltipWindow); // always on top: last, although added first
    return order;
}

int visibleChildren (LineEditorAudioProcessorEditor& e)
{
    int count = 0;
    for (auto* child : e.getChildren())
        count += child != &e.tooltipWindow && child->isVisible() ? 1 : 0;
    return count;
}
} // namespace

TEST (EditorWindow, ChildrenInStackingOrder)
{
    auto p = makeEditorProcessor();
    auto editor = openEditor (*p);
    const auto order = stackingOrder (*editor);
    ASSERT_EQ (order.size(), 236u);
    ASSERT_EQ (editor->getNumChildComponents(), 236);
    for (int i = 0; i < 236; ++i)
        EXPECT_EQ (editor->getChildComponent (i), order[(size_t) i]) << "child " << i;

    EXPECT_EQ (editor->getChildComponent (0), &editor->skinImage);
    EXPECT_EQ (editor->getChildComponent (6), &editor->presetNameEditor);
    EXPECT_EQ (editor->getChildComponent (9), &editor->iconButtons[5]);
    EXPECT_EQ (editor->getChildComponent (135), &editor->playMarker);
    EXPECT_EQ (editor->getChildComponent (176), &editor->stateGraphs[0]);
    EXPECT_EQ (editor->getChildComponent (229), &editor->versionLabel);
    EXPECT_EQ (editor->getChildComponent (235), &editor->tooltipWindow);
    EXPECT_EQ (&editor->tooltipWindow.getLookAndFeel(), &editor->lookAndFeels[8]);
}

TEST (EditorWindow, ViewsShowTheirChildren)
{
    auto p = makeEditorProcessor();
    p->currentView = 1; // left by a closed window: a new one still opens on the main view
    auto editor = openEditor (*p);
    EXPECT_EQ (p->currentView, 0);
    EXPECT_EQ (editor->skinImage.view, 0);
    EXPECT_EQ (visibleChildren (*editor), 169);
    EXPECT_TRUE (editor->lineEditorUI1.isVisible());
    EXPECT_FALSE (editor->lineEditorUI2.isVisible());
    EXPECT_FALSE (editor->presetNameEditor.isVisible());
    EXPECT_FALSE (editor->versionLabel.isVisible());

    p->waveView = 0;
    editor->ViewSelector (0);
    EXPECT_EQ (visibleChildren (*editor), 168);
    EXPECT_FALSE (editor->waveformGraph.isVisible());
    EXPECT_TRUE (editor->previewGraph.isVisible());

    // The about view in the middle of a rename: the entry goes and does not come back.
    editor->presetNameEditor.setVisible (true);
    editor->saveButton.setVisible (true);
    editor->ViewSelector (1);
    EXPECT_EQ (p->currentView, 1);
    EXPECT_EQ (editor->skinImage.view, 1);
    EXPECT_EQ (visibleChildren (*editor), 3);
    for (auto* c : std::initializer_list<juce::Component*>{ &editor->skinImage, &editor->aboutLabels[1],
                                                            &editor->versionLabel })
        EXPECT_TRUE (c->isVisible());

    // Back: the line, stage and category current at the moment of the return.
    p->currentLine = 2;
    p->editedStage[2] = 1;
    p->shapeCategory = 2;
    p->waveView = 1;
    editor->ViewSelector (0);
    EXPECT_EQ (visibleChildren (*editor), 169);
    EXPECT_FALSE (editor->presetNameEditor.isVisible());
    EXPECT_FALSE (editor->saveButton.isVisible());
    EXPECT_FALSE (editor->lineEditorUI1.isVisible());
    EXPECT_TRUE (editor->lineEditorUI2.isVisible());
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (editor->lengthSliders[i].isVisible(), i == 2);
        EXPECT_EQ (editor->mixLabels[i + 4].isVisible(), i == 2);
        EXPECT_EQ (editor->syncIcons[i].isVisible(), i == 2);
    }
    for (int r = 0; r < 40; ++r)
        EXPECT_EQ (editor->shapeGraphs[r].isVisible(), r >= 20 && r < 30) << r;

    // Any other view number leaves only the skin, which then draws nothing.
    editor->ViewSelector (7);
    EXPECT_EQ (visibleChildren (*editor), 1);
    EXPECT_TRUE (editor->skinImage.isVisible());
}

TEST (EditorWindow, OpenFlagTimerAndFactory)
{
    auto p = makeEditorProcessor();

    // Without an installed factory the processor keeps the generic editor.
    {
        std::unique_ptr<juce::AudioProcessorEditor> generic (p->createEditor());
        EXPECT_EQ (dynamic_cast<LineEditorAudioProcessorEditor*> (generic.get()), nullptr);
        EXPECT_NE (dynamic_cast<juce::GenericAudioProcessorEditor*> (generic.get()), nullptr);
    }
    EXPECT_FALSE (p->editorOpen);

    for (int round = 0; round < 2; ++round)
    {
        auto editor = openEditor (*p);
        EXPECT_TRUE (p->editorOpen);
        EXPECT_TRUE (editor->isTimerRunning());
        EXPECT_EQ (editor->getTimerInterval(), 60);
        EXPECT_EQ (p->getActiveEditor(), editor.get());
        editor.reset();
        EXPECT_FALSE (p->editorOpen);
    }
}

TEST (EditorWindow, ClosingReleasesTheTooltipLookBeforeItGoes)
{
    // The tooltip window is styled by lookAndFeels[8]; a look-and-feel destroyed while a
    // component still uses it is a JUCE assertion.
    auto p = makeEditorProcessor();
    auto editor = openEditor (*p);
    ASSERT_EQ (&editor->tooltipWindow.getLookAndFeel(), &editor->lookAndFeels[8]);
    AssertionCatcher catcher;
    editor.reset();
    EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
}

TEST (EditorWindow, HundredOpensAndClosesWithRandomSettings)
{
    auto p = makeEditorProcessor();
    juce::Random random (1313);
    const float scales[] = { 1.0f, 1.5f, 2.0f };
    auto* power = p->parameters.getParameter ("Power");
    auto* level = p->parameters.getParameter ("HighLevel");
    for (int round = 0; round < 100; ++round)
    {
        p->scaling = scales[random.nextInt (3)];
        p->currentLine = random.nextInt (4);
        p->editedStage[p->currentLine] = random.nextInt (2);
        p->shapeCategory = random.nextInt (4);
        p->waveView = random.nextInt (2);
        power->setValueNotifyingHost (random.nextBool() ? 1.0f : 0.0f);

        auto editor = openEditor (*p);
        ASSERT_TRUE (p->editorOpen);
        EXPECT_EQ (editor->getWidth(), juce::roundToInt (592.0f * p->scaling));
        editor->timerCallback();
        if (random.nextBool())
            editor->ViewSelector (1);
        // A host change from another thread leaves a knob update pending as the window closes.
        std::thread automation ([&] { level->setValueNotifyingHost (random.nextFloat()); });
        automation.join();
        editor.reset();
        ASSERT_FALSE (p->editorOpen);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    }
}
