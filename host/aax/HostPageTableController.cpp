#include "HostPageTableController.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
namespace
{
std::string effectKey (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                       AAX_CPropertyValue plugInID, uint32_t tableType)
{
    return "effect:" + std::to_string (manufacturerID) + "/" + std::to_string (productID) + "/" +
           std::to_string (plugInID) + "/" + std::to_string (tableType);
}

std::string layoutKey (const std::string& effectID, const std::string& layoutName, uint32_t tableType)
{
    return "layout:" + effectID + "/" + layoutName + "/" + std::to_string (tableType);
}

std::string fileKey (const char* path)
{
    return std::string ("file:") + (path != nullptr ? path : "");
}
} // namespace

HostPageTableController::HostPageTableController (HostObject& owner)
    : v1 (*this, owner, 1), v2 (*this, owner, 2)
{
}

void* HostPageTableController::facetFor (const acfIID& iid, const std::set<int>& offered)
{
    if (iid == IID_IAAXPageTableController && offered.count (1) != 0)
        return static_cast<AAX_IACFPageTableController*> (&v1);
    if (iid == IID_IAAXPageTableControllerV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFPageTableController_V2*> (&v2);
    return nullptr;
}

void HostPageTableController::addTableForEffect (AAX_CPropertyValue manufacturerID,
                                                 AAX_CPropertyValue productID, AAX_CPropertyValue plugInID,
                                                 uint32_t tableType, HostPageTable::Content content)
{
    const std::lock_guard<std::mutex> guard (lock);
    tables[effectKey (manufacturerID, productID, plugInID, tableType)] = std::move (content);
}

void HostPageTableController::addTableForLayout (const std::string& effectID, const std::string& layoutName,
                                                 uint32_t tableType, HostPageTable::Content content)
{
    const std::lock_guard<std::mutex> guard (lock);
    tables[layoutKey (effectID, layoutName, tableType)] = std::move (content);
}

void HostPageTableController::addTableFile (const std::string& path, HostPageTable::Content content)
{
    const std::lock_guard<std::mutex> guard (lock);
    tables[fileKey (path.c_str())] = std::move (content);
}

AAX_Result HostPageTableController::Facet::copyInto (const std::string& key, IACFUnknown* oTable)
{
    if (oTable == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    auto& standIn = owner.standInHost();
    auto* table = standIn.find<HostPageTable> (standIn.labelOf (oTable));
    if (table == nullptr)
        return AAX_ERROR_INVALID_ARGUMENT; // not a page table of this host

    const std::lock_guard<std::mutex> guard (state.lock);
    const auto it = state.tables.find (key);
    if (it == state.tables.end())
        return AAX_ERROR_INVALID_ARGUMENT;
    table->setContent (it->second);
    return AAX_SUCCESS;
}

AAX_Result HostPageTableController::Facet::CreateTableCopyForEffect (
    AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
    uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* oTable)
{
    owner.record (version, "CreateTableCopyForEffect",
                  { HostCallLog::hex (static_cast<uint32_t> (inManufacturerID)),
                    HostCallLog::hex (static_cast<uint32_t> (inProductID)),
                    HostCallLog::hex (static_cast<uint32_t> (inPlugInID)), HostCallLog::hex (inTableType),
                    HostCallLog::number (inTablePageSize), owner.standInHost().labelOf (oTable) });
    const AAX_Result copied =
        copyInto (effectKey (inManufacturerID, inProductID, inPlugInID, inTableType), oTable);
    if (const auto overridden = owner.overriddenResult ("CreateTableCopyForEffect"))
        return *overridden;
    return copied;
}

AAX_Result HostPageTableController::Facet::CreateTableCopyForLayout (const char* inEffectID,
                                                                     const char* inLayoutName,
                                                                     uint32_t inTableType,
                                                                     int32_t inTablePageSize,
                                                                     IACFUnknown* oTable)
{
    owner.record (version, "CreateTableCopyForLayout",
                  { HostCallLog::text (inEffectID), HostCallLog::text (inLayoutName),
                    HostCallLog::hex (inTableType), HostCallLog::number (inTablePageSize),
                    owner.standInHost().labelOf (oTable) });
    if (inEffectID == nullptr || inLayoutName == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return copyInto (layoutKey (inEffectID, inLayoutName, inTableType), oTable);
}

AAX_Result HostPageTableController::Facet::CreateTableCopyForEffectFromFile (
    const char* inPageTableFilePath, AAX_ETextEncoding inFilePathEncoding,
    AAX_CPropertyValue inManufacturerID, AAX_CPropertyValue inProductID, AAX_CPropertyValue inPlugInID,
    uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* oTable)
{
    owner.record (version, "CreateTableCopyForEffectFromFile",
                  { HostCallLog::text (inPageTableFilePath), HostCallLog::number (inFilePathEncoding),
                    HostCallLog::hex (static_cast<uint32_t> (inManufacturerID)),
                    HostCallLog::hex (static_cast<uint32_t> (inProductID)),
                    HostCallLog::hex (static_cast<uint32_t> (inPlugInID)), HostCallLog::hex (inTableType),
                    HostCallLog::number (inTablePageSize), owner.standInHost().labelOf (oTable) });
    if (inPageTableFilePath == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return copyInto (fileKey (inPageTableFilePath), oTable);
}

AAX_Result HostPageTableController::Facet::CreateTableCopyForLayoutFromFile (
    const char* inPageTableFilePath, AAX_ETextEncoding inFilePathEncoding, const char* inLayoutName,
    uint32_t inTableType, int32_t inTablePageSize, IACFUnknown* oTable)
{
    owner.record (version, "CreateTableCopyForLayoutFromFile",
                  { HostCallLog::text (inPageTableFilePath), HostCallLog::number (inFilePathEncoding),
                    HostCallLog::text (inLayoutName), HostCallLog::hex (inTableType),
                    HostCallLog::number (inTablePageSize), owner.standInHost().labelOf (oTable) });
    if (inPageTableFilePath == nullptr || inLayoutName == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return copyInto (fileKey (inPageTableFilePath), oTable);
}
} // namespace kalvo::aaxhost
