#include "AAX_CString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <random>
#include <string>

namespace
{
/** Sets a process locale whose decimal separator is a comma (C library and C++ global alike)
    for the lifetime of the object, and restores the previous one afterwards. */
class DecimalCommaLocale
{
public:
    DecimalCommaLocale()
    {
        const char* previous = std::setlocale (LC_ALL, nullptr);
        previousC = previous != nullptr ? previous : "C";
        for (const char* name :
             { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR" })
        {
            if (std::setlocale (LC_ALL, name) == nullptr)
                continue;
            try
            {
                std::locale::global (std::locale (name));
            }
            catch (const std::runtime_error&)
            {
                continue;
            }
            active = name;
            break;
        }
    }

    ~DecimalCommaLocale()
    {
        std::setlocale (LC_ALL, previousC.c_str());
        std::locale::global (previousCpp);
    }

    bool usesComma() const { return !active.empty() && std::localeconv()->decimal_point[0] == ','; }

    std::string active;

private:
    std::string previousC;
    std::locale previousCpp;
};

/** A foreign implementation of the string interface, as the host would hand one in. */
class HostString final : public AAX_IString
{
public:
    uint32_t Length() const override { return static_cast<uint32_t> (text.size()); }
    uint32_t MaxLength() const override { return 255; }
    const char* Get() const override { return nullPointer ? nullptr : text.c_str(); }
    void Set (const char* t) override
    {
        ++setCalls;
        text = t != nullptr ? t : "<null>";
    }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* t) override
    {
        Set (t);
        return *this;
    }

    std::string text;
    bool nullPointer = false;
    int setCalls = 0;
};
} // namespace

TEST (AAX_CString, ConstructionFromNullAndFromOtherStrings)
{
    const AAX_CString empty (static_cast<const char*> (nullptr));
    EXPECT_EQ (empty.Length(), 0u);
    EXPECT_STREQ (empty.Get(), "");
    EXPECT_STREQ (AAX_CString().Get(), "");

    HostString host;
    host.text = "Gain";
    AAX_CString fromHost (host);
    EXPECT_STREQ (fromHost.Get(), "Gain");
    AAX_CString copy (fromHost);
    EXPECT_STREQ (copy.CString(), "Gain");

    host.nullPointer = true;
    EXPECT_STREQ (AAX_CString (host).Get(), "");
}

TEST (AAX_CString, MaxLengthIsFixed)
{
    AAX_CString s;
    EXPECT_EQ (s.MaxLength(), 4294967294u);
    s.Set (std::string (5000, 'a').c_str());
    EXPECT_EQ (s.MaxLength(), 0xFFFFFFFEu);
}

TEST (AAX_CString, HundredThousandBytesRoundTrip)
{
    std::string big (100000, ' ');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char> ('!' + (i * 7919u) % 90u); // printable, no zero bytes
    AAX_CString s;
    s.Set (big.c_str());
    ASSERT_EQ (s.Length(), 100000u);
    EXPECT_EQ (std::string (s.Get()), big);

    HostString host;
    host = s;
    EXPECT_EQ (host.text, big);
    AAX_CString back;
    back = static_cast<const AAX_IString&> (host);
    EXPECT_TRUE (back == s);
}

TEST (AAX_CString, AssignmentStopsAtFirstZeroByte)
{
    const char withZero[] = { 'a', 'b', '\0', 'c', 'd', '\0' };
    AAX_CString s;
    s = withZero;
    EXPECT_EQ (s.Length(), 2u);

    HostString host;
    host.text = std::string ("xy\0z", 4);
    s = static_cast<const AAX_IString&> (host);
    EXPECT_STREQ (s.Get(), "xy");
    EXPECT_EQ (s.Length(), 2u);
}

TEST (AAX_CString, AppendNumberFixedNotation)
{
    AAX_CString x ("x");
    x.AppendNumber (1.0, 3);
    EXPECT_STREQ (x.Get(), "x1.000");

    EXPECT_STREQ (AAX_CString().AppendNumber (0.5, 3).Get(), "0.500");
    EXPECT_STREQ (AAX_CString().AppendNumber (12.3456, 3).Get(), "12.346");
    EXPECT_STREQ (AAX_CString().AppendNumber (-0.25, 3).Get(), "-0.250");
    EXPECT_STREQ (AAX_CString().AppendNumber (7.0, 0).Get(), "7");
    EXPECT_STREQ (AAX_CString().AppendNumber (1234567.5, 1).Get(), "1234567.5"); // no grouping
}

TEST (AAX_CString, ToDoubleReadsLeadingNumber)
{
    struct Case
    {
        const char* text;
        double value;
        bool ok;
    };
    const Case cases[] = {
        { "1.5", 1.5, true },       { " 1.5 dB", 1.5, true }, { "2.5e1", 25.0, true },
        { "-0.125", -0.125, true }, { "\t\n42", 42.0, true }, { "abc", 0.0, false },
        { "", 0.0, false },         { "   ", 0.0, false },    { "1e999", 0.0, false },
    };
    for (const auto& c : cases)
    {
        double out = 99.0;
        EXPECT_EQ (AAX_CString (c.text).ToDouble (&out), c.ok) << c.text;
        EXPECT_EQ (out, c.value) << c.text;
    }
    EXPECT_TRUE (AAX_CString ("1.5").ToDouble (nullptr));
}

TEST (AAX_CString, NumbersUseDotUnderDecimalCommaLocale)
{
    DecimalCommaLocale locale;
    if (!locale.usesComma())
        GTEST_SKIP() << "no decimal-comma locale on this machine (scripts/setup generates de_DE.UTF-8)";

    // The process locale really does use a comma here: a plain C call shows it.
    char check[32];
    std::snprintf (check, sizeof (check), "%.1f", 1.5);
    ASSERT_STREQ (check, "1,5") << locale.active;

    AAX_CString x ("x");
    x.AppendNumber (1.0, 3);
    EXPECT_STREQ (x.Get(), "x1.000");
    EXPECT_STREQ (AAX_CString().AppendNumber (1234.5, 2).Get(), "1234.50");

    double out = 0.0;
    EXPECT_TRUE (AAX_CString (" 1.5 dB").ToDouble (&out));
    EXPECT_EQ (out, 1.5);
    EXPECT_TRUE (AAX_CString ("1,5").ToDouble (&out));
    EXPECT_EQ (out, 1.0); // the comma ends the number, as in the classic convention
    EXPECT_FALSE (AAX_CString ("abc").ToDouble (&out));
    EXPECT_EQ (out, 0.0);
}

TEST (AAX_CString, EraseAndSubString)
{
    AAX_CString s ("12.");
    s.Erase (s.Length() - 1, 1);
    EXPECT_STREQ (s.Get(), "12");

    AAX_CString t ("0.5000");
    t.Erase (4, t.Length() - 4);
    EXPECT_STREQ (t.Get(), "0.50");

    HostString out;
    AAX_CString ("Master Bypass").SubString (7, 3, &out);
    EXPECT_EQ (out.text, "Byp");
    AAX_CString ("Master").SubString (3, 100, &out);
    EXPECT_EQ (out.text, "ter");
}

TEST (AAX_CString, NullTextAndOutOfRangePositionsDoNotThrow)
{
    AAX_CString s ("abc");
    EXPECT_NO_THROW (s.Set (nullptr));
    EXPECT_STREQ (s.Get(), "");
    s = "abc";
    EXPECT_NO_THROW (s = static_cast<const char*> (nullptr));
    EXPECT_EQ (s.Length(), 0u);
    EXPECT_TRUE (s != "x");
    EXPECT_FALSE (s != static_cast<const char*> (nullptr)); // null compares as empty

    s = "abc";
    EXPECT_NO_THROW (s.Erase (10, 2));
    EXPECT_STREQ (s.Get(), "abc");
    EXPECT_NO_THROW (s.Erase (1, 0xFFFFFFFFu));
    EXPECT_STREQ (s.Get(), "a");

    HostString out;
    out.text = "old";
    EXPECT_NO_THROW (AAX_CString ("abc").SubString (4, 1, &out));
    EXPECT_EQ (out.text, "");
    EXPECT_NO_THROW (AAX_CString ("abc").SubString (0, 1, nullptr));
}

TEST (AAX_CString, ComparisonAndIndexing)
{
    AAX_CString a ("same"), b ("same"), c ("other");
    EXPECT_TRUE (a == b);
    EXPECT_FALSE (a != b);
    EXPECT_TRUE (a != c);
    EXPECT_FALSE (a != "same");

    // Bytes after an embedded zero are not compared.
    AAX_CString d ("samX");
    d[3] = '\0';
    AAX_CString e ("samY");
    e[3] = '\0';
    EXPECT_TRUE (d == e);
    EXPECT_FALSE (d != e);
    EXPECT_FALSE (d != "sam");
    EXPECT_TRUE (d != "samX");
    EXPECT_EQ (a[0], 's');
    EXPECT_EQ (a[a.Length()], '\0');
}

TEST (AAX_CString, RandomInputNeverThrowsAndNumbersRoundTrip)
{
    std::mt19937 random (20261207);
    std::uniform_int_distribution<int> byte (0, 255), length (0, 40);
    const char alphabet[] = "0123456789+-.eE xXnNaAiIfF\t,";
    std::uniform_int_distribution<size_t> pick (0, sizeof (alphabet) - 2);
    for (int i = 0; i < 20000; ++i)
    {
        std::string text;
        const int n = length (random);
        for (int k = 0; k < n; ++k)
            text += (i % 2 == 0) ? alphabet[pick (random)]
                                 : static_cast<char> (byte (random) | 1); // no zero bytes
        AAX_CString s (text.c_str());
        double out = 123.0;
        bool ok = false;
        ASSERT_NO_THROW (ok = s.ToDouble (&out)) << text;
        if (!ok)
        {
            ASSERT_EQ (out, 0.0) << text;
        }
        ASSERT_NO_THROW (
            s.Erase (static_cast<uint32_t> (byte (random) % 50), static_cast<uint32_t> (byte (random))));
        AAX_CString sub;
        ASSERT_NO_THROW (s.SubString (static_cast<uint32_t> (byte (random) % 50), 5, &sub));
    }

    // Values written with enough decimals read back exactly.
    std::uniform_real_distribution<double> value (-1.0e6, 1.0e6);
    for (int i = 0; i < 2000; ++i)
    {
        const double v = value (random);
        AAX_CString s;
        s.AppendNumber (v, 17);
        double back = 0.0;
        ASSERT_TRUE (s.ToDouble (&back)) << s.Get();
        ASSERT_EQ (back, v) << s.Get();
    }
}
