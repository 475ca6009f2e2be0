#include "AAX_VViewContainer.h"
#include "AAX_Errors.h"
#include "HostViewContainer.h"
#include "InstanceHostOfferings.h"

#include <functional>

using namespace kalvo::aaxhost;
using namespace kalvo::aaxhost::testing;

namespace
{
struct ViewRow
{
    const char* operation;
    int version;
    AAX_Result withoutIt;
    std::function<AAX_Result (AAX_VViewContainer&)> call;
};

const AAX_CParamID twoIDs[] = { "LowLevel", "MidLevel" };

std::vector<ViewRow> viewRows()
{
    return {
        { "GetModifiers", 1, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v)
          {
              uint32_t m = 0;
              return v.GetModifiers (&m);
          } },
        { "SetViewSize", 1, AAX_SUCCESS,
          [] (AAX_VViewContainer& v)
          {
              AAX_Point size{ 234.0f, 592.0f };
              return v.SetViewSize (size);
          } },
        { "HandleParameterMouseDown", 1, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v) { return v.HandleParameterMouseDown ("LowLevel", 1); } },
        { "HandleParameterMouseDrag", 1, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v) { return v.HandleParameterMouseDrag ("LowLevel", 1); } },
        { "HandleParameterMouseUp", 1, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v) { return v.HandleParameterMouseUp ("LowLevel", 1); } },
        { "HandleMultipleParametersMouseDown", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v) { return v.HandleMultipleParametersMouseDown (twoIDs, 2, 0); } },
        { "HandleMultipleParametersMouseDrag", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v) { return v.HandleMultipleParametersMouseDrag (twoIDs, 2, 0); } },
        { "HandleMultipleParametersMouseUp", 2, AAX_ERROR_UNIMPLEMENTED,
          [] (AAX_VViewContainer& v) { return v.HandleMultipleParametersMouseUp (twoIDs, 2, 0); } },
    };
}

using ViewContainerProxy = InstanceHostTest;
} // namespace

TEST_P (ViewContainerProxy, EachOperationForwardsOrAnswersItsFixedCode)
{
    const auto& offered = GetParam().versions.viewContainer;
    int nativeView = 0;
    auto& container = host.make<HostViewContainer> (offered, AAX_eViewContainer_Type_NSView, &nativeView);
    {
        AAX_VViewContainer proxy (container.identity());
        const bool v1 = offers (offered, 1);
        EXPECT_EQ (proxy.GetType(), v1 ? AAX_eViewContainer_Type_NSView : 0);
        EXPECT_EQ (proxy.GetPtr(), v1 ? &nativeView : nullptr);
        for (const auto& row : viewRows())
            EXPECT_EQ (row.call (proxy), offers (offered, row.version) ? AAX_SUCCESS : row.withoutIt)
                << row.operation;
    }
    for (const auto& row : viewRows())
    {
        const size_t expected = offers (offered, row.version) ? 1u : 0u;
        EXPECT_EQ (host.log().count (row.operation), expected) << row.operation;
        EXPECT_EQ (versionsOf (host, row.operation), std::vector<int> (expected, row.version))
            << row.operation;
    }
    if (offers (offered, 1))
    {
        ASSERT_EQ (container.sizes().size(), 1u);
        EXPECT_EQ (container.sizes()[0].horz, 592.0f);
    }
    // The proxy gave back both references it held.
    expectBalanced();
}

TEST_P (ViewContainerProxy, ModifiersWithoutHostAreZero)
{
    const auto& offered = GetParam().versions.viewContainer;
    auto& container = host.make<HostViewContainer> (offered);
    container.setModifiers (AAX_eModifiers_Shift);
    AAX_VViewContainer proxy (container.identity());
    uint32_t modifiers = 0xFF;
    const AAX_Result result = proxy.GetModifiers (&modifiers);
    EXPECT_EQ (modifiers, offers (offered, 1) ? static_cast<uint32_t> (AAX_eModifiers_Shift) : 0u);
    EXPECT_EQ (result, offers (offered, 1) ? AAX_SUCCESS : AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (proxy.GetModifiers (nullptr),
               offers (offered, 1) ? AAX_ERROR_NULL_ARGUMENT : AAX_ERROR_UNIMPLEMENTED);
}

TEST (ViewContainerProxyOverNull, AnswersFixedValues)
{
    AAX_VViewContainer proxy (nullptr);
    EXPECT_EQ (proxy.GetType(), 0);
    EXPECT_EQ (proxy.GetPtr(), nullptr);
    AAX_Point size{ 1.0f, 2.0f };
    EXPECT_EQ (proxy.SetViewSize (size), AAX_SUCCESS);
    EXPECT_EQ (proxy.HandleParameterMouseDown ("x", 0), AAX_ERROR_UNIMPLEMENTED);
}

INSTANTIATE_TEST_SUITE_P (Offerings, ViewContainerProxy, ::testing::ValuesIn (allOfferings()), offeringName);
