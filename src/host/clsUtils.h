#pragma once
#include "IUtilities.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <pugixml.hpp>
#include <string>

namespace km::ui {
class Form;
}
namespace km::host {
class IDefinition;
class IDiagram;
class ISymbol;
} // namespace km::host

namespace KM_SLN_SOA {

/// The small operations on the host that many commands need: localised strings, settings
/// (including the custom settings file kept in the encyclopedia), file locations, quoting of
/// names, repository dates, symbols and definitions, and a few host commands. One instance per
/// command, as goUtils.
class clsUtils {
public:
    /// The name of the custom settings file in the encyclopedia's file store.
    static constexpr const char* customSettingsFile = "SOASettings.xml";

    /// Creates the host utility objects and sets up the string resource (SetupXRes).
    clsUtils();
    clsUtils(const clsUtils&) = delete;
    clsUtils& operator=(const clsUtils&) = delete;

    /// The host's localised string resource; nothing when it could not be set up.
    std::shared_ptr<km::host::IStringResource> oKMXres() const { return m_oKMXres; }

    void RefreshBrowser();
    /// Shows the host's browser; errors are ignored.
    void ShowBrowser();
    bool SetKMSetting(const std::string& strSettingName, const std::string& strValue,
                      const std::string& strSectionName);
    /// The service type number: custom setting "ServiceTypeNum", 765 by default.
    km::rt::Long GetServiceTypeNumber();
    /// Where the host keeps one of its data files.
    std::string GetFileLocation(const std::string& strFileName);
    std::string AddQuotesIfNeeded(const std::string& name, bool blnQuoteBlank);
    std::string RemoveQuotes(const std::string& name);
    /// A custom setting's value, \p strDefault when the settings file or the setting is missing;
    /// an empty text (after a message) when the settings cannot be read.
    std::string GetCustomSetting(const std::string& strSetting, const std::string& strDefault);
    /// A repository date text "yyyymmdd" (or a date text) as a date; the zero date for "".
    km::rt::Date GetDateFromKMDate(const std::string& strKMDate);
    /// The definition a symbol stands for (the first referenced one for reference symbols), or
    /// nothing.
    std::shared_ptr<km::host::IDefinition> GetDefinitionOfSymbol(const std::shared_ptr<km::host::ISymbol>& symSymbol);
    /// The first symbol type of the diagram type that definitions of \p lngDefType define; 0 when
    /// none.
    km::rt::Long GetSymTypeForDefinitionOnThisDiagramType(km::rt::Long lngDgmType, km::rt::Long lngDefType);
    /// A new symbol for the definition on the diagram (or a "dummy" symbol without definition).
    /// With \p lngSymType 0 the symbol type is looked up and written back into \p lngSymType.
    std::shared_ptr<km::host::ISymbol>
    CreateSymbolFromDefinition(const std::shared_ptr<km::host::IDefinition>& defDefinition,
                               const std::shared_ptr<km::host::IDiagram>& diagram, km::rt::Long& lngSymType);
    /// True for an eight-character text with a month 1..12 and a day 1..31.
    bool IsKMDate(const std::string& strDate);
    /// Points the string resource at the library folder's string table.
    void SetupXRes();
    /// Applies the host's language resources to a form; errors are ignored.
    void KMFormLanguageSetUp(km::ui::Form& oForm);
    /// Enables or disables the host's main window.
    void EnableKM(bool v_blnEnable);
    /// Host menu command 187: lays the hierarchies of the current diagram out.
    void ArrangeHierarchies();

private:
    bool LoadCustomSettings();
    std::string StringTableFolder() const;

    std::shared_ptr<km::host::IKMUtilities> m_oKMUtils;
    std::shared_ptr<km::host::IKMDUtils> m_oKMDUtils;
    std::shared_ptr<km::host::IStringResource> m_oKMXres;
    std::unique_ptr<pugi::xml_document> m_oCustomSettings;
    bool m_blnCustomSettingsLoaded = false;
};

} // namespace KM_SLN_SOA
