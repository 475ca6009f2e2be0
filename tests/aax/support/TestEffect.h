// An effect-parameters object as a plug-in derives it: the parameters it is given, created in
// EffectInit with a single-value packet route each, optionally the master bypass.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"

namespace kalvo::aaxtest
{
struct ParameterSpec
{
    enum class Kind
    {
        Float,
        Int32,
        Bool,
        Double
    };
    Kind kind;
    std::string id;
    double value;
};

// The plug-in's 17 host parameters, each a float at its default.
inline std::vector<ParameterSpec> KalvoProParameters()
{
    using K = ParameterSpec::Kind;
    return { { K::Float, "Power", 1.0 },    { K::Float, "MixMaster", 1.0 }, { K::Float, "MixMain", 1.0 },
             { K::Float, "MixLow", 1.0 },   { K::Float, "MixMid", 1.0 },    { K::Float, "MixHigh", 1.0 },
             { K::Float, "LowLevel", 0.5 }, { K::Float, "MidLevel", 0.5 },  { K::Float, "HighLevel", 0.5 },
             { K::Float, "LowSolo", 0.0 },  { K::Float, "LowMute", 0.0 },   { K::Float, "MidSolo", 0.0 },
             { K::Float, "MidMute", 0.0 },  { K::Float, "HighSolo", 0.0 },  { K::Float, "HighMute", 0.0 },
             { K::Float, "State", 0.0 },    { K::Float, "LineCH", 0.5 } };
}

class TestEffect : public AAX_CEffectParameters
{
public:
    explicit TestEffect (std::vector<ParameterSpec> specsToUse = KalvoProParameters(), bool withBypass = true)
        : specs (std::move (specsToUse)), bypass (withBypass)
    {
    }

    AAX_Result EffectInit() override
    {
        if (beforeInit)
            beforeInit();
        AAX_CFieldIndex port = 0;
        for (const auto& spec : specs)
        {
            add (spec);
            mPacketDispatcher.RegisterPacket (spec.id.c_str(), port++);
        }
        if (bypass)
            add ({ ParameterSpec::Kind::Bool, kMasterBypassID, 0.0 });
        return AAX_SUCCESS;
    }

    // Counts parameters the manager does not have, as a derived class that miscounts would.
    AAX_Result GetNumberOfParameters (int32_t* oNumControls) const override
    {
        const AAX_Result result = AAX_CEffectParameters::GetNumberOfParameters (oNumControls);
        if (oNumControls != nullptr)
            *oNumControls += phantomParameters;
        return result;
    }

    AAX_CParameterManager& manager() { return mParameterManager; }
    int32_t changes() const { return mNumPlugInChanges; }
    void setChanges (int32_t count) { mNumPlugInChanges = count; }
    int32_t chunkedParameters() const { return mNumChunkedParameters; }
    void filter (AAX_CParamID id) { FilterParameterIDOnSave (id); }

    std::function<void()> beforeInit;
    int32_t phantomParameters = 0;

private:
    void add (const ParameterSpec& spec)
    {
        switch (spec.kind)
        {
            case ParameterSpec::Kind::Float:
                addTyped<float> (spec.id, static_cast<float> (spec.value), spec.id == "State" ? 11.0f : 1.0f);
                break;
            case ParameterSpec::Kind::Int32:
                addTyped<int32_t> (spec.id, static_cast<int32_t> (spec.value), 11);
                break;
            case ParameterSpec::Kind::Bool:
                addTyped<bool> (spec.id, spec.value != 0.0, true);
                break;
            case ParameterSpec::Kind::Double:
                addTyped<double> (spec.id, spec.value, 1.0);
                break;
        }
    }

    template <typename T>
    void addTyped (const std::string& id, T value, T maximum)
    {
        mParameterManager.AddParameter (new AAX_CParameter<T> (id.c_str(), AAX_CString (id.c_str()), value,
                                                               AAX_CLinearTaperDelegate<T> (T (0), maximum),
                                                               AAX_CNumberDisplayDelegate<T, 3>(), true));
    }

    std::vector<ParameterSpec> specs;
    bool bypass;
};

// Holds one reference to a binding object for the length of a scope, as the host would.
template <class Object>
class Held
{
public:
    explicit Held (Object* objectToHold) : object (objectToHold) { object->AddRef(); }
    ~Held() { object->Release(); }
    Held (const Held&) = delete;
    Held& operator= (const Held&) = delete;

    Object* operator->() const { return object; }
    Object& operator*() const { return *object; }
    Object* get() const { return object; }

private:
    Object* object;
};
} // namespace kalvo::aaxtest
