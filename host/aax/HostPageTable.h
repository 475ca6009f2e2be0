// A host page table (a control-surface layout): pages of parameter slots and name variations per
// parameter. The host makes one for each request of the component factory.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "AAX_IACFPageTable_V2.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostPageTable final : public HostObject
{
public:
    struct Content
    {
        std::vector<std::map<int32_t, std::string>> pages; // per page: slot -> parameter identifier
        std::map<std::string, std::map<int32_t, std::string>> nameVariations; // identifier -> length -> name
    };

    HostPageTable (StandInHost& hostToUse, std::set<int> offeredVersions);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

    Content content() const;
    void setContent (Content newContent);

private:
    class Facet final : public HostFacet<AAX_IACFPageTable_V2>
    {
    public:
        Facet (HostPageTable& tableToUse, int versionToUse)
            : HostFacet (tableToUse, versionToUse), table (tableToUse)
        {
        }

        AAX_Result Clear() override;
        AAX_Result Empty (AAX_CBoolean* oEmpty) override;
        AAX_Result GetNumPages (int32_t* oNumPages) override;
        AAX_Result InsertPage (int32_t iPage) override;
        AAX_Result RemovePage (int32_t iPage) override;
        AAX_Result GetNumMappedParameterIDs (int32_t iPage, int32_t* oNumParameterIdentifiers) override;
        AAX_Result ClearMappedParameter (int32_t iPage, int32_t iIndex) override;
        AAX_Result GetMappedParameterID (int32_t iPage, int32_t iIndex,
                                         AAX_IString* oParameterIdentifier) override;
        AAX_Result MapParameterID (AAX_CParamID iParameterIdentifier, int32_t iPage, int32_t iIndex) override;
        AAX_Result GetNumParametersWithNameVariations (int32_t* oNumParameterIdentifiers) override;
        AAX_Result GetNameVariationParameterIDAtIndex (int32_t iIndex,
                                                       AAX_IString* oParameterIdentifier) override;
        AAX_Result GetNumNameVariationsForParameter (AAX_CParamID iParameterIdentifier,
                                                     int32_t* oNumVariations) override;
        AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID iParameterIdentifier, int32_t iIndex,
                                                     AAX_IString* oNameVariation, int32_t* oLength) override;
        AAX_Result GetParameterNameVariationOfLength (AAX_CParamID iParameterIdentifier, int32_t iLength,
                                                      AAX_IString* oNameVariation) override;
        AAX_Result ClearParameterNameVariations() override;
        AAX_Result ClearNameVariationsForParameter (AAX_CParamID iParameterIdentifier) override;
        AAX_Result SetParameterNameVariation (AAX_CParamID iParameterIdentifier,
                                              const AAX_IString& iNameVariation, int32_t iLength) override;

    private:
        HostPageTable& table;
    };

    std::set<int> offered;
    mutable std::mutex lock;
    Content data;
    Facet v1{ *this, 1 };
    Facet v2{ *this, 2 };
};
} // namespace kalvo::aaxhost
