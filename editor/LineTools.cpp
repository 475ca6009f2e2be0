#include "LineTools.h"

#include "ModelEdit.h"
#include "ShapeLibrary.h"
#include "StateOperations.h"
#include "UnlinkedLineMixes.h"

#include <algorithm>
#include <cmath>

namespace
{
using Processor = LineEditorAudioProcessor;

int line (const Processor& p) noexcept
{
    return juce::jlimit (0, Processor::numLines - 1, p.currentLine.load());
}

int state (const Processor& p) noexcept
{
    return juce::jlimit (0, Processor::numStates - 1, p.currentState.load());
}

// The line and state a tool acts on. The audio thread may switch the state at any moment, so a
// tool brings the curve models to the current pair once, under curveModelLock, and then acts on
// the pair they hold from start to end.
struct Edited
{
    int line, state;
};

Edited bringModelsUp (Processor& p) KALVO_REQUIRES (p.curveModelLock, modelWriteRole)
{
    p.syncCurveModels();
    return { p.modelLine(), p.modelState() };
}

LineEditor& model (Processor& p, int stage) noexcept KALVO_REQUIRES (p.curveModelLock, modelWriteRole)
{
    return stage == 0 ? p.lineEditor1() : p.lineEditor2();
}

LETPoint* store (Processor& p, int stage, Edited at) noexcept
    KALVO_REQUIRES (p.curveModelLock, modelWriteRole)
{
    return stage == 0 ? p.linePoints1()[at.line][at.state] : p.linePoints2()[at.line][at.state];
}

float* table (Processor& p, int stage, Edited at) noexcept KALVO_REQUIRES (p.curveModelLock, modelWriteRole)
{
    return stage == 0 ? p.lineArray1()[at.line][at.state] : p.lineArray2()[at.line][at.state];
}

void raiseChanged (Processor& p, int stage) noexcept
{
    (stage == 0 ? p.linePoints1Changed : p.linePoints2Changed) = true;
}

// In the edit's own step: a restore that comes after it leaves its document unmodified.
void markModified (Processor& p) noexcept KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole)
{
    p.presetModified = true;
    p.presetNameChanged = true;
}

// After the model stepped through its history: its points become the stored curve.
void storeModelCurve (Processor& p, int stage, Edited at)
    KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole)
{
    std::copy (model (p, stage).points, model (p, stage).points + LineTools::numSlots, store (p, stage, at));
    model (p, stage).getLineArray (table (p, stage, at));
    LineTools::rebuildProduct (p, at.line, at.state);
    raiseChanged (p, stage);
}

LETPoint usedSlot (int index, float x, float y, float tn, int type) noexcept
{
    auto pt = StateOperations::freeSlot();
    pt.x = x;
    pt.y = y;
    pt.tn = tn;
    pt.indx = index;
    pt.type = type;
    pt.lockX = false;
    pt.deletable = true;
    return pt;
}

// round() halves to even, on the draw scaled as a double.
int roundHalfEven (double v) noexcept
{
    return static_cast<int> (std::nearbyint (v));
}
} // namespace

void LineTools::rebuildProduct (LineEditorAudioProcessor& p, int l, int s)
{
    for (int k = 0; k < Processor::tableSize; ++k)
        p.modulationArray()[l][s][k] = p.lineArray1()[l][s][k] * p.lineArray2()[l][s][k];
    p.publishModel();
}

int LineTools::editedStage (const LineEditorAudioProcessor& p) noexcept
{
    return p.editedStage[line (p)] == 0 ? 0 : 1;
}

LineEditor& LineTools::editedModel (LineEditorAudioProcessor& p) noexcept
{
    return model (p, editedStage (p));
}

LETPoint* LineTools::editedStore (LineEditorAudioProcessor& p) noexcept
{
    return store (p, editedStage (p), { line (p), state (p) });
}

bool LineTools::commitStage (LineEditorAudioProcessor& p, int stage, const LETPoint* slots)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return false;
    writeStage (p, stage, slots);
    markModified (p);
    return true;
}

void LineTools::writeStage (LineEditorAudioProcessor& p, int stage, const LETPoint* slots)
{
    const auto at = bringModelsUp (p);
    auto& m = model (p, stage);
    m.startNewChange (at.line, at.state);
    auto* target = store (p, stage, at);
    // The clipboard may be that very store (Paste Line onto the curve it was copied from).
    std::copy_n (slots, numSlots, target);
    m.setLinePoints (target);
    m.getLineArray (table (p, stage, at));
    LineTools::rebuildProduct (p, at.line, at.state);
    raiseChanged (p, stage);
}

void LineTools::fillRandomLine (juce::Random& random, bool stageOne, LETPoint* slots)
{
    std::fill (slots, slots + numSlots, StateOperations::freeSlot());
    auto draw = [&random] { return random.nextFloat(); };
    auto tension = [] (float r) { return (r - 0.5f) * 1.6f; };
    auto shape = [&] { return stageOne ? roundHalfEven (8.0 * static_cast<double> (draw())) + 1 : 1; };

    const int n = roundHalfEven (std::max (3.0, 16.0 * static_cast<double> (draw())));
    slots[0] = usedSlot (0, 0.0f, draw(), 0.0f, 1);
    const float lastY = draw();
    const float lastTn = tension (draw());
    slots[n] = usedSlot (n, 1.0f, lastY, lastTn, shape());
    for (auto* end : { &slots[0], &slots[n] })
    {
        end->lockX = true;
        end->deletable = false;
    }

    for (int i = 1; i < n; ++i)
    {
        const float x = draw();
        const float y = draw();
        const float tn = tension (draw());
        slots[i] = usedSlot (i, x, y, tn, shape());
    }
}

void LineTools::copyLine (LineEditorAudioProcessor& p)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    std::copy_n (editedStore (p), numSlots, p.lineClipboard());
    p.lineClipboardFull() = true;
}

bool LineTools::pasteLine (LineEditorAudioProcessor& p)
{
    {
        ModelEdit edit (p);
        if (!edit.goesAhead() || !p.lineClipboardFull())
            return false;
        writeStage (p, editedStage (p), p.lineClipboard());
        markModified (p);
    }
    return true;
}

void LineTools::randomizeLine (LineEditorAudioProcessor& p)
{
    LETPoint slots[numSlots];
    const int stage = editedStage (p);
    fillRandomLine (p.random, stage == 0, slots);
    commitStage (p, stage, slots);
}

void LineTools::resetLine (LineEditorAudioProcessor& p)
{
    LETPoint slots[numSlots];
    StateOperations::makeFlatCurve (slots);
    commitStage (p, editedStage (p), slots);
}

bool LineTools::undo (LineEditorAudioProcessor& p)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return false;
    const auto at = bringModelsUp (p);
    const int stage = p.editedStage[at.line] == 0 ? 0 : 1;
    auto& m = model (p, stage);
    if (m.undoCount[at.line][at.state] <= 0)
        return false;
    m.performUndo (at.line, at.state);
    storeModelCurve (p, stage, at);
    return true;
}

bool LineTools::redo (LineEditorAudioProcessor& p)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return false;
    const auto at = bringModelsUp (p);
    const int stage = p.editedStage[at.line] == 0 ? 0 : 1;
    auto& m = model (p, stage);
    const int before = m.redoCount[at.line][at.state];
    if (before <= 0)
        return false;
    m.performRedo (at.line, at.state);
    if (m.redoCount[at.line][at.state] == before)
        return false; // a history the model cannot step forward in
    storeModelCurve (p, stage, at);
    return true;
}

void LineTools::toggleQuantize (LineEditorAudioProcessor& p)
{
    {
        ModelEdit edit (p);
        if (!edit.goesAhead())
            return;
        p.changeImmediately = !p.changeImmediately;
        markModified (p);
    }
}

void LineTools::toggleLinkMix (LineEditorAudioProcessor& p)
{
    // On in one step. Off in two: the line-mix parameters take the mixes that play while the link
    // is still on, so that their listener leaves every state's own mix alone, and the flag flips
    // after them, unless a restore began since: its document stands. Until the flag has flipped a
    // save stores the unlinked document (see RestoreEpoch).
    UnlinkedLineMixes::Mixes playing;
    RestoreEpoch::Edit unlinking (p.curveModelLock);
    {
        ModelEdit edit (p);
        if (!edit.goesAhead())
            return;
        if (!p.linkMix)
        {
            UnlinkedLineMixes::relink (p);
            markModified (p);
            return;
        }
        playing = UnlinkedLineMixes::mixesThatPlay (p);
        UnlinkedLineMixes::willUnlink (p, playing, unlinking);
        markModified (p);
    }
    if (!UnlinkedLineMixes::setParameters (p, playing, unlinking.mark()))
        return;
    ModelEdit edit (p, unlinking.mark());
    if (!edit.goesAhead())
        return;
    UnlinkedLineMixes::unlink (p);
}

bool LineTools::applyShape (LineEditorAudioProcessor& p, int shape)
{
    if (!juce::isPositiveAndBelow (shape, ShapeLibrary::numShapes))
        return false;
    LETPoint slots[numSlots];
    ShapeLibrary::fillSlots (shape, slots);
    if (!commitStage (p, editedStage (p), slots))
        return false;
    p.sendLineChangeToHost();
    return true;
}
