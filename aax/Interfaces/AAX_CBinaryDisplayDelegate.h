// Display texts of parameters with two states. This plug-in's parameters all use the number
// display (AAX_CNumberDisplayDelegate.h); the framework's wrapper includes this header without
// using it.
#pragma once

#include "AAX_IDisplayDelegate.h"
