#include "platform/kemora/metamodel/PropertyFileLexer.h"
#include "PropertyFiles.h"

namespace km::kemora {
namespace {

struct Lexed {
    std::vector<PropertyFileToken> tokens; // without the final End
    std::vector<MetamodelDiagnostic> diagnostics;
};

Lexed lex(std::string_view text, PropertyFileLexer::Directives directives = PropertyFileLexer::Directives::Recognised) {
    Lexed result;
    DiagnosticCollector diagnostics;
    PropertyFileLexer lexer("f.cfg", text, diagnostics, directives);
    for (PropertyFileToken token = lexer.next(); token.kind != TokenKind::End; token = lexer.next()) {
        result.tokens.push_back(token);
    }
    result.diagnostics = diagnostics.take();
    return result;
}

std::string positions(const Lexed& lexed) {
    std::string all;
    for (const PropertyFileToken& token : lexed.tokens) {
        all += std::to_string(token.line) + ":" + std::to_string(token.column) + " ";
    }
    return all;
}

TEST(PropertyFileLexerTest, TokensCarryLineAndCharacterColumnAcrossCommentsAndCrLf) {
    Lexed lexed = lex("\xEF\xBB\xBF"
                      "DEFINITION 309 \"Appl\\\"i\\\\cation\" // comment { }\r\n"
                      "\t{ PROPERTY \"\xC3\xA9t\xC3\xA9\" KEY, }");
    ASSERT_EQ(lexed.tokens.size(), 9u);
    EXPECT_EQ(positions(lexed), "1:1 1:12 1:16 2:2 2:4 2:13 2:19 2:22 2:24 ");
    EXPECT_EQ(lexed.tokens[1].number, 309);
    EXPECT_EQ(lexed.tokens[2].text, "Appl\"i\\cation");
    EXPECT_EQ(lexed.tokens[5].text, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(lexed.tokens[7].kind, TokenKind::Comma);
    EXPECT_TRUE(lexed.tokens[6].isWord("key"));
    EXPECT_TRUE(lexed.diagnostics.empty());
}

TEST(PropertyFileLexerTest, OtherBackslashesStayAsWritten) {
    EXPECT_EQ(lex("\"images\\new.bmp\"").tokens[0].text, "images\\new.bmp");
}

TEST(PropertyFileLexerTest, FaultyTokensAreReportedAndLexingGoesOn) {
    Lexed lexed = lex("\"open\nA 99999999999 12ab @ -1 \"a\x01\" \"b\xFF\" \xC3\xA9\nZ");
    EXPECT_EQ(test::texts(lexed.diagnostics),
              (std::vector<std::string>{
                  "f.cfg:1:6: expected '\"' to close the text that starts at column 1 but found the end of the line",
                  "f.cfg:2:3: expected a number up to 2147483647 but found 99999999999",
                  "f.cfg:2:15: expected a number but found '12ab'",
                  "f.cfg:2:20: expected a keyword, a number, a text in double quotes, '{', '}' or ',' but found '@'",
                  "f.cfg:2:22: expected a keyword, a number, a text in double quotes, '{', '}' or ',' but found '-'",
                  "f.cfg:2:27: expected a printable character in the text but found U+0001",
                  "f.cfg:2:32: expected a printable character in the text but found byte 0xFF",
                  "f.cfg:2:35: expected a keyword, a number, a text in double quotes, '{', '}' or ',' but found "
                  "'\xC3\xA9'"}));
    ASSERT_FALSE(lexed.tokens.empty());
    EXPECT_TRUE(lexed.tokens.back().isWord("Z"));
    EXPECT_EQ(lexed.tokens[1].text, "A");
}

TEST(PropertyFileLexerTest, DirectivesStandAtTheStartOfALine) {
    Lexed lexed = lex("  #INCLUDEX \"a b.cfg\" // why\n#ifdef KMForSOA\n#else\n#endif\nX #ifdef Y");
    ASSERT_GE(lexed.tokens.size(), 5u);
    EXPECT_EQ(lexed.tokens[0].kind, TokenKind::Directive);
    EXPECT_EQ(lexed.tokens[0].text, "includex");
    EXPECT_EQ(lexed.tokens[0].argument, "a b.cfg");
    EXPECT_EQ(lexed.tokens[1].argument, "KMForSOA");
    EXPECT_EQ(lexed.tokens[2].text, "else");
    EXPECT_EQ(lexed.tokens[3].text, "endif");
    EXPECT_EQ(lexed.tokens[4].kind, TokenKind::Word);
    EXPECT_EQ(test::texts(lexed.diagnostics),
              (std::vector<std::string>{"f.cfg:5:3: expected a keyword, a number, a text in double quotes, '{', '}' "
                                        "or ',' but found '#'"}));
}

TEST(PropertyFileLexerTest, MalformedDirectivesAreReported) {
    Lexed lexed = lex("#include \"x\"\n#ifdef\n#includex x.cfg\n#endif junk\nA");
    EXPECT_EQ(test::texts(lexed.diagnostics),
              (std::vector<std::string>{
                  "f.cfg:1:1: expected #includex, #ifdef, #ifndef, #else or #endif but found '#include'",
                  "f.cfg:2:7: expected a switch name after #ifdef but found the end of the line",
                  "f.cfg:3:11: expected a file name in double quotes after #includex but found 'x'",
                  "f.cfg:4:8: expected the end of the line after #endif but found 'j'"}));
    // The unknown directive is skipped; the others come as tokens, the faulty ones marked.
    ASSERT_EQ(lexed.tokens.size(), 4u);
    EXPECT_FALSE(lexed.tokens[0].valid);
    EXPECT_FALSE(lexed.tokens[1].valid);
    EXPECT_TRUE(lexed.tokens[2].valid);
    EXPECT_TRUE(lexed.tokens[3].isWord("A"));
}

TEST(PropertyFileLexerTest, DirectivesCanBeRejectedAndProblemsSilenced) {
    Lexed rejected = lex("#ifdef X", PropertyFileLexer::Directives::Rejected);
    ASSERT_EQ(rejected.diagnostics.size(), 1u);
    EXPECT_EQ(rejected.tokens[0].kind, TokenKind::Invalid);

    DiagnosticCollector diagnostics;
    PropertyFileLexer quiet("f.cfg", "@ \"open", diagnostics);
    quiet.setQuiet(true);
    EXPECT_EQ(quiet.next().kind, TokenKind::Invalid);
    EXPECT_EQ(quiet.next().kind, TokenKind::Invalid);
    EXPECT_EQ(quiet.next().kind, TokenKind::End);
    EXPECT_EQ(diagnostics.count(), 0u);
}

} // namespace
} // namespace km::kemora
