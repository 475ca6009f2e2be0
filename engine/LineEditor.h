#pragma once

#include "CurveRenderer.h"
#include "LETPoint.h"

#include <cstdint>

// The curve model of one stage: the loaded curve (up to 50 points), its 512-value rendering
// and the ten-step undo history of every line and state of that stage.
//
// Pure computation on fixed storage: no allocation, no locks, no I/O, so it may run on the
// audio thread when a state switch reloads a curve. All members are public: the editor reads
// and writes the points, the counts and the snapshots directly.
class LineEditor
{
public:
    static constexpr int maxPoints = CurveRenderer::maxPoints;
    static constexpr int tableSize = CurveRenderer::tableSize;
    static constexpr int numLines = 4;
    static constexpr int numStates = 12;
    static constexpr int maxUndoSteps = 10;
    static constexpr int numHistorySlots = maxUndoSteps + 1;

    LineEditor();

    // Loads the 50 records at source, sorts them by x, renumbers and flags them, renders.
    void setLinePoints (const LETPoint* source);

    // Renders points into renderedLine and places every tension handle.
    void calculateLine();

    // out[k] = the rendered value at index k, for all 512 indices.
    void getLineArray (float* out) const;

    // Records the current points as the newest undo snapshot of (line, state); drops redo.
    void startNewChange (int line, int state);

    // Steps (line, state) back one change, keeping the replaced curve for redo.
    void performUndo (int line, int state);

    // Re-applies the most recently undone change of (line, state).
    void performRedo (int line, int state);

    // Copies the current points into the current-curve slot of (line, state).
    void updateUndoState (int line, int state);

    int32_t numPoints;
    int32_t numSamples;
    int32_t undoCount[numLines][numStates];
    int32_t redoCount[numLines][numStates];
    LETPoint undoHistory[numLines][numStates][numHistorySlots][maxPoints];
    LETPoint points[maxPoints];
    float renderedLine[tableSize][2];
};
