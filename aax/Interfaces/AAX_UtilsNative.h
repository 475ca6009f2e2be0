// Helpers for native process procedures. The framework's wrapper includes this header without
// using anything of it; the algorithm context's field indices come from AAX_FIELD_INDEX (AAX.h).
#pragma once

#include "AAX.h"
