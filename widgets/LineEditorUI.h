#pragma once

#include "CurveEdits.h"
#include "CurveRenderer.h"
#include "LETPoint.h"
#include "LooknFeel1.h"

#include <JuceHeader.h>

#include <cstdint>
#include <functional>

// The interactive curve editor: its own working copy of one curve, drawn over a snap grid, with
// point moves, tension handles, additions and deletions, segment shapes and snap switches.
//
// It never talks to the processor. The owner loads curves with setLinePoints, writes the public
// fields (and repaints), and polls lineChanged and snapChanged from its timer, clearing them once
// it has acted. Message thread only.
class LineEditorUI : public juce::Component
{
public:
    static constexpr int maxPoints = CurveRenderer::maxPoints;
    static constexpr int tableSize = CurveRenderer::tableSize;

    // Ids of the point menu's items.
    enum MenuItem
    {
        deleteItem = 1,
        firstTypeItem = 2, // "Single Curve 1"; type t has id t + 1, up to "Pulse"
        lastTypeItem = 10,
        snapXItem = 11,
        snapYItem = 12
    };

    LineEditorUI();
    ~LineEditorUI() override;

    void mouseMove (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void mouseDoubleClick (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    // Renders points into renderedLine, places the tension handles and repaints.
    void calculateLine();

    // Replaces the whole curve with the 50 records at source (sorted and flagged like the curve
    // model does) and renders it. Raises no flag; a drag in progress is dropped.
    void setLinePoints (const LETPoint* source);

    // The same, and records which stored curve the points came from: an edit made here belongs
    // to that line and state, whatever the owner shows by the time it collects the edit.
    void setLinePoints (const LETPoint* source, int line, int state);

    // Ends a drag in progress where it stands: the points keep the move, no flag is raised, and
    // the rest of the gesture moves nothing.
    void stopDrag();

    // The point menu of used slot `index`, as it would be shown.
    juce::PopupMenu createPointMenu (int index) const;

    // The component's size and hit-test fields as the edit functions take them.
    CurveEdits::Geometry geometry() const;

    bool lineChanged = false;
    bool dragging = false;
    bool snapX = true;
    bool snapY = true;
    bool snapChanged = false;
    LooknFeel1 menuLookAndFeel;
    int32_t timeSigNumerator = 4;
    LETPoint points[maxPoints];
    int32_t dragState[maxPoints] = {};
    juce::Point<float> pointAtDown[maxPoints];
    juce::Point<float> handleAtDown[maxPoints];
    float renderedLine[tableSize][2] = {};
    int32_t defaultCurveType = 1;
    int32_t numPoints = 2;
    int32_t numSamples = tableSize;
    float gridInset = 2.0f;
    float margin = 8.0f;
    float ySnapDivisions = 32.0f;
    float xSnapDivisions = 128.0f;
    float gridThickness = 2.0f;
    float lineThickness = 2.0f;
    float handleOutline = 2.0f;
    float pointSize = 10.0f;
    juce::Colour gridColour{ 0xFF495372 };
    juce::Colour lineColour{ 0xFF7EC4EA };

    // The line and state of the curve last loaded with them; -1 when loaded without.
    int32_t loadedLine = -1;
    int32_t loadedState = -1;

    // Shows the point menu and returns the chosen id (0 when dismissed). The default shows it
    // synchronously at the mouse in menuLookAndFeel; the window routes it through its modal seam.
    // The component may be gone when it returns.
    std::function<int (juce::PopupMenu&)> showPointMenu;

private:
    void rightPress (juce::Point<int> mouse);
    // Applies a menu choice to used slot `index`.
    void applyMenuChoice (int index, int choice);
    void cancelDrag();
    void updateCursor (juce::Point<int> mouse);

    // Counts setLinePoints calls, so that a menu choice made across a reload is dropped.
    juce::uint32 reloadCount = 0;
    // The rounded drag distance has been non-zero since the last press.
    bool movedSincePress = false;
    // The menu on show, so that a destructor running inside its loop can let go of the look.
    juce::PopupMenu* menuOnShow = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LineEditorUI)
};
