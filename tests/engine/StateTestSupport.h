#pragma once

#include "LineEditorAudioProcessor.h"
#include "TestHome.h"

#include <JuceHeader.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

// Shared by the state document, settings file and state operation tests.
namespace statetest
{
inline constexpr const char* parameterIds[] = { "Power",   "MixMaster", "MixMain",  "MixLow",    "MixMid",
                                                "MixHigh", "LowLevel",  "MidLevel", "HighLevel", "LowSolo",
                                                "LowMute", "MidSolo",   "MidMute",  "HighSolo",  "HighMute",
                                                "State",   "LineCH" };
inline constexpr const char* lineNames[] = { "Main", "Low", "Mid", "High" };

// Every test process works in a home folder of its own (the test main's), so nothing touches the
// user's settings or presets.
struct TemporaryHome
{
    juce::File folder;
};

inline TemporaryHome temporaryHome()
{
    return { kalvo::test::temporaryHomeFolder() };
}

inline std::unique_ptr<LineEditorAudioProcessor> makeProcessor()
{
    temporaryHome();
    return std::make_unique<LineEditorAudioProcessor>();
}

inline bool sameBits (float a, float b)
{
    return std::memcmp (&a, &b, sizeof (float)) == 0;
}

inline float parameterValue (LineEditorAudioProcessor& p, const char* id)
{
    return p.parameters.getRawParameterValue (id)->load();
}

inline void setParameter (LineEditorAudioProcessor& p, const char* id, float value)
{
    auto* parameter = p.parameters.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

// A host block holding the given text, in the framework's binary XML layout. (The framework's
// own single-line writer cannot write text between elements.)
inline juce::MemoryBlock blockOfText (const juce::String& text)
{
    juce::MemoryBlock b;
    juce::MemoryOutputStream out (b, false);
    out.writeInt (0x21324356);
    out.writeInt ((int) text.getNumBytesAsUTF8() + 1);
    out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
    out.writeByte (0);
    out.flush();
    return b;
}

// Every change flag the processor raises for its editor, by name.
inline std::map<std::string, bool> flags (LineEditorAudioProcessor& p)
{
    std::map<std::string, bool> f;
    auto put = [&f] (const std::string& name, bool v) { f[name] = v; };
    auto putArray = [&put] (const std::string& name, const auto& array, int n)
    {
        for (int i = 0; i < n; ++i)
            put (name + "[" + std::to_string (i) + "]", (bool) array[i]);
    };

    put ("powerChanged", p.powerChanged);
    putArray ("soloChanged", p.soloChanged, 3);
    putArray ("muteChanged", p.muteChanged, 3);
    putArray ("levelChanged", p.levelChanged, 3);
    putArray ("mixChanged", p.mixChanged, 5);
    putArray ("bandMixChanged", p.bandMixChanged, 4);
    putArray ("lineLengthChanged", p.lineLengthChanged, 4);
    putArray ("bandGlideChanged", p.bandGlideChanged, 4);
    putArray ("speedChanged", p.speedChanged, 4);
    putArray ("syncChanged", p.syncChanged, 4);
    put ("lmFreqChanged", p.lmFreqChanged);
    put ("hmFreqChanged", p.hmFreqChanged);
    put ("stateSwitched", p.stateSwitched);
    putArray ("stateNoteEvent", p.stateNoteEvent, 12);
    put ("midiLearnDone", p.midiLearnDone);
    put ("linePoints1Changed", p.linePoints1Changed);
    put ("linePoints2Changed", p.linePoints2Changed);
    put ("optionsChanged", p.optionsChanged);
    put ("presetNameChanged", p.presetNameChanged);
    put ("timeSigChanged", p.timeSigChanged);
    put ("presetModified", p.presetModified);
    put ("stateChangeNow", p.stateChangeNow);
    put ("stateChangePending", p.stateChangePending);
    put ("stateClipboardFull", p.stateClipboardFull());
    return f;
}

inline void clearFlags (LineEditorAudioProcessor& p)
{
    p.powerChanged = false;
    for (int i = 0; i < 3; ++i)
        p.soloChanged[i] = p.muteChanged[i] = p.levelChanged[i] = false;
    for (int i = 0; i < 5; ++i)
        p.mixChanged[i] = false;
    for (int i = 0; i < 4; ++i)
        p.bandMixChanged[i] = p.lineLengthChanged[i] = p.bandGlideChanged[i] = p.speedChanged[i] =
            p.syncChanged[i] = false;
    p.lmFreqChanged = p.hmFreqChanged = p.stateSwitched = false;
    for (int i = 0; i < 12; ++i)
        p.stateNoteEvent[i] = false;
    p.midiLearnDone = p.linePoints1Changed = p.linePoints2Changed = p.optionsChanged = false;
    p.presetNameChanged = p.timeSigChanged = p.presetModified = p.stateChangeNow = p.stateChangePending =
        false;
}

// The names of the flags that are raised.
inline std::set<std::string> raised (LineEditorAudioProcessor& p)
{
    std::set<std::string> r;
    for (const auto& [name, on] : flags (p))
        if (on && name != "stateClipboardFull")
            r.insert (name);
    return r;
}

// A curve of n used points, sorted, first at x 0 and last at x 1, every field drawn from r.
inline void randomCurve (juce::Random& r, LETPoint* curve, int n)
{
    float xs[50];
    xs[0] = 0.0f;
    xs[n - 1] = 1.0f;
    for (int i = 1; i < n - 1; ++i)
        xs[i] = r.nextFloat();
    std::sort (xs + 1, xs + n - 1);

    for (int i = 0; i < 50; ++i)
    {
        auto& pt = curve[i];
        if (i < n)
        {
            pt.x = xs[i];
            pt.y = r.nextFloat();
            pt.tn = r.nextFloat() * 2.0f - 1.0f;
            pt.indx = i;
            pt.type = 1 + r.nextInt (9);
        }
        else
        {
            pt.x = 2.0f;
            pt.y = 0.0f;
            pt.tn = 0.0f;
            pt.indx = -1;
            pt.type = 1;
        }
        pt.handleX = pt.handleY = 0.0f;
        pt.lockX = i == 0 || i == n - 1 || i >= n;
        pt.lockY = false;
        pt.deletable = !pt.lockX || i >= n;
    }
}

// The five stored fields of two curves agree to the last bit.
inline ::testing::AssertionResult sameCurve (const LETPoint* a, const LETPoint* b)
{
    for (int i = 0; i < 50; ++i)
    {
        if (!sameBits (a[i].x, b[i].x) || !sameBits (a[i].y, b[i].y) || !sameBits (a[i].tn, b[i].tn) ||
            a[i].indx != b[i].indx || a[i].type != b[i].type)
            return ::testing::AssertionFailure()
                   << "slot " << i << ": (" << a[i].x << ", " << a[i].y << ", " << a[i].tn << ", "
                   << a[i].indx << ", " << a[i].type << ") vs (" << b[i].x << ", " << b[i].y << ", "
                   << b[i].tn << ", " << b[i].indx << ", " << b[i].type << ")";
    }
    return ::testing::AssertionSuccess();
}

// The flat curve at 1.0: two points, (0, 1) and (1, 1).
inline ::testing::AssertionResult isFlatCurve (const LETPoint* c)
{
    if (c[0].x != 0.0f || c[0].y != 1.0f || c[0].indx != 0 || c[1].x != 1.0f || c[1].y != 1.0f ||
        c[1].indx != 1)
        return ::testing::AssertionFailure() << "first two slots are not (0, 1) and (1, 1)";
    for (int i = 2; i < 50; ++i)
        if (c[i].indx != -1 || c[i].x != 2.0f)
            return ::testing::AssertionFailure() << "slot " << i << " is used";
    return ::testing::AssertionSuccess();
}

// The rendering of a curve, by a curve model of its own.
inline std::vector<float> render (const LETPoint* curve)
{
    auto model = std::make_unique<LineEditor>();
    model->setLinePoints (curve);
    std::vector<float> out (512);
    model->getLineArray (out.data());
    return out;
}

// The used points of a curve in x order (the way the curve model holds them).
inline std::vector<LETPoint> usedSorted (const LETPoint* curve)
{
    std::vector<LETPoint> used;
    for (int i = 0; i < 50; ++i)
        if (curve[i].indx != -1)
            used.push_back (curve[i]);
    std::stable_sort (used.begin(), used.end(),
                      [] (const LETPoint& a, const LETPoint& b) { return a.x < b.x; });
    return used;
}

// The curve model holds exactly the used points of curve, in x order.
inline ::testing::AssertionResult modelHolds (const LineEditor& model, const LETPoint* curve)
{
    const auto used = usedSorted (curve);
    if (model.numPoints != (int) used.size())
        return ::testing::AssertionFailure()
               << "model has " << model.numPoints << " points, curve " << used.size();
    for (size_t k = 0; k < used.size(); ++k)
        if (!sameBits (model.points[k].x, used[k].x) || !sameBits (model.points[k].y, used[k].y) ||
            !sameBits (model.points[k].tn, used[k].tn) || model.points[k].type != used[k].type)
            return ::testing::AssertionFailure() << "point " << k << " differs";
    return ::testing::AssertionSuccess();
}

// The host's side of every parameter change: counts those it heard of while the model lock was
// held (another thread could not take it), where a host waiting for a thread that asks for the
// state would deadlock.
struct LockProbe final : juce::AudioProcessorListener
{
    explicit LockProbe (LineEditorAudioProcessor& processor) : p (processor) { p.addListener (this); }
    ~LockProbe() override { p.removeListener (this); }
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override
    {
        ++heard;
        std::thread ([this] { p.curveModelLock.tryEnter() ? p.curveModelLock.exit() : (void) ++underLock; }).join();
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    LineEditorAudioProcessor& p;
    int heard = 0;
    std::atomic<int> underLock{ 0 };
};
} // namespace statetest
