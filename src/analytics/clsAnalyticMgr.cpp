#include "clsAnalyticMgr.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsDisplay.h"
#include "addin/clsStatusMgr.h"
#include "clsColourMgr.h"
#include "host/HostColours.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IEncyclopedia.h"
#include "host/IPropertyCollection.h"
#include "host/ISymbol.h"
#include "host/MenuCommands.h"
#include "host/ReadOnlySwitch.h"
#include "host/SymbolFields.h"
#include "host/basCommon.h"
#include "host/clsRGManager.h"
#include "host/clsUtils.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/ColourNames.h"
#include "platform/ui/MessageBoxStyle.h"
#include <array>
#include <limits>
#include <utility>

namespace KM_SLN_SOA {

using km::host::IDefinition;
using km::host::IDiagram;
using km::host::IEncyclopedia;
using km::host::ISymbol;
using km::rt::Long;

namespace {

constexpr const char* module = "clsAnalyticMgr";
constexpr const char* crLf = "\r\n";
constexpr int styleCritical = km::ui::msgbox::critical;
constexpr int styleInformation = km::ui::msgbox::information;

constexpr Long analyticType = 798;
constexpr Long parameterType = 799;
constexpr Long reportType = 626;
constexpr Long textSymbolType = 1;
constexpr Long rectangleSymbolType = 2;
constexpr Long nestedSymbols = km::host::RelNestedSymbols;
constexpr Long referencedDefinitions = km::host::RelReferencedDefinitions;

constexpr Long whiteColour = km::host::colour::white;
constexpr Long groupBoxColour = 15132390;
constexpr Long otherColour = 14474495;
constexpr Long keyLabelLength = 80;

constexpr const char* simpleFunction = "RunSimpleAnalytic";
constexpr const char* complexFunction = "RunComplexAnalytic";
constexpr const char* previousAnalytics = "Previous Analytics";
constexpr const char* analyticsToRun = "Analytics To Run";
constexpr const char* colouringError = "There was an unknown error colouring symbols. Contact your administrator";
constexpr const char* dDIDsPlaceholder = "#DDIDS#";

std::shared_ptr<IEncyclopedia> Encyclopedia() {
    std::shared_ptr<IEncyclopedia> encyclopedia = goApp ? goApp->encyclopedia() : nullptr;
    if (!encyclopedia) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return encyclopedia;
}

clsUtils& Utils() {
    if (!goUtils) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *goUtils;
}

km::host::IImf& Imf() {
    if (!goImf) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *goImf;
}

std::shared_ptr<IDiagram> CurrentDiagram() {
    auto diagram = Encyclopedia()->getcurrentdiagram();
    if (!diagram) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet, "There is no diagram open.");
    }
    return diagram;
}

void MsgBox(const std::string& strPrompt, int intStyle) {
    if (goStatusMgr) {
        goStatusMgr->KMMsgBox(strPrompt, intStyle, messageTitle);
    }
}

void WriteStatusLine(const std::string& strText) {
    if (goApp) {
        goApp->WriteStatusLine(strText);
    }
}

// A 32-bit result of geometry arithmetic, or error 6 (Overflow) as the platform raises it.
Long ToLong(long long value) {
    return km::rt::CLng(static_cast<double>(value));
}

// Definitions are looked up through the host's name filter, in which '*' is a wildcard. A name
// that holds one must not pick some other definition that the pattern happens to match (and
// then delete it or read its script), so such names take only the definition of exactly that
// name.
std::shared_ptr<IDefinition> FirstDefinitionNamed(const std::string& strName, Long lngType) {
    auto definitions = Encyclopedia()->getfiltereddefinitions(strName, lngType);
    if (!definitions || !definitions->IsMoreThan(0)) {
        return nullptr;
    }
    if (strName.find('*') == std::string::npos) {
        return definitions->Item(1);
    }
    for (auto definition : definitions) {
        if (definition && km::rt::equalsNoCase(definition->QualifiedName(), strName)) {
            return definition;
        }
    }
    return nullptr;
}

// Suppresses the library's message boxes for the life of the scope.
class SilentScope {
public:
    SilentScope() : m_statusMgr(goStatusMgr) {
        if (m_statusMgr) {
            m_blnWasSilent = m_statusMgr->blnSilent();
            m_statusMgr->blnSilent(true);
        }
    }
    ~SilentScope() {
        if (m_statusMgr) {
            m_statusMgr->blnSilent(m_blnWasSilent);
        }
    }
    SilentScope(const SilentScope&) = delete;
    SilentScope& operator=(const SilentScope&) = delete;

private:
    std::shared_ptr<clsStatusMgr> m_statusMgr;
    bool m_blnWasSilent = false;
};

km::host::CollectionPtr<ISymbol> AllSymbolsOf(const std::shared_ptr<IDiagram>& dgmDiagram) {
    auto symbols = dgmDiagram->GetAllSymbols();
    symbols->readall();
    return symbols;
}

std::shared_ptr<ISymbol> FirstSymbol(const std::shared_ptr<IDiagram>& dgmDiagram, const std::string& strName,
                                     Long lngType) {
    auto symbols = dgmDiagram->GetFilteredSymbols(strName, lngType);
    return symbols && symbols->IsMoreThan(0) ? symbols->Item(1) : nullptr;
}

bool IsTrueText(const std::string& strValue) {
    return km::rt::LCase(strValue) == "true";
}

std::string ScriptFor(const std::string& strScript, const std::shared_ptr<IDefinition>& defDefinition) {
    return km::rt::Replace(strScript, dDIDsPlaceholder, std::to_string(defDefinition->ddid()));
}

// The definition a symbol stands for, or nothing; failures to reach it count as nothing.
std::shared_ptr<IDefinition> DefinitionOf(const std::shared_ptr<ISymbol>& symSymbol) {
    try {
        return Utils().GetDefinitionOfSymbol(symSymbol);
    } catch (...) {
        return nullptr;
    }
}

void FinishColouring(const std::string& strStatus) {
    Imf().KMSetDiagramDirty();
    Imf().kmexecutemenucommand(km::host::MenuRedrawSymbols);
    WriteStatusLine(strStatus);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Stored analytics

std::shared_ptr<IDefinition> clsAnalyticMgr::CreateAnalyticDefinition(const std::string& strName) {
    try {
        // An analytic of the same name is replaced, not updated. Deleting it takes it out of the
        // lists of the diagrams that run it, so those lists are noted first and put back once the
        // new definition exists: editing an analytic must not unassign it from its diagrams.
        std::vector<std::pair<std::shared_ptr<IDiagram>, std::string>> colAssignments;
        if (auto defOld = FirstDefinitionNamed(strName, analyticType)) {
            colAssignments = AnalyticsToRunListing(defOld->ddid());
            defOld->Delete();
        }
        auto defAnalytic = Encyclopedia()->CreateDefinition(strName, analyticType);
        if (defAnalytic) {
            defAnalytic->setProperty("Project", "KM_SLN_SOA");
            defAnalytic->setProperty("Module", "basMain");
            defAnalytic->setProperty("Auto Run", "T");
            defAnalytic->save();
            for (auto& [dgmDiagram, strList] : colAssignments) {
                dgmDiagram->setProperty(analyticsToRun, strList);
                dgmDiagram->save();
            }
        }
        Utils().RefreshBrowser();
        return defAnalytic;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return nullptr;
    }
}

// The diagrams whose "Analytics To Run" lists the analytic, each with the list as it reads now.
std::vector<std::pair<std::shared_ptr<IDiagram>, std::string>> clsAnalyticMgr::AnalyticsToRunListing(Long lngDDID) {
    std::string strScript = "TABULAR 1\n{\nWHERE Class = Definition WHERE \"Identity\" = " + std::to_string(lngDDID) +
                            "\nJOIN WHERE RELATION = \"used by\" JOIN\nSELECT \"Name\" WHERE Class = Diagram\n}\n";
    std::vector<std::pair<std::shared_ptr<IDiagram>, std::string>> colListing;
    auto colItems = clsRGManager().ExecuteReportXML(strScript);
    if (!colItems) {
        return colListing;
    }
    for (const pugi::xpath_node& oItem : colItems->nodes()) {
        for (const pugi::xpath_node& oUser : oItem.node().select_nodes("KMLevel/KMItem")) {
            auto lngDiagram = km::rt::CLng(km::rt::Val(GetAttributeText(oUser.node(), "DDID")));
            if (auto dgmDiagram = Encyclopedia()->getdiagrambyid(lngDiagram)) {
                colListing.emplace_back(dgmDiagram, dgmDiagram->GetProperty(analyticsToRun));
            }
        }
    }
    return colListing;
}

void clsAnalyticMgr::SetAnalyticParameter(const std::shared_ptr<IDefinition>& defAnalytic,
                                          const std::string& strParameterName, const std::string& strValue) {
    try {
        auto colParameters = defAnalytic->getpropertyascollection("Parameters");
        for (auto defParameter : colParameters) {
            if (defParameter && defParameter->Name() == strParameterName) {
                return; // an attached parameter is never changed
            }
        }
        std::string strFullName = Utils().AddQuotesIfNeeded(defAnalytic->Name(), true) + "." +
                                  Utils().AddQuotesIfNeeded(strParameterName, true);
        // A parameter left over from an earlier analytic of the same name is reused.
        auto defParameter = FirstDefinitionNamed(strFullName, parameterType);
        if (!defParameter) {
            try {
                defParameter = Encyclopedia()->CreateDefinition(strFullName, parameterType);
            } catch (...) {
                defParameter = nullptr;
            }
        }
        if (!defParameter) {
            MsgBox("Could not create analytic parameter definition.", styleInformation);
            return;
        }
        defParameter->setProperty("Default Value", strValue);
        defParameter->save();
        colParameters->Add(defParameter);
        colParameters->setProperty();
        defAnalytic->save();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

std::string clsAnalyticMgr::GetAnalyticParameter(const km::host::PropertyCollectionPtr& colParameters,
                                                 const std::string& strParameterName) {
    for (Long i = 1; i <= colParameters->count(); ++i) {
        auto defParameter = colParameters->Item(i);
        if (defParameter && defParameter->Name() == strParameterName) {
            return defParameter->GetProperty("Default Value");
        }
    }
    return {};
}

void clsAnalyticMgr::CreateSimpleAnalytic(const std::string& strName, const std::string& strSymbolType,
                                          const std::string& strPropertyName, const std::string& strBoolean,
                                          const std::string& strPropertyValue, Long lngColour) {
    try {
        if (auto defAnalytic = CreateAnalyticDefinition(strName)) {
            defAnalytic->setProperty("Function", simpleFunction);
            SetAnalyticParameter(defAnalytic, "propname", strPropertyName);
            SetAnalyticParameter(defAnalytic, "propvalue", strPropertyValue);
            SetAnalyticParameter(defAnalytic, "color", std::to_string(lngColour));
            SetAnalyticParameter(defAnalytic, "symboltypename", strSymbolType);
            SetAnalyticParameter(defAnalytic, "booleanoperator", strBoolean);
            SetAnalyticParameter(defAnalytic, "keytitle", strName);
            defAnalytic->save();
        }
        Utils().RefreshBrowser();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsAnalyticMgr::CreateComplexAnalytic(const std::string& strName, const std::string& strSymbolType,
                                           const std::string& strAnalyticReportName,
                                           const std::string& strExecuteIfNULL, Long lngColour) {
    try {
        if (auto defAnalytic = CreateAnalyticDefinition(strName)) {
            defAnalytic->setProperty("Function", complexFunction);
            SetAnalyticParameter(defAnalytic, "analyticreportname", strAnalyticReportName);
            SetAnalyticParameter(defAnalytic, "executeifnull", km::rt::LCase(strExecuteIfNULL));
            SetAnalyticParameter(defAnalytic, "color", std::to_string(lngColour));
            SetAnalyticParameter(defAnalytic, "symboltypename", strSymbolType);
            SetAnalyticParameter(defAnalytic, "keytitle", strName);
            defAnalytic->save();
        }
        Utils().RefreshBrowser();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

bool clsAnalyticMgr::IsThisAnalyticSimple(const std::shared_ptr<IDefinition>& defAnalytic) {
    try {
        return defAnalytic && defAnalytic->GetProperty("Function") == simpleFunction;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return false;
    }
}

bool clsAnalyticMgr::GetSimplePropsFromAnalytic(const std::shared_ptr<IDefinition>& defAnalytic, std::string& strTitle,
                                                std::string& strSymbolType, Long& lngColour,
                                                std::string& strSimplePropertyName, std::string& strSimplePropertyValue,
                                                std::string& strSimpleBoolean) {
    km::host::PropertyCollectionPtr colParameters;
    try {
        // Reading the list reads its parameter definitions, which fails while one is locked.
        colParameters = defAnalytic->getpropertyascollection("Parameters");
        if (colParameters) {
            colParameters->readall();
        }
    } catch (...) {
        colParameters = nullptr;
    }
    if (!colParameters) {
        MsgBox("One of more of the Analytic Parameter definition for the Analytic is locked and could not be read. "
               "Check that it is not locked and try again",
               styleCritical);
        return false;
    }
    try {
        strTitle = defAnalytic->Name();
        strSymbolType = GetAnalyticParameter(colParameters, "symboltypename");
        lngColour = km::rt::CLng(km::rt::Val(GetAnalyticParameter(colParameters, "color")));
        strSimplePropertyName = GetAnalyticParameter(colParameters, "propname");
        strSimplePropertyValue = GetAnalyticParameter(colParameters, "propvalue");
        strSimpleBoolean = GetAnalyticParameter(colParameters, "booleanoperator");
        return true;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return false;
    }
}

bool clsAnalyticMgr::GetComplexPropsFromAnalytic(const std::shared_ptr<IDefinition>& defAnalytic, std::string& strTitle,
                                                 std::string& strSymbolType, Long& lngColour,
                                                 std::string& strComplexReportName, bool& blnComplexExecuteIfNULL,
                                                 bool& blnDoGroupColour, bool& blnDoGroupBoxes) {
    try {
        auto colParameters = defAnalytic->getpropertyascollection("Parameters");
        if (!colParameters) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
        }
        strTitle = GetAnalyticParameter(colParameters, "keytitle");
        strSymbolType = GetAnalyticParameter(colParameters, "symboltypename");
        std::string strColour = GetAnalyticParameter(colParameters, "color");
        if (!strColour.empty()) {
            lngColour = km::rt::CLng(strColour);
        }
        strComplexReportName = GetAnalyticParameter(colParameters, "analyticreportname");
        blnComplexExecuteIfNULL = IsTrueText(GetAnalyticParameter(colParameters, "executeifnull"));
        blnDoGroupColour = IsTrueText(GetAnalyticParameter(colParameters, "dogrouping"));
        blnDoGroupBoxes = IsTrueText(GetAnalyticParameter(colParameters, "drawboxes"));
        return true;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return false;
    }
}

// ---------------------------------------------------------------------------------------------
// Colours

Long clsAnalyticMgr::GetColourValue(const std::string& strColour) {
    if (km::rt::IsNumeric(strColour)) {
        return km::rt::CLng(strColour);
    }
    return km::ui::ColourNames::valueOf(strColour).value_or(otherColour);
}

// ---------------------------------------------------------------------------------------------
// Simple query

void clsAnalyticMgr::ColourSyms(const std::string& PropName, const std::string& PropValue, const std::string& Colour,
                                const std::string& SymbolTypeName, const std::string& BooleanOperator,
                                const std::string& KeyTitle) {
    try {
        auto dgmDiagram = CurrentDiagram();
        dgmDiagram->save();
        Long lngCount = 0;
        for (auto symSymbol : AllSymbolsOf(dgmDiagram)) {
            if (symSymbol->TypeName() != SymbolTypeName ||
                !SymbolMatchesProperty(symSymbol, PropName, PropValue, BooleanOperator)) {
                continue;
            }
            symSymbol->FillColor(GetColourValue(Colour));
            symSymbol->save();
            ++lngCount;
        }
        if (!KeyTitle.empty()) {
            AddKeyEntry(dgmDiagram, KeyTitle, GetColourValue(Colour));
        }
        Imf().KMSetDiagramDirty();
        Imf().kmexecutemenucommand(km::host::MenuRedrawSymbols);
        RunMenuCommand75();
        WriteStatusLine(std::to_string(lngCount) + " symbols were coloured " + Colour);
    } catch (const std::exception& error) {
        ShowColouringError(error);
    }
}

bool clsAnalyticMgr::SymbolMatchesProperty(const std::shared_ptr<ISymbol>& symSymbol, const std::string& PropName,
                                           const std::string& PropValue, const std::string& BooleanOperator) {
    if (!symSymbol) {
        return false;
    }
    // Nothing that goes wrong while one symbol is tested reaches the user: the helpers that show
    // their own messages (a stored value that is no date, a definition that cannot be reached)
    // would otherwise show one per symbol.
    SilentScope silent;
    try {
        std::shared_ptr<IDefinition> defDefinition;
        {
            // Objects fetched here open read-only; the switch is off again afterwards, also after an error.
            km::host::ReadOnlySwitch readOnly(Encyclopedia(), true, km::host::AfterScope::SwitchOff);
            defDefinition = DefinitionOf(symSymbol);
        }
        if (!defDefinition) {
            auto colRelated = symSymbol->GetRelatedObjects(referencedDefinitions);
            if (colRelated && colRelated->IsMoreThan(0)) {
                defDefinition = std::dynamic_pointer_cast<IDefinition>(colRelated->Item(1));
            }
        }
        if (!defDefinition) {
            return false;
        }
        return CompareProperty(defDefinition->GetProperty(PropName), PropValue, BooleanOperator);
    } catch (...) {
        // A symbol whose definition or property cannot be read simply does not match.
        return false;
    }
}

bool clsAnalyticMgr::CompareProperty(const std::string& strActual, const std::string& PropValue,
                                     const std::string& BooleanOperator) {
    const std::string& op = BooleanOperator;
    if (op == "=") {
        if (km::rt::IsDate(PropValue)) {
            return km::rt::CDate(PropValue) == Utils().GetDateFromKMDate(strActual);
        }
        return strActual == PropValue;
    }
    if (op == "<>") {
        // A repository date is compared as the text it is stored as.
        if (Utils().IsKMDate(PropValue)) {
            return strActual != PropValue;
        }
        if (km::rt::IsDate(PropValue)) {
            return km::rt::CDate(PropValue) != Utils().GetDateFromKMDate(strActual);
        }
        return strActual != PropValue;
    }
    if (op == "starts with") {
        return km::rt::Left(strActual, km::rt::Len(PropValue)) == PropValue;
    }
    if (op == "is NULL") {
        return strActual.empty();
    }
    if (op == "is NOT NULL") {
        return !strActual.empty();
    }
    if (op == ">" || op == "<" || op == ">=" || op == "<=") {
        std::optional<int> order = OrderOf(strActual, PropValue);
        if (!order) {
            return false;
        }
        if (op == ">") {
            return *order > 0;
        }
        if (op == "<") {
            return *order < 0;
        }
        return op == ">=" ? *order >= 0 : *order <= 0;
    }
    return false;
}

// How the actual value stands to the compared one: below 0 before it, 0 equal, above 0 after
// it; nothing when the comparison cannot hold (an empty actual against a date).
std::optional<int> clsAnalyticMgr::OrderOf(const std::string& strActual, const std::string& PropValue) {
    auto order = [](auto a, auto b) { return a < b ? -1 : (b < a ? 1 : 0); };
    if (Utils().IsKMDate(PropValue)) {
        if (strActual.empty()) {
            return std::nullopt;
        }
        return order(Utils().GetDateFromKMDate(strActual), Utils().GetDateFromKMDate(PropValue));
    }
    if (km::rt::IsDate(PropValue)) {
        if (strActual.empty()) {
            return std::nullopt;
        }
        return order(Utils().GetDateFromKMDate(strActual), km::rt::CDate(PropValue));
    }
    if (km::rt::IsNumeric(PropValue)) {
        return order(km::rt::Val(strActual), km::rt::Val(PropValue));
    }
    int text = km::rt::compareUtf16(strActual, PropValue);
    return order(text, 0);
}

// ---------------------------------------------------------------------------------------------
// Complex query

bool clsAnalyticMgr::ComplexQuery(const std::string& AnalyticReportName, bool ExecuteIfNULL, const std::string& Colour,
                                  const std::string& SymbolTypeName, const std::string& KeyTitle, bool DoGrouping,
                                  bool DrawBoxes) {
    try {
        if (!DoGrouping) {
            ColourByReport(AnalyticReportName, ExecuteIfNULL, Colour, SymbolTypeName, KeyTitle);
        } else if (DrawBoxes) {
            DrawGroupBoxes(AnalyticReportName, SymbolTypeName, KeyTitle);
        } else {
            ColourByGroup(AnalyticReportName, SymbolTypeName, KeyTitle);
        }
        RunMenuCommand75();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
    return false;
}

std::string clsAnalyticMgr::GetReportContent(const std::string& strReportName) {
    try {
        // Objects fetched here open read-only; the switch is off again afterwards, also after an error.
        km::host::ReadOnlySwitch readOnly(Encyclopedia(), true, km::host::AfterScope::SwitchOff);
        auto defReport = FirstDefinitionNamed(strReportName, reportType);
        return defReport ? defReport->GetProperty("Content") : std::string();
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return {};
    }
}

bool clsAnalyticMgr::SymbolMatchesReport(const std::shared_ptr<ISymbol>& symSymbol, const std::string& strScript,
                                         bool ExecuteIfNULL) {
    try {
        if (!symSymbol) {
            return false;
        }
        auto defDefinition = DefinitionOf(symSymbol);
        if (!defDefinition) {
            return false;
        }
        auto colResult = clsRGManager().ExecuteReport(ScriptFor(strScript, defDefinition), true, false);
        if (!colResult) {
            return false;
        }
        return (colResult->count() > 0) != ExecuteIfNULL;
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return false;
    }
}

void clsAnalyticMgr::AddSymbolToGroups(const std::shared_ptr<ISymbol>& symSymbol, const std::string& strScript,
                                       clsColourMgr& oColourMgr) {
    try {
        if (!symSymbol) {
            return;
        }
        auto defDefinition = DefinitionOf(symSymbol);
        if (!defDefinition) {
            return;
        }
        auto colResult = clsRGManager().ExecuteReport(ScriptFor(strScript, defDefinition), true, false);
        if (!colResult || colResult->count() <= 1) {
            return;
        }
        // The first object is the symbol's own definition; the ones after it are its related items.
        std::string strSymbolDDID = std::to_string(symSymbol->ddid());
        for (Long i = 2; i <= colResult->count(); ++i) {
            const auto& defItem = colResult->Item(i);
            oColourMgr.Add(strSymbolDDID, std::to_string(defItem->ddid()), defItem->Name());
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsAnalyticMgr::RememberAnalysedType(const std::shared_ptr<IDiagram>& dgmDiagram, const std::string& strType) {
    std::string strList = dgmDiagram->GetProperty(previousAnalytics);
    for (const std::string& strKnown : km::rt::Split(strList, "//")) {
        if (strKnown == strType) {
            return;
        }
    }
    dgmDiagram->setProperty(previousAnalytics, strList.empty() ? strType : strList + "//" + strType);
    // Diagram properties are kept only once saved; clearing relies on this list.
    dgmDiagram->save();
}

// The first steps of every colouring: the current diagram saved, the symbol type remembered for
// clearing, the diagram's symbols and the report's script.
clsAnalyticMgr::ColouringRun clsAnalyticMgr::StartColouring(const std::string& AnalyticReportName,
                                                            const std::string& SymbolTypeName) {
    auto dgmDiagram = CurrentDiagram();
    dgmDiagram->save();
    RememberAnalysedType(dgmDiagram, SymbolTypeName);
    auto colSymbols = AllSymbolsOf(dgmDiagram);
    return {dgmDiagram, colSymbols, GetReportContent(AnalyticReportName)};
}

void clsAnalyticMgr::ShowColouringError(const std::exception& error) {
    MsgBox(std::string(colouringError) + crLf + ErrorDescription(error), styleCritical);
}

void clsAnalyticMgr::ColourByReport(const std::string& AnalyticReportName, bool ExecuteIfNULL,
                                    const std::string& Colour, const std::string& SymbolTypeName,
                                    const std::string& KeyTitle) {
    try {
        auto [dgmDiagram, colSymbols, strScript] = StartColouring(AnalyticReportName, SymbolTypeName);
        Long lngCount = 0;
        for (auto symSymbol : colSymbols) {
            if (symSymbol->TypeName() != SymbolTypeName || !SymbolMatchesReport(symSymbol, strScript, ExecuteIfNULL)) {
                continue;
            }
            symSymbol->FillColor(GetColourValue(Colour));
            symSymbol->save();
            ++lngCount;
        }
        if (!KeyTitle.empty()) {
            AddKeyEntry(dgmDiagram, KeyTitle, GetColourValue(Colour));
        }
        FinishColouring(std::to_string(lngCount) + " symbols were coloured " + Colour);
    } catch (const std::exception& error) {
        ShowColouringError(error);
    }
}

void clsAnalyticMgr::ColourByGroup(const std::string& AnalyticReportName, const std::string& SymbolTypeName,
                                   const std::string& KeyTitle) {
    try {
        auto [dgmDiagram, colSymbols, strScript] = StartColouring(AnalyticReportName, SymbolTypeName);
        clsColourMgr oColourMgr;
        for (auto symSymbol : colSymbols) {
            if (symSymbol->TypeName() == SymbolTypeName) {
                AddSymbolToGroups(symSymbol, strScript, oColourMgr);
            }
        }
        oColourMgr.ProcessColours();
        Long lngCount = 0;
        for (auto symSymbol : colSymbols) {
            if (symSymbol->TypeName() != SymbolTypeName) {
                continue;
            }
            std::shared_ptr<clsColourMgrTypes> oGroup;
            try {
                oGroup = oColourMgr.GetTypesByParentSymID(std::to_string(symSymbol->ddid()));
            } catch (...) {
            }
            if (!oGroup) {
                continue;
            }
            symSymbol->FillColor(oGroup->lngColour);
            symSymbol->save();
            ++lngCount;
            if (!oGroup->blnKeyTitleInfoAdded) {
                std::string strEntry = KeyTitle.empty() ? oGroup->strItemName : KeyTitle + " - " + oGroup->strItemName;
                AddKeyEntry(dgmDiagram, strEntry, oGroup->lngColour);
                oGroup->blnKeyTitleInfoAdded = true;
            }
        }
        FinishColouring(std::to_string(lngCount) + " symbols were coloured");
    } catch (const std::exception& error) {
        ShowColouringError(error);
    }
}

void clsAnalyticMgr::DrawGroupBoxes(const std::string& AnalyticReportName, const std::string& SymbolTypeName,
                                    const std::string& KeyTitle) {
    try {
        auto [dgmDiagram, colSymbols, strScript] = StartColouring(AnalyticReportName, SymbolTypeName);
        clsColourMgr oColourMgr;
        km::rt::Collection<std::shared_ptr<ISymbol>> colById;
        for (auto symSymbol : colSymbols) {
            if (symSymbol->TypeName() != SymbolTypeName) {
                continue;
            }
            AddSymbolToGroups(symSymbol, strScript, oColourMgr);
            colById.Add(symSymbol, std::to_string(symSymbol->ddid()));
        }
        for (auto& oGroup : oColourMgr) {
            DrawGroupBox(dgmDiagram, *oGroup, KeyTitle, colById);
        }
        FinishColouring("0 symbols were coloured");
    } catch (const std::exception& error) {
        ShowColouringError(error);
    }
}

// A grey box 5 units beyond the group's symbols on the left, right and bottom and 35 above them,
// which leaves room for the box's name at the top.
void clsAnalyticMgr::DrawGroupBox(const std::shared_ptr<IDiagram>& dgmDiagram, clsColourMgrTypes& oGroup,
                                  const std::string& KeyTitle,
                                  km::rt::Collection<std::shared_ptr<ISymbol>>& colSymbols) {
    // The bounds start beyond any coordinate, so that groups lying at negative coordinates or
    // beyond 999999 are framed as closely as any other.
    Long lngRight = std::numeric_limits<Long>::min(), lngBottom = std::numeric_limits<Long>::min();
    Long lngLeft = std::numeric_limits<Long>::max(), lngTop = std::numeric_limits<Long>::max();
    for (auto& oMember : oGroup) {
        auto& symSymbol = colSymbols.Item(oMember->strParentSymbolDDID);
        long long x = symSymbol->XPos(), y = symSymbol->ypos();
        if (x > lngRight) {
            lngRight = ToLong(x + 5);
        }
        if (y > lngBottom) {
            lngBottom = ToLong(y + 5);
        }
        if (y - symSymbol->YSize() < lngTop) {
            lngTop = ToLong(y - symSymbol->YSize() - 5);
        }
        if (x - symSymbol->XSize() < lngLeft) {
            lngLeft = ToLong(x - symSymbol->XSize() - 5);
        }
    }
    auto symBox = dgmDiagram->CreateSymbol(KeyTitle + " - " + oGroup.strItemName, rectangleSymbolType);
    symBox->XPos(lngRight);
    symBox->ypos(lngBottom);
    symBox->XSize(ToLong(static_cast<long long>(lngRight) - lngLeft));
    symBox->YSize(ToLong(static_cast<long long>(lngBottom) - lngTop + 30));
    symBox->FillColor(groupBoxColour);
    symBox->save();
}

// ---------------------------------------------------------------------------------------------
// Running and clearing a diagram's analytics

std::string clsAnalyticMgr::AnalyticsInOrderScript(Long lngDDID) {
    static const std::array<const char*, 8> head = {
        "SETTING { DECIMALSEPARATOR \".\" } ",
        "SETTING { LISTSEPARATOR \",\" } ",
        "SETTING { MEASUREMENT METRIC } ",
        "SETTING { PAGESIZE -1\", 0.00 } ",
        "SETTING { REPORTFORMAT 0 } ",
        "TABULAR 1 ",
        "{ ",
        "WHERE Class = Diagram ",
    };
    static const std::array<const char*, 8> tail = {
        "JOIN WHERE RELATION = \"uses\" JOIN ",
        "ORDERBY SEQUENCE ",
        "SELECT \"Identity\" LEGEND \"KMTargetIdentity\", ",
        "\"Class Number\" LEGEND \"KMTargetClass\", ",
        "\"Type Number\" LEGEND \"KMTargetType\", ",
        "\"Name\" LEGEND \"KMTargetName\" ",
        "WHERE Class = Definition WHERE \"Type Number\" = 798 ",
        "}",
    };
    std::string strScript;
    for (const char* line : head) {
        strScript += std::string(line) + crLf;
    }
    strScript += "WHERE \"Identity\" = " + std::to_string(lngDDID) + " ";
    for (const char* line : tail) {
        strScript += std::string(crLf) + line;
    }
    return strScript;
}

std::shared_ptr<AnalyticCollection> clsAnalyticMgr::GetAnalyticsInOrder(Long lngDDID) {
    try {
        return clsRGManager().ExecuteReport(AnalyticsInOrderScript(lngDDID), true, false);
    } catch (const std::exception& error) {
        ShowProcedureError(error, "GetAnalyticsInOrder", module);
        return nullptr;
    }
}

void clsAnalyticMgr::ExecuteAnalyticsForDiagram(std::shared_ptr<IDiagram> dgmCurrent) {
    try {
        auto colAnalytics = GetAnalyticsInOrder(dgmCurrent->ddid());
        if (!colAnalytics || colAnalytics->count() == 0) {
            MsgBox("Could not find any Analytic definitions assigned to this diagram to execute.", styleCritical);
            return;
        }
        for (const auto& defAnalytic : *colAnalytics) {
            if (goDisplay) {
                goDisplay->LogItem("Executing Analytic - " + QuoteString(defAnalytic->Name()), 0);
            }
            ExecuteAnalyticDef(defAnalytic);
        }
    } catch (const std::exception& error) {
        ShowProcedureError(error, "ExecuteAnalyticsForDiagram", module);
    }
}

void clsAnalyticMgr::ExecuteAnalyticDef(const std::shared_ptr<IDefinition>& defAnalytic) {
    std::string strProject = defAnalytic->GetProperty("Project");
    std::string strModule = defAnalytic->GetProperty("Module");
    std::string strFunction = defAnalytic->GetProperty("Function");
    if (strProject != "KM_SLN_SOA" || strModule != "basMain") {
        return;
    }
    std::string strTitle, strSymbolType;
    Long lngColour = 0;
    if (strFunction == simpleFunction) {
        std::string strPropertyName, strPropertyValue, strBoolean;
        GetSimplePropsFromAnalytic(defAnalytic, strTitle, strSymbolType, lngColour, strPropertyName, strPropertyValue,
                                   strBoolean);
        ColourSyms(strPropertyName, strPropertyValue, std::to_string(lngColour), strSymbolType, strBoolean, strTitle);
    } else if (strFunction == complexFunction) {
        std::string strReportName;
        bool blnExecuteIfNULL = false, blnDoGroupColour = false, blnDoGroupBoxes = false;
        GetComplexPropsFromAnalytic(defAnalytic, strTitle, strSymbolType, lngColour, strReportName, blnExecuteIfNULL,
                                    blnDoGroupColour, blnDoGroupBoxes);
        // A stored complex analytic always colours by report.
        ComplexQuery(strReportName, blnExecuteIfNULL, std::to_string(lngColour), strSymbolType, strTitle, false, false);
    }
}

std::vector<std::string> clsAnalyticMgr::GetAnalysedTypes(const std::shared_ptr<IDiagram>& dgmDiagram) {
    return km::rt::Split(dgmDiagram->GetProperty(previousAnalytics), "//");
}

void clsAnalyticMgr::ClearAnalytics() {
    try {
        auto dgmDiagram = Encyclopedia()->getcurrentdiagram();
        if (!dgmDiagram) {
            return;
        }
        dgmDiagram->save();
        std::vector<std::string> colTypes = GetAnalysedTypes(dgmDiagram);
        if (!colTypes.empty()) {
            for (auto symSymbol : AllSymbolsOf(dgmDiagram)) {
                for (const std::string& strType : colTypes) {
                    if (strType != symSymbol->TypeName()) {
                        continue;
                    }
                    symSymbol->FillColor(whiteColour);
                    symSymbol->save();
                }
            }
            dgmDiagram->setProperty(previousAnalytics, "");
            dgmDiagram->save();
        }
        KillKey(dgmDiagram);
        RunMenuCommand71();
    } catch (const std::exception& error) {
        ShowProcedureError(error, "ClearAnalytics", module);
    }
}

// ---------------------------------------------------------------------------------------------
// The colour key

void clsAnalyticMgr::AddKeyEntry(const std::shared_ptr<IDiagram>& dgmDiagram, const std::string& strText,
                                 Long lngColour) {
    try {
        auto symKey = FirstSymbol(dgmDiagram, "Key", rectangleSymbolType);
        if (!symKey) {
            symKey = dgmDiagram->CreateSymbol("Key", rectangleSymbolType);
            symKey->XSize(500);
            symKey->YSize(25);
            // Beside the rightmost symbol (the new key included), its bottom level with that
            // symbol's middle.
            std::shared_ptr<ISymbol> symRightmost;
            Long lngRightmost = 0;
            for (auto symSymbol : AllSymbolsOf(dgmDiagram)) {
                if (symSymbol->XPos() > lngRightmost) {
                    lngRightmost = symSymbol->XPos();
                    symRightmost = symSymbol;
                }
            }
            if (symRightmost) {
                symKey->ypos(km::rt::CLng(symRightmost->ypos() - symRightmost->YSize() / 2.0));
                symKey->XPos(ToLong(static_cast<long long>(symRightmost->XPos()) + symKey->XSize() + 50));
            }
        }
        AddKeyLine(dgmDiagram, symKey, strText, lngColour);
        symKey->save();
    } catch (const std::exception& error) {
        MsgBox(std::string("An unknown error occured. ") + crLf + ErrorDescription(error), styleCritical);
    }
}

void clsAnalyticMgr::AddKeyLine(const std::shared_ptr<IDiagram>& dgmDiagram, const std::shared_ptr<ISymbol>& symKey,
                                const std::string& strText, Long lngColour) {
    try {
        std::string strLabel = km::rt::Left(strText, keyLabelLength);
        if (FirstSymbol(dgmDiagram, strLabel, textSymbolType)) {
            return; // the entry exists
        }
        // The frame grows downwards by one row.
        symKey->YSize(ToLong(static_cast<long long>(symKey->YSize()) + 25));
        symKey->ypos(ToLong(static_cast<long long>(symKey->ypos()) + 25));

        auto symSwatch = dgmDiagram->CreateSymbol(strText, rectangleSymbolType);
        symSwatch->setField(km::host::FieldSwatchStyle, "0xfefd");
        symSwatch->setField(km::host::FieldSwatchFlags, "-1");
        symSwatch->YSize(25);
        symSwatch->XSize(25);
        symSwatch->ypos(ToLong(static_cast<long long>(symKey->ypos()) - 5));
        symSwatch->XPos(ToLong(static_cast<long long>(symKey->XPos()) - symKey->XSize() + symSwatch->XSize() + 5));
        symSwatch->FillColor(lngColour);
        symSwatch->save();

        auto symLabel = dgmDiagram->CreateSymbol(strLabel, textSymbolType);
        symLabel->setProperty("Description", strText);
        Long lngWidth = km::rt::CLng(static_cast<double>(km::rt::Len(strText)) * 6);
        std::string strExtent = symLabel->GetField(km::host::FieldTextExtent);
        double dblOffset = km::rt::Val(strExtent.substr(0, strExtent.find(' ')));
        Long lngX = km::rt::CLng(symSwatch->XPos() + 2 + dblOffset);
        Long lngY = km::rt::CLng(static_cast<double>(symKey->ypos()) - 5);
        symLabel->XPos(lngX);
        symLabel->ypos(lngY);
        symLabel->setField(km::host::FieldTextPosition, std::to_string(lngX) + " " + std::to_string(lngY));
        symLabel->setField(km::host::FieldTextSize, std::to_string(lngWidth) + " 12");
        symLabel->setField(km::host::FieldTextFlags, "0x0000");
        symLabel->setField(km::host::FieldFontSize, "0x0064");
        symLabel->setField(km::host::FieldTextStyle, "0x0421");
        symLabel->save();
    } catch (const std::exception& error) {
        MsgBox(std::string("An unknown error occured. ") + crLf + ErrorDescription(error), styleCritical);
    }
}

void clsAnalyticMgr::KillKey(const std::shared_ptr<IDiagram>& dgmDiagram) {
    try {
        auto symKey = FirstSymbol(dgmDiagram, "Key", rectangleSymbolType);
        if (!symKey) {
            return;
        }
        // The swatches are the rectangles inside the frame; each label is found by its name.
        std::vector<std::shared_ptr<km::host::IKMObject>> colDoomed;
        auto colInside = symKey->GetRelatedObjects(nestedSymbols);
        colInside->readall();
        for (auto oInside : colInside) {
            if (oInside->kmtype() != rectangleSymbolType) {
                continue;
            }
            if (auto symLabel =
                    FirstSymbol(dgmDiagram, km::rt::Left(oInside->Name(), keyLabelLength), textSymbolType)) {
                colDoomed.push_back(symLabel);
            }
            colDoomed.push_back(oInside);
        }
        for (const auto& oDoomed : colDoomed) {
            try {
                oDoomed->Delete();
            } catch (...) {
                // A symbol that is gone already needs no deleting.
            }
        }
        if (auto symKeyText = FirstSymbol(dgmDiagram, "Key", textSymbolType)) {
            symKeyText->Delete();
        }
        // Deleting a symbol deletes what lies inside it; symbols the user has moved under the
        // frame are not the key's, so the frame is shrunk to nothing first (never saved).
        symKey->XSize(0);
        symKey->YSize(0);
        symKey->Delete();
    } catch (const std::exception& error) {
        ShowProcedureError(error, "KillKey", module);
    }
}

} // namespace KM_SLN_SOA
