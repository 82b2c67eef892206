#include "ValueCodec.h"
#include "Base64.h"
#include "XmlText.h"

namespace km::kemora {

namespace {

// True when the text has a CR and every CR is followed by LF and every LF preceded by CR.
bool allLinesEndInCrLf(std::string_view text) {
    bool sawCr = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') {
                return false;
            }
            sawCr = true;
        } else if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return sawCr;
}

std::string withoutCr(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

} // namespace

EncodedValue ValueCodec::encode(std::string_view value) {
    if (!XmlText::isSafe(value)) {
        return {ValueForm::Base64, Base64::encode(value)};
    }
    if (value.find('\r') == std::string_view::npos) {
        return {ValueForm::Plain, std::string(value)};
    }
    if (allLinesEndInCrLf(value)) {
        return {ValueForm::CrLf, withoutCr(value)};
    }
    return {ValueForm::Base64, Base64::encode(value)};
}

std::optional<std::string> ValueCodec::decode(std::string_view text, ValueForm form) {
    switch (form) {
    case ValueForm::Plain:
        return std::string(text);
    case ValueForm::CrLf:
        // A CR written as a character reference survives the parser: do not double it.
        return withCrLf(withoutCr(text));
    case ValueForm::Base64:
        return Base64::decode(text);
    }
    return std::nullopt;
}

} // namespace km::kemora
