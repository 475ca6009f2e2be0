#pragma once
#include "AAX_IString.h"

#include <cstdint>
#include <string>

/** The binding's own string: bytes (UTF-8 or ASCII as passed in), always zero-terminated.
    Number formatting and parsing use the classic "C" conventions whatever the process locale is,
    so value texts and chunk names read the same on every machine. A null text counts as empty
    and positions past the end are clamped, because the host calls in with whatever it has. */
class AAX_CString : public AAX_IString
{
public:
    AAX_CString() = default;
    AAX_CString (const char* text);
    AAX_CString (const AAX_CString& other) = default;
    AAX_CString (const AAX_IString& other);
    AAX_CString (AAX_CString&& other) noexcept = default;
    ~AAX_CString() override = default;

    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* text) override;
    AAX_CString& operator= (const AAX_IString& other) override;
    AAX_CString& operator= (const char* text) override;
    AAX_CString& operator= (const AAX_CString& other);
    AAX_CString& operator= (AAX_CString&& other) noexcept;

    const char* CString() const;
    void Clear();
    AAX_CString& Erase (uint32_t position, uint32_t count);
    AAX_CString& AppendNumber (double value, int32_t precision);
    bool ToDouble (double* out) const;
    void SubString (uint32_t position, uint32_t count, AAX_IString* out) const;

    bool operator== (const AAX_CString& other) const;
    bool operator!= (const AAX_CString& other) const;
    bool operator!= (const char* text) const;
    char& operator[] (uint32_t index);
    const char& operator[] (uint32_t index) const;

    /** The content as a standard string (for use as a map key and the like). */
    const std::string& StdString() const { return mString; }

private:
    std::string mString;
};
