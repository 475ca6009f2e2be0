#include "AAX_VPageTable.h"
#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "HostPageTable.h"
#include "InstanceHostOfferings.h"

#include <functional>

using namespace kalvo::aaxhost;
using namespace kalvo::aaxhost::testing;

namespace
{
struct PageTableRow
{
    const char* operation;
    int version;
    std::function<AAX_Result (AAX_VPageTable&)> call;
};

std::vector<PageTableRow> pageTableRows()
{
    // In an order that leaves every call valid on a table with one page.
    return {
        { "Clear", 1, [] (AAX_VPageTable& t) { return t.Clear(); } },
        { "InsertPage", 1, [] (AAX_VPageTable& t) { return t.InsertPage (0); } },
        { "Empty", 1,
          [] (AAX_VPageTable& t)
          {
              AAX_CBoolean e = 0;
              return t.Empty (e);
          } },
        { "GetNumPages", 1,
          [] (AAX_VPageTable& t)
          {
              int32_t n = 0;
              return t.GetNumPages (n);
          } },
        { "MapParameterID", 1, [] (AAX_VPageTable& t) { return t.MapParameterID ("MixMain", 0, 2); } },
        { "GetNumMappedParameterIDs", 1,
          [] (AAX_VPageTable& t)
          {
              int32_t n = 0;
              return t.GetNumMappedParameterIDs (0, n);
          } },
        { "GetMappedParameterID", 1,
          [] (AAX_VPageTable& t)
          {
              AAX_CString id;
              return t.GetMappedParameterID (0, 2, id);
          } },
        { "ClearMappedParameter", 1, [] (AAX_VPageTable& t) { return t.ClearMappedParameter (0, 2); } },
        { "SetParameterNameVariation", 2,
          [] (AAX_VPageTable& t)
          { return t.SetParameterNameVariation ("MixMain", AAX_CString ("Mix"), 3); } },
        { "GetNumParametersWithNameVariations", 2,
          [] (AAX_VPageTable& t)
          {
              int32_t n = 0;
              return t.GetNumParametersWithNameVariations (n);
          } },
        { "GetNameVariationParameterIDAtIndex", 2,
          [] (AAX_VPageTable& t)
          {
              AAX_CString id;
              return t.GetNameVariationParameterIDAtIndex (0, id);
          } },
        { "GetNumNameVariationsForParameter", 2,
          [] (AAX_VPageTable& t)
          {
              int32_t n = 0;
              return t.GetNumNameVariationsForParameter ("MixMain", n);
          } },
        { "GetParameterNameVariationAtIndex", 2,
          [] (AAX_VPageTable& t)
          {
              AAX_CString name;
              int32_t length = 0;
              return t.GetParameterNameVariationAtIndex ("MixMain", 0, name, length);
          } },
        { "GetParameterNameVariationOfLength", 2,
          [] (AAX_VPageTable& t)
          {
              AAX_CString name;
              return t.GetParameterNameVariationOfLength ("MixMain", 3, name);
          } },
        { "ClearNameVariationsForParameter", 2,
          [] (AAX_VPageTable& t) { return t.ClearNameVariationsForParameter ("MixMain"); } },
        { "ClearParameterNameVariations", 2,
          [] (AAX_VPageTable& t) { return t.ClearParameterNameVariations(); } },
        { "RemovePage", 1, [] (AAX_VPageTable& t) { return t.RemovePage (0); } },
    };
}

using PageTableProxy = InstanceHostTest;
using PageTableOnFullHost = FullHostTest;
} // namespace

TEST_P (PageTableProxy, EachOperationForwardsOrAnswersUnimplemented)
{
    const auto& offered = GetParam().versions.pageTable;
    auto& table = host.make<HostPageTable> (offered);
    {
        AAX_VPageTable proxy (table.identity());
        for (const auto& row : pageTableRows())
            EXPECT_EQ (row.call (proxy),
                       offers (offered, row.version) ? AAX_SUCCESS : AAX_ERROR_UNIMPLEMENTED)
                << row.operation;
    }
    for (const auto& row : pageTableRows())
    {
        const size_t expected = offers (offered, row.version) ? 1u : 0u;
        EXPECT_EQ (host.log().count (row.operation), expected) << row.operation;
        EXPECT_EQ (versionsOf (host, row.operation), std::vector<int> (expected, row.version))
            << row.operation;
    }
    expectBalanced();
}

TEST_F (PageTableOnFullHost, ContentRoundTrip)
{
    auto& table = host.make<HostPageTable> (InstanceVersions::all().pageTable);
    AAX_VPageTable proxy (table.identity());
    EXPECT_EQ (proxy.InsertPage (0), AAX_SUCCESS);
    EXPECT_EQ (proxy.MapParameterID ("LowLevel", 0, 5), AAX_SUCCESS);
    AAX_CString id;
    EXPECT_EQ (proxy.GetMappedParameterID (0, 5, id), AAX_SUCCESS);
    EXPECT_STREQ (id.Get(), "LowLevel");
    EXPECT_EQ (proxy.SetParameterNameVariation ("LowLevel", AAX_CString ("LoLv"), 4), AAX_SUCCESS);
    AAX_CString name;
    int32_t length = 0;
    EXPECT_EQ (proxy.GetParameterNameVariationAtIndex ("LowLevel", 0, name, length), AAX_SUCCESS);
    EXPECT_STREQ (name.Get(), "LoLv");
    EXPECT_EQ (length, 4);
    EXPECT_EQ (table.content().pages.at (0).at (5), "LowLevel");
}

TEST_P (PageTableProxy, MissingVersionsWriteZeroIntoCounts)
{
    const auto& offered = GetParam().versions.pageTable;
    auto& table = host.make<HostPageTable> (offered);
    AAX_VPageTable proxy (table.identity());
    int32_t count = 9;
    AAX_CBoolean empty = 9;
    if (!offers (offered, 1))
    {
        EXPECT_EQ (proxy.GetNumPages (count), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (count, 0);
        EXPECT_EQ (proxy.Empty (empty), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (empty, 0);
    }
    if (!offers (offered, 2))
    {
        count = 9;
        EXPECT_EQ (proxy.GetNumParametersWithNameVariations (count), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (count, 0);
        int32_t length = 9;
        AAX_CString name;
        EXPECT_EQ (proxy.GetParameterNameVariationAtIndex ("x", 0, name, length), AAX_ERROR_UNIMPLEMENTED);
        EXPECT_EQ (length, 0);
    }
}

INSTANTIATE_TEST_SUITE_P (Offerings, PageTableProxy, ::testing::ValuesIn (allOfferings()), offeringName);
