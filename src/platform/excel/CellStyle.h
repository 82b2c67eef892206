#pragma once
#include "ExcelConstants.h"
#include <array>
#include <cstddef>

namespace km::excel {

/// One edge of a cell's border, in the automation interface's numbers.
struct BorderLine {
    int lineStyle = xl::None;
    int weight = xl::Thin;
    int colorIndex = xl::Automatic;
    friend bool operator==(const BorderLine&, const BorderLine&) = default;
};

/// Everything a cell's format holds that the workbook model knows: font, fill and the four
/// border edges. Styles are interned (StyleTable), so a cell carries only a number.
struct CellStyle {
    bool bold = false;
    double size = 11;
    int fillColorIndex = xl::None;
    int pattern = xl::None;
    int patternColorIndex = xl::Automatic;
    /// Indexed by edge - xl::EdgeLeft: left, top, bottom, right.
    std::array<BorderLine, 4> borders{};

    BorderLine& edge(int borderIndex);
    const BorderLine& edge(int borderIndex) const;
    friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

struct CellStyleHash {
    std::size_t operator()(const CellStyle& style) const;
};

} // namespace km::excel
