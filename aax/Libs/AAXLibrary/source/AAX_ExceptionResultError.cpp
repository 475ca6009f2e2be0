#include "AAX_ExceptionResultError.h"

#include <cinttypes>
#include <cstdio>

#include "AAX_Errors.h"

namespace AAX
{
namespace Exception
{
ResultError::ResultError (AAX_Result inWhatResult) : Any (FormatResult (inWhatResult)), mResult (inWhatResult)
{
}

ResultError::ResultError (AAX_Result inWhatResult, const std::string& inFunction, const std::string& inLine)
    : Any (FormatResult (inWhatResult), inFunction, inLine), mResult (inWhatResult)
{
}

std::string ResultError::FormatResult (AAX_Result inResult)
{
    char number[32];
    std::snprintf (number, sizeof (number), "%" PRId64, static_cast<int64_t> (inResult));
    return AsStringResult (inResult) + " (" + number + ")";
}
} // namespace Exception
} // namespace AAX
