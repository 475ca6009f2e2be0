// Parameters with two states. This plug-in's parameters all use the linear taper
// (AAX_CLinearTaperDelegate.h); the framework's wrapper includes this header without using it.
#pragma once

#include "AAX_ITaperDelegate.h"
