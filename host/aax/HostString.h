// The host's own string for the plug-in to fill (names, identifiers, value texts) or to read.
#pragma once

#include <string>

#include "AAX_IString.h"

namespace kalvo::aaxhost
{
class HostString final : public AAX_IString
{
public:
    HostString() = default;
    explicit HostString (std::string initial) : text (std::move (initial)) {}

    uint32_t Length() const override { return static_cast<uint32_t> (text.size()); }
    uint32_t MaxLength() const override { return static_cast<uint32_t> (text.max_size()); }
    const char* Get() const override { return text.c_str(); }
    void Set (const char* newText) override { text = newText != nullptr ? newText : ""; }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* newText) override
    {
        Set (newText);
        return *this;
    }

    const std::string& str() const noexcept { return text; }

private:
    std::string text;
};
} // namespace kalvo::aaxhost
