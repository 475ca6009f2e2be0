#include "XmlValueReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST (XmlValueReader, ReadsNumbersAsTheFrameworkDoes)
{
    for (auto* text : { "0.2419999986886978", "-3", "  7.5xyz", "1e3", "2.5E-2", "abc", "", "nan", "inf",
                        "-inf", "1e308", "1e-320", "0.1e123456", "123456789012345678901234567890" })
    {
        const double expected = juce::String (text).getDoubleValue();
        const double actual = XmlValueReader::readDouble (text);
        if (std::isnan (expected))
            EXPECT_TRUE (std::isnan (actual)) << text;
        else
            EXPECT_EQ (actual, expected) << text;
    }
}

TEST (XmlValueReader, AnExponentTooLongForTheFrameworkGivesItsLimit)
{
    const auto inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ (XmlValueReader::readDouble ("1e9147483647"), inf);
    EXPECT_EQ (XmlValueReader::readDouble ("-2.5e+00009147483647"), -inf);
    EXPECT_EQ (XmlValueReader::readDouble ("1e-9147483647"), 0.0);
    EXPECT_EQ (XmlValueReader::readDouble ("0e9147483647"), 0.0);
}

TEST (XmlValueReader, IntegersWrapWithoutOverflowAndBooleansReadTheFirstCharacter)
{
    EXPECT_EQ (XmlValueReader::readInt ("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ (XmlValueReader::readInt ("2147483647"), 2147483647);
    EXPECT_EQ (XmlValueReader::readInt ("  42abc"), 42);
    EXPECT_EQ (XmlValueReader::readInt ("x1"), 0);
    EXPECT_EQ (XmlValueReader::readInt ("-7"), -7);
    EXPECT_EQ (XmlValueReader::readInt ("99999999999"), juce::String ("99999999999").getIntValue());
    for (auto* yes : { "1", "true", "T", " yes", "Y" })
        EXPECT_TRUE (XmlValueReader::readBool (yes)) << yes;
    for (auto* no : { "0", "false", "", "no", "2", "on" })
        EXPECT_FALSE (XmlValueReader::readBool (no)) << no;
}
