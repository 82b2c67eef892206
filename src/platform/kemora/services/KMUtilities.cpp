#include "KMUtilities.h"
#include "IniFile.h"
#include "Workbench.h"
#include "platform/kemora/metamodel/NameQuoting.h"
#include "platform/runtime/Text.h"
#include <filesystem>
#include <fstream>

namespace km::kemora {

bool KMUtilities::KMSetSetting(const std::string& name, const std::string& value, const std::string& section) {
    IniFile settings(m_workbench.settingsPath());
    settings.set(section, name, value);
    return settings.save();
}

std::string KMUtilities::KMQuoteIfNeeded(const std::string& name, bool quoteBlank) {
    return NameQuoting::quoteIfNeeded(name, quoteBlank);
}

std::string KMUtilities::KMUnQuote(const std::string& name) {
    return NameQuoting::unquote(name);
}

void KMUtilities::KMFormLanguageSetUp(ui::Form& form) {
    (void)form;
}

std::string KMDUtils::KMDUtilsVB_ReadFileLocation(const std::string& fileName, bool create, bool& found) {
    (void)create;
    std::filesystem::path path = std::filesystem::path(m_workbench.paths().dataDir) / fileName;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        // The host installs its own, empty, matrix and framework definitions.
        const char* initial = rt::equalsNoCase(fileName, "matrix.xml")        ? "<KMMatrixContents/>\n"
                              : rt::equalsNoCase(fileName, "kmframework.xml") ? "<Frameworks/>\n"
                                                                              : nullptr;
        if (initial) {
            std::filesystem::create_directories(path.parent_path(), error);
            std::ofstream(path) << initial;
        }
    }
    found = std::filesystem::exists(path, error);
    return path.string();
}

void SUI::ShowBrowser() {
    m_workbench.showBrowser();
}

} // namespace km::kemora
