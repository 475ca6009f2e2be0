#include "AaxModuleFixture.h"

#include <algorithm>

#include "AAX_Errors.h"
#include "HostTransport.h"

namespace kalvo::test
{
namespace
{
// The position a host reports for a fixed tempo and meter, moving with the samples rendered while
// the transport plays.
class JobPlayHead final : public juce::AudioPlayHead
{
public:
    explicit JobPlayHead (const RenderJob& jobToUse) : job (jobToUse) {}

    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (job.bpm);
        info.setTimeSignature (TimeSignature{ job.numerator, job.denominator });
        info.setIsPlaying (job.playing);
        info.setPpqPosition (job.startPpq() +
                             static_cast<double> (rendered) / job.sampleRate * job.bpm / 60.0);
        return info;
    }

    int64_t rendered = 0;

private:
    const RenderJob& job;
};

std::vector<RenderJob::Note> notesOfBlock (const RenderJob& job, int block)
{
    std::vector<RenderJob::Note> notes;
    const int64_t first = static_cast<int64_t> (block) * job.blockSize;
    for (const auto& note : job.notes)
        if (note.sample >= first && note.sample < first + job.blockSize)
            notes.push_back ({ note.sample - first, note.status, note.data1, note.data2 });
    return notes;
}
} // namespace

Rendered renderDirect (const RenderJob& job)
{
    // The processor holds its model inline: far too large for the stack.
    auto owned = std::make_unique<LineEditorAudioProcessor>();
    auto& processor = *owned;
    processor.enableAllBuses();
    JobPlayHead playHead (job);
    processor.setPlayHead (&playHead);

    int prepared = modulePreparedBlock;
    int lastBlock = modulePreparedBlock;
    processor.setRateAndBufferSizeDetails (job.sampleRate, prepared);
    processor.prepareToPlay (job.sampleRate, prepared);
    if (job.state.getSize() > 0)
        processor.setStateInformation (job.state.getData(), static_cast<int> (job.state.getSize()));

    Rendered output;
    juce::AudioBuffer<float> buffer (2, job.blockSize);
    juce::MidiBuffer midi;
    for (int block = 0; block < job.numBlocks; ++block)
    {
        for (const auto& change : job.changes)
            if (change.block == block)
                processor.parameters.getParameter (change.id)->setValueNotifyingHost (change.value);
        if (job.blockSize != lastBlock)
        {
            lastBlock = job.blockSize;
            processor.setRateAndBufferSizeDetails (job.sampleRate, lastBlock);
            if (lastBlock > prepared)
            {
                prepared = lastBlock;
                processor.setRateAndBufferSizeDetails (job.sampleRate, prepared);
                processor.prepareToPlay (job.sampleRate, prepared);
            }
        }
        const int64_t first = static_cast<int64_t> (block) * job.blockSize;
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < job.blockSize; ++i)
                buffer.setSample (channel, i, inputSample (channel, first + i, job.sampleRate));
        midi.clear();
        for (const auto& note : notesOfBlock (job, block))
            midi.addEvent (juce::MidiMessage (note.status, note.data1, note.data2),
                           static_cast<int> (note.sample));

        processor.processBlock (buffer, midi);
        for (int i = 0; i < job.blockSize; ++i)
            for (int channel = 0; channel < 2; ++channel)
                output.push_back (buffer.getSample (channel, i));
        if (job.playing)
            playHead.rendered += job.blockSize;
    }
    processor.setPlayHead (nullptr);
    return output;
}

juce::MemoryBlock demoState()
{
    auto owned = std::make_unique<LineEditorAudioProcessor>();
    auto& processor = *owned;
    EXPECT_TRUE (processor.getStateFromFile (juce::File (KALVO_DEMO_PRESET)));
    // A free loop of some three bars on the Low line: its phase differs at quarter notes 0 and 2.
    processor.lineSync()[1][0] = false;
    processor.lineLength()[1][0] = 0.9f;
    // Note 62 switches to state 2, whose curves are flat.
    processor.stateMIDICon[2] = 1;
    processor.stateMIDINote[2] = 62;
    juce::MemoryBlock state;
    processor.getStateInformation (state);
    return state;
}

void AaxModuleTest::SetUp()
{
    captured = std::make_unique<aaxhost::StderrCapture>();
    module = std::make_unique<aaxhost::PluginModule> (KALVO_AAX_MODULE);
    ASSERT_TRUE (module->isLoaded()) << module->loadError();
    ASSERT_EQ (module->startup (host.unknown()), 0);
    IACFPluginDefinition* definition = nullptr;
    ASSERT_EQ (module->registerPlugin (host.unknown(), &definition), 0);
    ASSERT_NE (definition, nullptr);
    definition->Release();
    std::string error;
    plugIn = aaxhost::RegisteredPlugIn::read (host, error);
    ASSERT_TRUE (error.empty()) << error;
}

void AaxModuleTest::TearDown()
{
    if (module != nullptr && module->isLoaded())
    {
        EXPECT_EQ (module->canUnloadNow (host.unknown()), 0) << "plug-in objects still alive";
        EXPECT_EQ (module->shutdown (host.unknown()), 0);
    }
    module.reset();
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
    for (const auto& fault : host.faults())
        ADD_FAILURE() << "host noticed: " << fault;
    const std::string text = captured != nullptr ? captured->take() : std::string();
    captured.reset();
    EXPECT_EQ (text.find ("JUCE Assertion failure"), std::string::npos) << text;
    EXPECT_EQ (text.find ("Leaked objects detected"), std::string::npos) << text;
}

std::unique_ptr<aaxhost::ModuleInstance> AaxModuleTest::makeInstance (double sampleRate)
{
    auto instance = std::make_unique<aaxhost::ModuleInstance> (host, plugIn, renderThread);
    auto settings = instance->hostInstance().controller().settings();
    settings.sampleRate = static_cast<AAX_CSampleRate> (sampleRate);
    instance->hostInstance().controller().configure (settings);
    instance->hostInstance().transport().setSampleRate (sampleRate);
    EXPECT_TRUE (instance->exists());
    EXPECT_EQ (instance->initialize(), AAX_SUCCESS);
    EXPECT_EQ (instance->generateCoefficients(), AAX_SUCCESS);
    return instance;
}

Rendered AaxModuleTest::renderModule (aaxhost::ModuleInstance& instance, const RenderJob& job)
{
    auto& transport = instance.hostInstance().transport();
    transport.setSampleRate (job.sampleRate);
    transport.setTempo (job.bpm);
    transport.setMeter (job.numerator, job.denominator);
    transport.setPlaying (job.playing);
    transport.setSamplePosition (job.startSample);
    if (job.state.getSize() > 0)
    {
        const auto* bytes = static_cast<const uint8_t*> (job.state.getData());
        EXPECT_EQ (instance.loadChunk (juceChunk, std::vector<uint8_t> (bytes, bytes + job.state.getSize())),
                   AAX_SUCCESS);
        instance.replayAutomation();
    }

    Rendered output;
    std::vector<float> left (static_cast<size_t> (job.blockSize)), right (left.size());
    std::vector<float> inLeft (left.size()), inRight (left.size());
    for (int block = 0; block < job.numBlocks; ++block)
    {
        for (const auto& change : job.changes)
        {
            if (change.block == block)
            {
                EXPECT_EQ (instance.effect().SetParameterNormalizedValue (change.id, change.value),
                           AAX_SUCCESS);
            }
        }
        instance.replayAutomation();
        EXPECT_EQ (instance.generateCoefficients(), AAX_SUCCESS);

        const int64_t first = static_cast<int64_t> (block) * job.blockSize;
        for (int i = 0; i < job.blockSize; ++i)
        {
            inLeft[static_cast<size_t> (i)] = inputSample (0, first + i, job.sampleRate);
            inRight[static_cast<size_t> (i)] = inputSample (1, first + i, job.sampleRate);
        }
        std::vector<AAX_CMidiPacket> packets;
        for (const auto& note : notesOfBlock (job, block))
        {
            AAX_CMidiPacket packet;
            packet.mTimestamp = static_cast<uint32_t> (note.sample);
            packet.mLength = 3;
            packet.mData[0] = note.status;
            packet.mData[1] = note.data1;
            packet.mData[2] = note.data2;
            packets.push_back (packet);
        }
        const float* inputs[2] = { inLeft.data(), inRight.data() };
        float* outputs[2] = { left.data(), right.data() };
        instance.render (inputs, outputs, job.blockSize, packets);
        for (size_t i = 0; i < left.size(); ++i)
        {
            output.push_back (left[i]);
            output.push_back (right[i]);
        }
        instance.replayAutomation();
        if (job.playing)
            transport.advance (job.blockSize);
    }
    return output;
}
} // namespace kalvo::test
