#pragma once
#include "ExcelCell.h"
#include "ExcelComment.h"
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace km::excel {

class ExcelRange;
class ExcelWorkbook;

/// A worksheet kept in memory: cells in rows (numbered from 1, as the spreadsheet numbers them),
/// comments, and the column widths that auto-fit set. Rows and columns beyond the sheet's size
/// (xl::MaxRows, xl::MaxColumns) raise error 1004.
class ExcelWorksheet {
public:
    ExcelWorksheet(ExcelWorkbook& workbook, std::string name);
    ExcelWorksheet(const ExcelWorksheet&) = delete;
    ExcelWorksheet& operator=(const ExcelWorksheet&) = delete;

    // The automation members.
    const std::string& Name() const { return m_name; }
    void Name(std::string name);
    /// Makes this the workbook's active sheet.
    void Activate();
    /// Row \p row, all columns.
    ExcelRange Rows(long row);
    /// Column \p column, all rows.
    ExcelRange Columns(long column);
    ExcelRange Cells(long row, long column);
    /// The rectangle spanned by two ranges (their first and last cells).
    ExcelRange Range(const ExcelRange& first, const ExcelRange& last);

    // The model.
    ExcelWorkbook& workbook() const { return m_workbook; }
    StyleTable& styles() const;
    /// The cell, created empty when it does not exist yet.
    ExcelCell& cellAt(long row, long column);
    /// The cell, or nullptr when nothing was ever put into it.
    const ExcelCell* findCell(long row, long column) const;
    /// Changes a cell's style through \p change (a callable taking CellStyle&).
    template <class Change> void restyle(long row, long column, Change&& change) {
        ExcelCell& cell = cellAt(row, column);
        CellStyle style = styles().style(cell.style);
        change(style);
        cell.style = styles().intern(style);
    }
    /// The rows holding cells; row r is rows()[r - 1], its cell in column c is [c - 1].
    const std::vector<std::vector<ExcelCell>>& rows() const { return m_rows; }

    /// Adds a comment to a cell; error 1004 when the cell has one already.
    ExcelComment& addComment(long row, long column);
    /// The cell's comment, or nullptr.
    ExcelComment* comment(long row, long column);
    const std::map<std::pair<long, long>, ExcelComment>& comments() const { return m_comments; }

    /// Sets a column's width, in characters of the standard font.
    void columnWidth(long column, double width);
    /// The width auto-fit gave the column; nothing while it has the standard width.
    std::optional<double> columnWidth(long column) const;
    const std::map<long, double>& columnWidths() const { return m_widths; }

    /// Error 1004 unless row and column lie on the sheet.
    static void checkCell(long row, long column);

private:
    ExcelWorkbook& m_workbook;
    std::string m_name;
    std::vector<std::vector<ExcelCell>> m_rows;
    std::map<std::pair<long, long>, ExcelComment> m_comments;
    std::map<long, double> m_widths;
};

} // namespace km::excel
