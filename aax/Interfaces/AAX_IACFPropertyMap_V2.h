// The host's property map, version 2: adds identifier-triad arrays.
#pragma once

#include "AAX_IACFPropertyMap.h"

class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap
{
public:
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty,
                                               const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                               uint32_t inNumPluginIDs) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty,
                                                 const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                 uint32_t* outNumPluginIDs) = 0;

protected:
    ~AAX_IACFPropertyMap_V2() = default;
};
