#include "HostServices.h"
#include "Application.h"
#include "Display.h"
#include "KMUtilities.h"
#include "StringResource.h"
#include "Workbench.h"
#include "WorkbookViewer.h"
#include "host/HostError.h"
#include "platform/excel/ExcelApplication.h"

namespace km::kemora {

std::shared_ptr<host::IApplication> HostServices::CreateApplication() {
    return std::make_shared<Application>(m_workbench);
}

std::shared_ptr<host::IDisplay> HostServices::CreateDisplay() {
    return std::make_shared<Display>(m_workbench.traceLog());
}

std::shared_ptr<host::IKMUtilities> HostServices::CreateKMUtilities() {
    return std::make_shared<KMUtilities>(m_workbench);
}

std::shared_ptr<host::IKMDUtils> HostServices::CreateKMDUtils() {
    return std::make_shared<KMDUtils>(m_workbench);
}

std::shared_ptr<host::IStringResource> HostServices::CreateStringResource() {
    return std::make_shared<StringResource>();
}

std::shared_ptr<host::ISUI> HostServices::CreateSUI() {
    return std::make_shared<SUI>(m_workbench);
}

std::shared_ptr<excel::IExcelApplication> HostServices::CreateExcel() {
    excel::ExcelOptions options;
    Workbench& workbench = m_workbench;
    options.workbookPath = [&workbench] { return workbench.nextWorkbookPath(); };
    options.showWorkbook = [&workbench](const std::string& path) { WorkbookViewer(workbench).show(path); };
    workbench.lastSpreadsheet = std::make_shared<excel::ExcelApplication>(std::move(options));
    return workbench.lastSpreadsheet;
}

ui::FrontEnd& HostServices::FrontEnd() {
    return m_workbench.frontEnd();
}

} // namespace km::kemora
