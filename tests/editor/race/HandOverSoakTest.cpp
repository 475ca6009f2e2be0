// The window, the audio thread and a host thread all at once, for as long as KALVO_SOAK_SECONDS
// says (2 s when unset): the audio thread plays with MIDI state switches and automates the line
// mixes as VST3 automation arrives (value and listeners on the audio thread), the host automates
// every parameter, saves, and restores two documents in turn (one with LinkMixes off), and the
// user drags points, runs every tool, library shape and the preset commands that need no dialog,
// changes the interface scale, turns knobs, switches lines and states, and closes and reopens
// the window. Built with ThreadSanitizer, any report of a race ends the run with a failure.

#include "../ScriptedModalSeam.h"
#include "../xvfb/WholeEditor.h"

#include "CurveEdits.h"
#include "LineTools.h"
#include "PeerMouse.h"
#include "PresetCommands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

using kalvo::test::WholeEditor;

namespace
{
double soakSeconds()
{
    const auto* text = std::getenv ("KALVO_SOAK_SECONDS");
    const double seconds = text != nullptr ? std::atof (text) : 0.0;
    return seconds > 0.0 ? seconds : 2.0;
}

juce::MouseEvent event (juce::Component& child, juce::ModifierKeys mods)
{
    const auto time = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, mods,
                             juce::MouseInputSource::defaultPressure,
                             juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &child, &child, time, {}, time, 1, false);
}

// A click on one of the window's own icons, through its mouse handlers.
void click (LineEditorAudioProcessorEditor& e, juce::Component& child)
{
    const juce::ModifierKeys left (juce::ModifierKeys::leftButtonModifier);
    e.mouseDown (event (child, left));
    e.mouseUp (event (child, left));
}

// Drags one point of the curve editor being shown to somewhere else.
void dragAPoint (LineEditorAudioProcessorEditor& e, juce::Random& rng)
{
    auto& ui = e.lineEditorUI1.isVisible() ? e.lineEditorUI1 : e.lineEditorUI2;
    if (!ui.isShowing() || ui.numPoints < 2)
        return;
    const auto g = ui.geometry();
    const auto& point = ui.points[rng.nextInt (ui.numPoints)];
    const juce::Point<int> from (juce::roundToInt (CurveEdits::screenX (g, point.x)),
                                 juce::roundToInt (CurveEdits::screenY (g, point.y)));
    const juce::Point<int> to (rng.nextInt (juce::jmax (1, ui.getWidth())),
                               rng.nextInt (juce::jmax (1, ui.getHeight())));
    PeerMouse mouse (ui);
    mouse.move (from);
    mouse.press (from);
    mouse.dragTo (to, 4);
    OnScreen::pump (5);
    mouse.release (to);
}
} // namespace

TEST (HandOverSoak, WindowAudioAndHostShareTheModel)
{
    ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    const auto seconds = soakSeconds();

    kalvo::test::ScriptedModalSeam seam;
    WholeEditor w (1.0f);
    auto& p = w.p;
    juce::MemoryBlock saved, other;
    p.getStateInformation (saved);
    // The host's second document: LinkMixes off, another name, split and curve.
    p.linkMix = false;
    p.presetName() = "other";
    p.lmFreq()[0] = 0.4f;
    kalvo::test::installCurve (p, 1, 0, { { 0.0f, 0.1f }, { 0.5f, 1.0f }, { 1.0f, 0.1f } });
    p.getStateInformation (other);
    const auto open = [&]
    {
        w.open();
        w.e().modalSeam = &seam;
    };
    open();

    juce::AudioProcessorParameter* mixes[] = { p.parameters.getParameter ("MixMain"),
                                               p.parameters.getParameter ("MixLow"),
                                               p.parameters.getParameter ("MixMid"),
                                               p.parameters.getParameter ("MixHigh") };
    // The line mixes swing between 0.2 and 0.8 as VST3 automation brings them: the value set and
    // the listeners told on the audio thread.
    w.audio.beforeBlock = [&mixes, n = 0]() mutable
    {
        const float value = (n / 4) % 2 == 0 ? 0.2f : 0.8f;
        auto* mix = mixes[n++ % 4];
        mix->setValue (value);
        mix->sendValueChangedMessageToListeners (value);
    };
    w.audio.start();

    std::atomic<bool> stop{ false };
    std::atomic<int> restores{ 0 };
    std::thread host (
        [&]
        {
            juce::Random rng (11);
            juce::MemoryBlock block;
            const auto& parameters = p.getParameters();
            while (!stop)
            {
                // Every parameter but Power, which would stop the processing.
                for (int i = 0; i < 4; ++i)
                    parameters[1 + rng.nextInt (parameters.size() - 1)]->setValueNotifyingHost (
                        rng.nextFloat());
                if (rng.nextInt (3) == 0)
                    p.getStateInformation (block);
                if (rng.nextBool())
                {
                    // Mostly the two documents in turn, now and then the host's own save.
                    const auto& mine = restores % 2 == 0 ? other : saved;
                    const auto& from = rng.nextInt (4) > 0 || block.isEmpty() ? mine : block;
                    p.setStateInformation (from.getData(), (int) from.getSize());
                    ++restores;
                }
                std::this_thread::sleep_for (std::chrono::milliseconds (2));
            }
        });

    using C = PresetCommands;
    const int commands[] = { C::savePreset,  C::loadPreset,   C::resetPreset,           C::copyPreset,
                             C::pastePreset, C::waveformShow, C::waveformSeparateBands, C::waveformLeft };
    const auto preset = kalvo::test::temporaryHomeFolder().getChildFile ("fixed.kvp");
    juce::Random rng (5);
    int actions = 0;
    const auto end = juce::Time::getMillisecondCounterHiRes() + seconds * 1000.0;
    while (juce::Time::getMillisecondCounterHiRes() < end)
    {
        // A reopen destroys the window: it is looked up afresh for every action.
        auto& e = w.e();
        seam.shown.clear();
        switch (rng.nextInt (12))
        {
            case 0:
                dragAPoint (e, rng);
                break;
            case 1: // every tool of the icon row, and the shape library
                click (e, rng.nextBool() ? static_cast<juce::Component&> (e.iconButtons[6 + rng.nextInt (16)])
                                         : e.shapeGraphs[rng.nextInt (40)]);
                break;
            case 2:
                click (e, e.lineIcons[rng.nextInt (4)]);
                break;
            case 3:
                kalvo::test::requestState (p, rng.nextInt (12));
                break;
            case 4:
                p.sendLineChangeToHost();
                break;
            case 5:
            {
                const int note = 60 + rng.nextInt (3);
                w.audio.sendNote (note, true);
                w.audio.sendNote (note, false);
                break;
            }
            case 6:
            {
                const int line = rng.nextInt (4);
                juce::Slider* knobs[] = { &e.lengthSliders[line], &e.glideSliders[line], &e.mixSliders[line],
                                          &e.splitSliders[line % 2] };
                auto* knob = knobs[rng.nextInt (4)];
                knob->setValue (knob->proportionOfLengthToValue (rng.nextDouble()),
                                juce::sendNotificationSync);
                break;
            }
            case 7:
                click (e, e.syncIcons[rng.nextInt (4)]);
                break;
            case 8: // Settings: 50, 75 or 100 %
                seam.answers = { C::scale50 + rng.nextInt (3) };
                e.presetMenuClicked();
                break;
            case 9:
                seam.answers = { commands[rng.nextInt (8)] };
                seam.files = { preset };
                e.presetMenuClicked();
                break;
            default: // 10, 11: the host closes the window and opens it again
                w.close();
                open();
                break;
        }
        ++actions;
        OnScreen::pump (3);
    }

    stop = true;
    host.join();
    EXPECT_TRUE (w.audio.waitForBlocks (2));
    w.audio.stop();
    w.close();
    EXPECT_GT (actions, 0);
    EXPECT_GT (restores.load(), 0);
    std::printf ("%d actions, %d restores\n", actions, restores.load());
}

// A host saving on its own thread, and changing a parameter before each save, while the message
// thread resets the preset or drags a knob bound to a parameter: nothing the save touches is
// touched by those without a lock in common.
TEST (HandOverSoak, SavesBesideResetsAndAttachedKnobDrags)
{
    ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    for (const bool drag : { false, true })
    {
        SCOPED_TRACE (drag ? "knob drags" : "preset resets");
        WholeEditor w (1.0f);
        auto& p = w.p;
        if (drag)
            w.open();
        std::atomic<bool> stop{ false };
        std::thread host (
            [&]
            {
                juce::MemoryBlock block;
                auto* solo = p.parameters.getParameter ("LowSolo");
                for (int i = 0; !stop; ++i)
                {
                    solo->setValueNotifyingHost ((i & 1) != 0 ? 1.0f : 0.0f);
                    p.getStateInformation (block);
                }
            });
        for (int i = 0; i < (drag ? 1000 : 100); ++i)
        {
            if (drag)
            {
                auto& knob = i % 2 == 0 ? w.e().lowLevelSlider : w.e().masterMixSlider;
                const auto centre = knob.getLocalBounds().getCentre();
                PeerMouse mouse (knob);
                mouse.move (centre);
                mouse.press (centre);
                const auto to = centre.translated (0, i % 4 < 2 ? -20 : 20);
                mouse.dragTo (to, 4);
                mouse.release (to);
            }
            else
            {
                p.resetPreset();
            }
        }
        stop = true;
        host.join();
    }
}

// A host that, told on its own thread of a level it automates, saves from inside that callback or
// waits there for a save made on another thread, while the window opens and closes: every open
// and every save ends. The callback runs with the level's listener lock held, which the window's
// knob takes as it attaches: a deadlock aborts in glibc or hangs, and a hang fails here once
// nothing has moved for a minute.
TEST (HandOverSoak, WindowsOpenWhileTheHostSavesFromItsCallback)
{
    ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";

    struct SavingHost final : juce::AudioProcessorListener
    {
        SavingHost (LineEditorAudioProcessor& processor, bool waitForASave)
            : p (processor), waits (waitForASave)
        {
            if (waits)
                saver = std::thread (
                    [this]
                    {
                        juce::MemoryBlock block;
                        while (requested.wait() && !done)
                        {
                            p.getStateInformation (block);
                            saved.signal();
                        }
                    });
            p.addListener (this);
        }
        ~SavingHost() override
        {
            p.removeListener (this);
            done = true;
            requested.signal();
            if (saver.joinable())
                saver.join();
        }
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override
        {
            if (index != level->getParameterIndex())
                return;
            if (waits)
            {
                requested.signal();
                saved.wait();
            }
            else
            {
                juce::MemoryBlock block;
                p.getStateInformation (block);
            }
            ++saves;
        }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

        LineEditorAudioProcessor& p;
        const bool waits;
        juce::AudioProcessorParameter* level = p.parameters.getParameter ("LowLevel");
        std::thread saver;
        juce::WaitableEvent requested, saved;
        std::atomic<bool> done{ false };
        std::atomic<int> saves{ 0 };
    };

    // No other thread can be told to stop once these are stuck, so the watchdog ends the process.
    juce::WaitableEvent progressed, finished;
    std::thread watchdog (
        [&]
        {
            while (!finished.wait (0))
                if (!progressed.wait (60000))
                {
                    std::fputs ("A window open or a host save made no progress for a minute: deadlocked\n",
                                stderr);
                    std::abort();
                }
        });

    for (const bool waits : { false, true })
    {
        SCOPED_TRACE (waits ? "waits for a save" : "saves");
        WholeEditor w (1.0f);
        SavingHost host (w.p, waits);
        // Two of the host's threads move the level, so one of them is nearly always waiting for
        // its listener lock while the other is inside the callback.
        std::atomic<bool> stop{ false };
        const auto automate = [&]
        {
            for (int i = 0; !stop; ++i)
                host.level->setValueNotifyingHost ((i & 1) != 0 ? 0.8f : 0.2f);
        };
        std::thread automation[] = { std::thread (automate), std::thread (automate) };
        for (int i = 0; i < 2; ++i)
        {
            w.open();
            w.close();
            progressed.signal();
        }
        stop = true;
        for (auto& thread : automation)
            thread.join();
        EXPECT_GT (host.saves.load(), 0);
    }
    finished.signal();
    progressed.signal();
    watchdog.join();
}

// LinkMixes turned off while the audio thread switches states by MIDI in every block: once the
// switch that was under way at the flip has ended, the line-mix parameters play.
TEST (HandOverSoak, TheLinkTurnedOffBesideMidiSwitchesPlaysTheParameters)
{
    kalvo::test::TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    {
        const ModelLock::Hold hold (p.curveModelLock);
        for (int line = 0; line < 4; ++line)
            for (int s = 0; s < 12; ++s)
                p.bandMix()[line][s] = 0.1f + 0.05f * (float) s + 0.01f * (float) line;
        p.publishModel();
    }
    p.stateMIDICon[4] = p.stateMIDICon[7] = 1;
    std::atomic<bool> running{ true }, parked{ false }, parking{ false };
    std::atomic<int> blocks{ 0 };
    const auto spinUntil = [] (auto&& done)
    {
        while (!done())
            std::this_thread::yield();
    };
    std::thread audio (
        [&]
        {
            juce::AudioBuffer<float> buffer (2, 1);
            for (int k = 0; running; ++k)
            {
                parked = parking.load();
                if (parked)
                    continue;
                auto midi = kalvo::test::noteOn (p.stateMIDINote[k % 2 == 0 ? 4 : 7]);
                host.process (buffer, midi);
                ++blocks;
            }
        });
    int wrong = 0;
    for (int round = 0; round < 100000; ++round)
    {
        LineTools::toggleLinkMix (p);
        EXPECT_FALSE (p.linkMix.load());
        const int seen = blocks;
        spinUntil ([&] { return blocks > seen + 1; });
        parking = true;
        spinUntil ([&] { return parked.load(); });
        host.run (1);
        for (int line = 0; line < 4; ++line)
            wrong += std::abs (p.mixRamp[line + 1].getTargetValue()
                               - host.parameterValue (ParameterTable::specs[ParameterTable::pMixMain + line].id))
                     > 1e-6f;
        LineTools::toggleLinkMix (p);
        parking = false;
        spinUntil ([&] { return !parked; });
    }
    running = false;
    audio.join();
    EXPECT_EQ (wrong, 0);
}
