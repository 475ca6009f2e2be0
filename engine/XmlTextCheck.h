#pragma once

// A strict well-formedness check of XML text before it reaches the framework's parser, which is
// lenient with broken text and, on some broken input, never returns.
//
// Accepts: an optional declaration, comments and processing instructions, elements with quoted
// attributes, character data with the five named entities and numeric character references,
// CDATA sections. Refuses: a DTD, mismatched or unclosed tags, names outside ASCII, more tags
// or deeper nesting than the given limits.
class XmlTextCheck
{
public:
    static bool isWellFormed (const char* utf8Text, int maxTags, int maxDepth);
};
