#pragma once
#include "ExcelCell.h"
#include <string>

namespace km::excel {

/// How wide a column must be for a cell's text, as auto-fit computes it: the characters of the
/// longest line, scaled by the font size against the standard 11 points and by a tenth for bold,
/// plus one character of margin. Dates show as "yyyy-mm-dd".
class ColumnFit {
public:
    /// The standard width of a column, in characters.
    static constexpr double standardWidth = 8.43;
    /// The text a cell shows for its value.
    static std::string displayText(const CellValue& value);
    /// The width the cell needs; 0 for an empty cell.
    static double widthFor(const ExcelCell& cell, const CellStyle& style);
};

} // namespace km::excel
