#pragma once
#include "SourcePosition.h"
#include <stdexcept>
#include <string>

namespace km::rt {

/// An error found at a place in a text being read; what() is the message in the one located form
/// (see formatLocated).
class LocatedError : public std::runtime_error {
public:
    LocatedError(SourcePosition position, const std::string& message);

    const SourcePosition& position() const { return m_position; }
    int line() const { return m_position.line; }
    /// The message without the position.
    const std::string& message() const { return m_message; }

private:
    SourcePosition m_position;
    std::string m_message;
};

} // namespace km::rt
