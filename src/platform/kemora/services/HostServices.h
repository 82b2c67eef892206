#pragma once
#include "HelpLibrary.h"
#include "host/IHostServices.h"

namespace km::kemora {

class Workbench;

/// The factories behind the automation names the add-in creates host objects from.
class HostServices : public host::IHostServices {
public:
    explicit HostServices(Workbench& workbench) : m_workbench(workbench), m_help(workbench) {}

    std::shared_ptr<host::IApplication> CreateApplication() override;
    std::shared_ptr<host::IDisplay> CreateDisplay() override;
    std::shared_ptr<host::IKMUtilities> CreateKMUtilities() override;
    std::shared_ptr<host::IKMDUtils> CreateKMDUtils() override;
    std::shared_ptr<host::IStringResource> CreateStringResource() override;
    std::shared_ptr<host::ISUI> CreateSUI() override;
    std::shared_ptr<excel::IExcelApplication> CreateExcel() override;
    host::IHelpLibrary& HelpLibrary() override { return m_help; }
    ui::FrontEnd& FrontEnd() override;

private:
    Workbench& m_workbench;
    kemora::HelpLibrary m_help;
};

} // namespace km::kemora
