// The host's page-table controller, version 1: copies of an effect's or a layout's page table.
// Each operation fills the page table passed last.
#pragma once

#include "AAX.h"
#include "ACF/IACFUnknown.h"

class AAX_IACFPageTableController : public IACFUnknown
{
public:
    virtual AAX_Result CreateTableCopyForEffect (AAX_CPropertyValue inManufacturerID,
                                                 AAX_CPropertyValue inProductID,
                                                 AAX_CPropertyValue inPlugInID, uint32_t inTableType,
                                                 int32_t inTablePageSize, IACFUnknown* oTable) = 0;
    virtual AAX_Result CreateTableCopyForLayout (const char* inEffectID, const char* inLayoutName,
                                                 uint32_t inTableType, int32_t inTablePageSize,
                                                 IACFUnknown* oTable) = 0;

protected:
    ~AAX_IACFPageTableController() = default;
};
