#include "Application.h"
#include "Imf.h"
#include "Workbench.h"
#include "host/HostError.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/Text.h"

namespace km::kemora {

std::shared_ptr<host::IEncyclopedia> Application::encyclopedia() {
    return m_workbench.encyclopedia();
}

std::string Application::GetExePath() {
    return m_workbench.paths().exeDir;
}

void Application::WriteStatusLine(const std::string& text) {
    m_workbench.writeStatusLine(text);
}

void Application::browserrefresh() {
    m_workbench.refreshBrowser();
}

void Application::OpenEncyclopediaUsingDisplayName(const std::string& name) {
    // Reopening rebuilds the metamodel from the encyclopedia's property files. An in-memory
    // encyclopedia would come back empty: it is refused before anything is closed.
    if (name.empty() || name == ":memory:") {
        throw host::HostError(host::HostErrorCode::NotSupported,
                              "An encyclopedia kept in memory cannot be reopened: its content would be lost.");
    }
    m_workbench.closeEncyclopedia();
    m_workbench.openEncyclopedia(name);
}

std::shared_ptr<host::IImf> Application::Interface(const std::string& name) {
    if (!rt::equalsNoCase(name, "IKMImf")) {
        throw host::HostError(host::HostErrorCode::NotSupported, "The host offers no interface \"" + name + "\".");
    }
    return std::make_shared<Imf>(m_workbench);
}

} // namespace km::kemora
