#pragma once

// One host parameter: identifier (also the display name), range 0..maximum, step and default.
struct ParameterSpec
{
    const char* id;
    float maximum;
    float step;
    float defaultValue;
};

// The 17 host parameters in creation order. The parameter layout, the listener registration and
// removal, the preset reset and the state document all walk this one table.
struct ParameterTable
{
    enum Index
    {
        pPower,
        pMixMaster,
        pMixMain,
        pMixLow,
        pMixMid,
        pMixHigh,
        pLowLevel,
        pMidLevel,
        pHighLevel,
        pLowSolo,
        pLowMute,
        pMidSolo,
        pMidMute,
        pHighSolo,
        pHighMute,
        pState,
        pLineCH,
        numParameters
    };

    static constexpr ParameterSpec specs[numParameters] = {
        { "Power", 1.0f, 0.1f, 1.0f },       { "MixMaster", 1.0f, 0.001f, 1.0f },
        { "MixMain", 1.0f, 0.001f, 1.0f },   { "MixLow", 1.0f, 0.001f, 1.0f },
        { "MixMid", 1.0f, 0.001f, 1.0f },    { "MixHigh", 1.0f, 0.001f, 1.0f },
        { "LowLevel", 1.0f, 0.001f, 0.5f },  { "MidLevel", 1.0f, 0.001f, 0.5f },
        { "HighLevel", 1.0f, 0.001f, 0.5f }, { "LowSolo", 1.0f, 0.1f, 0.0f },
        { "LowMute", 1.0f, 0.1f, 0.0f },     { "MidSolo", 1.0f, 0.1f, 0.0f },
        { "MidMute", 1.0f, 0.1f, 0.0f },     { "HighSolo", 1.0f, 0.1f, 0.0f },
        { "HighMute", 1.0f, 0.1f, 0.0f },    { "State", 11.0f, 1.0f, 0.0f },
        { "LineCH", 1.0f, 0.01f, 0.0f },
    };

    static constexpr const char* id (Index index) noexcept { return specs[index].id; }
};

// Settings that every state starts with, and that a state or preset reset restores.
struct StateDefaults
{
    static constexpr float length = 0.63f;
    static constexpr bool sync = true;
    static constexpr float glide = 10.0f; // milliseconds
    static constexpr float mix = 1.0f;
    static constexpr float lowMidSplit = 0.242f;
    static constexpr float midHighSplit = 0.7627f;
    static constexpr int firstMidiNote = 60; // state s learns note 60 + s until taught another
};
