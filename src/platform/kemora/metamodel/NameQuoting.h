#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace km::kemora {

/// Quoting of names in list texts and qualified names: a name is put in double quotes (inner
/// quotes doubled) when it contains a double quote, '.', ',', a line break or a tab, has leading
/// or trailing blanks, or, with \p quoteBlank, contains any blank.
class NameQuoting {
public:
    static bool needsQuotes(std::string_view name, bool quoteBlank);
    static std::string quoteIfNeeded(std::string_view name, bool quoteBlank);
    /// The name without its quotes; text that is not a quoted name comes back unchanged.
    static std::string unquote(std::string_view text);
    /// The parts of a qualified name split at the dots outside quotes, each unquoted.
    static std::vector<std::string> qualifiedParts(std::string_view qualifiedName);
    /// A qualified name made of parts, each quoted when needed (blanks included).
    static std::string qualify(const std::vector<std::string>& parts);
    /// The lines of a list text (CR LF or LF separated), without empty lines.
    static std::vector<std::string> listLines(std::string_view text);
};

} // namespace km::kemora
