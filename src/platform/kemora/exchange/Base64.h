#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace km::kemora {

/// Base64 (RFC 4648, with padding) for binary files and values in model exchange files.
class Base64 {
public:
    /// The encoded text, broken into lines of 76 characters when \p wrap is set.
    static std::string encode(std::string_view bytes, bool wrap = false);
    /// The decoded bytes; whitespace is skipped. Nothing when the text is not Base64.
    static std::optional<std::string> decode(std::string_view text);
};

} // namespace km::kemora
