#pragma once
#include <cstdint>

namespace km::excel {

/// The spreadsheet's standard workbook palette of 56 colours, indexed from 1 as colour indexes
/// are (15 grey, 44 gold, 4 bright green ...).
class ExcelPalette {
public:
    static constexpr int size = 56;
    /// The colour of a palette index as 0xRRGGBB. Error 9 (subscript out of range) outside 1..56.
    static std::uint32_t rgb(int colorIndex);
};

} // namespace km::excel
