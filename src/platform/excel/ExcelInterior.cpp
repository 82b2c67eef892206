#include "ExcelInterior.h"
#include "platform/runtime/RuntimeError.h"

namespace km::excel {

namespace {

void check(bool valid, const std::string& what, int value) {
    if (!valid) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "Unable to set the " + what +
                                                           " property of the Interior class to " +
                                                           std::to_string(value));
    }
}

bool isPaletteIndex(int index) {
    return index >= 1 && index <= 56;
}

} // namespace

const CellStyle& ExcelInterior::firstStyle() const {
    ExcelWorksheet& sheet = m_range.Worksheet();
    const ExcelCell* cell = sheet.findCell(m_range.Row(), m_range.Column());
    return sheet.styles().style(cell ? cell->style : 0);
}

void ExcelInterior::ColorIndex(int colorIndex) const {
    check(isPaletteIndex(colorIndex) || colorIndex == xl::None, "ColorIndex", colorIndex);
    m_range.restyle([colorIndex](CellStyle& style) {
        style.fillColorIndex = colorIndex;
        // Giving a colour fills the cell, as it does in the spreadsheet; no colour clears the fill.
        style.pattern = colorIndex == xl::None ? xl::None : xl::Solid;
    });
}

int ExcelInterior::ColorIndex() const {
    return firstStyle().fillColorIndex;
}

void ExcelInterior::Pattern(int pattern) const {
    check(pattern == xl::Solid || pattern == xl::None, "Pattern", pattern);
    m_range.restyle([pattern](CellStyle& style) { style.pattern = pattern; });
}

int ExcelInterior::Pattern() const {
    return firstStyle().pattern;
}

void ExcelInterior::PatternColorIndex(int colorIndex) const {
    check(isPaletteIndex(colorIndex) || colorIndex == xl::Automatic, "PatternColorIndex", colorIndex);
    m_range.restyle([colorIndex](CellStyle& style) { style.patternColorIndex = colorIndex; });
}

int ExcelInterior::PatternColorIndex() const {
    return firstStyle().patternColorIndex;
}

} // namespace km::excel
