// The host's property map, version 3: adds pointer properties.
#pragma once

#include "AAX_IACFPropertyMap_V2.h"

class AAX_IACFPropertyMap_V3 : public AAX_IACFPropertyMap_V2
{
public:
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) = 0;

protected:
    ~AAX_IACFPropertyMap_V3() = default;
};
