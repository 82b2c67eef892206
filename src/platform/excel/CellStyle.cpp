#include "CellStyle.h"
#include "platform/runtime/RuntimeError.h"
#include <functional>

namespace km::excel {

namespace {

std::size_t borderSlot(int borderIndex) {
    if (borderIndex < xl::EdgeLeft || borderIndex > xl::EdgeRight) {
        throw rt::RuntimeError(xl::ObjectDefinedError,
                               "Unable to set the border " + std::to_string(borderIndex) + ": not an edge index");
    }
    return static_cast<std::size_t>(borderIndex - xl::EdgeLeft);
}

void mix(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

BorderLine& CellStyle::edge(int borderIndex) {
    return borders[borderSlot(borderIndex)];
}

const BorderLine& CellStyle::edge(int borderIndex) const {
    return borders[borderSlot(borderIndex)];
}

std::size_t CellStyleHash::operator()(const CellStyle& style) const {
    std::size_t seed = std::hash<double>()(style.size);
    mix(seed, style.bold);
    mix(seed, static_cast<std::size_t>(style.fillColorIndex));
    mix(seed, static_cast<std::size_t>(style.pattern));
    mix(seed, static_cast<std::size_t>(style.patternColorIndex));
    for (const BorderLine& line : style.borders) {
        mix(seed, static_cast<std::size_t>(line.lineStyle));
        mix(seed, static_cast<std::size_t>(line.weight));
        mix(seed, static_cast<std::size_t>(line.colorIndex));
    }
    return seed;
}

} // namespace km::excel
