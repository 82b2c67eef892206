#include "ExcelWorksheet.h"
#include "ExcelRange.h"
#include "ExcelWorkbook.h"
#include "platform/runtime/RuntimeError.h"
#include <algorithm>

namespace km::excel {

ExcelWorksheet::ExcelWorksheet(ExcelWorkbook& workbook, std::string name)
    : m_workbook(workbook), m_name(std::move(name)) {}

void ExcelWorksheet::Name(std::string name) {
    if (name.empty() || name.size() > 31 || name.find_first_of("[]:*?/\\") != std::string::npos) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "'" + name + "' is not a worksheet name");
    }
    m_name = std::move(name);
}

void ExcelWorksheet::Activate() {
    m_workbook.activeSheet(this);
}

ExcelRange ExcelWorksheet::Rows(long row) {
    return ExcelRange(*this, row, 1, row, xl::MaxColumns);
}

ExcelRange ExcelWorksheet::Columns(long column) {
    return ExcelRange(*this, 1, column, xl::MaxRows, column);
}

ExcelRange ExcelWorksheet::Cells(long row, long column) {
    return ExcelRange(*this, row, column, row, column);
}

ExcelRange ExcelWorksheet::Range(const ExcelRange& first, const ExcelRange& last) {
    return ExcelRange(*this, std::min(first.Row(), last.Row()), std::min(first.Column(), last.Column()),
                      std::max(first.lastRow(), last.lastRow()), std::max(first.lastColumn(), last.lastColumn()));
}

StyleTable& ExcelWorksheet::styles() const {
    return m_workbook.styles();
}

void ExcelWorksheet::checkCell(long row, long column) {
    if (row < 1 || row > xl::MaxRows || column < 1 || column > xl::MaxColumns) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "Application-defined or object-defined error (cell " +
                                                           std::to_string(row) + ", " + std::to_string(column) +
                                                           " lies outside the worksheet)");
    }
}

ExcelCell& ExcelWorksheet::cellAt(long row, long column) {
    checkCell(row, column);
    auto r = static_cast<std::size_t>(row);
    auto c = static_cast<std::size_t>(column);
    if (m_rows.size() < r) {
        m_rows.resize(r);
    }
    std::vector<ExcelCell>& cells = m_rows[r - 1];
    if (cells.size() < c) {
        cells.resize(c);
    }
    return cells[c - 1];
}

const ExcelCell* ExcelWorksheet::findCell(long row, long column) const {
    if (row < 1 || column < 1 || static_cast<std::size_t>(row) > m_rows.size()) {
        return nullptr;
    }
    const std::vector<ExcelCell>& cells = m_rows[static_cast<std::size_t>(row) - 1];
    return static_cast<std::size_t>(column) > cells.size() ? nullptr : &cells[static_cast<std::size_t>(column) - 1];
}

ExcelComment& ExcelWorksheet::addComment(long row, long column) {
    checkCell(row, column);
    auto [at, added] = m_comments.try_emplace({row, column});
    if (!added) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "The cell already has a comment");
    }
    return at->second;
}

ExcelComment* ExcelWorksheet::comment(long row, long column) {
    auto at = m_comments.find({row, column});
    return at == m_comments.end() ? nullptr : &at->second;
}

void ExcelWorksheet::columnWidth(long column, double width) {
    checkCell(1, column);
    m_widths[column] = width;
}

std::optional<double> ExcelWorksheet::columnWidth(long column) const {
    auto at = m_widths.find(column);
    return at == m_widths.end() ? std::nullopt : std::optional<double>(at->second);
}

} // namespace km::excel
