#pragma once
#include "AAX.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class AAX_IAutomationDelegate;
class AAX_IParameter;

/** Owns an instance's parameters in the order they were added and finds them by identifier or
    position. Each added parameter gets the manager's automation delegate. */
class AAX_CParameterManager
{
public:
    AAX_CParameterManager() = default;
    ~AAX_CParameterManager();

    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    void Initialize (AAX_IAutomationDelegate* iAutomationDelegateUnknown);

    /** Takes ownership, unless the parameter is null, has a null or empty identifier or repeats
        an identifier already present: such a parameter is not added and stays the caller's. */
    void AddParameter (AAX_IParameter* param);
    void RemoveAllParameters();

    int32_t NumParameters() const;
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;
    int32_t GetParameterIndex (AAX_CParamID identifier) const;
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;

private:
    AAX_IAutomationDelegate* mAutomationDelegate = nullptr;
    std::vector<AAX_IParameter*> mParameters;
    std::map<std::string, AAX_IParameter*> mParametersMap;
};
