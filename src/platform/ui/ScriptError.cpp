#include "ScriptError.h"

namespace km::ui {

namespace {

std::string located(const ScriptPosition& position, const std::string& message) {
    if (position.line <= 0)
        return message;
    return position.source + ":" + std::to_string(position.line) + ": " + message;
}

} // namespace

ScriptError::ScriptError(const ScriptPosition& position, const std::string& message)
    : std::runtime_error(located(position, message)), m_position(position), m_message(message) {}

} // namespace km::ui
