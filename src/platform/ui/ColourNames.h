#pragma once
#include "platform/runtime/Types.h"
#include <optional>
#include <string>
#include <string_view>

namespace km::ui {

/// The colour names people may type instead of a colour number: the analytics' colour names
/// ("red", "light green", "dark grey" ...), matched without regard to case. One table, so that an
/// analytic's colour argument and a colour typed at the terminal mean the same colour.
class ColourNames {
public:
    /// The colour value of \p name (red + 256 * green + 65536 * blue); nothing for an unknown name.
    static std::optional<rt::Long> valueOf(std::string_view name);
    /// Every name, in the order they are checked, separated by ", ".
    static std::string list();
};

} // namespace km::ui
