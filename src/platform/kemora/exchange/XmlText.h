#pragma once
#include <string>
#include <string_view>

namespace km::kemora {

/// What XML 1.0 can carry as character data.
class XmlText {
public:
    /// True when the text is valid UTF-8 without control characters other than tab, line feed
    /// and carriage return (and without NUL), so that any XML parser reads it back.
    static bool isSafe(std::string_view text);
    /// The text made safe for display: invalid UTF-8 bytes become U+FFFD, control characters
    /// (line breaks and tabs included) blanks.
    static std::string displayable(std::string_view text);
    /// Length in bytes of the valid UTF-8 sequence at \p pos, 0 when the bytes there are not one.
    static std::size_t sequenceLength(std::string_view text, std::size_t pos);
};

} // namespace km::kemora
