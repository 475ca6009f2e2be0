// Proxy for a host property map, in each version the host offers. Without version 3 the pointer
// properties that the manual process-procedure path reads are kept in a local cache.
#pragma once

#include <map>
#include <string>

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFPropertyMap_V3.h"
#include "AAX_IPropertyMap.h"
#include "ACF/ACFPtr.h"

class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    // A new map made through the host's factory; null for a null host or one without a factory.
    static AAX_VPropertyMap* Create (IACFUnknown* inHostUnknown);
    // A proxy over a map the host handed out; never null, owned by the caller.
    static AAX_VPropertyMap* Acquire (IACFUnknown* inPropertyMapUnknown);

    ~AAX_VPropertyMap() override;
    AAX_VPropertyMap (const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator= (const AAX_VPropertyMap&) = delete;

    AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const override;
    AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const override;
    // Refuses, without asking the host, a stem format that a host without description services
    // cannot know.
    AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) override;
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) override;
    // Without version 3 the text is copied: the caller's buffer may not outlive the map.
    AAX_Result AddPointerProperty (AAX_EProperty inProperty, const char* inValue) override;
    AAX_Result RemoveProperty (AAX_EProperty inProperty) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty,
                                       const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                       uint32_t inNumPluginIDs) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty,
                                         const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                         uint32_t* outNumPluginIDs) const override;
    IACFUnknown* GetIUnknown() override;

    void InitWithFactory (IACFComponentFactory* inFactory, IACFUnknown* inHostUnknown);
    void InitWithPropertyMap (IACFUnknown* inPropertyMapUnknown, IACFUnknown* inHostUnknown);

private:
    AAX_VPropertyMap() = default;

    AAX_Result CachePointerProperty (AAX_EProperty inProperty, const void* inValue);

    ACFPtr<AAX_IACFPropertyMap> mIACFPropertyMap;
    ACFPtr<AAX_IACFPropertyMap_V2> mIACFPropertyMapV2;
    ACFPtr<AAX_IACFPropertyMap_V3> mIACFPropertyMapV3;
    ACFPtr<AAX_IACFDescriptionHost> mIACFDescriptionHost;
    std::map<AAX_EProperty, const void*> mLocalPointerPropertyCache;
    std::map<AAX_EProperty, std::string> mLocalTextCopies;
};
