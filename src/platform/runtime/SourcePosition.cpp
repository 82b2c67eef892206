#include "SourcePosition.h"

namespace km::rt {

std::string formatPosition(const SourcePosition& position) {
    if (position.line <= 0) {
        return {};
    }
    std::string text = position.source.empty() ? std::string() : position.source + ":";
    text += std::to_string(position.line);
    if (position.column > 0) {
        text += ":" + std::to_string(position.column);
    }
    return text;
}

std::string formatLocated(const SourcePosition& position, std::string_view message) {
    std::string where = formatPosition(position);
    if (where.empty()) {
        return std::string(message);
    }
    return where + ": " + std::string(message);
}

} // namespace km::rt
