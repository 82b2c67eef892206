#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace km::kemora {

/// How a text value is written into a model exchange file so that it reads back unchanged.
enum class ValueForm {
    Plain,  ///< as it is
    CrLf,   ///< every line ends in CR LF: written with LF only, marked lines="crlf"
    Base64, ///< bytes XML cannot carry (NUL, control characters, invalid UTF-8, lone CR): encoding="base64"
};

struct EncodedValue {
    ValueForm form = ValueForm::Plain;
    std::string text;
};

/// Chooses the form of a value and converts between the value and its written text. XML parsers
/// turn every CR LF into LF, so values whose lines end in CR LF (report scripts) are marked.
class ValueCodec {
public:
    static EncodedValue encode(std::string_view value);
    /// The value of a written text in the given form; nothing for a text that is not Base64.
    static std::optional<std::string> decode(std::string_view text, ValueForm form);
};

} // namespace km::kemora
