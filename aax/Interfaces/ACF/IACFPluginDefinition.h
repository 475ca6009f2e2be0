// The definition of a plug-in as the host keeps it after registration.
#pragma once

#include "IACFDefinition.h"

class IACFPluginDefinition : public IACFDefinition
{
protected:
    ~IACFPluginDefinition() = default;
};
