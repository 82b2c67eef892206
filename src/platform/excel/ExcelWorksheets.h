#pragma once
#include "ExcelWorksheet.h"
#include <memory>
#include <string>
#include <vector>

namespace km::excel {

/// The worksheets of a workbook, numbered from 1 in tab order.
class ExcelWorksheets {
public:
    explicit ExcelWorksheets(ExcelWorkbook& workbook) : m_workbook(workbook) {}

    long Count() const { return static_cast<long>(m_sheets.size()); }
    /// Error 9 (subscript out of range) when there is no such sheet.
    ExcelWorksheet& Item(long index) const;
    /// The sheet of that name (compared without regard to case); error 9 when there is none.
    ExcelWorksheet& Item(const std::string& name) const;
    /// Appends a new sheet named "Sheet" + its number.
    ExcelWorksheet& Add();

private:
    ExcelWorkbook& m_workbook;
    std::vector<std::unique_ptr<ExcelWorksheet>> m_sheets;
};

} // namespace km::excel
