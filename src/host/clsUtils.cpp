#include "clsUtils.h"
#include "ClassNumbers.h"
#include "IApplication.h"
#include "IDefinition.h"
#include "IDiagram.h"
#include "IEncyclopedia.h"
#include "IImf.h"
#include "IMetaModel.h"
#include "ISymbol.h"
#include "MenuCommands.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "basCommon.h"
#include "basXmlFiles.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FrontEnd.h"
#include "platform/ui/MessageBoxStyle.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace KM_SLN_SOA {

using km::rt::Long;

namespace {

// A development build runs from a folder below a source tree whose path holds this marker; its
// string table then lies in "win32/bin" beside the marker instead of in the library folder.
constexpr std::string_view developmentFolderMarker = "/km_sln_soa_dev/";
constexpr const char* developmentStringTableFolder = "win32/bin";

// Symbols of this type refer to definitions by relation 112 instead of standing for one.
constexpr Long referenceSymbolType = 818;

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return lower;
}

km::host::IImf& imf() {
    if (!goImf) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *goImf;
}

km::host::IEncyclopedia& encyclopedia() {
    if (!goApp || !goApp->encyclopedia()) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *goApp->encyclopedia();
}

void removeFile(const std::string& path) {
    if (path.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

void showBadCustomSettings(const std::string& description) {
    if (!goStatusMgr) {
        return;
    }
    goStatusMgr->KMMsgBox(std::string("Bad custom ency settings file - ") + clsUtils::customSettingsFile +
                              "\r\nIgnored.\r\n" + description,
                          km::ui::msgbox::critical, std::string(messageTitle));
}

} // namespace

clsUtils::clsUtils() : m_oKMUtils(HostServices().CreateKMUtilities()), m_oKMDUtils(HostServices().CreateKMDUtils()) {
    SetupXRes();
}

std::string clsUtils::StringTableFolder() const {
    std::string folder = LibraryFolder();
    size_t marker = asciiLower(folder).find(developmentFolderMarker);
    if (marker == std::string::npos) {
        return folder;
    }
    return folder.substr(0, marker + 1) + developmentStringTableFolder;
}

void clsUtils::SetupXRes() {
    try {
        if (!m_oKMXres) {
            m_oKMXres = HostServices().CreateStringResource();
        }
        m_oKMXres->SetStringtablePath(StringTableFolder());
    } catch (const std::exception&) {
        if (goStatusMgr) {
            goStatusMgr->KMMsgBox("Could not find KMXRES!", km::ui::msgbox::critical, std::string(messageTitle));
        }
    }
}

void clsUtils::RefreshBrowser() {
    if (!goApp) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    goApp->browserrefresh();
}

void clsUtils::ShowBrowser() {
    try {
        HostServices().CreateSUI()->ShowBrowser();
    } catch (...) {
        // Showing the browser is a courtesy; a host without one simply does not show it.
    }
}

bool clsUtils::SetKMSetting(const std::string& strSettingName, const std::string& strValue,
                            const std::string& strSectionName) {
    return m_oKMUtils->KMSetSetting(strSettingName, strValue, strSectionName);
}

Long clsUtils::GetServiceTypeNumber() {
    return km::rt::CLng(km::rt::Val(GetCustomSetting("ServiceTypeNum", "765")));
}

std::string clsUtils::GetFileLocation(const std::string& strFileName) {
    bool blnFound = false;
    return m_oKMDUtils->KMDUtilsVB_ReadFileLocation(strFileName, false, blnFound);
}

std::string clsUtils::AddQuotesIfNeeded(const std::string& name, bool blnQuoteBlank) {
    return m_oKMUtils->KMQuoteIfNeeded(name, blnQuoteBlank);
}

std::string clsUtils::RemoveQuotes(const std::string& name) {
    return m_oKMUtils->KMUnQuote(name);
}

std::string clsUtils::GetCustomSetting(const std::string& strSetting, const std::string& strDefault) {
    try {
        if (!m_blnCustomSettingsLoaded) {
            m_blnCustomSettingsLoaded = LoadCustomSettings();
        }
        if (!m_oCustomSettings) {
            return strDefault;
        }
        // The name travels as an XPath variable, so that any name (apostrophes included) is
        // compared as the text it is.
        pugi::xpath_variable_set variables;
        variables.set("name", strSetting.c_str());
        pugi::xpath_query query("//settings/setting[@name=$name]", &variables);
        pugi::xml_node node = m_oCustomSettings->select_node(query).node();
        if (!node) {
            return strDefault;
        }
        return GetAttributeText(node, "value");
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

// Answers whether loading is settled: True also when there is no settings file or it is
// malformed (then every setting takes its default); False when it should be tried again.
bool clsUtils::LoadCustomSettings() {
    std::string strTempFile;
    try {
        strTempFile = GetTempFilePath();
        Long lngResult = 0;
        imf().KMFilexExists(customSettingsFile, "", lngResult);
        if (lngResult != 1) {
            return true;
        }
        try {
            Long lngExport = imf().KMFileExport(customSettingsFile, strTempFile);
            if (lngExport != 0) {
                throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess,
                                           "The file could not be copied out of the encyclopedia (error " +
                                               std::to_string(lngExport) + ").");
            }
            std::ifstream in(strTempFile, std::ios::binary);
            std::stringstream content;
            content << in.rdbuf();
            std::string text = content.str();
            m_oCustomSettings = std::make_unique<pugi::xml_document>();
            std::string fault = LoadWellFormedXml(*m_oCustomSettings, text);
            if (!fault.empty()) {
                m_oCustomSettings.reset();
                showBadCustomSettings(fault);
            }
        } catch (const std::exception& error) {
            m_oCustomSettings.reset();
            showBadCustomSettings(km::rt::describe(error));
            removeFile(strTempFile);
            return false;
        }
        removeFile(strTempFile);
        return true;
    } catch (const std::exception& error) {
        removeFile(strTempFile);
        ShowStandardError(error);
        return false;
    }
}

km::rt::Date clsUtils::GetDateFromKMDate(const std::string& strKMDate) {
    try {
        if (km::rt::IsDate(strKMDate)) {
            return km::rt::CDate(strKMDate);
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
    if (strKMDate.empty()) {
        return {};
    }
    std::string strYear = km::rt::Left(strKMDate, 4);
    std::string strMonth = km::rt::Mid(strKMDate, 5, 2);
    std::string strDay = km::rt::Right(strKMDate, 2);
    if (strMonth.empty()) {
        strMonth = "1";
    }
    try {
        return km::rt::Date::fromYmd(km::rt::CLng(strYear), km::rt::CLng(strMonth), km::rt::CLng(strDay));
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

bool clsUtils::IsKMDate(const std::string& strDate) {
    if (km::rt::Len(strDate) != 8) {
        return false;
    }
    double month = km::rt::Val(km::rt::Mid(strDate, 5, 2));
    double day = km::rt::Val(km::rt::Right(strDate, 2));
    return month > 0 && month < 13 && day > 0 && day < 32;
}

std::shared_ptr<km::host::IDefinition>
clsUtils::GetDefinitionOfSymbol(const std::shared_ptr<km::host::ISymbol>& symSymbol) {
    try {
        if (!symSymbol) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
        }
        if (symSymbol->kmtype() == referenceSymbolType) {
            auto related = symSymbol->GetRelatedObjects(km::host::RelReferencedDefinitions);
            if (related && related->count() >= 1) {
                return std::dynamic_pointer_cast<km::host::IDefinition>(related->Item(1));
            }
        }
        try {
            return symSymbol->definition();
        } catch (...) {
            // A symbol whose definition cannot be reached stands for nothing here.
            return nullptr;
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

Long clsUtils::GetSymTypeForDefinitionOnThisDiagramType(Long lngDgmType, Long lngDefType) {
    std::shared_ptr<km::host::ICollection<km::host::IMetaItem>> colSymbolTypes;
    try {
        const Long lngDiagramClass = static_cast<Long>(km::host::ObjectClass::Diagram);
        auto oDiagramType = encyclopedia().MetaModel()->MetaClasses(lngDiagramClass)->MetaItems(lngDgmType);
        if (!oDiagramType) {
            return 0;
        }
        colSymbolTypes = oDiagramType->SupportedMetaItems();
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return 0;
    }
    if (!colSymbolTypes) {
        return 0;
    }
    Long lngCount = 0;
    try {
        lngCount = colSymbolTypes->count();
    } catch (...) {
        return 0;
    }
    for (Long i = 1; i <= lngCount; ++i) {
        // A symbol type that cannot be read, or that no definition type defines, is passed over.
        try {
            auto oSymbolType = colSymbolTypes->Item(i);
            auto oDefinedBy = oSymbolType ? oSymbolType->DefinedByMetaItem() : nullptr;
            if (oDefinedBy && oDefinedBy->TypeNumber() == lngDefType) {
                return oSymbolType->TypeNumber();
            }
        } catch (...) {
        }
    }
    return 0;
}

std::shared_ptr<km::host::ISymbol>
clsUtils::CreateSymbolFromDefinition(const std::shared_ptr<km::host::IDefinition>& defDefinition,
                                     const std::shared_ptr<km::host::IDiagram>& diagram, Long& lngSymType) {
    try {
        if (!diagram) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
        }
        if (!defDefinition) {
            if (lngSymType > 0) {
                return diagram->CreateSymbol("dummy", lngSymType);
            }
            return nullptr;
        }
        if (lngSymType == 0) {
            lngSymType = GetSymTypeForDefinitionOnThisDiagramType(diagram->kmtype(), defDefinition->kmtype());
        }
        auto symSymbol = diagram->CreateSymbol(defDefinition->Name(), lngSymType);
        auto colProperties = defDefinition->MetaItem()->MetaProperties();
        for (Long i = 1; colProperties && i <= colProperties->count(); ++i) {
            auto oProperty = colProperties->Item(i);
            if (oProperty->Key()) {
                symSymbol->setProperty(oProperty->Name(), defDefinition->GetProperty(oProperty->Name()));
            }
        }
        symSymbol->save();
        return symSymbol;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

void clsUtils::KMFormLanguageSetUp(km::ui::Form& oForm) {
    try {
        if (!m_oKMUtils) {
            m_oKMUtils = HostServices().CreateKMUtilities();
        }
        m_oKMUtils->KMFormLanguageSetUp(oForm);
    } catch (...) {
        // A form without the host's language resources keeps its own captions.
    }
}

void clsUtils::EnableKM(bool v_blnEnable) {
    try {
        // The workbench has one main window; its handle only tells that it was found.
        Long lngHandle = 0;
        if (imf().KMGetFrameWindow(lngHandle) == 0) {
            km::ui::FrontEnd& frontEnd = HostServices().FrontEnd();
            frontEnd.setMainWindowEnabled(v_blnEnable);
            frontEnd.doEvents();
        }
    } catch (const std::exception& error) {
        if (m_oKMXres && goStatusMgr) {
            goStatusMgr->KMMsgBox(m_oKMXres->GetLocalString(0) + "\r\n" + km::rt::describe(error),
                                  km::ui::msgbox::critical, std::string(messageTitle));
        }
    }
}

void clsUtils::ArrangeHierarchies() {
    if (goImf) {
        goImf->kmexecutemenucommand(km::host::MenuArrangeHierarchies);
    }
}

} // namespace KM_SLN_SOA
