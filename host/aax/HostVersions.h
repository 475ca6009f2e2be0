// Which interfaces, and which versions of them, the stand-in host offers. Each test sets its own.
#pragma once

#include <set>

namespace kalvo::aaxhost
{
struct HostVersions
{
    // Interfaces of the host unknown.
    bool componentFactory = true;
    bool descriptionHost = true;
    bool hostDefinition = true;
    // The collection answers the plug-in definition query.
    bool pluginDefinition = true;
    // Property maps answer the description-services query themselves.
    bool propertyMapDescriptionHost = false;

    std::set<int> hostServices{ 1, 2, 3 };
    std::set<int> collection{ 1 };
    std::set<int> effectDescriptor{ 1, 2 };
    std::set<int> componentDescriptor{ 1, 2, 3 };
    std::set<int> propertyMap{ 1, 2, 3 };
    std::set<int> featureInfo{ 1 };

    // Only version 1 of everything.
    static HostVersions oldest()
    {
        HostVersions v;
        v.hostServices = { 1 };
        v.effectDescriptor = { 1 };
        v.componentDescriptor = { 1 };
        v.propertyMap = { 1 };
        return v;
    }
};
} // namespace kalvo::aaxhost
