#include "StateOperations.h"

#include "LineEditorAudioProcessor.h"
#include "ModelEdit.h"

#include <algorithm>
#include <cmath>

namespace
{
void raiseStateFlags (LineEditorAudioProcessor& p, int state, bool switchNow = true)
    KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole)
{
    // Before the switch is asked for, so that it applies the new settings.
    p.publishModel();

    for (int l = 0; l < StateOperations::numLines; ++l)
    {
        p.speedChanged[l] = true;
        p.lineLengthChanged[l] = true;
        p.bandMixChanged[l] = true;
        p.syncChanged[l] = true;
        p.mixChanged[l + 1] = true;
    }

    p.lmFreqChanged = true;
    p.hmFreqChanged = true;
    // Only the playing state's settings need reapplying; another state is read when it is
    // switched to.
    if (switchNow && state == p.currentState)
        p.stateChangeNow = true;
    p.linePoints1Changed = true;
    p.linePoints2Changed = true;
    p.presetModified = true;
    p.presetNameChanged = true;
}

// With the line mixes stored per state, a state operation resets the mixes of that state only;
// the other states keep theirs. The host's line-mix parameters follow the playing state's.
void resetMixesOfState (LineEditorAudioProcessor& p, int state, HostWrites& writes)
    KALVO_REQUIRES (p.curveModelLock, modelEditGrant, modelWriteRole)
{
    if (!p.linkMix)
        return;

    for (int l = 0; l < StateOperations::numLines; ++l)
        p.bandMix()[l][state] = StateDefaults::mix;

    if (state == p.currentState)
        for (int i = ParameterTable::pMixMain; i <= ParameterTable::pMixHigh; ++i)
            writes.set (p, i, StateDefaults::mix);
}

// round() of a single-precision value, halves to even.
int roundHalfEven (float v)
{
    return (int) std::nearbyint (v);
}

bool isPointSymmetric (int type)
{
    return type == 4 || type == 5 || type == 6 || type == 8;
}
} // namespace

LETPoint StateOperations::freeSlot()
{
    LETPoint pt{};
    pt.x = 2.0f;
    pt.y = 0.0f;
    pt.tn = 0.0f;
    pt.indx = -1;
    pt.handleX = 0.0f;
    pt.handleY = 0.0f;
    pt.type = 1;
    pt.lockX = true;
    pt.lockY = false;
    pt.deletable = true;
    return pt;
}

void StateOperations::makeFlatCurve (LETPoint* curve)
{
    std::fill (curve, curve + numSlots, freeSlot());

    for (int i = 0; i < 2; ++i)
    {
        curve[i].x = (float) i;
        curve[i].y = 1.0f;
        curve[i].indx = i;
        curve[i].lockX = true;
        curve[i].deletable = false;
    }
}

void StateOperations::resetPreset (LineEditorAudioProcessor& p)
{
    // The switch reads the reset "State" once the host has it.
    HostWrites writes (p.curveModelLock);
    if (resetModel (p, writes) && writes.send (p))
        p.stateChangeNow = true;
}

bool StateOperations::resetModel (LineEditorAudioProcessor& p, HostWrites& writes)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return false;

    for (int l = 0; l < numLines; ++l)
    {
        for (int s = 0; s < numStates; ++s)
        {
            p.lineLength()[l][s] = StateDefaults::length;
            p.lineSync()[l][s] = StateDefaults::sync;
            p.lmFreq()[s] = StateDefaults::lowMidSplit;
            p.hmFreq()[s] = StateDefaults::midHighSplit;
            p.stateMIDICon[s] = 0;
            p.stateMIDINote[s] = StateDefaults::firstMidiNote + s;
            makeFlatCurve (p.linePoints1()[l][s]);
            makeFlatCurve (p.linePoints2()[l][s]);
            p.renderLineState (l, s);
        }
    }

    for (int l = 0; l < numLines; ++l)
    {
        for (int s = 0; s < numStates; ++s)
        {
            p.bandMix()[l][s] = StateDefaults::mix;
            p.bandGlide()[l][s] = StateDefaults::glide;
        }
    }

    // Published before linkMix, currentState and the mix targets, which a switch reads with it.
    p.hostLineMixes.discard();
    p.publishModel();
    p.changeImmediately = true;
    p.linkMix = true;
    p.currentState = 0;

    for (int l = 0; l < numLines; ++l)
        p.setMixTarget (l + 1, p.bandMix()[l][0]);

    raiseStateFlags (p, 0, false);
    p.stateSwitched = true;
    p.powerChanged = true;

    p.clearUndoHistories();
    // The models were loaded with other lines on the way: bring them back to the edited curve so
    // that the editor's next undo step records the curve it shows.
    p.curveModelsStale = true;
    p.syncCurveModels();
    // Every parameter but Power and LineCH returns to its default.
    for (int i = ParameterTable::pMixMaster; i <= ParameterTable::pState; ++i)
        writes.set (p, i, ParameterTable::specs[i].defaultValue);
    return true;
}

void StateOperations::copyState (LineEditorAudioProcessor& p, int s)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    p.foldHostLineMixes();
    // The playing state's length and sync are its active copies; any other state's are stored.
    const bool playing = s == p.currentState;

    for (int l = 0; l < numLines; ++l)
    {
        std::copy (p.linePoints1()[l][s], p.linePoints1()[l][s] + numSlots, p.stateClipboard1()[l]);
        std::copy (p.linePoints2()[l][s], p.linePoints2()[l][s] + numSlots, p.stateClipboard2()[l]);
        p.clipLength()[l] = playing ? p.activeLength[l].load() : p.lineLength()[l][s];
        p.clipSync()[l] = playing ? p.activeSync[l].load() : p.lineSync()[l][s];
        p.clipGlide()[l] = p.bandGlide()[l][s];
    }

    p.clipLMFreq() = p.lmFreq()[s];
    p.clipHMFreq() = p.hmFreq()[s];

    for (int l = 0; l < numLines; ++l)
        p.clipMix()[l] = p.bandMix()[l][s];

    p.stateClipboardFull() = true;
}

void StateOperations::pasteState (LineEditorAudioProcessor& p, int s)
{
    ModelEdit edit (p);
    if (!edit.goesAhead() || !p.stateClipboardFull())
        return;

    // The undo steps below record what the models hold: the current line of the pasted state.
    p.syncCurveModels();
    const int line = p.modelLine();
    if (s != p.modelState())
    {
        p.lineEditor1().setLinePoints (p.linePoints1()[line][s]);
        p.lineEditor2().setLinePoints (p.linePoints2()[line][s]);
    }

    for (int l = 0; l < numLines; ++l)
    {
        p.lineLength()[l][s] = p.clipLength()[l];
        p.lineSync()[l][s] = p.clipSync()[l];
        p.bandGlide()[l][s] = p.clipGlide()[l];
    }

    p.lmFreq()[s] = p.clipLMFreq();
    p.hmFreq()[s] = p.clipHMFreq();

    // Kept for the link whichever way it stands: while it is off the line-mix parameters play.
    // A host's line mix set before the paste is folded first, so that the pasted one wins.
    p.foldHostLineMixes();
    for (int l = 0; l < numLines; ++l)
        p.bandMix()[l][s] = p.clipMix()[l];

    p.lineEditor1().startNewChange (line, s);
    p.lineEditor2().startNewChange (line, s);

    for (int l = 0; l < numLines; ++l)
    {
        std::copy (p.stateClipboard1()[l], p.stateClipboard1()[l] + numSlots, p.linePoints1()[l][s]);
        std::copy (p.stateClipboard2()[l], p.stateClipboard2()[l] + numSlots, p.linePoints2()[l][s]);
        p.renderLineState (l, s);
    }

    raiseStateFlags (p, s);
    // The models were loaded with other lines on the way: bring them back to the edited curve so
    // that the editor's next undo step records the curve it shows.
    p.curveModelsStale = true;
    p.syncCurveModels();
}

void StateOperations::resetState (LineEditorAudioProcessor& p, int s)
{
    HostWrites writes (p.curveModelLock);
    resetStateModel (p, s, writes);
    writes.send (p);
}

void StateOperations::resetStateModel (LineEditorAudioProcessor& p, int s, HostWrites& writes)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;

    p.lmFreq()[s] = StateDefaults::lowMidSplit;
    p.hmFreq()[s] = StateDefaults::midHighSplit;

    for (int l = 0; l < numLines; ++l)
    {
        // Each history of (line, state) records that line's own curve from before the reset.
        p.lineEditor1().setLinePoints (p.linePoints1()[l][s]);
        p.lineEditor2().setLinePoints (p.linePoints2()[l][s]);
        p.lineEditor1().startNewChange (l, s);
        p.lineEditor2().startNewChange (l, s);

        p.lineLength()[l][s] = StateDefaults::length;
        p.lineSync()[l][s] = StateDefaults::sync;
        p.bandGlide()[l][s] = StateDefaults::glide;

        makeFlatCurve (p.linePoints1()[l][s]);
        makeFlatCurve (p.linePoints2()[l][s]);
        p.renderLineState (l, s);
    }

    resetMixesOfState (p, s, writes);
    raiseStateFlags (p, s);
    p.stateSwitched = true;
    // The models were loaded with other lines on the way: bring them back to the edited curve so
    // that the editor's next undo step records the curve it shows.
    p.curveModelsStale = true;
    p.syncCurveModels();
}

void StateOperations::randomizeState (LineEditorAudioProcessor& p, int s)
{
    HostWrites writes (p.curveModelLock);
    randomizeStateModel (p, s, writes);
    writes.send (p);
}

void StateOperations::randomizeStateModel (LineEditorAudioProcessor& p, int s, HostWrites& writes)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    auto& random = p.random;

    for (int l = 0; l < numLines; ++l)
    {
        p.bandGlide()[l][s] = std::max (5.0f, 350.0f * random.nextFloat());

        p.lineEditor1().setLinePoints (p.linePoints1()[l][s]);
        p.lineEditor1().startNewChange (l, s);

        auto* curve = p.linePoints1()[l][s];
        std::fill (curve, curve + numSlots, freeSlot());

        const int n = roundHalfEven (std::max (3.0f, 16.0f * random.nextFloat()));

        curve[0].x = 0.0f;
        curve[0].y = random.nextFloat();
        curve[0].tn = 0.0f;
        curve[0].indx = 0;
        curve[0].type = 1;
        curve[0].lockX = true;
        curve[0].lockY = false;
        curve[0].deletable = false;

        curve[n].x = 1.0f;
        curve[n].y = random.nextFloat();
        curve[n].tn = (random.nextFloat() - 0.5f) * 1.6f;
        curve[n].type = roundHalfEven (8.0f * random.nextFloat()) + 1;
        curve[n].indx = 0;
        curve[n].lockX = true;
        curve[n].lockY = false;
        curve[n].deletable = false;

        for (int i = 1; i < n; ++i)
        {
            curve[i].x = random.nextFloat();
            curve[i].y = std::min (1.0f, 1.2f * random.nextFloat());
            curve[i].tn = (random.nextFloat() - 0.5f) * 1.6f;
            curve[i].type = roundHalfEven (8.0f * random.nextFloat()) + 1;
            curve[i].indx = i;
            curve[i].handleX = 0.0f;
            curve[i].handleY = 0.0f;
            curve[i].lockX = true;
            curve[i].lockY = false;
            curve[i].deletable = true;
        }

        p.renderLineState (l, s);
    }

    for (int l = 0; l < numLines; ++l)
    {
        p.lineLength()[l][s] = std::min (1.0f, 1.1f * random.nextFloat());
        p.lineSync()[l][s] = random.nextFloat() > 0.25f;
    }

    p.lmFreq()[s] = std::max (0.2f, 0.5f * random.nextFloat());
    p.hmFreq()[s] = std::max (0.4f, 0.8f * random.nextFloat());

    resetMixesOfState (p, s, writes);
    raiseStateFlags (p, s);
    // The models were loaded with other lines on the way: bring them back to the edited curve so
    // that the editor's next undo step records the curve it shows.
    p.curveModelsStale = true;
    p.syncCurveModels();
}

void StateOperations::flipLine (LineEditorAudioProcessor& p, bool vertical)
{
    ModelEdit edit (p);
    if (!edit.goesAhead())
        return;
    p.syncCurveModels();
    const int l = p.currentLine;
    const int s = p.currentState;
    const bool stageOne = p.editedStage[l] == 0;
    auto* P = stageOne ? p.linePoints1()[l][s] : p.linePoints2()[l][s];
    auto& model = stageOne ? p.lineEditor1() : p.lineEditor2();

    int n = 0;

    for (int i = 0; i < numSlots; ++i)
        if (P[i].indx != -1)
            ++n;

    // A curve with fewer than two points has no segment to carry over: there is nothing to
    // mirror left to right.
    if (!vertical && n < 2)
        return;

    model.startNewChange (l, s);

    if (vertical)
    {
        for (int i = 0; i < numSlots; ++i)
            if (P[i].indx != -1)
                P[i].y = std::abs (1.0f - P[i].y);
    }
    else
    {
        for (int i = 0; i < numSlots; ++i)
            if (P[i].indx != -1)
                P[i].x = std::abs (1.0f - P[i].x);

        for (int pass = 0; pass < numSlots - 1; ++pass)
            for (int j = 0; j < numSlots - 1 - pass; ++j)
                if (P[j].x > P[j + 1].x)
                    std::swap (P[j], P[j + 1]);

        for (int k = 0; k < n; ++k)
        {
            P[k].indx = k;
            P[k].lockX = k == 0 || k == n - 1;
            P[k].deletable = !P[k].lockX;
        }

        // The order reversed: each segment's shape moves to the point that now ends it, and a
        // shape that is not point-symmetric bends the other way.
        auto carried = [] (const LETPoint& from)
        { return isPointSymmetric (from.type) ? from.tn : -from.tn; };

        for (int i = n - 2; i >= 0; --i)
        {
            P[i + 1].type = P[i].type;
            P[i + 1].tn = carried (P[i]);
        }

        P[0].type = P[n - 1].type;
        P[0].tn = carried (P[n - 1]);
    }

    p.renderLineState (l, s);
    p.publishModel();

    if (stageOne)
        p.linePoints1Changed = true;
    else
        p.linePoints2Changed = true;

    p.presetModified = true;
    p.presetNameChanged = true;
}
