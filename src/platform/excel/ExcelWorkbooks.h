#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace km::excel {

class ExcelWorkbook;

/// The open workbooks of a spreadsheet application.
class ExcelWorkbooks {
public:
    /// Answers the file a new workbook is to be written to.
    using PathChooser = std::function<std::string()>;

    explicit ExcelWorkbooks(PathChooser chooser) : m_chooser(std::move(chooser)) {}
    ExcelWorkbooks(const ExcelWorkbooks&) = delete;
    ExcelWorkbooks& operator=(const ExcelWorkbooks&) = delete;

    /// A new workbook with one empty sheet. Its file is chosen now and tried: error 1004 when it
    /// could not be written (nothing is left on disk by the try).
    std::shared_ptr<ExcelWorkbook> Add();
    long Count() const { return static_cast<long>(m_books.size()); }
    /// Error 9 when there is no such workbook.
    std::shared_ptr<ExcelWorkbook> Item(long index) const;

    /// Forgets a workbook (ExcelWorkbook::Close).
    void remove(const ExcelWorkbook& book);

private:
    PathChooser m_chooser;
    std::vector<std::shared_ptr<ExcelWorkbook>> m_books;
};

} // namespace km::excel
