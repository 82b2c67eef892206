#include "clsRGManager.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "host/ClassNumbers.h"
#include "host/IApplication.h"
#include "host/IEncyclopedia.h"
#include "host/ReadOnlySwitch.h"
#include "landscape/clsSorter.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/MessageBoxStyle.h"

namespace KM_SLN_SOA {

namespace {

using km::rt::ErrorNumber;
using km::rt::RuntimeError;

constexpr const char* topLevelItems = "KMReport/KMLevel/KMItem";
const std::string definitionClass = std::to_string(static_cast<int>(km::host::ObjectClass::Definition));

// The settings every prepared script carries; each is put in front when the script lacks it.
constexpr const char* measurementSetting = "SETTING { MEASUREMENT English } ";
constexpr const char* listSeparatorSetting = "SETTING { LISTSEPARATOR \",\" } ";
constexpr const char* decimalSeparatorSetting = "SETTING { DECIMALSEPARATOR \".\" } ";

std::shared_ptr<km::host::IEncyclopedia> Encyclopedia() {
    if (!goApp) {
        throw RuntimeError(ErrorNumber::ObjectNotSet);
    }
    auto encyclopedia = goApp->encyclopedia();
    if (!encyclopedia) {
        throw RuntimeError(ErrorNumber::ObjectNotSet);
    }
    return encyclopedia;
}

bool Contains(const std::string& text, const char* what) {
    return text.find(what) != std::string::npos;
}

// Runs the prepared script; a report the host rejects leaves the result empty.
std::string RunOnHost(const std::string& strReportString) {
    std::string strResult;
    std::string strScript = clsRGManager::PrepareReportString(strReportString);
    try {
        Encyclopedia()->ExecuteReportString(strResult, strScript);
    } catch (const std::exception&) {
        strResult.clear();
    }
    return strResult;
}

// Loads the result; nothing when it is not well-formed XML (an empty result included).
std::shared_ptr<pugi::xml_document> LoadResult(const std::string& strResult) {
    auto document = std::make_shared<pugi::xml_document>();
    if (!document->load_string(strResult.c_str())) {
        return nullptr;
    }
    return document;
}

// One line of the script as PrepareReportString keeps it, or nothing; switches to the query body
// at the "TABULAR 1" line.
bool KeepLine(const std::string& strLine, bool& blnInBody) {
    if (blnInBody) {
        return !Contains(strLine, "}");
    }
    const std::string strUpper = km::rt::UCase(strLine);
    if (Contains(strUpper, "PAGESIZE") || Contains(strUpper, "REPORTFORMAT")) {
        return false;
    }
    if (km::rt::Left(strUpper, 8) == "SETTING " || km::rt::Left(strUpper, 6) == "FIELD ") {
        return true;
    }
    if (Contains(strUpper, "TABULAR 1")) {
        blnInBody = true;
        return true;
    }
    return false;
}

std::string NormaliseLines(const std::string& strReportString) {
    std::string strOutput;
    bool blnInBody = false;
    // A CR before each LF stays at the end of its line.
    for (const std::string& strRawLine : km::rt::Split(strReportString, km::rt::vbLf)) {
        const std::string strLine = clsRGManager::StripLeadingBlanks(strRawLine);
        if (KeepLine(strLine, blnInBody)) {
            strOutput += "\n" + strLine;
        }
    }
    return strOutput + "}";
}

} // namespace

struct clsRGManager::ItemQueries {
    ItemQueries() {
        propertyVariables.add("name", pugi::xpath_type_string);
        property = std::make_unique<pugi::xpath_query>("KMProperty[@KMPrpName=$name]", &propertyVariables);
        nestedItems = std::make_unique<pugi::xpath_query>("KMLevel/KMItem");
    }
    pugi::xpath_variable_set propertyVariables;
    std::unique_ptr<pugi::xpath_query> property;
    std::unique_ptr<pugi::xpath_query> nestedItems;
};

clsRGManager::ItemQueries& clsRGManager::Queries() {
    if (!m_queries) {
        m_queries = std::make_shared<ItemQueries>();
    }
    return *m_queries;
}

std::shared_ptr<DefinitionCollection> clsRGManager::ExecuteReport(const std::string& strReportString,
                                                                  bool blnOpenObjectsAsReadOnly,
                                                                  bool blnSortCollections) {
    try {
        auto colDefinitions = std::make_shared<DefinitionCollection>();
        {
            // The switch is off afterwards, also after an error, whatever it was before.
            km::host::ReadOnlySwitch readOnly(Encyclopedia(),
                                              blnOpenObjectsAsReadOnly ? std::optional<bool>(true) : std::nullopt,
                                              km::host::AfterScope::SwitchOff);
            if (auto document = LoadResult(RunOnHost(strReportString))) {
                CollectDefinitions(document->select_nodes(topLevelItems), *colDefinitions);
            }
        }
        if (blnSortCollections) {
            colDefinitions = clsSorter().SortCollection(colDefinitions);
        }
        return colDefinitions;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

std::shared_ptr<ReportItemList> clsRGManager::ExecuteReportXML(const std::string& strReportString) {
    try {
        auto document = LoadResult(RunOnHost(strReportString));
        if (!document) {
            return nullptr;
        }
        pugi::xpath_node_set nodes = document->select_nodes(topLevelItems);
        return std::make_shared<ReportItemList>(std::move(document), std::move(nodes));
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

void clsRGManager::CollectDefinitions(const pugi::xpath_node_set& nodes, DefinitionCollection& collection) {
    try {
        for (const pugi::xpath_node& node : nodes) {
            CollectDefinitionOf(node.node(), collection);
            pugi::xpath_node_set nested = Queries().nestedItems->evaluate_node_set(node.node());
            if (!nested.empty()) {
                CollectDefinitions(nested, collection);
            }
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

// Adds the definition an item names, if it names one. A definition the host refuses (locked by
// another user) is reported and left out; the walk goes on.
void clsRGManager::CollectDefinitionOf(const pugi::xml_node& item, DefinitionCollection& collection) {
    std::string strClass = GetItemProperty(item, "KMTargetClass");
    if (strClass.empty()) {
        strClass = GetItemAttribute(item, "Class");
    }
    std::string strID = GetItemProperty(item, "KMTargetIdentity");
    if (strID.empty()) {
        strID = GetItemProperty(item, "KMTargetID");
    }
    if (strID.empty() || strClass != definitionClass) {
        return;
    }
    std::shared_ptr<km::host::IDefinition> defFound;
    try {
        defFound = Encyclopedia()->getdefinitionbyid(km::rt::CLng(km::rt::Val(strID)));
    } catch (const std::exception&) {
        if (goStatusMgr) {
            goStatusMgr->KMMsgBox("A definition (DDID = " + strID + " was locked and was not added.",
                                  km::ui::msgbox::critical, "Kemora for SOA");
        }
        return;
    }
    if (defFound) {
        collection.Add(defFound);
    }
}

std::string clsRGManager::GetItemProperty(const pugi::xml_node& item, const std::string& name) {
    try {
        ItemQueries& queries = Queries();
        queries.propertyVariables.set("name", name.c_str());
        pugi::xpath_node found = queries.property->evaluate_node(item);
        if (!found) {
            return {};
        }
        return GetItemAttribute(found.node(), "KMPrpValue");
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

std::string clsRGManager::GetItemAttribute(const pugi::xml_node& node, const std::string& name) {
    return node.attribute(name.c_str()).value();
}

std::string clsRGManager::PrepareReportString(const std::string& strReportString) {
    try {
        std::string strOutput = strReportString.empty() ? std::string() : NormaliseLines(strReportString);
        if (!Contains(strOutput, "MEASUREMENT METRIC") && !Contains(strOutput, "MEASUREMENT English")) {
            strOutput = measurementSetting + std::string("\n") + strOutput;
        }
        if (!Contains(strOutput, "LISTSEPARATOR")) {
            strOutput = listSeparatorSetting + std::string("\n") + strOutput;
        }
        if (!Contains(strOutput, "DECIMALSEPARATOR")) {
            strOutput = decimalSeparatorSetting + std::string("\n") + strOutput;
        }
        return strOutput;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

std::string clsRGManager::StripLeadingBlanks(const std::string& strLine) {
    const std::size_t first = strLine.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : strLine.substr(first);
}

} // namespace KM_SLN_SOA
