#pragma once
#include "AAX_CString.h"

#include <cstdint>
#include <map>

/** A full name and its shortened forms for narrow displays, each filed under its own length. */
class AAX_CStringAbbreviations
{
public:
    explicit AAX_CStringAbbreviations (const AAX_IString& primary);

    void SetPrimary (const AAX_IString& primary);
    const AAX_CString& Primary() const { return mPrimary; }

    /** Files the text under its own length, replacing an earlier one of that length. */
    void Add (const AAX_IString& abbreviation);
    /** The best text for at most maxNumChars characters; see the source for the order of choice. */
    const AAX_CString& Get (int32_t maxNumChars) const;
    void Clear();

private:
    AAX_CString mPrimary;
    std::map<uint32_t, AAX_CString> mAbbreviations;
};
