// Assertion reports to the host: a failed condition is reported with its source position and
// text; execution goes on.
#pragma once

#include "AAX_CHostServices.h"

#define AAX_ASSERT(condition)                                                                                \
    do                                                                                                       \
    {                                                                                                        \
        if (!(condition))                                                                                    \
            AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, #condition, AAX_eAssertFlags_Log);   \
    } while (false)
