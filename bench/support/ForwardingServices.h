#pragma once
#include "host/IHostServices.h"
#include <memory>
#include <utility>

namespace km::bench {

/// Host services that hand every call to others. Benchmarks derive from it and override
/// `CreateApplication()` to hand the add-in a timed application.
class ForwardingServices : public host::IHostServices {
public:
    explicit ForwardingServices(std::shared_ptr<host::IHostServices> inner) : m_inner(std::move(inner)) {}

    std::shared_ptr<host::IApplication> CreateApplication() override { return m_inner->CreateApplication(); }
    std::shared_ptr<host::IDisplay> CreateDisplay() override { return m_inner->CreateDisplay(); }
    std::shared_ptr<host::IKMUtilities> CreateKMUtilities() override { return m_inner->CreateKMUtilities(); }
    std::shared_ptr<host::IKMDUtils> CreateKMDUtils() override { return m_inner->CreateKMDUtils(); }
    std::shared_ptr<host::IStringResource> CreateStringResource() override { return m_inner->CreateStringResource(); }
    std::shared_ptr<host::ISUI> CreateSUI() override { return m_inner->CreateSUI(); }
    std::shared_ptr<excel::IExcelApplication> CreateExcel() override { return m_inner->CreateExcel(); }
    host::IHelpLibrary& HelpLibrary() override { return m_inner->HelpLibrary(); }
    ui::FrontEnd& FrontEnd() override { return m_inner->FrontEnd(); }

protected:
    std::shared_ptr<host::IHostServices> m_inner;
};

} // namespace km::bench
