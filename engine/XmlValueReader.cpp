#include "XmlValueReader.h"

#include <cstring>
#include <limits>

int XmlValueReader::readInt (const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    const bool negative = *p == '-';

    if (negative)
        ++p;

    juce::uint32 v = 0;

    for (;;)
    {
        const auto c = p.getAndAdvance();

        if (c < '0' || c > '9')
            break;

        v = v * 10u + (juce::uint32) (c - '0');
    }

    if (negative)
        v = 0u - v;

    int result;
    std::memcpy (&result, &v, sizeof (result));
    return result;
}

double XmlValueReader::readDouble (const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    bool negative = false;

    if (*p == '-' || *p == '+')
    {
        negative = *p == '-';
        ++p;
    }

    bool digits = false, nonZero = false, point = false;

    for (;; ++p)
    {
        const auto c = *p;

        if (c >= '0' && c <= '9')
        {
            digits = true;
            nonZero = nonZero || c != '0';
        }
        else if (c == '.' && !point)
        {
            point = true;
        }
        else
        {
            break;
        }
    }

    if (digits && (*p == 'e' || *p == 'E'))
    {
        ++p;
        bool negativeExponent = false;

        if (*p == '-' || *p == '+')
        {
            negativeExponent = *p == '-';
            ++p;
        }

        while (*p == '0')
            ++p;

        int exponentDigits = 0;

        for (; *p >= '0' && *p <= '9'; ++p)
            ++exponentDigits;

        if (exponentDigits > 6)
        {
            if (!nonZero || negativeExponent)
                return negative ? -0.0 : 0.0;

            return negative ? -std::numeric_limits<double>::infinity()
                            : std::numeric_limits<double>::infinity();
        }
    }

    return text.getDoubleValue();
}

bool XmlValueReader::readBool (const juce::String& text)
{
    const auto c = *text.getCharPointer().findEndOfWhitespace();
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

int XmlValueReader::intAttribute (const juce::XmlElement& element, const juce::Identifier& name, int fallback)
{
    return element.hasAttribute (name) ? readInt (element.getStringAttribute (name)) : fallback;
}
