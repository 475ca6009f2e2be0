// The host's property map, version 1: integer properties.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "ACF/IACFUnknown.h"

class AAX_IACFPropertyMap : public IACFUnknown
{
public:
    virtual AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) = 0;
    virtual AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) = 0;
    virtual AAX_Result RemoveProperty (AAX_EProperty inProperty) = 0;

protected:
    ~AAX_IACFPropertyMap() = default;
};
