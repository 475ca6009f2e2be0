// The host's page-table controller for one instance: copies a page table it knows (by effect, by
// layout, or from a page-table file) into the empty page table the plug-in hands it.
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>

#include "AAX_IACFPageTableController_V2.h"
#include "HostFacet.h"
#include "HostPageTable.h"

namespace kalvo::aaxhost
{
class HostPageTableController
{
public:
    explicit HostPageTableController (HostObject& owner);

    void* facetFor (const acfIID& iid, const std::set<int>& offered);

    // The tables the host knows. A file path stands for a page-table file with that one table.
    void addTableForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                            AAX_CPropertyValue plugInID, uint32_t tableType, HostPageTable::Content content);
    void addTableForLayout (const std::string& effectID, const std::string& layoutName, uint32_t tableType,
                            HostPageTable::Content content);
    void addTableFile (const std::string& path, HostPageTable::Content content);

private:
    class Facet final : public HostFacet<AAX_IACFPageTableController_V2>
    {
    public:
        Facet (HostPageTableController& stateToUse, HostObject& ownerToUse, int versionToUse)
            : HostFacet (ownerToUse, versionToUse), state (stateToUse)
        {
        }

        AAX_Result CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID,
                                             AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
                                             uint32_t inTableType, int32_t inTablePageSize,
                                             IACFUnknown* oTable) override;
        AAX_Result CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                             uint32_t inTableType, int32_t inTablePageSize,
                                             IACFUnknown* oTable) override;
        AAX_Result CreateTableCopyForEffectFromFile (const char* inPageTableFilePath,
                                                     AAX_ETextEncoding inFilePathEncoding,
                                                     AAX_CPropertyValue inManufacturerID,
                                                     AAX_CPropertyValue inProductID,
                                                     AAX_CPropertyValue inPlugInID, uint32_t inTableType,
                                                     int32_t inTablePageSize, IACFUnknown* oTable) override;
        AAX_Result CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath,
                                                     AAX_ETextEncoding inFilePathEncoding,
                                                     const char* inLayoutName, uint32_t inTableType,
                                                     int32_t inTablePageSize, IACFUnknown* oTable) override;

    private:
        AAX_Result copyInto (const std::string& key, IACFUnknown* oTable);
        HostPageTableController& state;
    };

    mutable std::mutex lock;
    std::map<std::string, HostPageTable::Content> tables;
    Facet v1;
    Facet v2;
};
} // namespace kalvo::aaxhost
