// The definition of a single component; this binding registers none.
#pragma once

#include "IACFDefinition.h"

class IACFComponentDefinition : public IACFDefinition
{
protected:
    ~IACFComponentDefinition() = default;
};
