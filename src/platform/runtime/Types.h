#pragma once
#include <cstdint>

namespace km::rt {

/// The platform's 32-bit signed integer ("Long"): ids, geometry, colours.
using Long = std::int32_t;
/// The platform's 16-bit signed integer ("Integer").
using Integer = std::int16_t;

} // namespace km::rt
