// One call that the plug-in made into the stand-in host.
#pragma once

#include <string>
#include <vector>

namespace kalvo::aaxhost
{
struct HostCall
{
    enum class Kind
    {
        Operation, // an operation of an interface past the three of the unknown
        Query,     // QueryInterface or CreateComponent
        RefCount   // AddRef or Release
    };

    Kind kind = Kind::Operation;
    std::string object;            // "EffectDescriptor#1"
    int version = 1;               // the interface version the call came through
    std::string operation;         // "AddName"
    std::vector<std::string> args; // each argument as text

    // "EffectDescriptor#1 V1 AddName(KalvoPro)"
    std::string toString() const;
    // "AddName(KalvoPro)"
    std::string callText() const;
};
} // namespace kalvo::aaxhost
