#include "Text.h"
#include "RuntimeError.h"
#include <algorithm>

namespace km::rt {

namespace {

// ---- UTF-8 ------------------------------------------------------------------------------------

struct Decoded {
    char32_t codePoint; // the raw byte value for an invalid byte
    std::size_t length; // bytes taken: 1 for an invalid byte
    bool valid;
};

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the character at \p pos; a byte that does not start a well-formed sequence (overlong forms,
// surrogates and truncated sequences included) stands alone as one invalid character.
Decoded decodeAt(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const Decoded invalid{lead, 1, false};
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t codePoint = 0;
    unsigned char low = 0x80; // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return invalid;
    }
    if (pos + length > text.size()) {
        return invalid;
    }
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    if (second < low || second > high) {
        return invalid;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) {
            return invalid;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return {codePoint, length, true};
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::size_t charLength(std::string_view text, std::size_t pos) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
        return 1;
    }
    return decodeAt(text, pos).length;
}

// Byte offset after skipping \p count characters from \p pos (the text's end when it is shorter).
std::size_t skipChars(std::string_view text, std::size_t pos, std::int64_t count) {
    for (; count > 0 && pos < text.size(); --count) {
        pos += charLength(text, pos);
    }
    return pos;
}

Long charCount(std::string_view text, std::size_t endByte) {
    Long count = 0;
    for (std::size_t pos = 0; pos < endByte; pos += charLength(text, pos)) {
        ++count;
    }
    return count;
}

// ---- Case mapping -----------------------------------------------------------------------------

bool inRange(char32_t cp, char32_t first, char32_t last) {
    return cp >= first && cp <= last;
}

// Latin Extended-A pairs: upper case on even code points in 0100..0137 and 014A..0177, on odd ones
// in 0139..0148 and 0179..017E.
bool isExtendedAPair(char32_t cp, bool& upperIsEven) {
    if (inRange(cp, 0x100, 0x12F) || inRange(cp, 0x132, 0x137) || inRange(cp, 0x14A, 0x177)) {
        upperIsEven = true;
        return true;
    }
    if (inRange(cp, 0x139, 0x148) || inRange(cp, 0x179, 0x17E)) {
        upperIsEven = false;
        return true;
    }
    return false;
}

struct GreekAccented {
    char32_t upper;
    char32_t lower;
};
constexpr GreekAccented greekAccented[] = {{0x386, 0x3AC}, {0x388, 0x3AD}, {0x389, 0x3AE},
                                           {0x38A, 0x3AF}, {0x38C, 0x3CC}, {0x38E, 0x3CD},
                                           {0x38F, 0x3CE}, {0x3AA, 0x3CA}, {0x3AB, 0x3CB}};

char32_t upperOf(char32_t cp) {
    if (inRange(cp, 'a', 'z')) {
        return cp - 0x20;
    }
    if (cp < 0xE0) {
        return cp;
    }
    if (inRange(cp, 0xE0, 0xFE) && cp != 0xF7) {
        return cp - 0x20;
    }
    if (cp == 0xFF) {
        return 0x178;
    }
    if (cp == 0x131) {
        return 'I';
    }
    bool upperIsEven = false;
    if (isExtendedAPair(cp, upperIsEven)) {
        const bool isUpper = ((cp % 2) == 0) == upperIsEven;
        return isUpper ? cp : cp - 1;
    }
    if (inRange(cp, 0x3B1, 0x3C9) && cp != 0x3C2) {
        return cp - 0x20;
    }
    if (cp == 0x3C2) { // final sigma
        return 0x3A3;
    }
    for (const GreekAccented& pair : greekAccented) {
        if (cp == pair.lower) {
            return pair.upper;
        }
    }
    if (inRange(cp, 0x430, 0x44F)) {
        return cp - 0x20;
    }
    if (inRange(cp, 0x450, 0x45F)) {
        return cp - 0x50;
    }
    return cp;
}

char32_t lowerOf(char32_t cp) {
    if (inRange(cp, 'A', 'Z')) {
        return cp + 0x20;
    }
    if (cp < 0xC0) {
        return cp;
    }
    if (inRange(cp, 0xC0, 0xDE) && cp != 0xD7) {
        return cp + 0x20;
    }
    if (cp == 0x178) {
        return 0xFF;
    }
    if (cp == 0x130) {
        return 'i';
    }
    bool upperIsEven = false;
    if (isExtendedAPair(cp, upperIsEven)) {
        const bool isUpper = ((cp % 2) == 0) == upperIsEven;
        return isUpper ? cp + 1 : cp;
    }
    if (inRange(cp, 0x391, 0x3A9) && cp != 0x3A2) {
        return cp + 0x20;
    }
    for (const GreekAccented& pair : greekAccented) {
        if (cp == pair.upper) {
            return pair.lower;
        }
    }
    if (inRange(cp, 0x410, 0x42F)) {
        return cp + 0x20;
    }
    if (inRange(cp, 0x400, 0x40F)) {
        return cp + 0x50;
    }
    return cp;
}

// The folded form: lower case of the upper case, so that final and medial sigma, and dotted and
// dotless i, compare equal.
char32_t foldOf(char32_t cp) {
    return lowerOf(upperOf(cp));
}

template <class Map> std::string mapCase(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Decoded decoded = decodeAt(text, pos);
        if (decoded.valid) {
            appendUtf8(out, map(decoded.codePoint));
        } else {
            out += text[pos];
        }
        pos += decoded.length;
    }
    return out;
}

// The folded bytes of the character at \p pos; \p pos moves past it.
std::string_view foldedCharAt(std::string_view text, std::size_t& pos, std::string& buffer) {
    const Decoded decoded = decodeAt(text, pos);
    buffer.clear();
    if (decoded.valid) {
        appendUtf8(buffer, foldOf(decoded.codePoint));
    } else {
        buffer += text[pos];
    }
    pos += decoded.length;
    return buffer;
}

// Where UTF-16 code unit order puts a character: code point order, except that U+E000..U+FFFF
// (one code unit above the surrogates) come after U+10000..U+10FFFF (a pair of surrogates).
char32_t utf16OrderKey(char32_t cp) {
    return cp >= 0xE000 && cp <= 0xFFFF ? cp + 0x110000 : cp;
}

bool isSpace(char c) {
    return c == ' ';
}

} // namespace

// ---- Lengths and parts ------------------------------------------------------------------------

Long Len(std::string_view text) {
    return charCount(text, text.size());
}

std::string Left(std::string_view text, Long count) {
    if (count < 0) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    return std::string(text.substr(0, skipChars(text, 0, count)));
}

std::string Right(std::string_view text, Long count) {
    if (count < 0) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    const Long length = Len(text);
    if (count >= length) {
        return std::string(text);
    }
    return std::string(text.substr(skipChars(text, 0, length - count)));
}

std::string Mid(std::string_view text, Long start, Long count) {
    if (start < 1) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    const std::size_t begin = skipChars(text, 0, static_cast<std::int64_t>(start) - 1);
    if (count < 0) {
        return std::string(text.substr(begin));
    }
    const std::size_t end = skipChars(text, begin, count);
    return std::string(text.substr(begin, end - begin));
}

Long InStr(std::string_view text, std::string_view what, Long start) {
    if (start < 1) {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    if (text.empty()) {
        return 0;
    }
    const std::size_t begin = skipChars(text, 0, static_cast<std::int64_t>(start) - 1);
    if (what.empty()) {
        return start <= Len(text) ? start : 0;
    }
    if (begin >= text.size()) {
        return 0;
    }
    const std::size_t found = text.find(what, begin);
    if (found == std::string_view::npos) {
        return 0;
    }
    return charCount(text, found) + 1;
}

// ---- Case -------------------------------------------------------------------------------------

std::string UCase(std::string_view text) {
    return mapCase(text, upperOf);
}

std::string LCase(std::string_view text) {
    return mapCase(text, lowerOf);
}

std::string foldCase(std::string_view text) {
    return mapCase(text, foldOf);
}

int compareNoCase(std::string_view a, std::string_view b) {
    std::size_t posA = 0;
    std::size_t posB = 0;
    std::string bufferA;
    std::string bufferB;
    while (posA < a.size() && posB < b.size()) {
        const int order = foldedCharAt(a, posA, bufferA).compare(foldedCharAt(b, posB, bufferB));
        if (order != 0) {
            return order < 0 ? -1 : 1;
        }
    }
    if (posA < a.size()) {
        return 1;
    }
    return posB < b.size() ? -1 : 0;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) == 0;
}

int compareUtf16(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t pos =
        static_cast<std::size_t>(std::mismatch(a.begin(), a.begin() + common, b.begin()).first - a.begin());
    // Both texts share the bytes before pos: step back to the start of the character that differs.
    while (pos > 0 && pos < common && (isContinuation(a[pos]) || isContinuation(b[pos]))) {
        --pos;
    }
    while (pos < a.size() && pos < b.size()) {
        const Decoded charA = decodeAt(a, pos);
        const Decoded charB = decodeAt(b, pos);
        if (!charA.valid || !charB.valid) {
            const int order = a.substr(pos).compare(b.substr(pos));
            return order < 0 ? -1 : (order > 0 ? 1 : 0);
        }
        if (charA.codePoint != charB.codePoint) {
            return utf16OrderKey(charA.codePoint) < utf16OrderKey(charB.codePoint) ? -1 : 1;
        }
        pos += charA.length;
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool lessUtf16(std::string_view a, std::string_view b) {
    return compareUtf16(a, b) < 0;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    return text.starts_with(mark) ? text.substr(mark.size()) : text;
}

// ---- Editing ----------------------------------------------------------------------------------

std::string Replace(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t found = text.find(what); found != std::string_view::npos; found = text.find(what, pos)) {
        out.append(text.substr(pos, found - pos));
        out.append(with);
        pos = found + what.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    if (text.empty()) {
        return parts;
    }
    if (separator.empty()) {
        parts.emplace_back(text);
        return parts;
    }
    std::size_t pos = 0;
    for (std::size_t found = text.find(separator); found != std::string_view::npos; found = text.find(separator, pos)) {
        parts.emplace_back(text.substr(pos, found - pos));
        pos = found + separator.size();
    }
    parts.emplace_back(text.substr(pos));
    return parts;
}

std::string Trim(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string shellQuoted(std::string_view text) {
    return "'" + Replace(text, "'", "'\\''") + "'";
}

} // namespace km::rt
