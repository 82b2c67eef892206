#include "LocatedError.h"

namespace km::rt {

LocatedError::LocatedError(SourcePosition position, const std::string& message)
    : std::runtime_error(formatLocated(position, message)), m_position(std::move(position)), m_message(message) {}

} // namespace km::rt
