// The host's page-table controller, version 2: the same copies read from a page-table file.
#pragma once

#include "AAX_ControllerTypes.h"
#include "AAX_IACFPageTableController.h"

class AAX_IACFPageTableController_V2 : public AAX_IACFPageTableController
{
public:
    virtual AAX_Result CreateTableCopyForEffectFromFile (const char* inPageTableFilePath,
                                                         AAX_ETextEncoding inFilePathEncoding,
                                                         AAX_CPropertyValue inManufacturerID,
                                                         AAX_CPropertyValue inProductID,
                                                         AAX_CPropertyValue inPlugInID, uint32_t inTableType,
                                                         int32_t inTablePageSize, IACFUnknown* oTable) = 0;
    virtual AAX_Result CreateTableCopyForLayoutFromFile (const char* inPageTableFilePath,
                                                         AAX_ETextEncoding inFilePathEncoding,
                                                         const char* inLayoutName, uint32_t inTableType,
                                                         int32_t inTablePageSize, IACFUnknown* oTable) = 0;

protected:
    ~AAX_IACFPageTableController_V2() = default;
};
