// The test binary's description routine: the plug-in's registration, unless a test puts its own
// routine in place.
#pragma once

#include <functional>

#include "AAX.h"

class AAX_ICollection;

namespace kalvo::aaxtest
{
using DescriptionRoutine = std::function<AAX_Result (AAX_ICollection*)>;

// Replaces the description routine until reset.
void SetDescriptionRoutine (DescriptionRoutine routine);
void ResetDescriptionRoutine();
} // namespace kalvo::aaxtest
