// The binding's internal exceptions. They never leave the binding: every exported entry point
// catches them.
#pragma once

#include "AAX_Errors.h"
#include "AAX_ExceptionAny.h"
#include "AAX_ExceptionResultError.h"
