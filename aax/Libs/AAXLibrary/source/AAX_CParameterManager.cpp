#include "AAX_CParameterManager.h"

#include "AAX_IParameter.h"

#include <cstring>

AAX_CParameterManager::~AAX_CParameterManager()
{
    RemoveAllParameters();
}

void AAX_CParameterManager::Initialize (AAX_IAutomationDelegate* iAutomationDelegateUnknown)
{
    mAutomationDelegate = iAutomationDelegateUnknown;
}

void AAX_CParameterManager::AddParameter (AAX_IParameter* param)
{
    if (param == nullptr)
        return;
    // Without an identifier the host could never address the parameter.
    const char* identifier = param->Identifier();
    if (identifier == nullptr || identifier[0] == '\0' || mParametersMap.count (identifier) != 0)
        return;

    param->SetAutomationDelegate (mAutomationDelegate);
    mParameters.push_back (param);
    mParametersMap.emplace (identifier, param);
}

void AAX_CParameterManager::RemoveAllParameters()
{
    for (auto* parameter : mParameters)
        delete parameter;
    mParameters.clear();
    mParametersMap.clear();
}

int32_t AAX_CParameterManager::NumParameters() const
{
    return static_cast<int32_t> (mParameters.size());
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier)
{
    if (identifier == nullptr)
        return nullptr;
    const auto it = mParametersMap.find (identifier);
    return it != mParametersMap.end() ? it->second : nullptr;
}

const AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier) const
{
    return const_cast<AAX_CParameterManager*> (this)->GetParameterByID (identifier);
}

int32_t AAX_CParameterManager::GetParameterIndex (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return -1;
    for (size_t i = 0; i < mParameters.size(); ++i)
        if (std::strcmp (mParameters[i]->Identifier(), identifier) == 0)
            return static_cast<int32_t> (i);
    return -1;
}

AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index)
{
    if (index < 0 || static_cast<size_t> (index) >= mParameters.size())
        return nullptr;
    return mParameters[static_cast<size_t> (index)];
}

const AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index) const
{
    return const_cast<AAX_CParameterManager*> (this)->GetParameter (index);
}
