#pragma once

namespace km::excel {

class ExcelWorkbooks;

/// The spreadsheet application as the add-in drives it ("Excel.Application"): its workbooks and
/// its window. Making it visible shows the user its workbooks; what that means is the host's
/// (the workbench writes each workbook to its file and opens it in a viewer).
class IExcelApplication {
public:
    virtual ~IExcelApplication() = default;
    virtual ExcelWorkbooks& Workbooks() = 0;
    virtual bool Visible() const = 0;
    virtual void Visible(bool visible) = 0;
    /// xl::Maximized, xl::Minimized or xl::Normal.
    virtual int WindowState() const = 0;
    virtual void WindowState(int state) = 0;
    /// Closes every workbook without writing it.
    virtual void Quit() = 0;
};

} // namespace km::excel
