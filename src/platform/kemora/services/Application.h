#pragma once
#include "host/IApplication.h"

namespace km::kemora {

class Workbench;

/// The host application object over the running workbench.
class Application : public host::IApplication {
public:
    explicit Application(Workbench& workbench) : m_workbench(workbench) {}
    std::shared_ptr<host::IEncyclopedia> encyclopedia() override;
    std::string GetExePath() override;
    void WriteStatusLine(const std::string& text) override;
    void browserrefresh() override;
    void OpenEncyclopediaUsingDisplayName(const std::string& name) override;
    std::shared_ptr<host::IImf> Interface(const std::string& name) override;

private:
    Workbench& m_workbench;
};

} // namespace km::kemora
