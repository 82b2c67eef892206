#pragma once
#include "ExcelWorkbooks.h"
#include "IExcelApplication.h"
#include <functional>
#include <string>

namespace km::excel {

/// What the host decides for a spreadsheet application: where new workbooks are written and
/// what showing a written workbook does.
struct ExcelOptions {
    /// The file for the next new workbook; empty: "Book<n>.xlsx" in the current folder.
    ExcelWorkbooks::PathChooser workbookPath;
    /// Called with the file of each workbook written because the application became visible.
    std::function<void(const std::string& path)> showWorkbook;
};

/// The workbench's spreadsheet application: workbooks in memory, written as .xlsx files when the
/// application is made visible (the moment the user would see them).
class ExcelApplication : public IExcelApplication {
public:
    explicit ExcelApplication(ExcelOptions options = {});

    ExcelWorkbooks& Workbooks() override { return m_workbooks; }
    bool Visible() const override { return m_visible; }
    /// Becoming visible writes every workbook not written yet and shows it. Error 1004 when one
    /// cannot be written (nothing half-written is left behind).
    void Visible(bool visible) override;
    int WindowState() const override { return m_windowState; }
    /// Error 1004 for other values than the three window states.
    void WindowState(int state) override;
    void Quit() override;

private:
    ExcelOptions m_options;
    ExcelWorkbooks m_workbooks;
    bool m_visible = false;
    int m_windowState;
};

} // namespace km::excel
