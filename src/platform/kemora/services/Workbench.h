#pragma once
#include "TraceLog.h"
#include "WorkbenchPaths.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>
#include <vector>

namespace km::ui {
class FrontEnd;
}
namespace km::excel {
class ExcelApplication;
}
namespace km::host {
class IHostServices;
}

namespace km::kemora {

class Encyclopedia;
using rt::Long;

/// The running workbench host: the open encyclopedia with its open diagram, the front end that
/// shows windows, the trace log, the status line, and what the host's commands did (so that
/// people and tests can see it).
class Workbench {
public:
    Workbench(WorkbenchPaths paths, ui::FrontEnd& frontEnd);
    ~Workbench();

    /// Opens an existing encyclopedia (closing the one open before). HostError Storage.
    void openEncyclopedia(const std::string& path);
    /// Creates and opens a new encyclopedia holding the base files.
    void createEncyclopedia(const std::string& path);
    /// Uses an encyclopedia opened elsewhere (tests). Every encyclopedia the workbench uses loads
    /// model files (setxml) through the ModelImporter.
    void useEncyclopedia(std::shared_ptr<Encyclopedia> encyclopedia);
    void closeEncyclopedia();
    std::shared_ptr<Encyclopedia> encyclopedia() const { return m_encyclopedia; }

    /// Opens a diagram as the current one; HostError NotFound when there is no diagram of that
    /// name.
    void openDiagram(const std::string& name);

    ui::FrontEnd& frontEnd() const { return m_frontEnd; }
    const WorkbenchPaths& paths() const { return m_paths; }
    TraceLog& traceLog() { return m_traceLog; }

    // What the host's operations do.
    void writeStatusLine(const std::string& text);
    const std::vector<std::string>& statusLines() const { return m_statusLines; }
    void runMenuCommand(Long command);
    const std::vector<Long>& menuCommands() const { return m_menuCommands; }
    void setDiagramDirty() { m_diagramDirty = true; }
    bool diagramDirty() const { return m_diagramDirty; }
    void refreshBrowser() { ++m_browserRefreshes; }
    int browserRefreshes() const { return m_browserRefreshes; }
    void showBrowser() { ++m_browserShows; }
    int browserShows() const { return m_browserShows; }
    /// Opens the definition's "Content" in the front end's text editor, locked meanwhile, and saves
    /// what the user changed. HostError NoEncyclopedia or NotFound.
    void editDefinition(Long id);
    /// The file the next new workbook is written to; empty: "service-roadmap.xlsx" in the current
    /// folder, numbered ("service-roadmap-2.xlsx" ...) so that no file is replaced.
    void setWorkbookPath(std::string path) { m_workbookPath = std::move(path); }
    std::string nextWorkbookPath() const;
    /// The spreadsheet viewer command: "{file}" is replaced; empty: print where the workbook is.
    void setSpreadsheetViewer(std::string command) { m_spreadsheetViewer = std::move(command); }
    const std::string& spreadsheetViewer() const { return m_spreadsheetViewer; }
    /// Where the last workbook shown was written ("Workbook: <file>").
    std::string lastWorkbook;
    /// The spreadsheet application created last, kept so that people and tests can look at it.
    std::shared_ptr<excel::ExcelApplication> lastSpreadsheet;

    /// The factories the add-in creates host objects with.
    std::shared_ptr<host::IHostServices> services();
    /// Path of the settings file.
    std::string settingsPath() const;

private:
    void adoptLogFolder();

    WorkbenchPaths m_paths;
    ui::FrontEnd& m_frontEnd;
    std::shared_ptr<Encyclopedia> m_encyclopedia;
    TraceLog m_traceLog;
    std::vector<std::string> m_statusLines;
    std::vector<Long> m_menuCommands;
    bool m_diagramDirty = false;
    int m_browserRefreshes = 0;
    int m_browserShows = 0;
    std::string m_workbookPath;
    std::string m_spreadsheetViewer;
};

} // namespace km::kemora
