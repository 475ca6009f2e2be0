// A result that must be one of the accepted codes: assigning any other code throws
// AAX::Exception::ResultError. Lives on the stack of the operation that uses it.
#pragma once

#include <set>

#include "AAX.h"

class AAX_CheckedResult
{
public:
    typedef AAX_Result ResultType;

    AAX_CheckedResult();
    // Checks at once: a failing code throws.
    AAX_CheckedResult (AAX_Result inResult);

    AAX_CheckedResult& operator= (AAX_Result inResult);

    // Throws when the current result is not accepted, after tracing a notice to the host.
    void Check();
    void AddAcceptedResult (AAX_Result inResult);
    // Only success passes again.
    void ResetAcceptedResults();

    AAX_Result Result() const noexcept { return mCurResult; }
    AAX_Result LastError() const noexcept { return mLastError; }

private:
    AAX_Result mCurResult;
    AAX_Result mLastError = 0;
    std::set<AAX_Result> mAcceptedResults;
};
