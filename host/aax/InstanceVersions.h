// Which per-instance interfaces, and which versions of them, the stand-in host offers to one
// plug-in instance (controller, page tables, automation, transport) and to its views.
#pragma once

#include <set>

namespace kalvo::aaxhost
{
struct InstanceVersions
{
    std::set<int> controller{ 1, 2, 3 };
    std::set<int> pageTableController{ 1, 2 };
    std::set<int> pageTable{ 1, 2 };
    std::set<int> automationDelegate{ 1 };
    std::set<int> transport{ 1, 2 };
    std::set<int> viewContainer{ 1, 2 };
    // The instance unknown answers the component-factory query (page tables are made through it).
    bool componentFactory = true;

    static InstanceVersions all() { return {}; }

    static InstanceVersions firstOnly()
    {
        InstanceVersions v;
        v.controller = { 1 };
        v.pageTableController = { 1 };
        v.pageTable = { 1 };
        v.transport = { 1 };
        v.viewContainer = { 1 };
        return v;
    }

    static InstanceVersions none()
    {
        InstanceVersions v;
        v.controller.clear();
        v.pageTableController.clear();
        v.pageTable.clear();
        v.automationDelegate.clear();
        v.transport.clear();
        v.viewContainer.clear();
        v.componentFactory = false;
        return v;
    }
};
} // namespace kalvo::aaxhost
