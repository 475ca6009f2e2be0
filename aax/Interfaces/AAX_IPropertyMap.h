// A property map as the plug-in's description code fills it.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class IACFUnknown;

class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    // True when the property is set; its value goes to outValue.
    virtual AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const = 0;
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const = 0;
    virtual AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty inProperty, const char* inValue) = 0;
    virtual AAX_Result RemoveProperty (AAX_EProperty inProperty) = 0;
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty,
                                               const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                               uint32_t inNumPluginIDs) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty,
                                                 const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                 uint32_t* outNumPluginIDs) const = 0;
    // The host object behind the map, or null.
    virtual IACFUnknown* GetIUnknown() = 0;
};
