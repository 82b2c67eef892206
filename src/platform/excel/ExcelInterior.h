#pragma once
#include "ExcelRange.h"

namespace km::excel {

/// The fill of a range's cells: a palette colour, a pattern and the pattern's colour.
class ExcelInterior {
public:
    explicit ExcelInterior(ExcelRange range) : m_range(range) {}
    /// A palette index 1..56 or xl::None; error 1004 otherwise.
    void ColorIndex(int colorIndex) const;
    int ColorIndex() const;
    /// xl::Solid or xl::None.
    void Pattern(int pattern) const;
    int Pattern() const;
    /// A palette index 1..56 or xl::Automatic.
    void PatternColorIndex(int colorIndex) const;
    int PatternColorIndex() const;

private:
    const CellStyle& firstStyle() const;
    ExcelRange m_range;
};

} // namespace km::excel
