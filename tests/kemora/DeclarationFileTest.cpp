#include "platform/kemora/metamodel/DeclarationFile.h"
#include "PropertyFiles.h"

namespace km::kemora {
namespace {

struct Parsed {
    DeclarationFile file;
    std::vector<MetamodelDiagnostic> diagnostics;
};

Parsed parse(std::string_view text) {
    DiagnosticCollector diagnostics;
    DeclarationFile file = DeclarationFile::parse("KMDECLAR.CFG", text, diagnostics);
    return {file, diagnostics.take()};
}

TEST(DeclarationFileTest, ReadsTheFileAsTheInstallerRewritesIt) {
    // The installer writes CR LF before every line and no line end after the last one.
    Parsed parsed = parse("\r\n// switches\r\n\r\nDECLARE \"KMForSOA\" DEFINED\r\ndeclare \"Other\" undefined");
    EXPECT_DIAGNOSTICS(parsed);
    EXPECT_TRUE(parsed.file.isDefined("KMForSOA"));
    EXPECT_TRUE(parsed.file.isDefined("kmforsoa"));
    EXPECT_FALSE(parsed.file.isDefined("Other"));
    EXPECT_EQ(parsed.file.definedSwitches().size(), 1u);
}

TEST(DeclarationFileTest, LaterLineOverridesAnEarlierOne) {
    EXPECT_FALSE(parse("DECLARE \"A\" DEFINED\nDECLARE \"a\" UNDEFINED").file.isDefined("A"));
    EXPECT_TRUE(parse("DECLARE \"A\" UNDEFINED\nDECLARE \"A\" DEFINED").file.isDefined("A"));
}

TEST(DeclarationFileTest, MalformedLinesAreReportedAndIgnored) {
    Parsed parsed = parse("DECLARE \"A\"\n"
                          "DECLARE \"B\" DEFINED extra\n"
                          "#ifdef C\n"
                          "DEFINE \"D\" DEFINED\n"
                          "DECLARE \"\" DEFINED\n"
                          "DECLARE\n"
                          "\"E\" DEFINED\n"
                          "DECLARE \"F\" DEFINED\n");
    EXPECT_DIAGNOSTICS(parsed, "KMDECLAR.CFG:1:9: expected DEFINED or UNDEFINED but found the end of the line",
                       "KMDECLAR.CFG:2:21: expected the end of the line but found 'extra'",
                       "KMDECLAR.CFG:3:1: expected a keyword, a number, a text in double quotes, '{', '}' or ',' "
                       "but found '#'",
                       "KMDECLAR.CFG:4:1: expected DECLARE but found 'DEFINE'",
                       "KMDECLAR.CFG:5:9: expected a switch name in double quotes but found \"\"",
                       "KMDECLAR.CFG:6:1: expected a switch name in double quotes but found the end of the line",
                       "KMDECLAR.CFG:7:1: expected DECLARE but found \"E\"");
    EXPECT_EQ(parsed.file.definedSwitches(), (std::set<std::string>{"f"}));
}

} // namespace
} // namespace km::kemora
