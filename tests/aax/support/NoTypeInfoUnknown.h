// An object of another module, as a host may hand one back: it answers the effect-parameters
// query with itself and is compiled without type information (its translation unit is built with
// -fno-rtti), so a dynamic_cast on it crashes. The test owns it; it counts its references.
#pragma once

#include <memory>

#include "ACF/IACFUnknown.h"

namespace kalvo::aaxtest
{
class NoTypeInfoUnknown
{
public:
    NoTypeInfoUnknown();
    ~NoTypeInfoUnknown();

    IACFUnknown* identity() noexcept;
    int references() const noexcept;

private:
    class Object;
    std::unique_ptr<Object> object;
};
} // namespace kalvo::aaxtest
