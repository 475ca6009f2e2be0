// The editor's colours and status labels on a real editor, headless: every colour is checked as
// the exact ARGB value it must have.

#include "EditorTestSupport.h"

#include <vector>

using kalvo::test::EditorPtr;
using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;
using kalvo::test::requestState;

namespace
{
juce::uint32 argb (juce::Colour c)
{
    return c.getARGB();
}

juce::uint32 textColour (const juce::Label& label)
{
    return argb (label.findColour (juce::Label::textColourId));
}

// Every colour, icon state and visibility of the window's children and look-and-feels, for
// comparing two calls.
std::vector<juce::uint32> everyColour (LineEditorAudioProcessorEditor& e)
{
    std::vector<juce::uint32> all;
    for (auto* c : e.getChildren())
    {
        all.push_back (c->isVisible() ? 1u : 0u);
        if (auto* i = dynamic_cast<Icons*> (c))
            all.insert (all.end(), { argb (i->onColour), argb (i->pressedColour), argb (i->offColour),
                                     static_cast<juce::uint32> (i->state) });
        else if (auto* g = dynamic_cast<GraphDraw*> (c))
            all.push_back (argb (g->colour));
        else if (auto* l = dynamic_cast<juce::Label*> (c))
            all.push_back (textColour (*l));
        else if (auto* m = dynamic_cast<LevelMeter*> (c))
            all.push_back (argb (m->colour));
        else if (auto* u = dynamic_cast<LineEditorUI*> (c))
            all.insert (all.end(), { argb (u->lineColour), argb (u->gridColour),
                                     argb (u->menuLookAndFeel.accentColour) });
    }
    for (auto& l : e.lookAndFeels)
        all.insert (all.end(),
                    { argb (l.accentColour), argb (l.trackColour), argb (l.menuBackgroundColour) });
    all.insert (all.end(), { argb (e.playMarker.colour), argb (e.freqDisplay.lowColour) });
    return all;
}
} // namespace

TEST (EditorColours, PowerAndLineColourEveryWidgetExactly)
{
    const struct
    {
        float power;
        int line;
        juce::uint32 curve1, grid, curve2, frameOn, frameOff, lineIcon0, lowMeter, wave, marker, soloOn,
            soloPressed, soloOff, shapeAndGridLabels;
    } cases[] = {
        { 1.0f, 0, 0xFF49A7E3, 0xFF364A55, 0xFF48DEE3, 0xCC364A55, 0x9949A7E3, 0xFF49A7E3, 0xB3E34949,
          0x66FFFFFF, 0x51FFFFFF, 0xFFE34949, 0xFF553333, 0x7FE34949, 0xFF49A7E3 },
        // 0.5 is lit, except for the frames.
        { 0.5f, 0, 0xFF49A7E3, 0xFF364A55, 0xFF48DEE3, 0x66364A55, 0x3349A7E3, 0xFF49A7E3, 0xB3E34949,
          0x66FFFFFF, 0x51FFFFFF, 0xFFE34949, 0xFF553333, 0x7FE34949, 0xFF49A7E3 },
        { 0.0f, 0, 0x6649A7E3, 0x66364A55, 0x6648DEE3, 0x66364A55, 0x3349A7E3, 0x7F49A7E3, 0x59E34949,
          0x26FFFFFF, 0x1EFFFFFF, 0x7FE34949, 0x7F553333, 0x33E34949, 0x6649A7E3 },
        { 1.0f, 2, 0xFFE3CB45, 0xFF555533, 0xFFCFE345, 0xCC364A55, 0x9949A7E3, 0xFF49A7E3, 0xB3E34949,
          0x66FFFFFF, 0x51FFFFFF, 0xFFE34949, 0xFF553333, 0x7FE34949, 0xFFE3CB45 },
        { 0.5f, 2, 0xFFE3CB45, 0xFF555533, 0xFFCFE345, 0x66364A55, 0x3349A7E3, 0xFF49A7E3, 0xB3E34949,
          0x66FFFFFF, 0x51FFFFFF, 0xFFE34949, 0xFF553333, 0x7FE34949, 0xFFE3CB45 },
        { 0.0f, 2, 0x66E3CB45, 0x66555533, 0x66CFE345, 0x66364A55, 0x3349A7E3, 0x7F49A7E3, 0x59E34949,
          0x26FFFFFF, 0x1EFFFFFF, 0x7FE34949, 0x7F553333, 0x33E34949, 0x66E3CB45 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "Power " << c.power << " line " << c.line);
        auto p = makeEditorProcessor();
        p->powerValue = c.power;
        p->currentLine = c.line;
        auto e = openEditor (*p); // a new window already shows Power, line and state

        EXPECT_EQ (argb (e->lineEditorUI1.lineColour), c.curve1);
        EXPECT_EQ (argb (e->lineEditorUI1.gridColour), c.grid);
        EXPECT_EQ (argb (e->lineEditorUI2.lineColour), c.curve2);
        EXPECT_EQ (argb (e->lineEditorUI2.gridColour), c.grid);
        EXPECT_EQ (argb (e->lineEditorUI1.menuLookAndFeel.menuHighlightColour), c.curve1);
        EXPECT_EQ (argb (e->lineEditorUI1.menuLookAndFeel.menuBackgroundColour), c.grid);
        EXPECT_EQ (argb (e->stateFrames[4].onColour), c.frameOn);
        EXPECT_EQ (argb (e->stateFrames[4].offColour), c.frameOff);
        EXPECT_EQ (argb (e->lineIcons[0].onColour), c.lineIcon0);
        EXPECT_EQ (argb (e->levelMeters[1].colour), c.lowMeter);
        EXPECT_EQ (argb (e->waveformGraph.colour), c.wave);
        EXPECT_EQ (argb (e->previewGraph.colour), c.wave);
        EXPECT_EQ (argb (e->playMarker.colour), c.marker);
        EXPECT_EQ (argb (e->soloIcons[0].onColour), c.soloOn);
        EXPECT_EQ (argb (e->soloIcons[0].pressedColour), c.soloPressed);
        EXPECT_EQ (argb (e->soloIcons[0].offColour), c.soloOff);
        // ColorLineTabs runs last, so the thumbnails and grid captions follow the line, never green.
        EXPECT_EQ (argb (e->shapeGraphs[13].colour), c.shapeAndGridLabels);
        EXPECT_EQ (textColour (e->gridLabels[2]), c.shapeAndGridLabels);

        // The preset bar and Power icons keep Main's colours at every Power.
        for (int k = 0; k <= 4; ++k)
        {
            EXPECT_EQ (argb (e->iconButtons[k].onColour), 0xFF49A7E3u) << k;
            EXPECT_EQ (argb (e->iconButtons[k].pressedColour), 0xFF364A55u) << k;
            EXPECT_EQ (argb (e->iconButtons[k].offColour), 0x7F49A7E3u) << k;
        }

        // Only the edited line's knob groups show.
        for (int line = 0; line < 4; ++line)
        {
            EXPECT_EQ (e->mixSliders[line].isVisible(), line == c.line);
            EXPECT_EQ (e->glideLabels[4 + line].isVisible(), line == c.line);
            EXPECT_EQ (e->syncIcons[line].isVisible(), line == c.line);
        }

        // A second round changes nothing.
        const auto before = everyColour (*e);
        e->setPowerColors();
        e->ColorLineTabs();
        e->ColorSoloMuteButts();
        e->ColorStateGraph();
        EXPECT_EQ (everyColour (*e), before);
    }
}

TEST (EditorColours, KnobStyleAndAPendingStateSwitch)
{
    auto p = makeEditorProcessor();
    p->currentState = 2;
    requestState (*p, 2);
    auto e = openEditor (*p);

    const auto& low = e->lookAndFeels[1];
    EXPECT_EQ (argb (low.accentColour), 0xFFE34949u);
    EXPECT_EQ (argb (low.trackColour), 0xFF553333u);
    EXPECT_EQ (argb (low.menuBackgroundColour), 0xFFE3754Au);
    EXPECT_FLOAT_EQ (low.ringInnerRadius, 0.95f);
    EXPECT_FLOAT_EQ (low.rotaryStartAngle, 3.8955750f);
    EXPECT_FLOAT_EQ (low.rotaryEndAngle, 8.6707964f);

    // No switch pending: the playing state is the brightest, no red or green.
    EXPECT_EQ (argb (e->stateGraphs[2].colour), 0xFF49A7E3u);
    EXPECT_EQ (argb (e->stateGraphs[7].colour), 0x9949A7E3u);

    // Asked for state 7 while 2 still plays (the switch waits for the loop's end).
    requestState (*p, 7);
    ASSERT_EQ (p->currentState.load(), 2);
    e->ColorStateGraph();
    const struct
    {
        int thumbnail;
        juce::uint32 colour;
    } pending[] = { { 2, 0xFFC72626 },  { 7, 0xFF54C726 },  { 5, 0x9949A7E3 },
                    { 14, 0x4CC72626 }, { 19, 0x4C54C726 }, { 17, 0x33E34949 } };
    for (const auto& c : pending)
        EXPECT_EQ (argb (e->stateGraphs[c.thumbnail].colour), c.colour) << c.thumbnail;
    EXPECT_EQ (e->stateIcons[2].state, 0);
    EXPECT_EQ (e->stateIcons[7].state, 2);
}

TEST (EditorColours, APowerChangeOnTheAboutPanelShowsNoKnobs)
{
    auto p = makeEditorProcessor();
    p->currentLine = 1;
    auto e = openEditor (*p);
    e->ViewSelector (1);

    p->powerValue = 0.0f;
    e->setPowerColors();
    e->ColorLineTabs();
    e->ColorSoloMuteButts();
    for (auto* child : std::initializer_list<juce::Component*>{
             &e->lengthSliders[1], &e->lengthLabels[5], &e->syncIcons[1], &e->mixSliders[1], &e->mixLabels[1],
             &e->glideSliders[1], &e->glideLabels[5] })
        EXPECT_FALSE (child->isVisible());

    e->ViewSelector (0);
    EXPECT_TRUE (e->lengthSliders[1].isVisible());
    EXPECT_FALSE (e->lengthSliders[0].isVisible());
}

TEST (EditorLabels, CaptionsUndoCountsAndGridFollowTheProcessor)
{
    auto p = makeEditorProcessor();
    p->currentLine = 2;
    p->currentState = 3;
    p->stateMIDICon[3] = 1;
    p->stateMIDINote[3] = 63;
    p->stateMIDICon[4] = 0;
    p->stateMIDICon[5] = 1;
    p->stateMIDINote[5] = 120;
    p->activeSync[2] = true;
    p->activeLength[2] = 0.5f;
    auto e = openEditor (*p);

    EXPECT_EQ (e->stateIcons[3].text, "D#5");
    EXPECT_EQ (e->stateIcons[4].text, "--");
    EXPECT_EQ (e->stateIcons[5].text, "");
    const char* const half[5] = { "0", "1/8", "1/4", "3/8", "1/2" };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (e->gridLabels[i].getText(), half[i]);

    p->timeSigNumerator = 3;
    e->setIndecLabelText();
    for (auto& label : e->gridLabels)
        EXPECT_EQ (label.getText(), "");

    // Stage 1's history is empty; stage 2 holds ten steps for this line and state.
    p->lineEditor1().undoCount[2][3] = 0;
    p->lineEditor1().redoCount[2][3] = 0;
    p->lineEditor2().undoCount[2][3] = 10;
    p->lineEditor2().redoCount[2][3] = 2;
    p->editedStage[2] = 0;
    e->setUndoRedoLabels();
    EXPECT_EQ (e->iconButtons[8].state, 2);
    EXPECT_EQ (e->iconButtons[8].getTooltip(), "Line Undo (0)");
    EXPECT_EQ (e->iconButtons[9].state, 2);
    EXPECT_EQ (e->iconButtons[9].getTooltip(), "Line Redo (0)");

    p->editedStage[2] = 1;
    e->setUndoRedoLabels();
    EXPECT_EQ (e->iconButtons[8].state, 0);
    EXPECT_EQ (e->iconButtons[8].getTooltip(), "Line Undo (10)");
    EXPECT_EQ (e->iconButtons[9].state, 0);
    EXPECT_EQ (e->iconButtons[9].getTooltip(), "Line Redo (2)");
}
