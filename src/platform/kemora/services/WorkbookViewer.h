#pragma once
#include <string>

namespace km::kemora {

class Workbench;

/// Shows a written workbook to the user: opens it with the workbench's spreadsheet viewer
/// command ("{file}" replaced, or the file appended) or, with no viewer, tells where it is.
class WorkbookViewer {
public:
    explicit WorkbookViewer(Workbench& workbench) : m_workbench(workbench) {}
    void show(const std::string& path);

private:
    Workbench& m_workbench;
};

} // namespace km::kemora
