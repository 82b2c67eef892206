#pragma once
#include "platform/runtime/Types.h"

namespace km::host {

/// Colour numbers of the host: red + 256 * green + 65536 * blue, each part 0 to 255.
namespace colour {
inline constexpr rt::Long black = 0;
inline constexpr rt::Long white = 16777215;
/// The largest colour number (white); numbers above it are no colours.
inline constexpr rt::Long maximum = white;
} // namespace colour

} // namespace km::host
