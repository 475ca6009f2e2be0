// The host's description of one algorithm component, version 2: adds temporary data.
#pragma once

#include "AAX_IACFComponentDescriptor.h"

class AAX_IACFComponentDescriptor_V2 : public AAX_IACFComponentDescriptor
{
public:
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) = 0;

protected:
    ~AAX_IACFComponentDescriptor_V2() = default;
};
