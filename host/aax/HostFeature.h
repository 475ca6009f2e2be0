// What the stand-in host tells about one feature when asked.
#pragma once

#include <cstdint>
#include <map>

#include "AAX_Enums.h"

namespace kalvo::aaxhost
{
struct HostFeature
{
    AAX_ESupportLevel supportLevel = AAX_eSupportLevel_Supported;
    // The feature's property map; none is handed out when empty.
    std::map<int32_t, int32_t> properties;
};
} // namespace kalvo::aaxhost
