#include "clsHelp.h"
#include "ErrorMessages.h"
#include "basConstantsAndPublicVars.h"
#include "host/IUtilities.h"
#include "host/basCommon.h"
#include <filesystem>

namespace KM_SLN_SOA {

namespace {

// Commands of the host's help library: the start page, or a numbered topic.
constexpr long helpContents = 1;
constexpr long helpTopic = 15;

} // namespace

void clsHelp::ShowHelpKM(km::rt::Long hWnd) {
    OpenHelp(hWnd, helpContents, 0);
}

void clsHelp::ShowHelpTopicKM(km::rt::Long hWnd, km::rt::Long lngTopic) {
    OpenHelp(hWnd, helpTopic, lngTopic);
}

// The host's help library is called with the host's program folder as the current folder, and
// the library folder is made current afterwards. Folder paths here have no drive letters, so
// changing the current directory is all that changing "drive and directory" amounts to.
void clsHelp::OpenHelp(km::rt::Long hWnd, long lngCommand, long lngData) {
    try {
        std::string strLibraryFolder = LibraryFolder();
        std::string strFolder = strLibraryFolder.ends_with('/') ? strLibraryFolder : strLibraryFolder + "/";
        std::filesystem::current_path(GetAppPath());
        HostServices().HelpLibrary().KMWinHelp(hWnd, strFolder + helpFileName, lngCommand, lngData);
        std::filesystem::current_path(strLibraryFolder);
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

} // namespace KM_SLN_SOA
