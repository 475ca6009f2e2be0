#include "AAX_CString.h"

#include <cstring>
#include <ios>
#include <locale>
#include <sstream>

namespace
{
const char* orEmpty (const char* text)
{
    return text != nullptr ? text : "";
}
} // namespace

AAX_CString::AAX_CString (const char* text) : mString (orEmpty (text)) {}

AAX_CString::AAX_CString (const AAX_IString& other) : mString (orEmpty (other.Get())) {}

uint32_t AAX_CString::Length() const
{
    return static_cast<uint32_t> (mString.size());
}

uint32_t AAX_CString::MaxLength() const
{
    return 0xFFFFFFFEu;
}

const char* AAX_CString::Get() const
{
    return mString.c_str();
}

const char* AAX_CString::CString() const
{
    return mString.c_str();
}

void AAX_CString::Set (const char* text)
{
    mString.assign (orEmpty (text));
}

AAX_CString& AAX_CString::operator= (const AAX_IString& other)
{
    if (&other != this)
        mString.assign (orEmpty (other.Get()));
    return *this;
}

AAX_CString& AAX_CString::operator= (const char* text)
{
    Set (text);
    return *this;
}

AAX_CString& AAX_CString::operator= (const AAX_CString& other)
{
    if (&other != this)
        mString = other.mString;
    return *this;
}

AAX_CString& AAX_CString::operator= (AAX_CString&& other) noexcept
{
    mString = std::move (other.mString);
    return *this;
}

void AAX_CString::Clear()
{
    mString.clear();
}

AAX_CString& AAX_CString::Erase (uint32_t position, uint32_t count)
{
    if (position < mString.size())
        mString.erase (position, count); // std::string clamps the count to the end itself
    return *this;
}

AAX_CString& AAX_CString::AppendNumber (double value, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());
    stream << std::fixed;
    stream.precision (precision);
    stream << value;
    mString += stream.str();
    return *this;
}

bool AAX_CString::ToDouble (double* out) const
{
    std::istringstream stream (mString);
    stream.imbue (std::locale::classic());
    double value = 0.0;
    stream >> value;
    const bool ok = !stream.fail();
    if (out != nullptr)
        *out = ok ? value : 0.0;
    return ok;
}

void AAX_CString::SubString (uint32_t position, uint32_t count, AAX_IString* out) const
{
    if (out == nullptr)
        return;
    if (position >= mString.size())
    {
        out->Set ("");
        return;
    }
    out->Set (mString.substr (position, count).c_str());
}

bool AAX_CString::operator== (const AAX_CString& other) const
{
    return std::strcmp (mString.c_str(), other.mString.c_str()) == 0;
}

bool AAX_CString::operator!= (const AAX_CString& other) const
{
    return !(*this == other);
}

bool AAX_CString::operator!= (const char* text) const
{
    return std::strcmp (mString.c_str(), orEmpty (text)) != 0;
}

char& AAX_CString::operator[] (uint32_t index)
{
    return mString[index];
}

const char& AAX_CString::operator[] (uint32_t index) const
{
    return mString[index];
}
