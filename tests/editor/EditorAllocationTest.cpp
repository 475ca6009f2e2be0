// With the editor open, the audio thread captures the waveform for it: those blocks, and the
// window's refresh and knob moves between them, still allocate nothing on the audio path.

#include "AllocationCounter.h"
#include "EditorTestSupport.h"
#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>

TEST (EditorAllocation, CapturingBlocksAllocateNothingWhileTheWindowIsOpen)
{
    kalvo::test::TestHost host (48000.0, 512);
    auto& p = *host.processor;
    p.waveView = 1;
    auto editor = kalvo::test::openEditor (p);
    ASSERT_TRUE (p.editorOpen);

    juce::AudioBuffer<float> buffer (2, 1024);
    juce::MidiBuffer midi;
    juce::Random rng (7);
    host.process (buffer, midi); // the first block

    for (int block = 0; block < 200; ++block)
    {
        const int size = 1 + (block * 53) % 1024;
        buffer.setSize (2, size, false, false, true);
        for (int n = 0; n < size; ++n)
        {
            buffer.setSample (0, n, rng.nextFloat() - 0.5f);
            buffer.setSample (1, n, rng.nextFloat() - 0.5f);
        }
        if (block % 20 == 0)
        {
            editor->timerCallback();
            editor->setElementSizes(); // copies the waveform through the handshake
        }
        // The knobs that write the processor directly hand the audio thread new targets.
        const double position = rng.nextDouble();
        juce::Slider* knobs[] = { &editor->lengthSliders[block % 4], &editor->glideSliders[block % 4],
                                  &editor->mixSliders[block % 4], &editor->splitSliders[block % 2] };
        knobs[block % 4]->setValue (knobs[block % 4]->proportionOfLengthToValue (position),
                                    juce::sendNotificationSync);

        AllocationCounter counter;
        host.process (buffer, midi);
        ASSERT_EQ (counter.count(), 0) << "block " << block;
    }
    EXPECT_TRUE (p.isPlaying.load());
    EXPECT_GT (p.waveWriteIndex, 0); // the blocks did capture
}
