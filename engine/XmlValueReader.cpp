#include "XmlValueReader.h"

#include <cstring>

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

bool XmlValueReader::readBool (const juce::String& text)
{
    const auto c = *text.getCharPointer().findEndOfWhitespace();
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

int XmlValueReader::intAttribute (const juce::XmlElement& element, const juce::Identifier& name, int fallback)
{
    return element.hasAttribute (name) ? readInt (element.getStringAttribute (name)) : fallback;
}
