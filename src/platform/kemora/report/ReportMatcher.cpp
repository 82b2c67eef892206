#include "ReportMatcher.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/Text.h"

namespace km::kemora {

namespace {

/// Byte length of the UTF-8 character starting at \p at (1 for a stray byte).
size_t characterLength(std::string_view text, size_t at) {
    size_t length = 1;
    while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

int threeWay(std::string_view actual, std::string_view expected) {
    if (rt::IsNumeric(actual) && rt::IsNumeric(expected)) {
        const double a = rt::Val(actual);
        const double b = rt::Val(expected);
        return a < b ? -1 : a > b ? 1 : 0;
    }
    return rt::compareNoCase(actual, expected);
}

} // namespace

bool ReportMatcher::matches(std::string_view actual, CompareOp op, std::string_view expected) {
    // An unset value has no place in an order: only =, <> and LIKE can match it.
    if (actual.empty() && op != CompareOp::Equal && op != CompareOp::NotEqual && op != CompareOp::Like) {
        return false;
    }
    switch (op) {
    case CompareOp::Like:
        return like(rt::foldCase(actual), rt::foldCase(expected));
    case CompareOp::Equal:
        return threeWay(actual, expected) == 0;
    case CompareOp::NotEqual:
        return threeWay(actual, expected) != 0;
    case CompareOp::Less:
        return threeWay(actual, expected) < 0;
    case CompareOp::Greater:
        return threeWay(actual, expected) > 0;
    case CompareOp::LessEqual:
        return threeWay(actual, expected) <= 0;
    case CompareOp::GreaterEqual:
        return threeWay(actual, expected) >= 0;
    }
    return false;
}

bool ReportMatcher::like(std::string_view text, std::string_view pattern) {
    // Greedy matching that returns to the last '*' on a mismatch: linear in practice and never
    // recursive, whatever the pattern.
    size_t t = 0;
    size_t p = 0;
    size_t starPattern = std::string_view::npos;
    size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starText = t;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            t += characterLength(text, t);
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            starText += characterLength(text, starText);
            t = starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace km::kemora
