// Counts heap allocations made while the audio block runs. This binary replaces the global
// allocation functions, so it is built on its own.

#include "AllocationCounter.h"
#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>

using kalvo::test::installCurve;
using kalvo::test::TestHost;

TEST (ProcessorAllocation, CounterSeesAllocations)
{
    AllocationCounter counter;
    // Kept in a volatile, the pointer escapes: an optimiser may not drop the pair as unused.
    int* volatile p = new int (3);
    delete p;
    EXPECT_EQ (counter.count(), 1);
}

TEST (ProcessorAllocation, AudioBlockAllocatesNothingAfterTheFirstBlock)
{
    TestHost host (48000.0, 512);
    auto& p = *host.processor;
    p.editorOpen = true;
    for (int s = 0; s < 12; ++s)
        p.stateMIDICon[s] = 1;
    installCurve (p, 0, 0, { { 0.0f, 1.0f }, { 0.5f, 0.0f }, { 1.0f, 1.0f } });
    installCurve (p, 2, 3, { { 0.0f, 0.0f }, { 1.0f, 1.0f } });

    // Everything a block may need is built before counting: buffers, MIDI and the parameters.
    juce::AudioBuffer<float> buffer (2, 4096);
    std::vector<juce::MidiBuffer> midi (8);
    midi[1].addEvent (juce::MidiMessage::noteOn (1, 63, static_cast<juce::uint8> (100)), 10);
    midi[2].addEvent (juce::MidiMessage::noteOff (1, 63), 0);
    midi[3].addEvent (juce::MidiMessage::noteOn (3, 65, static_cast<juce::uint8> (90)), 200);
    midi[3].addEvent (juce::MidiMessage::noteOn (3, 60, static_cast<juce::uint8> (0)), 300);
    midi[4].addEvent (juce::MidiMessage::noteOn (1, 44, static_cast<juce::uint8> (70)), 5); // learnt
    midi[5].addEvent (juce::MidiMessage::noteOn (1, 44, static_cast<juce::uint8> (70)), 5); // switches
    midi[6].addEvent (juce::MidiMessage::controllerEvent (1, 1, 64), 0);
    juce::Random rng (99);
    auto* mixMaster = p.parameters.getParameter ("MixMaster");
    auto* lowSolo = p.parameters.getParameter ("LowSolo");
    auto* midLevel = p.parameters.getParameter ("MidLevel");
    auto* stateParameter = p.parameters.getParameter ("State");
    auto* power = p.parameters.getParameter ("Power");

    host.process (buffer, midi[0]); // the first block

    long total = 0;
    for (int block = 0; block < 400; ++block)
    {
        const int size = 1 + (block * 37) % 4096;
        buffer.setSize (2, size, false, false, true);
        for (int n = 0; n < size; ++n)
        {
            buffer.setSample (0, n, rng.nextFloat() - 0.5f);
            buffer.setSample (1, n, rng.nextFloat() - 0.5f);
        }
        if (block % 50 == 4)
        {
            p.midiLearnTarget = 7;
            p.midiLearnActive = true;
        }
        if (block % 7 == 0)
            p.stateChangeNow = true;
        if (block % 11 == 0)
            p.changeImmediately = !p.changeImmediately;
        if (block % 13 == 0)
            host.setTransport (block % 26 == 0 ? 120.0 : 97.0, block % 39 != 0, block % 3 == 0 ? 3 : 4, 4);

        AllocationCounter counter;
        mixMaster->setValueNotifyingHost (rng.nextFloat());
        midLevel->setValueNotifyingHost (rng.nextFloat());
        lowSolo->setValueNotifyingHost (block % 2 == 0 ? 1.0f : 0.0f);
        if (block % 9 == 0)
            stateParameter->setValueNotifyingHost (rng.nextFloat());
        if (block % 17 == 0)
            power->setValueNotifyingHost (block % 34 == 0 ? 0.0f : 1.0f);
        host.process (buffer, midi[static_cast<size_t> (block % 8)]);
        total += counter.count();
        ASSERT_EQ (counter.count(), 0) << "block " << block;
    }
    EXPECT_EQ (total, 0);
    // The blocks did learn and switch.
    EXPECT_TRUE (p.midiLearnDone.load());
    EXPECT_EQ (p.stateMIDICon[7].load(), 1);
    EXPECT_TRUE (p.stateSwitched.load());
}
