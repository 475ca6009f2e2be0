// Registration on hosts that offer only some versions of each interface: the result follows what
// the host lacks, every operation reaches the host only through a version it offers, and every
// reference the binding took is given back.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AcfExports.h"
#include "CACFUnknown.h"
#include "StandInHost.h"

using kalvo::aaxhost::HostCall;
using kalvo::aaxhost::HostFeature;
using kalvo::aaxhost::HostVersions;
using kalvo::aaxhost::StandInHost;

namespace
{
using Change = std::function<void (HostVersions&)>;

struct Variant
{
    std::string name;
    Change change;
};

std::vector<Variant> Variants()
{
    std::vector<Variant> variants;
    const std::vector<std::set<int>> threeVersions{ {}, { 1 }, { 1, 2 }, { 1, 3 }, { 2, 3 }, { 1, 2, 3 } };
    auto name = [] (const char* what, const std::set<int>& versions)
    {
        std::string text = std::string (what) + "{";
        for (int v : versions)
            text += std::to_string (v);
        return text + "}";
    };
    for (const auto& v : threeVersions)
    {
        variants.push_back ({ name ("hostServices", v), [v] (HostVersions& h) { h.hostServices = v; } });
        variants.push_back (
            { name ("componentDescriptor", v), [v] (HostVersions& h) { h.componentDescriptor = v; } });
        variants.push_back ({ name ("propertyMap", v), [v] (HostVersions& h) { h.propertyMap = v; } });
    }
    for (const std::set<int>& v :
         { std::set<int>{}, std::set<int>{ 1 }, std::set<int>{ 2 }, std::set<int>{ 1, 2 } })
        variants.push_back (
            { name ("effectDescriptor", v), [v] (HostVersions& h) { h.effectDescriptor = v; } });
    for (const std::set<int>& v : { std::set<int>{}, std::set<int>{ 1 } })
    {
        variants.push_back ({ name ("collection", v), [v] (HostVersions& h) { h.collection = v; } });
        variants.push_back ({ name ("featureInfo", v), [v] (HostVersions& h) { h.featureInfo = v; } });
    }
    variants.push_back ({ "no factory", [] (HostVersions& h) { h.componentFactory = false; } });
    variants.push_back ({ "no description host", [] (HostVersions& h) { h.descriptionHost = false; } });
    variants.push_back ({ "no host definition", [] (HostVersions& h) { h.hostDefinition = false; } });
    variants.push_back ({ "no plug-in definition", [] (HostVersions& h) { h.pluginDefinition = false; } });
    variants.push_back ({ "maps give description services", [] (HostVersions& h)
                          {
                              h.descriptionHost = false;
                              h.propertyMapDescriptionHost = true;
                          } });
    return variants;
}

bool Offered (const HostVersions& versions, const std::string& object, int version)
{
    auto kind = object.substr (0, object.find ('#'));
    if (kind == "HostServices")
        return versions.hostServices.count (version) != 0;
    if (kind == "Collection")
        return versions.collection.count (version) != 0;
    if (kind == "EffectDescriptor")
        return versions.effectDescriptor.count (version) != 0;
    if (kind == "ComponentDescriptor")
        return versions.componentDescriptor.count (version) != 0;
    if (kind == "PropertyMap")
        return versions.propertyMap.count (version) != 0;
    if (kind == "FeatureInfo")
        return versions.featureInfo.count (version) != 0;
    return true;
}

void RegisterOn (const HostVersions& versions, const std::string& variant)
{
    SCOPED_TRACE (variant);
    StandInHost host;
    host.versions() = versions;
    HostFeature stemFormats;
    stemFormats.supportLevel = AAX_eSupportLevel_ByProperty;
    stemFormats.properties[0x00010002] = AAX_eSupportLevel_Supported;
    host.setFeature (AAXATTR_ClientFeature_StemFormat, stemFormats);

    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    IACFPluginDefinition* definition = nullptr;
    const ACFRESULT result = ACFRegisterPlugin (host.unknown(), &definition);
    const bool canDefine =
        versions.componentFactory && versions.collection.count (1) != 0 && versions.pluginDefinition;
    EXPECT_EQ (result, canDefine ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (definition != nullptr, canDefine);
    if (definition != nullptr)
        definition->Release();
    EXPECT_EQ (ACFShutdown (host.unknown()), 0);

    for (const auto& call : host.log().calls())
    {
        if (call.kind == HostCall::Kind::Operation)
        {
            EXPECT_TRUE (Offered (versions, call.object, call.version)) << call.toString();
        }
    }

    const bool componentV1 = versions.componentFactory && versions.componentDescriptor.count (1) != 0;
    EXPECT_EQ (host.log().count ("AddProcessProc_Native"), componentV1 ? 1u : 0u);
    const bool mapV1 = versions.componentFactory && versions.propertyMap.count (1) != 0;
    EXPECT_EQ (host.log().count ("AddProperty"), mapV1 ? 8u : 0u);

    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
    EXPECT_TRUE (host.faults().empty());
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 0u);
}
} // namespace

TEST (VersionSweep, EachInterfaceReducedOnAFullHost)
{
    for (const auto& variant : Variants())
    {
        HostVersions versions;
        variant.change (versions);
        RegisterOn (versions, "full host, " + variant.name);
    }
}

TEST (VersionSweep, EachInterfaceChangedOnAnOldestHost)
{
    for (const auto& variant : Variants())
    {
        HostVersions versions = HostVersions::oldest();
        variant.change (versions);
        RegisterOn (versions, "oldest host, " + variant.name);
    }
}
