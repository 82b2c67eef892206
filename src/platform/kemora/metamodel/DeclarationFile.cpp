#include "DeclarationFile.h"
#include "PropertyFileLexer.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <tuple>

namespace km::kemora {

namespace {

// Checks the tokens of one line against DECLARE "name" DEFINED|UNDEFINED; answers the index of
// the first token that does not fit (tokens.size() when one is missing, -1 when all fit) and what
// was expected there.
int firstMismatch(const std::vector<PropertyFileToken>& tokens, std::string& expected) {
    const char* expectations[] = {"DECLARE", "a switch name in double quotes", "DEFINED or UNDEFINED",
                                  "the end of the line"};
    auto fits = [&tokens](size_t i) {
        switch (i) {
        case 0:
            return tokens[0].isWord("DECLARE");
        case 1:
            return tokens[1].kind == TokenKind::Text && !tokens[1].text.empty();
        case 2:
            return tokens[2].isWord("DEFINED") || tokens[2].isWord("UNDEFINED");
        default:
            return false;
        }
    };
    for (size_t i = 0; i < 4; ++i) {
        if (i == tokens.size()) {
            if (i == 3) {
                return -1;
            }
            expected = expectations[i];
            return static_cast<int>(i);
        }
        if (!fits(i)) {
            expected = expectations[i];
            return static_cast<int>(i);
        }
    }
    return -1; // not reached: a fourth token never fits
}

} // namespace

DeclarationFile DeclarationFile::parse(const std::string& fileName, std::string_view text,
                                       DiagnosticCollector& diagnostics) {
    DeclarationFile file;
    // The lexer reads the first token of the next line before a line is judged, so the problems
    // are collected here and passed on in the order of their lines.
    DiagnosticCollector found;
    PropertyFileLexer lexer(fileName, text, found, PropertyFileLexer::Directives::Rejected);
    PropertyFileToken token = lexer.next();
    while (token.kind != TokenKind::End) {
        std::vector<PropertyFileToken> tokens;
        int line = token.line;
        bool hasInvalid = false;
        while (token.kind != TokenKind::End && token.line == line) {
            hasInvalid = hasInvalid || token.kind == TokenKind::Invalid;
            tokens.push_back(std::move(token));
            token = lexer.next();
        }
        std::string expected;
        int mismatch = firstMismatch(tokens, expected);
        if (mismatch < 0) {
            if (tokens[2].isWord("DEFINED")) {
                file.m_defined.insert(rt::foldCase(tokens[1].text));
            } else {
                file.m_defined.erase(rt::foldCase(tokens[1].text));
            }
        } else if (!hasInvalid) { // invalid tokens have been reported by the lexer
            const PropertyFileToken& at = tokens[std::min<size_t>(mismatch, tokens.size() - 1)];
            std::string what = static_cast<size_t>(mismatch) < tokens.size() ? at.describe() : "the end of the line";
            found.add({fileName, at.line, at.column}, "expected " + expected + " but found " + what);
        }
    }
    std::vector<MetamodelDiagnostic> problems = found.take();
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) {
        return std::tie(a.pos.line, a.pos.column) < std::tie(b.pos.line, b.pos.column);
    });
    for (MetamodelDiagnostic& problem : problems) {
        diagnostics.add(std::move(problem.pos), std::move(problem.message));
    }
    return file;
}

bool DeclarationFile::isDefined(const std::string& name) const {
    return m_defined.count(rt::foldCase(name)) > 0;
}

} // namespace km::kemora
