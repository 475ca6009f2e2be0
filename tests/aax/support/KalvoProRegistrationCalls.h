// The plug-in's registration as the stand-in host logs it, call for call: what the test module's
// description routine and the real module (JUCE's wrapper) both make. The three procedure
// addresses are given as the log writes them.
#pragma once

#include <string>
#include <vector>

namespace kalvo::aaxtest
{
inline std::vector<std::string> KalvoProRegistrationCalls (const std::string& gui,
                                                           const std::string& parameters,
                                                           const std::string& callback,
                                                           bool hostHasStemFormatFeature)
{
    const std::string map = hostHasStemFormatFeature ? "PropertyMap#3" : "PropertyMap#1";
    std::vector<std::string> calls{
        "Host#1 V1 AcquireFeatureProperties(AAXATTR_ClientFeature_StemFormat)",
        "EffectDescriptor#1 V1 AddName(\"KalvoPro\")",
        "EffectDescriptor#1 V1 AddCategory(0x00002000)",
        "EffectDescriptor#1 V1 AddProcPtr(" + gui + ", 1)",
        "EffectDescriptor#1 V1 AddProcPtr(" + parameters + ", 0)",
    };
    if (hostHasStemFormatFeature)
        for (const char* properties : { "PropertyMap#1", "PropertyMap#2" })
            calls.insert (calls.end(),
                          { "FeatureInfo#1 V1 SupportLevel()", "FeatureInfo#1 V1 AcquireProperties()",
                            std::string (properties) + " V1 GetProperty(65538)" });
    calls.insert (calls.end(), {
                                   "ComponentDescriptor#1 V1 AddAudioIn(0)",
                                   "ComponentDescriptor#1 V1 AddAudioOut(1)",
                                   "ComponentDescriptor#1 V1 AddAudioBufferLength(2)",
                                   "ComponentDescriptor#1 V1 AddDataInPort(3, 4, 1)",
                                   "ComponentDescriptor#1 V1 AddMIDINode(4, 0, \"KalvoPro\", 0x0000FFFF)",
                                   "ComponentDescriptor#1 V1 AddPrivateData(5, 8, 0)",
                                   "ComponentDescriptor#1 V1 AddPrivateData(6, 4, 0)",
                                   "ComponentDescriptor#1 V1 AddPrivateData(7, 8, 0)",
                                   map + " V1 AddProperty(11, 0x4F72766E)",
                                   map + " V1 AddProperty(12, 0x4B6C7670)",
                                   map + " V1 AddProperty(60, 0x00000001)",
                                   map + " V1 AddProperty(51, 0x00010002)",
                                   map + " V1 AddProperty(52, 0x00010002)",
                                   map + " V1 AddProperty(13, 0x6A636363)",
                                   map + " V1 AddProperty(14, 0x6A796363)",
                                   map + " V1 AddProperty(304, 0x00000001)",
                                   "ComponentDescriptor#1 V1 AddPrivateData(8, 8, 0)",
                                   "ComponentDescriptor#1 V1 AddProcessProc_Native(" + callback + ", " + map +
                                       ", null, null)",
                                   "EffectDescriptor#1 V1 AddComponent(ComponentDescriptor#1)",
                                   "Collection#1 V1 AddEffect(\"com.orvane.kalvopro\", EffectDescriptor#1)",
                                   "Collection#1 V1 SetManufacturerName(\"Orvane\")",
                                   "Collection#1 V1 AddPackageName(\"KalvoPro\")",
                                   "Collection#1 V1 AddPackageName(\"KalvoPro\")",
                                   "Collection#1 V1 SetPackageVersion(0x00010001)",
                               });
    return calls;
}
} // namespace kalvo::aaxtest
