// Drives the built VST3 binary through its VST3 interfaces inside this (sanitizer-instrumented)
// process, as a host's audio engine would: buses, setup, processing with a play position and MIDI,
// and the state handed to a second instance.
#include <JuceHeader.h>
#include <cstring>
#include <gtest/gtest.h>
#include <pluginterfaces/base/ibstream.h>
#include <pluginterfaces/base/ipluginbase.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivstevents.h>
#include <pluginterfaces/vst/ivstprocesscontext.h>
#include <string>
#include <vector>

namespace
{
using namespace Steinberg;

// A stream over a memory block, as hosts hand to getState and setState.
class MemoryStream final : public IBStream
{
public:
    tresult PLUGIN_API queryInterface (const TUID queried, void** object) override
    {
        if (FUnknownPrivate::iidEqual (queried, IBStream_iid) ||
            FUnknownPrivate::iidEqual (queried, FUnknown_iid))
        {
            addRef();
            *object = this;
            return kResultOk;
        }
        *object = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return ++references; }
    uint32 PLUGIN_API release() override { return --references; }

    tresult PLUGIN_API read (void* buffer, int32 numBytes, int32* numBytesRead) override
    {
        const auto available = static_cast<int32> (data.size()) - static_cast<int32> (position);
        const auto count = std::max (0, std::min (numBytes, available));
        if (count > 0)
            std::memcpy (buffer, data.data() + position, static_cast<size_t> (count));
        position += static_cast<size_t> (count);
        if (numBytesRead != nullptr)
            *numBytesRead = count;
        return kResultOk;
    }
    tresult PLUGIN_API write (void* buffer, int32 numBytes, int32* numBytesWritten) override
    {
        if (numBytes < 0)
            return kInvalidArgument;
        const auto* bytes = static_cast<const char*> (buffer);
        data.resize (std::max (data.size(), position + static_cast<size_t> (numBytes)));
        std::memcpy (data.data() + position, bytes, static_cast<size_t> (numBytes));
        position += static_cast<size_t> (numBytes);
        if (numBytesWritten != nullptr)
            *numBytesWritten = numBytes;
        return kResultOk;
    }
    tresult PLUGIN_API seek (int64 pos, int32 mode, int64* result) override
    {
        const auto base = mode == kIBSeekCur ? static_cast<int64> (position)
                                             : (mode == kIBSeekEnd ? static_cast<int64> (data.size()) : 0);
        if (base + pos < 0)
            return kResultFalse;
        position = static_cast<size_t> (base + pos);
        if (result != nullptr)
            *result = static_cast<int64> (position);
        return kResultOk;
    }
    tresult PLUGIN_API tell (int64* pos) override
    {
        if (pos != nullptr)
            *pos = static_cast<int64> (position);
        return kResultOk;
    }

    std::vector<char> data;
    size_t position = 0;

private:
    uint32 references = 1;
};

// The note-on events of one block.
class EventList final : public Vst::IEventList
{
public:
    tresult PLUGIN_API queryInterface (const TUID queried, void** object) override
    {
        if (FUnknownPrivate::iidEqual (queried, Vst::IEventList_iid) ||
            FUnknownPrivate::iidEqual (queried, FUnknown_iid))
        {
            *object = this;
            return kResultOk;
        }
        *object = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }
    int32 PLUGIN_API getEventCount() override { return static_cast<int32> (events.size()); }
    tresult PLUGIN_API getEvent (int32 index, Vst::Event& e) override
    {
        if (index < 0 || index >= getEventCount())
            return kInvalidArgument;
        e = events[static_cast<size_t> (index)];
        return kResultOk;
    }
    tresult PLUGIN_API addEvent (Vst::Event& e) override
    {
        events.push_back (e);
        return kResultOk;
    }

    void addNoteOn (int32 sampleOffset, int16 pitch)
    {
        Vst::Event e{};
        e.busIndex = 0;
        e.sampleOffset = sampleOffset;
        e.type = Vst::Event::kNoteOnEvent;
        e.noteOn.channel = 0;
        e.noteOn.pitch = pitch;
        e.noteOn.velocity = 0.8f;
        e.noteOn.noteId = -1;
        events.push_back (e);
    }

    std::vector<Vst::Event> events;
};

class Vst3Module
{
public:
    Vst3Module()
    {
        if (!library.open (KALVO_VST3_MODULE))
            return;
        auto entry = reinterpret_cast<bool (*) (void*)> (library.getFunction ("ModuleEntry"));
        exitFunction = reinterpret_cast<bool (*)()> (library.getFunction ("ModuleExit"));
        auto getFactory = reinterpret_cast<IPluginFactory* (*) ()> (library.getFunction ("GetPluginFactory"));
        if (entry == nullptr || exitFunction == nullptr || getFactory == nullptr ||
            !entry (library.getNativeHandle()))
            return;
        factory = getFactory();
        for (int32 i = 0; factory != nullptr && i < factory->countClasses(); ++i)
        {
            PClassInfo info{};
            if (factory->getClassInfo (i, &info) == kResultOk &&
                std::strcmp (info.category, kVstAudioEffectClass) == 0)
                std::memcpy (processorClass, info.cid, sizeof (TUID));
        }
    }

    ~Vst3Module()
    {
        if (factory != nullptr)
            factory->release();
        if (exitFunction != nullptr)
            exitFunction();
        library.close();
    }

    Vst::IComponent* createComponent()
    {
        void* object = nullptr;
        if (factory == nullptr ||
            factory->createInstance (processorClass, Vst::IComponent_iid, &object) != kResultOk)
            return nullptr;
        return static_cast<Vst::IComponent*> (object);
    }

    IPluginFactory* factory = nullptr;

private:
    juce::DynamicLibrary library;
    bool (*exitFunction)() = nullptr;
    TUID processorClass{};
};

struct Instance
{
    explicit Instance (Vst3Module& module) : component (module.createComponent())
    {
        if (component == nullptr)
            return;
        void* object = nullptr;
        if (component->queryInterface (Vst::IAudioProcessor_iid, &object) == kResultOk)
            processor = static_cast<Vst::IAudioProcessor*> (object);
    }

    ~Instance()
    {
        if (processor != nullptr)
            processor->release();
        if (component != nullptr)
            component->release();
    }

    Vst::IComponent* component;
    Vst::IAudioProcessor* processor = nullptr;
};

constexpr double sampleRate = 48000.0;
constexpr int32 blockSize = 512;
} // namespace

TEST (Vst3InProcess, ProcessesAudioWithPositionAndMidiAndHandsItsStateOver)
{
    Vst3Module module;
    ASSERT_NE (module.factory, nullptr);

    MemoryStream saved;
    {
        Instance instance (module);
        ASSERT_NE (instance.component, nullptr);
        ASSERT_NE (instance.processor, nullptr);
        auto& component = *instance.component;
        auto& processor = *instance.processor;

        ASSERT_EQ (component.initialize (nullptr), kResultOk);
        EXPECT_EQ (component.getBusCount (Vst::kAudio, Vst::kInput), 1);
        EXPECT_EQ (component.getBusCount (Vst::kAudio, Vst::kOutput), 1);
        EXPECT_EQ (component.getBusCount (Vst::kEvent, Vst::kInput), 1);
        EXPECT_EQ (component.getBusCount (Vst::kEvent, Vst::kOutput), 0);

        Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo, mono = Vst::SpeakerArr::kMono;
        EXPECT_NE (processor.setBusArrangements (&mono, 1, &mono, 1), kResultTrue); // stereo only
        ASSERT_EQ (processor.setBusArrangements (&stereo, 1, &stereo, 1), kResultTrue);
        // Hosts switch the buses on one at a time.
        ASSERT_EQ (component.activateBus (Vst::kAudio, Vst::kInput, 0, true), kResultTrue);
        ASSERT_EQ (component.activateBus (Vst::kAudio, Vst::kOutput, 0, true), kResultTrue);
        ASSERT_EQ (component.activateBus (Vst::kEvent, Vst::kInput, 0, true), kResultTrue);

        Vst::ProcessSetup setup{ Vst::kRealtime, Vst::kSample32, blockSize, sampleRate };
        ASSERT_EQ (processor.setupProcessing (setup), kResultTrue);
        ASSERT_EQ (component.setActive (true), kResultOk);
        processor.setProcessing (true);

        std::vector<float> inL (blockSize), inR (blockSize), outL (blockSize), outR (blockSize);
        float* inputs[] = { inL.data(), inR.data() };
        float* outputs[] = { outL.data(), outR.data() };
        Vst::AudioBusBuffers inBus{}, outBus{};
        inBus.numChannels = outBus.numChannels = 2;
        inBus.channelBuffers32 = inputs;
        outBus.channelBuffers32 = outputs;

        double energy = 0.0;
        bool finite = true;
        int64 sample = 0;
        for (int block = 0; block < 200; ++block, sample += blockSize)
        {
            for (int32 i = 0; i < blockSize; ++i)
                inL[static_cast<size_t> (i)] = inR[static_cast<size_t> (i)] =
                    0.25f * std::sin (0.02f * static_cast<float> (sample + i));

            Vst::ProcessContext context{};
            context.state = Vst::ProcessContext::kPlaying | Vst::ProcessContext::kTempoValid |
                            Vst::ProcessContext::kTimeSigValid | Vst::ProcessContext::kProjectTimeMusicValid;
            context.sampleRate = sampleRate;
            context.projectTimeSamples = sample;
            context.projectTimeMusic = static_cast<double> (sample) / 24000.0; // 120 bpm
            context.tempo = 120.0;
            context.timeSigNumerator = 4;
            context.timeSigDenominator = 4;

            EventList events;
            if (block % 50 == 10)
                events.addNoteOn (100, static_cast<int16> (60 + block / 50)); // trigger notes of states 0..3

            Vst::ProcessData data;
            data.processMode = Vst::kRealtime;
            data.symbolicSampleSize = Vst::kSample32;
            data.numSamples = blockSize;
            data.numInputs = 1;
            data.numOutputs = 1;
            data.inputs = &inBus;
            data.outputs = &outBus;
            data.inputEvents = &events;
            data.processContext = &context;
            ASSERT_EQ (processor.process (data), kResultTrue);

            for (int32 i = 0; i < blockSize; ++i)
            {
                finite = finite && std::isfinite (outL[static_cast<size_t> (i)]) &&
                         std::isfinite (outR[static_cast<size_t> (i)]);
                energy += static_cast<double> (outL[static_cast<size_t> (i)]) * outL[static_cast<size_t> (i)];
            }
        }
        EXPECT_TRUE (finite);
        const auto rms = std::sqrt (energy / (200.0 * blockSize));
        EXPECT_GT (rms, 0.1); // a 0.25 sine comes through at about 0.18
        EXPECT_LT (rms, 0.3);

        processor.setProcessing (false);
        component.setActive (false);
        ASSERT_EQ (component.getState (&saved), kResultOk);
        component.terminate();
    }

    const std::string savedBytes (saved.data.begin(), saved.data.end());
    EXPECT_NE (savedBytes.find ("<KalvoParamTree"), std::string::npos);
    EXPECT_NE (savedBytes.find ("LinePointsHigh2St11"), std::string::npos);

    Instance second (module);
    ASSERT_NE (second.component, nullptr);
    ASSERT_EQ (second.component->initialize (nullptr), kResultOk);
    saved.position = 0;
    ASSERT_EQ (second.component->setState (&saved), kResultOk);
    MemoryStream again;
    ASSERT_EQ (second.component->getState (&again), kResultOk);
    EXPECT_EQ (again.data, saved.data);
    second.component->terminate();
}
