#include "LineEditor.h"

#include "CurveRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
void copyCurve (LETPoint* dest, const LETPoint* source)
{
    std::memcpy (dest, source, sizeof (LETPoint) * LineEditor::maxPoints);
}

bool isValidSlot (int line, int state)
{
    return line >= 0 && line < LineEditor::numLines && state >= 0 && state < LineEditor::numStates;
}
} // namespace

LineEditor::LineEditor()
{
    for (auto& line : undoHistory)
        for (auto& state : line)
            for (auto& slot : state)
                for (auto& p : slot)
                    p = { 0.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, false, false, true };

    std::memset (renderedLine, 0, sizeof (renderedLine));
    std::memset (undoCount, 0, sizeof (undoCount));
    std::memset (redoCount, 0, sizeof (redoCount));
    numSamples = tableSize;

    for (auto& p : points)
        p = { 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true };

    points[0] = { 0.0f, 0.0f, 0.0f, 0, 0.0f, 0.0f, 1, true, false, false };
    points[1] = { 1.0f, 1.0f, 0.6f, 1, 0.0f, 0.0f, 1, true, false, false };
    numPoints = 2;

    calculateLine();
}

void LineEditor::setLinePoints (const LETPoint* source)
{
    numPoints = CurveRenderer::load (points, source);
    calculateLine();
}

void LineEditor::calculateLine()
{
    CurveRenderer::render (points, numPoints, renderedLine);
}

void LineEditor::getLineArray (float* out) const
{
    for (int k = 0; k < tableSize; ++k)
        out[k] = renderedLine[k][1];
}

void LineEditor::startNewChange (int line, int state)
{
    if (!isValidSlot (line, state))
        return;

    auto& history = undoHistory[line][state];
    const int u = undoCount[line][state];

    if (u >= maxUndoSteps)
    {
        for (int k = 1; k < maxUndoSteps; ++k)
            copyCurve (history[k - 1], history[k]);
        copyCurve (history[maxUndoSteps - 1], points);
        undoCount[line][state] = maxUndoSteps;
    }
    else
    {
        const int slot = std::max (u, 0);
        copyCurve (history[slot], points);
        undoCount[line][state] = slot + 1;
    }

    redoCount[line][state] = 0;
}

void LineEditor::performUndo (int line, int state)
{
    if (!isValidSlot (line, state))
        return;

    // The counts are public; a count beyond the history is read as a full history.
    const int u = std::min (static_cast<int> (undoCount[line][state]), static_cast<int> (maxUndoSteps));
    if (u <= 0)
        return;

    auto& history = undoHistory[line][state];
    copyCurve (history[u], points);
    setLinePoints (history[u - 1]);

    undoCount[line][state] = u - 1;
    const int r = std::max (static_cast<int> (redoCount[line][state]), 0);
    redoCount[line][state] = std::min (r + 1, maxUndoSteps - (u - 1));
}

void LineEditor::performRedo (int line, int state)
{
    if (!isValidSlot (line, state))
        return;

    const int u = std::max (static_cast<int> (undoCount[line][state]), 0);
    const int r = redoCount[line][state];
    if (r <= 0 || u + 1 > maxUndoSteps)
        return;

    setLinePoints (undoHistory[line][state][u + 1]);
    undoCount[line][state] = u + 1;
    redoCount[line][state] = r - 1;
}

void LineEditor::updateUndoState (int line, int state)
{
    if (!isValidSlot (line, state))
        return;

    const int u = undoCount[line][state];
    if (u < 0 || u > maxUndoSteps)
        return;

    copyCurve (undoHistory[line][state][u], points);
}
