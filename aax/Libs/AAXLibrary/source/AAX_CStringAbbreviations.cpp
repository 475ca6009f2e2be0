#include "AAX_CStringAbbreviations.h"

#include <iterator>

AAX_CStringAbbreviations::AAX_CStringAbbreviations (const AAX_IString& primary) : mPrimary (primary) {}

void AAX_CStringAbbreviations::SetPrimary (const AAX_IString& primary)
{
    mPrimary = primary;
}

void AAX_CStringAbbreviations::Add (const AAX_IString& abbreviation)
{
    AAX_CString text (abbreviation);
    const uint32_t length = text.Length();
    mAbbreviations[length] = std::move (text);
}

const AAX_CString& AAX_CStringAbbreviations::Get (int32_t maxNumChars) const
{
    // The full name when it fits, when any length is allowed, or when there is nothing shorter.
    if (maxNumChars < 0 || mAbbreviations.empty() || mPrimary.Length() <= static_cast<uint32_t> (maxNumChars))
        return mPrimary;

    // The longest shortened name that fits; when none fits, the shortest there is.
    auto it = mAbbreviations.upper_bound (static_cast<uint32_t> (maxNumChars));
    if (it == mAbbreviations.begin())
        return it->second;
    return std::prev (it)->second;
}

void AAX_CStringAbbreviations::Clear()
{
    mAbbreviations.clear();
}
