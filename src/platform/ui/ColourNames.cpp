#include "ColourNames.h"
#include "host/HostColours.h"
#include "platform/runtime/Text.h"
#include <array>

namespace km::ui {

namespace {

struct NamedColour {
    std::string_view name;
    rt::Long colour;
};

// Checked in this order; the first name that matches wins.
constexpr std::array<NamedColour, 18> namedColours = {{
    {"red", 3289855},
    {"dark red", 180},
    {"yellow", 65535},
    {"pink", 10526975},
    {"green", 3335730},
    {"light green", 8585110},
    {"dark green", 2007040},
    {"orange", 3978495},
    {"brown", 4302255},
    {"purple", 13274809},
    {"blue", 16724530},
    {"light blue", 16757940},
    {"dark blue", 11817040},
    {"white", host::colour::white},
    {"grey", 11184810},
    {"light grey", 14474460},
    {"dark grey", 6579300},
    {"black", host::colour::black},
}};

} // namespace

std::optional<rt::Long> ColourNames::valueOf(std::string_view name) {
    std::string lowered = rt::LCase(name);
    for (const NamedColour& colour : namedColours) {
        if (lowered == colour.name) {
            return colour.colour;
        }
    }
    return std::nullopt;
}

std::string ColourNames::list() {
    std::string names;
    for (const NamedColour& colour : namedColours) {
        names += (names.empty() ? "" : ", ") + std::string(colour.name);
    }
    return names;
}

} // namespace km::ui
