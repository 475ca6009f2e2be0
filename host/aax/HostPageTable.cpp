#include "HostPageTable.h"

#include <iterator>

#include "AAX_Errors.h"
#include "AAX_IString.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"

namespace kalvo::aaxhost
{
HostPageTable::HostPageTable (StandInHost& hostToUse, std::set<int> offeredVersions)
    : HostObject (hostToUse, "PageTable"), offered (std::move (offeredVersions))
{
}

void* HostPageTable::facetFor (const acfIID& iid)
{
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXPageTableV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFPageTable*> (&v1);
    if (iid == IID_IAAXPageTableV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFPageTable_V2*> (&v2);
    return nullptr;
}

HostPageTable::Content HostPageTable::content() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return data;
}

void HostPageTable::setContent (Content newContent)
{
    const std::lock_guard<std::mutex> guard (lock);
    data = std::move (newContent);
}

namespace
{
bool validPage (const HostPageTable::Content& c, int32_t page)
{
    return page >= 0 && static_cast<size_t> (page) < c.pages.size();
}
} // namespace

AAX_Result HostPageTable::Facet::Clear()
{
    owner.record (version, "Clear");
    const std::lock_guard<std::mutex> guard (table.lock);
    table.data.pages.clear();
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::Empty (AAX_CBoolean* oEmpty)
{
    owner.record (version, "Empty");
    if (oEmpty == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    *oEmpty = table.data.pages.empty() ? 1 : 0;
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetNumPages (int32_t* oNumPages)
{
    owner.record (version, "GetNumPages");
    if (oNumPages == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    *oNumPages = static_cast<int32_t> (table.data.pages.size());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::InsertPage (int32_t iPage)
{
    owner.record (version, "InsertPage", { HostCallLog::number (iPage) });
    const std::lock_guard<std::mutex> guard (table.lock);
    if (iPage < 0 || static_cast<size_t> (iPage) > table.data.pages.size())
        return AAX_ERROR_INVALID_ARGUMENT;
    table.data.pages.insert (table.data.pages.begin() + iPage, std::map<int32_t, std::string>());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::RemovePage (int32_t iPage)
{
    owner.record (version, "RemovePage", { HostCallLog::number (iPage) });
    const std::lock_guard<std::mutex> guard (table.lock);
    if (!validPage (table.data, iPage))
        return AAX_ERROR_INVALID_ARGUMENT;
    table.data.pages.erase (table.data.pages.begin() + iPage);
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetNumMappedParameterIDs (int32_t iPage, int32_t* oNumParameterIdentifiers)
{
    owner.record (version, "GetNumMappedParameterIDs", { HostCallLog::number (iPage) });
    if (oNumParameterIdentifiers == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    if (!validPage (table.data, iPage))
        return AAX_ERROR_INVALID_ARGUMENT;
    *oNumParameterIdentifiers = static_cast<int32_t> (table.data.pages[static_cast<size_t> (iPage)].size());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::ClearMappedParameter (int32_t iPage, int32_t iIndex)
{
    owner.record (version, "ClearMappedParameter",
                  { HostCallLog::number (iPage), HostCallLog::number (iIndex) });
    const std::lock_guard<std::mutex> guard (table.lock);
    if (!validPage (table.data, iPage))
        return AAX_ERROR_INVALID_ARGUMENT;
    table.data.pages[static_cast<size_t> (iPage)].erase (iIndex);
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetMappedParameterID (int32_t iPage, int32_t iIndex,
                                                       AAX_IString* oParameterIdentifier)
{
    owner.record (version, "GetMappedParameterID",
                  { HostCallLog::number (iPage), HostCallLog::number (iIndex) });
    if (oParameterIdentifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    if (!validPage (table.data, iPage))
        return AAX_ERROR_INVALID_ARGUMENT;
    const auto& page = table.data.pages[static_cast<size_t> (iPage)];
    const auto it = page.find (iIndex);
    if (it == page.end())
        return AAX_ERROR_INVALID_ARGUMENT;
    oParameterIdentifier->Set (it->second.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::MapParameterID (AAX_CParamID iParameterIdentifier, int32_t iPage,
                                                 int32_t iIndex)
{
    owner.record (version, "MapParameterID",
                  { HostCallLog::text (iParameterIdentifier), HostCallLog::number (iPage),
                    HostCallLog::number (iIndex) });
    if (iParameterIdentifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    if (!validPage (table.data, iPage))
        return AAX_ERROR_INVALID_ARGUMENT;
    table.data.pages[static_cast<size_t> (iPage)][iIndex] = iParameterIdentifier;
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetNumParametersWithNameVariations (int32_t* oNumParameterIdentifiers)
{
    owner.record (version, "GetNumParametersWithNameVariations");
    if (oNumParameterIdentifiers == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    *oNumParameterIdentifiers = static_cast<int32_t> (table.data.nameVariations.size());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetNameVariationParameterIDAtIndex (int32_t iIndex,
                                                                     AAX_IString* oParameterIdentifier)
{
    owner.record (version, "GetNameVariationParameterIDAtIndex", { HostCallLog::number (iIndex) });
    if (oParameterIdentifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    if (iIndex < 0 || static_cast<size_t> (iIndex) >= table.data.nameVariations.size())
        return AAX_ERROR_INVALID_ARGUMENT;
    oParameterIdentifier->Set (std::next (table.data.nameVariations.begin(), iIndex)->first.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetNumNameVariationsForParameter (AAX_CParamID iParameterIdentifier,
                                                                   int32_t* oNumVariations)
{
    owner.record (version, "GetNumNameVariationsForParameter", { HostCallLog::text (iParameterIdentifier) });
    if (iParameterIdentifier == nullptr || oNumVariations == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    const auto it = table.data.nameVariations.find (iParameterIdentifier);
    *oNumVariations = it != table.data.nameVariations.end() ? static_cast<int32_t> (it->second.size()) : 0;
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetParameterNameVariationAtIndex (AAX_CParamID iParameterIdentifier,
                                                                   int32_t iIndex,
                                                                   AAX_IString* oNameVariation,
                                                                   int32_t* oLength)
{
    owner.record (version, "GetParameterNameVariationAtIndex",
                  { HostCallLog::text (iParameterIdentifier), HostCallLog::number (iIndex) });
    if (iParameterIdentifier == nullptr || oNameVariation == nullptr || oLength == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    const auto it = table.data.nameVariations.find (iParameterIdentifier);
    if (it == table.data.nameVariations.end() || iIndex < 0 ||
        static_cast<size_t> (iIndex) >= it->second.size())
        return AAX_ERROR_INVALID_ARGUMENT;
    const auto entry = std::next (it->second.begin(), iIndex);
    oNameVariation->Set (entry->second.c_str());
    *oLength = entry->first;
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::GetParameterNameVariationOfLength (AAX_CParamID iParameterIdentifier,
                                                                    int32_t iLength,
                                                                    AAX_IString* oNameVariation)
{
    owner.record (version, "GetParameterNameVariationOfLength",
                  { HostCallLog::text (iParameterIdentifier), HostCallLog::number (iLength) });
    if (iParameterIdentifier == nullptr || oNameVariation == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    const auto it = table.data.nameVariations.find (iParameterIdentifier);
    if (it == table.data.nameVariations.end())
        return AAX_ERROR_INVALID_ARGUMENT;
    const auto entry = it->second.find (iLength);
    if (entry == it->second.end())
        return AAX_ERROR_INVALID_ARGUMENT;
    oNameVariation->Set (entry->second.c_str());
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::ClearParameterNameVariations()
{
    owner.record (version, "ClearParameterNameVariations");
    const std::lock_guard<std::mutex> guard (table.lock);
    table.data.nameVariations.clear();
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::ClearNameVariationsForParameter (AAX_CParamID iParameterIdentifier)
{
    owner.record (version, "ClearNameVariationsForParameter", { HostCallLog::text (iParameterIdentifier) });
    if (iParameterIdentifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    table.data.nameVariations.erase (iParameterIdentifier);
    return AAX_SUCCESS;
}

AAX_Result HostPageTable::Facet::SetParameterNameVariation (AAX_CParamID iParameterIdentifier,
                                                            const AAX_IString& iNameVariation,
                                                            int32_t iLength)
{
    const char* name = iNameVariation.Get();
    owner.record (version, "SetParameterNameVariation",
                  { HostCallLog::text (iParameterIdentifier), HostCallLog::text (name),
                    HostCallLog::number (iLength) });
    if (iParameterIdentifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (table.lock);
    table.data.nameVariations[iParameterIdentifier][iLength] = name != nullptr ? name : "";
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
