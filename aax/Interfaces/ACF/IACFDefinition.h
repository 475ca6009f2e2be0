// A host definition: a bag of typed attributes. The binding hands these objects around but never
// calls their own operations; they are declared so that derived interfaces keep their layout.
#pragma once

#include "IACFUnknown.h"

class IACFDefinition : public IACFUnknown
{
public:
    virtual ACFRESULT DefineAttribute (const acfUID& attributeID, const acfUID& typeID, const void* pData,
                                       acfUInt32 dataSize) = 0;
    virtual ACFRESULT GetAttributeInfo (const acfUID& attributeID, acfUID* pTypeID, acfUInt32* pDataSize) = 0;
    virtual ACFRESULT CopyAttribute (const acfUID& attributeID, const acfUID& typeID, void* pData,
                                     acfUInt32 dataSize) = 0;
    virtual ACFRESULT GetAttributePointer (const acfUID& attributeID, const void** ppData) = 0;

protected:
    ~IACFDefinition() = default;
};
