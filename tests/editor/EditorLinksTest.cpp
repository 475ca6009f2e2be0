#include "EditorLinks.h"

#include <JuceHeader.h>
#include <gtest/gtest.h>

TEST (EditorLinks, BothLeadToWellFormedPagesOnTheMakersHost)
{
    for (const char* address : { EditorLinks::productPage, EditorLinks::homePage })
    {
        const juce::URL url (address);
        EXPECT_TRUE (url.isWellFormed()) << address;
        EXPECT_EQ (url.getScheme(), "https") << address;
        EXPECT_EQ (url.getDomain(), "orvane.example") << address;
    }
}
