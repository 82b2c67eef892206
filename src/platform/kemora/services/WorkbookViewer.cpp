#include "WorkbookViewer.h"
#include "Workbench.h"
#include "platform/runtime/Text.h"
#include "platform/ui/ExternalProgram.h"
#include "platform/ui/FrontEnd.h"
#include <filesystem>

namespace km::kemora {

void WorkbookViewer::show(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    std::string file = error ? path : absolute.lexically_normal().string();
    std::string where = "Workbook: " + file;
    m_workbench.lastWorkbook = where;
    const std::string& viewer = m_workbench.spreadsheetViewer();
    if (viewer.empty()) {
        m_workbench.frontEnd().setStatusLine(where);
        return;
    }
    if (!ui::ExternalProgram::startViewer(viewer, file)) {
        m_workbench.frontEnd().setStatusLine(where);
    }
}

} // namespace km::kemora
