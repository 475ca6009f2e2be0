// The host's description of one algorithm component, version 3: the host registers every process
// procedure that a property map names.
#pragma once

#include "AAX_IACFComponentDescriptor_V2.h"

class AAX_IACFComponentDescriptor_V3 : public AAX_IACFComponentDescriptor_V2
{
public:
    virtual AAX_Result AddProcessProc (IACFUnknown* inProperties, AAX_CSelector* outProcIDs,
                                       int32_t inProcIDsSize) = 0;

protected:
    ~AAX_IACFComponentDescriptor_V3() = default;
};
