#pragma once
#include <memory>
#include <string>

namespace km::ui {
class FrontEnd;
}
namespace km::excel {
class IExcelApplication;
}

namespace km::host {

class IApplication;
class IDisplay;
class IKMUtilities;
class IKMDUtils;
class IStringResource;
class ISUI;
class IHelpLibrary;

/// What the host hands the add-in when it loads it: the factories behind the automation names
/// the add-in creates objects from, the front end that shows its windows, and the help library.
/// Each Create* call answers a new object; CreateApplication throws HostError NoEncyclopedia
/// when no host application is running.
class IHostServices {
public:
    virtual ~IHostServices() = default;
    virtual std::shared_ptr<IApplication> CreateApplication() = 0;       ///< "KM2001.Application"
    virtual std::shared_ptr<IDisplay> CreateDisplay() = 0;               ///< "KM2001.KMDisplay"
    virtual std::shared_ptr<IKMUtilities> CreateKMUtilities() = 0;       ///< "KMVBUtils.KMUtilities"
    virtual std::shared_ptr<IKMDUtils> CreateKMDUtils() = 0;             ///< "KMVBUtils.KMDUtilsVB"
    virtual std::shared_ptr<IStringResource> CreateStringResource() = 0; ///< "KMXRes.Resource"
    virtual std::shared_ptr<ISUI> CreateSUI() = 0;                       ///< "KM2001.SUI"
    /// "Excel.Application"; throws when no spreadsheet is available.
    virtual std::shared_ptr<excel::IExcelApplication> CreateExcel() = 0;
    virtual IHelpLibrary& HelpLibrary() = 0;
    virtual ui::FrontEnd& FrontEnd() = 0;
};

} // namespace km::host
