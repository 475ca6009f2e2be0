// The four definition operations, for host objects that are definitions (the host unknown, the
// collection and the plug-in definition). The binding never calls them; they are logged if it does.
#pragma once

#include "AAX_Errors.h"
#include "HostFacet.h"
#include "InterfaceNames.h"

namespace kalvo::aaxhost
{
template <class Interface>
class HostDefinitionFacet : public HostFacet<Interface>
{
public:
    using HostFacet<Interface>::HostFacet;

    ACFRESULT DefineAttribute (const acfUID& attributeID, const acfUID& typeID, const void*,
                               acfUInt32 size) override
    {
        this->owner.record (this->version, "DefineAttribute",
                            { InterfaceName (attributeID), InterfaceName (typeID), std::to_string (size) });
        return AAX_ERROR_UNIMPLEMENTED;
    }
    ACFRESULT GetAttributeInfo (const acfUID& attributeID, acfUID*, acfUInt32*) override
    {
        this->owner.record (this->version, "GetAttributeInfo", { InterfaceName (attributeID) });
        return AAX_ERROR_UNIMPLEMENTED;
    }
    ACFRESULT CopyAttribute (const acfUID& attributeID, const acfUID& typeID, void*, acfUInt32 size) override
    {
        this->owner.record (this->version, "CopyAttribute",
                            { InterfaceName (attributeID), InterfaceName (typeID), std::to_string (size) });
        return AAX_ERROR_UNIMPLEMENTED;
    }
    ACFRESULT GetAttributePointer (const acfUID& attributeID, const void**) override
    {
        this->owner.record (this->version, "GetAttributePointer", { InterfaceName (attributeID) });
        return AAX_ERROR_UNIMPLEMENTED;
    }
};
} // namespace kalvo::aaxhost
