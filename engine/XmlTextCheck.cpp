#include "XmlTextCheck.h"

#include <cstring>
#include <vector>

namespace
{
bool isNameStart (char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool isNameChar (char c)
{
    return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool isSpace (char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class Checker
{
public:
    Checker (const char* t, int tagLimit, int depthLimit) : p (t), maxTags (tagLimit), maxDepth (depthLimit)
    {
    }

    bool run()
    {
        skipMisc();

        if (*p != '<' || !element())
            return false;

        skipMisc();
        return *p == 0;
    }

private:
    const char* p;
    int maxTags, maxDepth;
    int tags = 0;

    bool startsWith (const char* s) const { return std::strncmp (p, s, std::strlen (s)) == 0; }

    void skipSpace()
    {
        while (isSpace (*p))
            ++p;
    }

    // Skips up to and past the terminator; false when it never comes.
    bool skipPast (const char* terminator)
    {
        const char* end = std::strstr (p, terminator);

        if (end == nullptr)
            return false;

        p = end + std::strlen (terminator);
        return true;
    }

    // Whitespace, comments and processing instructions (the declaration among them).
    bool skipMisc()
    {
        for (;;)
        {
            skipSpace();

            if (startsWith ("<!--"))
            {
                p += 4;
                if (!skipPast ("-->"))
                    return false;
            }
            else if (startsWith ("<?"))
            {
                p += 2;
                if (!skipPast ("?>"))
                    return false;
            }
            else
            {
                return true;
            }
        }
    }

    bool name (const char*& start, size_t& length)
    {
        if (!isNameStart (*p))
            return false;

        start = p;

        while (isNameChar (*p))
            ++p;

        length = (size_t) (p - start);
        return true;
    }

    // After '&': a named entity or a character reference, up to and past ';'.
    bool reference()
    {
        for (auto* named : { "amp;", "lt;", "gt;", "quot;", "apos;" })
        {
            if (startsWith (named))
            {
                p += std::strlen (named);
                return true;
            }
        }

        if (*p != '#')
            return false;

        ++p;
        const bool hex = *p == 'x';

        if (hex)
            ++p;

        long value = 0;
        int digits = 0;

        for (;; ++p, ++digits)
        {
            const char c = *p;
            int d;

            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;

            if (digits >= 7)
                return false;

            value = value * (hex ? 16 : 10) + d;
        }

        if (digits == 0 || *p != ';' || value <= 0 || value > 0x10FFFF ||
            (value >= 0xD800 && value <= 0xDFFF))
            return false;

        ++p;
        return true;
    }

    bool attributeValue()
    {
        const char quote = *p;

        if (quote != '"' && quote != '\'')
            return false;

        for (++p; *p != quote;)
        {
            if (*p == 0 || *p == '<')
                return false;

            if (*p == '&')
            {
                ++p;
                if (!reference())
                    return false;
            }
            else
            {
                ++p;
            }
        }

        ++p;
        return true;
    }

    // One element and everything inside it, without recursion.
    bool element()
    {
        struct Open
        {
            const char* name;
            size_t length;
        };

        std::vector<Open> open;

        for (;;)
        {
            if (*p == '<' && p[1] == '/')
            {
                p += 2;
                const char* start;
                size_t length;

                if (open.empty() || !name (start, length) || length != open.back().length ||
                    std::strncmp (start, open.back().name, length) != 0)
                    return false;

                skipSpace();

                if (*p != '>')
                    return false;

                ++p;
                open.pop_back();

                if (open.empty())
                    return true;
            }
            else if (startsWith ("<!--"))
            {
                p += 4;
                if (open.empty() || !skipPast ("-->"))
                    return false;
            }
            else if (startsWith ("<![CDATA["))
            {
                p += 9;
                if (open.empty() || !skipPast ("]]>"))
                    return false;
            }
            else if (startsWith ("<?"))
            {
                p += 2;
                if (open.empty() || !skipPast ("?>"))
                    return false;
            }
            else if (*p == '<')
            {
                ++p;

                if (++tags > maxTags)
                    return false;

                const char* start;
                size_t length;

                if (!name (start, length))
                    return false;

                for (;;)
                {
                    const bool spaced = isSpace (*p);
                    skipSpace();

                    if (*p == '/' && p[1] == '>')
                    {
                        p += 2;
                        if (open.empty())
                            return true;
                        break;
                    }

                    if (*p == '>')
                    {
                        ++p;
                        if ((int) open.size() >= maxDepth)
                            return false;
                        open.push_back ({ start, length });
                        break;
                    }

                    const char* attributeStart;
                    size_t attributeLength;

                    if (!spaced || !name (attributeStart, attributeLength))
                        return false;

                    skipSpace();

                    if (*p != '=')
                        return false;

                    ++p;
                    skipSpace();

                    if (!attributeValue())
                        return false;
                }
            }
            else if (*p == 0 || open.empty())
            {
                return false;
            }
            else if (*p == '&')
            {
                ++p;
                if (!reference())
                    return false;
            }
            else
            {
                ++p; // character data
            }
        }
    }
};
} // namespace

bool XmlTextCheck::isWellFormed (const char* utf8Text, int maxTags, int maxDepth)
{
    return utf8Text != nullptr && Checker (utf8Text, maxTags, maxDepth).run();
}
