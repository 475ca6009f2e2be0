#include "AAX_CheckedResult.h"

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"

AAX_CheckedResult::AAX_CheckedResult() : mCurResult (AAX_SUCCESS)
{
    ResetAcceptedResults();
}

AAX_CheckedResult::AAX_CheckedResult (AAX_Result inResult) : mCurResult (inResult)
{
    ResetAcceptedResults();
    Check();
}

AAX_CheckedResult& AAX_CheckedResult::operator= (AAX_Result inResult)
{
    mCurResult = inResult;
    Check();
    return *this;
}

void AAX_CheckedResult::Check()
{
    if (mAcceptedResults.count (mCurResult) != 0)
        return;

    const AAX::Exception::ResultError error (mCurResult);
    mLastError = mCurResult;
    mCurResult = AAX_SUCCESS;
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_High, "AAX_CheckedResult - throwing %s",
                              error.What().c_str());
    throw error;
}

void AAX_CheckedResult::AddAcceptedResult (AAX_Result inResult)
{
    mAcceptedResults.insert (inResult);
}

void AAX_CheckedResult::ResetAcceptedResults()
{
    mAcceptedResults.clear();
    mAcceptedResults.insert (AAX_SUCCESS);
}
