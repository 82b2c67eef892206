#pragma once
#include <stdexcept>
#include <string>

namespace km::ui {

/// Where a script line came from: file (or other source) name and 1-based line; line 0 for
/// commands typed at the terminal.
struct ScriptPosition {
    std::string source;
    int line = 0;
};

/// A malformed answers-file line, or a script action that cannot be carried out (unknown control,
/// entry not in the list, disabled button ...). what() reads "source:line: message" when the
/// position is known.
class ScriptError : public std::runtime_error {
public:
    ScriptError(const ScriptPosition& position, const std::string& message);

    const ScriptPosition& position() const { return m_position; }
    int line() const { return m_position.line; }
    /// The message without the position.
    const std::string& message() const { return m_message; }

private:
    ScriptPosition m_position;
    std::string m_message;
};

} // namespace km::ui
