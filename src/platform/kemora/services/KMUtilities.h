#pragma once
#include "host/IUtilities.h"

namespace km::kemora {

class Workbench;

/// The host utility object: settings, name quoting, language set-up of forms.
class KMUtilities : public host::IKMUtilities {
public:
    explicit KMUtilities(Workbench& workbench) : m_workbench(workbench) {}
    bool KMSetSetting(const std::string& name, const std::string& value, const std::string& section) override;
    std::string KMQuoteIfNeeded(const std::string& name, bool quoteBlank) override;
    std::string KMUnQuote(const std::string& name) override;
    /// The workbench speaks one language: the forms' own captions stand.
    void KMFormLanguageSetUp(ui::Form& form) override;

private:
    Workbench& m_workbench;
};

/// The host design-utility object: where the host keeps its data files.
class KMDUtils : public host::IKMDUtils {
public:
    explicit KMDUtils(Workbench& workbench) : m_workbench(workbench) {}
    /// The path of the file in the workbench's data folder; \p found tells whether it exists.
    /// The host's own matrix and framework files are laid there empty on first use.
    std::string KMDUtilsVB_ReadFileLocation(const std::string& fileName, bool create, bool& found) override;

private:
    Workbench& m_workbench;
};

/// The host user-interface object.
class SUI : public host::ISUI {
public:
    explicit SUI(Workbench& workbench) : m_workbench(workbench) {}
    void ShowBrowser() override;

private:
    Workbench& m_workbench;
};

} // namespace km::kemora
