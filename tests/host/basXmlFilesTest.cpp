#include "host/basXmlFiles.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

using KM_SLN_SOA::LoadWellFormedXml;

struct XmlCase {
    const char* text;
    const char* fault; // "" when the text is well-formed
};

TEST(basXmlFilesTest, OnlyWellFormedXmlIsLoaded) {
    const XmlCase cases[] = {
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE s>\n<!-- & -->\n<s a='&lt;&#65;&#x42;&quot;'>"
         "<![CDATA[& ]]]]><?pi & ?>&amp;&apos;&gt;</s>\n<!-- after -->\n",
         ""},
        {"<settings/><settings/>", "More than one root element (line 1, column 13)"},
        {"<s>\n  <setting value='&foo;'/>\n</s>", "Undeclared entity '&foo;' (line 2, column 4)"},
        {"<s>&foo;</s>", "Undeclared entity '&foo;' (line 1, column 2)"},
        {"<!DOCTYPE s [<!ENTITY foo 'x'>]><s>&foo;</s>", "Undeclared entity '&foo;' (line 1, column 34)"},
        {"<s>&amp</s>", "Unterminated entity reference '&amp' (line 1, column 2)"},
        {"<s>&#0;</s>", "Undeclared entity '&#0;' (line 1, column 2)"},
        {"<s a='1' b='2' a='3'/>", "Duplicate attribute 'a' (line 1, column 2)"},
        {"<s a='<'/>", "'<' in the value of attribute 'a' (line 1, column 2)"},
        {"<s>]]></s>", "']]>' in text (line 1, column 2)"},
        {"text<s/>", "Text outside the root element (line 1, column 1)"},
        {"<s/>\ntext", "Text outside the root element (line 1, column 5)"},
        {"<!-- c --><?xml version='1.0'?><s/>", "The XML declaration is not at the start (line 1, column 13)"},
        {"", "No document element found (line 1, column 1)"},
        {"<s>\n<t>\n</s>", "Start-end tags mismatch (line 3, column 3)"},
    };
    for (const XmlCase& c : cases) {
        pugi::xml_document document;
        EXPECT_EQ(LoadWellFormedXml(document, c.text), c.fault) << c.text;
        EXPECT_EQ(bool(document.first_child()), std::string(c.fault).empty())
            << "loaded only when well-formed: " << c.text;
    }
}

TEST(basXmlFilesTest, FilesAreReadAndEscapesReplaced) {
    km::test::TempFolder folder;
    pugi::xml_document document;
    std::string path = folder.write("matrix.xml", "<matrix name='R&amp;D'/>");
    EXPECT_EQ(KM_SLN_SOA::LoadWellFormedXmlFile(document, path), "");
    EXPECT_STREQ(document.child("matrix").attribute("name").value(), "R&D");
    EXPECT_EQ(KM_SLN_SOA::LoadWellFormedXmlFile(document, folder.file("none.xml")),
              "The file '" + folder.file("none.xml") + "' cannot be read");
    EXPECT_FALSE(document.first_child());
}

} // namespace
