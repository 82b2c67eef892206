#pragma once
#include "ExcelCell.h"
#include <string>

namespace km::excel {

class ExcelBorder;
class ExcelComment;
class ExcelFont;
class ExcelInterior;
class ExcelWorksheet;

/// A rectangle of cells on a worksheet (one cell, a row, a column or a block), with the members
/// through which the automation interface reads and formats cells. A range is a light handle:
/// copies refer to the same cells.
class ExcelRange {
public:
    /// Error 1004 unless the rectangle lies on the sheet.
    ExcelRange(ExcelWorksheet& sheet, long firstRow, long firstColumn, long lastRow, long lastColumn);

    long Row() const { return m_firstRow; }
    long Column() const { return m_firstColumn; }
    long lastRow() const { return m_lastRow; }
    long lastColumn() const { return m_lastColumn; }
    /// The number of cells.
    long long Count() const;
    ExcelWorksheet& Worksheet() const { return *m_sheet; }

    /// The \p index-th cell (from 1), row by row.
    ExcelRange Cells(long long index) const;
    /// The cell at \p row, \p column counted from the range's first cell (both from 1).
    ExcelRange Cells(long row, long column) const;
    /// The same cells seen as columns (for AutoFit).
    ExcelRange Columns() const { return *this; }
    /// Sets each column of the range to the width its cells' texts need (in this range only);
    /// a column without text gets the standard width back.
    void AutoFit() const;

    ExcelFont Font() const;
    ExcelBorder Borders(int borderIndex) const;
    ExcelInterior Interior() const;

    /// Writes a value into every cell of the range.
    void Value(const std::string& text) const;
    void Value(const char* text) const { Value(std::string(text)); }
    void Value(double number) const;
    void Value(rt::Date date) const;
    /// The first cell's value.
    CellValue Value() const;
    /// The first cell's value as shown.
    std::string Text() const;

    /// Adds a comment to the range's first cell (error 1004 when it has one).
    ExcelComment& AddComment() const;
    /// The first cell's comment, or nullptr.
    ExcelComment* Comment() const;

    /// Changes the style of every cell of the range.
    template <class Change> void restyle(Change&& change) const;

private:
    void assign(const CellValue& value) const;

    ExcelWorksheet* m_sheet;
    long m_firstRow;
    long m_firstColumn;
    long m_lastRow;
    long m_lastColumn;
};

} // namespace km::excel

#include "ExcelWorksheet.h"

namespace km::excel {

template <class Change> void ExcelRange::restyle(Change&& change) const {
    for (long row = m_firstRow; row <= m_lastRow; ++row) {
        for (long column = m_firstColumn; column <= m_lastColumn; ++column) {
            m_sheet->restyle(row, column, change);
        }
    }
}

} // namespace km::excel
