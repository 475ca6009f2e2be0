// Drives the built LV2 binary inside this (sanitizer-instrumented) process as a host would: the
// parameters asked for with patch:Get, a 6/8 position counted in eighths as LV2 counts it, and the
// allocations inside run at the block sizes a host chooses.
#include "AllocationCounter.h"
#include <JuceHeader.h>
#include <ParameterTable.h>
#include <gtest/gtest.h>
#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/patch/patch.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

namespace
{
using PatchSets = std::vector<std::pair<std::string, float>>;

// One instance at 48 kHz: stereo audio in (a constant 1) and out, the control port and the notify port.
struct Lv2Plugin
{
    Lv2Plugin()
    {
        library.open (KALVO_LV2_MODULE);
        descriptor = reinterpret_cast<LV2_Descriptor_Function> (library.getFunction ("lv2_descriptor")) (0);
        lv2_atom_forge_init (&forge, &mapFeature);
        LV2_Options_Option options[]{ { LV2_OPTIONS_INSTANCE, 0, map (LV2_BUF_SIZE__maxBlockLength), 4,
                                        map (LV2_ATOM__Int), &maxBlock },
                                      { LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr } };
        const LV2_Feature mapping{ LV2_URID__map, &mapFeature }, optioned{ LV2_OPTIONS__options, options },
            bounded{ LV2_BUF_SIZE__boundedBlockLength, nullptr };
        const LV2_Feature* features[]{ &mapping, &optioned, &bounded, nullptr };
        handle = descriptor->instantiate (descriptor, 48000.0, "", features);
        void* ports[]{ input.data(),         input.data(),   output.data(),
                       output.data() + 4096, control.data(), notify.data() };
        for (uint32_t port = 0; port < 6; ++port)
            descriptor->connect_port (handle, port, ports[port]);
    }
    ~Lv2Plugin() { descriptor->cleanup (handle); }

    LV2_URID map (const std::string& uri)
    {
        auto found = std::find (uris.begin(), uris.end(), uri);
        if (found == uris.end())
            found = uris.insert (found, uri);
        return static_cast<LV2_URID> (found - uris.begin() + 1);
    }

    // One block, `events` writing the control port; appends the left output to `left` and returns
    // the notify port's patch:Set messages as (parameter id, value).
    PatchSets run (
        uint32_t frames, const std::function<void()>& events = [] {})
    {
        LV2_Atom_Forge_Frame sequence;
        lv2_atom_forge_set_buffer (&forge, reinterpret_cast<uint8_t*> (control.data()), 8 * control.size());
        lv2_atom_forge_sequence_head (&forge, &sequence, 0);
        events();
        lv2_atom_forge_pop (&forge, &sequence);
        auto* out = reinterpret_cast<LV2_Atom_Sequence*> (notify.data());
        out->atom = { 8 * 4095, map (LV2_ATOM__Chunk) };
        {
            AllocationCounter counter;
            descriptor->run (handle, frames);
            allocations += counter.count();
        }
        left.insert (left.end(), output.begin(), output.begin() + frames);
        PatchSets sets;
        LV2_ATOM_SEQUENCE_FOREACH (out, event)
        {
            const LV2_Atom *property = nullptr, *value = nullptr;
            const auto* object = reinterpret_cast<const LV2_Atom_Object*> (&event->body);
            lv2_atom_object_get (object, map (LV2_PATCH__property), &property, map (LV2_PATCH__value), &value,
                                 0);
            if (object->body.otype == map (LV2_PATCH__Set))
                sets.emplace_back (
                    uris[reinterpret_cast<const LV2_Atom_URID*> (property)->body - 1].substr (prefix.size()),
                    reinterpret_cast<const LV2_Atom_Float*> (value)->body);
        }
        return sets;
    }

    // A patch:Get (without a value) or patch:Set of the parameter `id`, or of none.
    void patch (const char* id, std::optional<float> value = {})
    {
        LV2_Atom_Forge_Frame frame;
        lv2_atom_forge_frame_time (&forge, 0);
        lv2_atom_forge_object (&forge, &frame, 0, map (value ? LV2_PATCH__Set : LV2_PATCH__Get));
        if (id != nullptr)
            lv2_atom_forge_key (&forge, map (LV2_PATCH__property)),
                lv2_atom_forge_urid (&forge, map (prefix + id));
        if (value)
            lv2_atom_forge_key (&forge, map (LV2_PATCH__value)), lv2_atom_forge_float (&forge, *value);
        lv2_atom_forge_pop (&forge, &frame);
    }

    // A rolling 6/8 position at 240 eighths a minute, as jalv sends it, and time:beat if given.
    void position (int64_t frame, float barBeat, std::optional<double> beat = {})
    {
        LV2_Atom_Forge_Frame object;
        lv2_atom_forge_frame_time (&forge, 0);
        lv2_atom_forge_object (&forge, &object, 0, map (LV2_TIME__Position));
        const auto key = [this] (const char* uri) { return lv2_atom_forge_key (&forge, map (uri)); };
        key (LV2_TIME__frame), lv2_atom_forge_long (&forge, frame);
        key (LV2_TIME__speed), lv2_atom_forge_float (&forge, 1.0f);
        key (LV2_TIME__bar), lv2_atom_forge_long (&forge, 0);
        key (LV2_TIME__barBeat), lv2_atom_forge_float (&forge, barBeat);
        key (LV2_TIME__beatUnit), lv2_atom_forge_int (&forge, 8);
        key (LV2_TIME__beatsPerBar), lv2_atom_forge_float (&forge, 6.0f);
        key (LV2_TIME__beatsPerMinute), lv2_atom_forge_float (&forge, 240.0f);
        if (beat)
            key (LV2_TIME__beat), lv2_atom_forge_double (&forge, *beat);
        lv2_atom_forge_pop (&forge, &object);
    }

    // Saves the state, sets `attributes` of the element `name` in its document and restores it.
    void editState (const char* name, const std::map<juce::String, juce::String>& attributes)
    {
        const auto* state =
            static_cast<const LV2_State_Interface*> (descriptor->extension_data (LV2_STATE__interface));
        state->save (
            handle,
            [] (LV2_State_Handle text, uint32_t, const void* value, size_t, uint32_t, uint32_t)
            {
                *static_cast<std::string*> (text) = static_cast<const char*> (value);
                return LV2_STATE_SUCCESS;
            },
            &stateText, 0, nullptr);
        juce::MemoryBlock block;
        block.fromBase64Encoding (stateText);
        const auto xml =
            juce::AudioProcessor::getXmlFromBinary (block.getData(), static_cast<int> (block.getSize()));
        for (const auto& [attribute, value] : attributes)
            xml->getChildByName (name)->setAttribute (attribute, value);
        juce::AudioProcessor::copyXmlToBinary (*xml, block);
        stateText = block.toBase64Encoding().toStdString();
        state->restore (
            handle,
            [] (LV2_State_Handle self, uint32_t key, size_t* size, uint32_t* type, uint32_t*) -> const void*
            {
                auto& plugin = *static_cast<Lv2Plugin*> (self);
                *size = plugin.stateText.size() + 1;
                *type = plugin.map (LV2_ATOM__String);
                return key == plugin.map (plugin.prefix + "StateString") ? plugin.stateText.c_str() : nullptr;
            },
            this, 0, nullptr);
    }

    const std::string prefix = KALVO_LV2_URI ":";
    std::vector<std::string> uris;
    LV2_URID_Map mapFeature{ this, [] (LV2_URID_Map_Handle self, const char* uri)
                             { return static_cast<Lv2Plugin*> (self)->map (uri); } };
    juce::DynamicLibrary library;
    const LV2_Descriptor* descriptor;
    LV2_Handle handle;
    LV2_Atom_Forge forge;
    int32_t maxBlock = 4096;
    long allocations = 0; // inside run, over all blocks
    std::vector<float> input = std::vector<float> (4096, 1.0f), output = std::vector<float> (8192), left;
    std::vector<uint64_t> control = std::vector<uint64_t> (4096), notify = std::vector<uint64_t> (4096);
    std::string stateText;
};
} // namespace

TEST (Lv2InProcess, PatchGetIsAnsweredWithOnePatchSetPerParameterAskedFor)
{
    Lv2Plugin plugin;
    plugin.run (64, [&] { plugin.patch ("LowLevel", 0.25f), plugin.patch ("State", 3.0f); });
    std::map<std::string, float> expected{ { "LowLevel", 0.25f }, { "State", 3.0f } };
    for (const auto& spec : ParameterTable::specs)
        expected.emplace (spec.id, spec.defaultValue);

    const auto all = plugin.run (64, [&] { plugin.patch (nullptr); });
    EXPECT_EQ (all.size(), 17u);
    EXPECT_EQ (decltype (expected) (all.begin(), all.end()), expected);
    EXPECT_EQ (plugin.run (64, [&] { plugin.patch ("MidLevel"); }), (PatchSets{ { "MidLevel", 0.5f } }));
    EXPECT_EQ (plugin.run (64), PatchSets{});
}

// 240 eighths a minute are 120 quarter notes: a 6/8 bar (three) lasts 72,000 samples. The Main
// curve rises from 0 to 1 once a bar, so the output of a constant 1 is the phase in the bar.
TEST (Lv2InProcess, SixEightPositionsRunOnAtTheirTempo)
{
    Lv2Plugin plugin;
    plugin.editState ("LinePointsMain1St0",
                      { { "Lenght", "0.3333" }, { "Point0y", "0" }, { "BandGlide", "0" } });
    for (int block = 0; block < 9; ++block)
        plugin.run (4000,
                    [&]
                    {
                        if (block % 3 == 0) // an eighth a quarter of a second; the last one with time:beat
                            plugin.position (block * 4000, block / 3.0f,
                                             block == 6 ? std::optional (2.0) : std::nullopt);
                    });
    for (size_t n = 0; n < plugin.left.size(); n += 500)
        EXPECT_NEAR (plugin.left[n], static_cast<double> (n) / 72000.0, 0.01) << "sample " << n;
}

// The audio thread allocates nothing at any block size up to the largest the host announced, the
// same each time or growing and shrinking from one block to the next.
TEST (Lv2InProcess, RunAllocatesNothingAtAnyBlockSize)
{
    using Sizes = std::vector<uint32_t>;
#ifndef NDEBUG
    // JUCE's leak detectors (debug builds only) register a counter with atexit at their first
    // object, which allocates whenever atexit's table is full: once per loaded library, not per
    // block. An instance kept loaded has them registered before any block is counted.
    Lv2Plugin loaded;
    loaded.run (1);
#endif
    for (const auto& sizes : { Sizes{ 1 }, Sizes{ 64 }, Sizes{ 512 }, Sizes{ 4096 }, Sizes{ 512, 256 },
                               Sizes{ 32, 64 }, Sizes{ 4096, 2048 }, Sizes{ 1, 4096, 1001, 64 } })
    {
        Lv2Plugin plugin;
        for (size_t block = 0; block < 200; ++block)
            plugin.run (sizes[block % sizes.size()]);
        EXPECT_EQ (plugin.allocations, 0) << "blocks of " << ::testing::PrintToString (sizes);
    }
}
