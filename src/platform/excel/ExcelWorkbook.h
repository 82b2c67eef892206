#pragma once
#include "ExcelWorksheets.h"
#include "StyleTable.h"
#include <string>

namespace km::excel {

class ExcelWorkbooks;

/// A workbook kept in memory until it is written: its worksheets, the styles its cells share, and
/// the file it is to be written to.
class ExcelWorkbook {
public:
    ExcelWorkbook(ExcelWorkbooks& owner, std::string path, int sheets);
    ExcelWorkbook(const ExcelWorkbook&) = delete;
    ExcelWorkbook& operator=(const ExcelWorkbook&) = delete;

    ExcelWorksheets& Worksheets() { return m_sheets; }
    const ExcelWorksheets& Worksheets() const { return m_sheets; }
    /// The active sheet; nullptr when the workbook has no sheet.
    ExcelWorksheet* ActiveSheet() const { return m_active; }
    void activeSheet(ExcelWorksheet* sheet) { m_active = sheet; }
    StyleTable& styles() { return m_styles; }
    const StyleTable& styles() const { return m_styles; }

    /// The file the workbook is (to be) written to.
    const std::string& FullName() const { return m_path; }
    /// True once the workbook was written and not changed through Close since.
    bool Saved() const { return m_saved; }
    /// Writes the workbook as .xlsx to \p path (replacing a file there). On failure nothing is
    /// left at \p path that was not there before, and error 1004 tells why.
    void SaveAs(const std::string& path);
    /// Takes the workbook out of its application's workbooks without writing it.
    void Close();

private:
    ExcelWorkbooks* m_owner;
    std::string m_path;
    StyleTable m_styles;
    ExcelWorksheets m_sheets;
    ExcelWorksheet* m_active = nullptr;
    bool m_saved = false;
};

} // namespace km::excel
