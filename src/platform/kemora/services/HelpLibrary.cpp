#include "HelpLibrary.h"
#include "Workbench.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FrontEnd.h"
#include <cstdlib>
#include <filesystem>

namespace km::kemora {

void HelpLibrary::KMWinHelp(long windowHandle, const std::string& helpFile, long command, long data) {
    (void)windowHandle;
    std::string file = rt::Replace(helpFile, "\\", "/");
    std::string topic = command == commandTopic ? std::to_string(data) : std::string();
    std::error_code error;
    bool exists = std::filesystem::exists(file, error);
    std::string where = "Help: " + file + (topic.empty() ? std::string() : ", topic " + topic) +
                        (exists ? std::string() : " (the file is not installed)");
    m_workbench.lastHelp = where;
    const std::string& viewer = m_workbench.helpViewer();
    if (viewer.empty() || !exists) {
        m_workbench.frontEnd().setStatusLine(where);
        return;
    }
    std::string commandLine =
        rt::Replace(rt::Replace(viewer, "{file}", rt::shellQuoted(file)), "{topic}", rt::shellQuoted(topic));
    if (viewer.find("{file}") == std::string::npos)
        commandLine += " " + rt::shellQuoted(file);
    if (std::system((commandLine + " >/dev/null 2>&1 &").c_str()) != 0)
        m_workbench.frontEnd().setStatusLine(where);
}

} // namespace km::kemora
