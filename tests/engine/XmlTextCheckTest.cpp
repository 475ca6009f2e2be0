#include "XmlTextCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
bool ok (const std::string& text, int maxTags = 512, int maxDepth = 16)
{
    return XmlTextCheck::isWellFormed (text.c_str(), maxTags, maxDepth);
}
} // namespace

TEST (XmlTextCheck, AcceptsWhatOurWritersAndHandEditorsProduce)
{
    EXPECT_TRUE (ok ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<A x=\"1\" y='2'>\r\n  <B "
                     "z=\"&amp;&lt;&gt;&quot;&apos;&#233;&#xE9;\"/>\r\n</A>\r\n"));
    EXPECT_TRUE (ok ("<A/>"));
    EXPECT_TRUE (ok ("<!-- note --><A><!-- inside --><![CDATA[ <raw> ]]>text &amp; more<?pi x?></A>  "));
    EXPECT_TRUE (ok ("<A\r\n   x = \"1\"\r\n   y=\"2\"/>"));
}

TEST (XmlTextCheck, RefusesBrokenTextTheParserWouldTakeOrHangOn)
{
    for (const char* text :
         { "",
           "text",
           "<A>",
           "<A></B>",
           "<A x=\"1\"",
           "<A x=1/>",
           "<A x=\"1\"y=\"2\"/>",
           "<A x=\"<\"/>",
           "<A x=\"&foo;\"/>",
           "<A x=\"&#0;\"/>",
           "<A x=\"&#99999999;\"/>",
           "<A x=\"&#xD800;\"/>",
           "<A/><B/>",
           "<A/>trailing",
           "<!DOCTYPE A><A/>",
           "<A><!-- open</A>",
           "<A><![CDATA[ open</A>",
           "<1A/>",
           "< A/>",
           "<A \xc3\xa9=\"1\"/>",
           "<kalvoparamtree LinkMix=\"t\"><PARAIMeDICon=\"7\" Point1t<?xml version=\"1.0\"?>\r0." })
        EXPECT_FALSE (ok (text)) << text;
}

TEST (XmlTextCheck, LimitsTagsAndDepth)
{
    std::string deep, wide = "<A>";
    for (int i = 0; i < 17; ++i)
        deep += "<A>";
    for (int i = 0; i < 17; ++i)
        deep += "</A>";
    for (int i = 0; i < 600; ++i)
        wide += "<B/>";
    wide += "</A>";
    EXPECT_FALSE (ok (deep));
    EXPECT_TRUE (ok (deep, 512, 17));
    EXPECT_FALSE (ok (wide));
    EXPECT_TRUE (ok (wide, 601, 16));
}
