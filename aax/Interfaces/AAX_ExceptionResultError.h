// An exception that carries a failing AAX result.
#pragma once

#include "AAX.h"
#include "AAX_ExceptionAny.h"

namespace AAX
{
namespace Exception
{
class ResultError : public Any
{
public:
    explicit ResultError (AAX_Result inWhatResult);
    ResultError (AAX_Result inWhatResult, const std::string& inFunction, const std::string& inLine);

    AAX_Result Result() const noexcept { return mResult; }

    // The result's name, then its value in parentheses: "AAX_ERROR_NULL_OBJECT (-20004)".
    static std::string FormatResult (AAX_Result inResult);

private:
    AAX_Result mResult;
};
} // namespace Exception
} // namespace AAX
