#include "ExcelRange.h"
#include "ColumnFit.h"
#include "ExcelBorder.h"
#include "ExcelFont.h"
#include "ExcelInterior.h"
#include "platform/runtime/RuntimeError.h"
#include <algorithm>

namespace km::excel {

ExcelRange::ExcelRange(ExcelWorksheet& sheet, long firstRow, long firstColumn, long lastRow, long lastColumn)
    : m_sheet(&sheet), m_firstRow(firstRow), m_firstColumn(firstColumn), m_lastRow(lastRow), m_lastColumn(lastColumn) {
    ExcelWorksheet::checkCell(firstRow, firstColumn);
    ExcelWorksheet::checkCell(lastRow, lastColumn);
    if (lastRow < firstRow || lastColumn < firstColumn) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "The range's last cell lies before its first cell");
    }
}

long long ExcelRange::Count() const {
    return static_cast<long long>(m_lastRow - m_firstRow + 1) * (m_lastColumn - m_firstColumn + 1);
}

ExcelRange ExcelRange::Cells(long long index) const {
    long width = m_lastColumn - m_firstColumn + 1;
    if (index < 1) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "Cell index " + std::to_string(index) + " is not a cell");
    }
    auto row = static_cast<long>((index - 1) / width);
    auto column = static_cast<long>((index - 1) % width);
    return Cells(row + 1, column + 1);
}

ExcelRange ExcelRange::Cells(long row, long column) const {
    long r = m_firstRow + row - 1;
    long c = m_firstColumn + column - 1;
    return ExcelRange(*m_sheet, r, c, r, c);
}

void ExcelRange::AutoFit() const {
    const auto& rows = m_sheet->rows();
    long lastUsedRow = std::min<long>(m_lastRow, static_cast<long>(rows.size()));
    for (long column = m_firstColumn; column <= m_lastColumn; ++column) {
        double width = 0;
        for (long row = m_firstRow; row <= lastUsedRow; ++row) {
            if (const ExcelCell* cell = m_sheet->findCell(row, column)) {
                width = std::max(width, ColumnFit::widthFor(*cell, m_sheet->styles().style(cell->style)));
            }
        }
        m_sheet->columnWidth(column, width > 0 ? width : ColumnFit::standardWidth);
    }
}

ExcelFont ExcelRange::Font() const {
    return ExcelFont(*this);
}

ExcelBorder ExcelRange::Borders(int borderIndex) const {
    return ExcelBorder(*this, borderIndex);
}

ExcelInterior ExcelRange::Interior() const {
    return ExcelInterior(*this);
}

void ExcelRange::assign(const CellValue& value) const {
    for (long row = m_firstRow; row <= m_lastRow; ++row) {
        for (long column = m_firstColumn; column <= m_lastColumn; ++column) {
            m_sheet->cellAt(row, column).value = value;
        }
    }
}

void ExcelRange::Value(const std::string& text) const {
    assign(text);
}

void ExcelRange::Value(double number) const {
    assign(number);
}

void ExcelRange::Value(rt::Date date) const {
    assign(date);
}

CellValue ExcelRange::Value() const {
    const ExcelCell* cell = m_sheet->findCell(m_firstRow, m_firstColumn);
    return cell ? cell->value : CellValue{};
}

std::string ExcelRange::Text() const {
    return ColumnFit::displayText(Value());
}

ExcelComment& ExcelRange::AddComment() const {
    return m_sheet->addComment(m_firstRow, m_firstColumn);
}

ExcelComment* ExcelRange::Comment() const {
    return m_sheet->comment(m_firstRow, m_firstColumn);
}

} // namespace km::excel
