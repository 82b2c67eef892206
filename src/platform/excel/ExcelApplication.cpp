#include "ExcelApplication.h"
#include "ExcelConstants.h"
#include "ExcelWorkbook.h"
#include "platform/runtime/RuntimeError.h"

namespace km::excel {

ExcelApplication::ExcelApplication(ExcelOptions options)
    : m_options(std::move(options)), m_workbooks(m_options.workbookPath), m_windowState(xl::Normal) {}

void ExcelApplication::Visible(bool visible) {
    m_visible = visible;
    if (!visible) {
        return;
    }
    for (long i = 1; i <= m_workbooks.Count(); ++i) {
        auto book = m_workbooks.Item(i);
        if (book->Saved()) {
            continue;
        }
        book->SaveAs(book->FullName());
        if (m_options.showWorkbook) {
            m_options.showWorkbook(book->FullName());
        }
    }
}

void ExcelApplication::WindowState(int state) {
    if (state != xl::Maximized && state != xl::Minimized && state != xl::Normal) {
        throw rt::RuntimeError(xl::ObjectDefinedError,
                               "Unable to set the WindowState property of the Application class to " +
                                   std::to_string(state));
    }
    m_windowState = state;
}

void ExcelApplication::Quit() {
    while (m_workbooks.Count() > 0) {
        m_workbooks.Item(1)->Close();
    }
    m_visible = false;
}

} // namespace km::excel
