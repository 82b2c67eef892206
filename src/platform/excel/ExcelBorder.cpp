#include "ExcelBorder.h"
#include "platform/runtime/RuntimeError.h"

namespace km::excel {

namespace {

[[noreturn]] void refuse(const std::string& what, int value) {
    throw rt::RuntimeError(xl::ObjectDefinedError,
                           "Unable to set the " + what + " property of the Border class to " + std::to_string(value));
}

} // namespace

ExcelBorder::ExcelBorder(ExcelRange range, int borderIndex) : m_range(range), m_index(borderIndex) {
    CellStyle probe;
    probe.edge(borderIndex); // refuses indexes that are no edge
}

ExcelRange ExcelBorder::edgeCells() const {
    ExcelWorksheet& sheet = m_range.Worksheet();
    long top = m_range.Row(), left = m_range.Column(), bottom = m_range.lastRow(), right = m_range.lastColumn();
    switch (m_index) {
    case xl::EdgeLeft:
        return ExcelRange(sheet, top, left, bottom, left);
    case xl::EdgeTop:
        return ExcelRange(sheet, top, left, top, right);
    case xl::EdgeBottom:
        return ExcelRange(sheet, bottom, left, bottom, right);
    default:
        return ExcelRange(sheet, top, right, bottom, right);
    }
}

template <class Change> void ExcelBorder::change(Change&& change) const {
    int index = m_index;
    edgeCells().restyle([&](CellStyle& style) { change(style.edge(index)); });
}

void ExcelBorder::LineStyle(int lineStyle) const {
    if (lineStyle != xl::Continuous && lineStyle != xl::Dash && lineStyle != xl::Dot && lineStyle != xl::Double &&
        lineStyle != xl::None) {
        refuse("LineStyle", lineStyle);
    }
    change([lineStyle](BorderLine& line) { line.lineStyle = lineStyle; });
}

void ExcelBorder::Weight(int weight) const {
    if (weight != xl::Hairline && weight != xl::Thin && weight != xl::Medium && weight != xl::Thick) {
        refuse("Weight", weight);
    }
    change([weight](BorderLine& line) {
        line.weight = weight;
        if (line.lineStyle == xl::None) {
            line.lineStyle = xl::Continuous;
        }
    });
}

void ExcelBorder::ColorIndex(int colorIndex) const {
    if (colorIndex != xl::Automatic && (colorIndex < 1 || colorIndex > 56)) {
        refuse("ColorIndex", colorIndex);
    }
    change([colorIndex](BorderLine& line) { line.colorIndex = colorIndex; });
}

BorderLine ExcelBorder::line() const {
    ExcelRange first = edgeCells();
    const ExcelCell* cell = m_range.Worksheet().findCell(first.Row(), first.Column());
    return m_range.Worksheet().styles().style(cell ? cell->style : 0).edge(m_index);
}

} // namespace km::excel
