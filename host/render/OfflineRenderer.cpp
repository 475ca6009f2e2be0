#include "OfflineRenderer.h"
#include <cmath>

OfflineRenderer::OfflineRenderer (juce::AudioProcessor& p, OfflinePlayHead& head, MidiTimeline& timeline,
                                  double rate, int size)
    : processor (p), playHead (head), midi (timeline), sampleRate (rate), blockSize (size)
{
}

juce::Result OfflineRenderer::prepare()
{
    juce::AudioProcessor::BusesLayout stereo;
    stereo.inputBuses.add (juce::AudioChannelSet::stereo());
    stereo.outputBuses.add (juce::AudioChannelSet::stereo());

    if (processor.getBusCount (true) != 1 || processor.getBusCount (false) != 1 ||
        !processor.setBusesLayout (stereo))
        return juce::Result::fail ("the processor does not accept stereo in and stereo out");

    processor.setPlayHead (&playHead);
    processor.setNonRealtime (true);
    processor.setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
    midi.schedule (playHead);
    prepared = true;
    return juce::Result::ok();
}

juce::Result OfflineRenderer::render (juce::int64 numSamples, const Source& source, const Sink& sink)
{
    jassert (prepared);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midiBuffer;
    midiBuffer.ensureSize (4096);
    juce::int64 done = 0;

    while (done < numSamples)
    {
        const auto n = static_cast<int> (std::min<juce::int64> (blockSize, numSamples - done));
        buffer.setSize (2, n, false, false, true);

        if (auto result = source (buffer, done, n); result.failed())
            return result;

        midiBuffer.clear();
        midi.fillBlock (playHead, n, midiBuffer);

        const auto start = juce::Time::getHighResolutionTicks();
        {
            const juce::ScopedLock lock (processor.getCallbackLock());
            processor.processBlock (buffer, midiBuffer);
        }
        stats.processingSeconds +=
            juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - start);

        for (int ch = 0; ch < 2; ++ch)
        {
            const auto* samples = buffer.getReadPointer (ch);
            // A sample minus itself is 0 when finite and NaN otherwise: a count without branches,
            // and for a finite block the peak comes from JUCE's vectorised search.
            int nonFinite = 0;
            for (int i = 0; i < n; ++i)
                nonFinite += samples[i] - samples[i] != 0.0f ? 1 : 0;
            if (nonFinite == 0)
            {
                stats.peak = std::max (stats.peak, buffer.getMagnitude (ch, 0, n));
                continue;
            }
            stats.numNonFinite += nonFinite;
            for (int i = 0; i < n; ++i)
                if (std::isfinite (samples[i]))
                    stats.peak = std::max (stats.peak, std::abs (samples[i]));
        }

        if (auto result = sink (buffer, n); result.failed())
            return result;

        playHead.advance (n);
        done += n;
        stats.numSamples = done;
        ++stats.numBlocks;
    }

    return juce::Result::ok();
}

void OfflineRenderer::release()
{
    if (prepared)
    {
        processor.releaseResources();
        processor.setPlayHead (nullptr);
        prepared = false;
    }
}
