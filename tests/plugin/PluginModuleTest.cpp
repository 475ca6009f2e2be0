// Loads the built VST3 and LV2 binaries into this (sanitizer-instrumented) process and reads what
// they tell a host about themselves.
#include <JuceHeader.h>
#include <gtest/gtest.h>
#include <lv2/core/lv2.h>
#include <pluginterfaces/base/ipluginbase.h>

namespace
{
using ModuleEntryFunction = bool (*) (void*);
using ModuleExitFunction = bool (*)();
using GetFactoryFunction = Steinberg::IPluginFactory* (*) ();

juce::String fromChars (const char* text, size_t size)
{
    return juce::String::fromUTF8 (text, static_cast<int> (strnlen (text, size)));
}
} // namespace

TEST (PluginModule, Vst3FactoryDescribesKalvoPro)
{
    juce::DynamicLibrary library;
    ASSERT_TRUE (library.open (KALVO_VST3_MODULE)) << KALVO_VST3_MODULE;
    auto entry = reinterpret_cast<ModuleEntryFunction> (library.getFunction ("ModuleEntry"));
    auto exit = reinterpret_cast<ModuleExitFunction> (library.getFunction ("ModuleExit"));
    auto getFactory = reinterpret_cast<GetFactoryFunction> (library.getFunction ("GetPluginFactory"));
    ASSERT_NE (entry, nullptr);
    ASSERT_NE (exit, nullptr);
    ASSERT_NE (getFactory, nullptr);
    ASSERT_TRUE (entry (library.getNativeHandle()));

    auto* factory = getFactory();
    ASSERT_NE (factory, nullptr);

    Steinberg::PFactoryInfo info{};
    ASSERT_EQ (factory->getFactoryInfo (&info), Steinberg::kResultOk);
    EXPECT_EQ (fromChars (info.vendor, sizeof (info.vendor)), "Orvane");
    EXPECT_EQ (fromChars (info.url, sizeof (info.url)), "https://orvane.example");
    EXPECT_EQ (fromChars (info.email, sizeof (info.email)), "support@orvane.example");

    bool foundProcessor = false;
    for (Steinberg::int32 i = 0; i < factory->countClasses(); ++i)
    {
        Steinberg::PClassInfo classInfo{};
        ASSERT_EQ (factory->getClassInfo (i, &classInfo), Steinberg::kResultOk);
        if (fromChars (classInfo.category, sizeof (classInfo.category)) == "Audio Module Class")
        {
            foundProcessor = true;
            EXPECT_EQ (fromChars (classInfo.name, sizeof (classInfo.name)), "KalvoPro");
            // The class ID carries the manufacturer and plug-in codes.
            const juce::String cid (juce::String::toHexString (classInfo.cid, sizeof (classInfo.cid), 0));
            EXPECT_TRUE (cid.containsIgnoreCase ("4f72766e4b6c7670")) << cid; // 'Orvn' 'Klvp'
        }
    }
    EXPECT_TRUE (foundProcessor);

    factory->release();
    EXPECT_TRUE (exit());
    library.close();
}

TEST (PluginModule, Lv2DescriptorCarriesOurUri)
{
    juce::DynamicLibrary library;
    ASSERT_TRUE (library.open (KALVO_LV2_MODULE)) << KALVO_LV2_MODULE;
    auto descriptorFunction =
        reinterpret_cast<LV2_Descriptor_Function> (library.getFunction ("lv2_descriptor"));
    ASSERT_NE (descriptorFunction, nullptr);

    const auto* descriptor = descriptorFunction (0);
    ASSERT_NE (descriptor, nullptr);
    EXPECT_STREQ (descriptor->URI, KALVO_LV2_URI);
    EXPECT_NE (descriptor->instantiate, nullptr);
    EXPECT_NE (descriptor->run, nullptr);
    EXPECT_EQ (descriptorFunction (1), nullptr);

    // The bundle's manifest, written by the build, names the same URI and binary.
    const auto manifest = juce::File (KALVO_LV2_MODULE).getSiblingFile ("manifest.ttl").loadFileAsString();
    EXPECT_TRUE (manifest.contains ("<" KALVO_LV2_URI ">"));
    EXPECT_TRUE (manifest.contains ("lv2:binary <libKalvoPro.so>"));
    library.close();
}
