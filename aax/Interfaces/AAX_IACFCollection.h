// The host's collection, version 1: receives the plug-in's effects and package identity.
#pragma once

#include "AAX.h"
#include "ACF/IACFDefinition.h"

class AAX_IACFCollection : public IACFDefinition
{
public:
    virtual AAX_Result AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* inName) = 0;
    virtual AAX_Result AddPackageName (const char* inName) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t inVersion) = 0;
    virtual AAX_Result SetProperties (IACFUnknown* inProperties) = 0;

protected:
    ~AAX_IACFCollection() = default;
};
