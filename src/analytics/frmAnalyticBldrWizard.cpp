#include "frmAnalyticBldrWizard.h"
#include "addin/AddinVersion.h"
#include "addin/ErrorMessages.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsHelp.h"
#include "addin/clsStatusMgr.h"
#include "clsAnalyticMgr.h"
#include "host/IDefinition.h"
#include "host/IEncyclopedia.h"
#include "host/IMetaModel.h"
#include "host/IUtilities.h"
#include "host/ReadOnlySwitch.h"
#include "host/basCommon.h"
#include "host/clsUtils.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/FrontEnd.h"
#include "platform/ui/MessageBoxStyle.h"
#include <array>
#include <cstdio>

namespace KM_SLN_SOA {

namespace {

constexpr km::rt::Long analyticType = 798;
constexpr km::rt::Long reportType = 626;
constexpr km::rt::Long defaultDiagramType = 131;
constexpr km::rt::Long helpTopic = 999853;
constexpr km::rt::Long editDate = 2;
constexpr km::rt::Long editBoolean = 4;
constexpr int ok = km::ui::msgbox::okOnly;
constexpr int okStop = km::ui::msgbox::critical;
constexpr int okInformation = km::ui::msgbox::information;
constexpr km::rt::Long lastPage = 7;
constexpr std::size_t maxNameLength = 80;
constexpr std::array<const char*, 9> comparisons = {"=",  "<>",          ">",       ">=",         "<",
                                                    "<=", "starts with", "is NULL", "is NOT NULL"};

std::shared_ptr<km::host::IEncyclopedia> OpenEncyclopedia() {
    auto encyclopedia = goApp ? goApp->encyclopedia() : nullptr;
    if (!encyclopedia) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet, "Object variable or With block variable not set");
    }
    return encyclopedia;
}

std::shared_ptr<km::host::IMetaClass> DiagramClass() {
    return OpenEncyclopedia()->MetaModel()->MetaClasses(1);
}

bool IsNullTest(const std::string& comparison) {
    return comparison == "is NULL" || comparison == "is NOT NULL";
}

std::string LocalString(long number, const std::string& fallback) {
    if (goUtils && goUtils->oKMXres()) {
        return goUtils->oKMXres()->GetLocalString(number);
    }
    return fallback;
}

} // namespace

frmAnalyticBldrWizard::frmAnalyticBldrWizard(km::ui::FrontEnd& frontEnd)
    : Form(frontEnd, "frmAnalyticBldrWizard", "Analytic Builder Wizard") {
    cboSymbolTypeDgTypes.setStyle(km::ui::ComboStyle::DropDownList);
    cboSimplePropertyname.setStyle(km::ui::ComboStyle::DropDownList);
    cboSimpleComparison.setStyle(km::ui::ComboStyle::DropDownList);
    cboSimpleValueBoolean.setStyle(km::ui::ComboStyle::DropDownList);
    txtSimpleDefinitionType.setLocked(true);
    txtColour.setLocked(true);
    cmdCancel.setCancel(true);
    cmdNext.onClick = Handler([this] { NextPage(); });
    cmdBack.onClick = Handler([this] { PreviousPage(); });
    cmdFinish.onClick = Handler([this] { cmdFinish_Click(); });
    cmdCancel.onClick = [this] { hide(); };
    cmdHelp.onClick = Handler([this] { clsHelp().ShowHelpTopicKM(windowHandle(), helpTopic); });
    cmdColourSet.onClick = Handler([this] { cmdColourSet_Click(); });
    cmdComplexNew.onClick = Handler([this] { cmdComplexNew_Click(); });
    cmdComplexEditSelected.onClick = Handler([this] { cmdComplexEditSelected_Click(); });
    optCreateNew.onClick = [this] { blnCreateNew = optCreateNew.value(); };
    optCreateModify.onClick = [this] { blnCreateNew = !optCreateModify.value(); };
    optQuerySimple.onClick = [this] { blnAnalyticIsSimple = optQuerySimple.value(); };
    optQueryComplex.onClick = [this] { blnAnalyticIsSimple = !optQueryComplex.value(); };
    cboSymbolTypeDgTypes.onClick = Handler([this] { cboSymbolTypeDgTypes_Click(); });
    cboSimplePropertyname.onClick = Handler([this] { UpdateValueControls(); });
    cboSimpleComparison.onClick = [this] { cboSimpleComparison_Click(); };
}

std::function<void()> frmAnalyticBldrWizard::Handler(std::function<void()> body) {
    return [this, body = std::move(body)] {
        m_objects.Initialise();
        body();
    };
}

bool frmAnalyticBldrWizard::Checked(const std::function<bool()>& check) {
    try {
        m_objects.Initialise();
        return check();
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return false;
    }
}

void frmAnalyticBldrWizard::Inform(const std::string& prompt, int style) {
    if (goStatusMgr) {
        goStatusMgr->KMMsgBox(prompt, style, std::string(messageTitle));
    }
}

std::string frmAnalyticBldrWizard::KMDateText(const km::rt::Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year(), date.month(), date.day());
    return text;
}

// Loading and unloading.

void frmAnalyticBldrWizard::onLoad() {
    InitialiseWizard();
    outCurrentPage = 0;
    ShowPage();
    blnAnalyticIsSimple = true;
    optCreateNew.setValue(true);
    UpdateValueControls();
    lngColour = 255;
}

void frmAnalyticBldrWizard::InitialiseWizard() {
    m_objects.Initialise();
    KMFormLanguageSetUp(*this);
    setCaption(std::string("Analytic Builder Wizard ") + versionText);
    cmdHelp.setCaption(LocalString(23, "&Help"));
}

void frmAnalyticBldrWizard::onUnload() {
    ReleaseWizardObjects();
}

void frmAnalyticBldrWizard::ReleaseWizardObjects() {
    m_objects.Release();
}

// Pages and navigation.

km::ui::Frame& frmAnalyticBldrWizard::PageFrame(km::rt::Long page) {
    std::array<km::ui::Frame*, 8> frames = {
        &fraNewOrModify,      &fraExisting,          &fraSimpleComplex, &fraSymbolType,
        &fraSimpleProperties, &fraComplexProperties, &fraColourEffect,  &fraTitle};
    return *frames.at(static_cast<std::size_t>(page));
}

void frmAnalyticBldrWizard::NextPage() {
    switch (outCurrentPage) {
    case 0:
        outCurrentPage = blnCreateNew ? 2 : 1;
        break;
    case 1:
        outCurrentPage = LoadExistingAnalytic() ? 2 : 1;
        break;
    case 2:
        outCurrentPage = 3;
        break;
    case 3:
        if (CheckSymbolType()) {
            outCurrentPage = blnAnalyticIsSimple ? 4 : 5;
        }
        break;
    case 4:
        outCurrentPage = CheckSimpleCondition() ? 6 : 4;
        break;
    case 5:
        outCurrentPage = CheckComplexQuery() ? 6 : 5;
        break;
    case 6:
        outCurrentPage = ReadColour() ? 7 : 6;
        break;
    default:
        break;
    }
    ShowPage();
}

void frmAnalyticBldrWizard::PreviousPage() {
    switch (outCurrentPage) {
    case 2:
        outCurrentPage = blnCreateNew ? 0 : 1;
        break;
    case 4:
    case 5:
        outCurrentPage = 3;
        break;
    case 6:
        outCurrentPage = blnAnalyticIsSimple ? 4 : 5;
        break;
    case 0:
    case 1:
        outCurrentPage = 0;
        break;
    default:
        outCurrentPage -= 1;
        break;
    }
    ShowPage();
}

void frmAnalyticBldrWizard::ShowPage() {
    for (km::rt::Long page = 0; page <= lastPage; ++page) {
        PageFrame(page).setVisible(page == outCurrentPage);
    }
    switch (outCurrentPage) {
    case 1:
        FillExistingAnalytics();
        break;
    case 2:
        ShowQueryType();
        break;
    case 3:
        FillDiagramTypes();
        break;
    case 4:
        FillSimpleProperties();
        break;
    case 5:
        FillComplexQueries();
        break;
    case 6:
        ShowColour();
        break;
    case 7:
        ShowAnalyticName();
        break;
    default:
        break;
    }
    cmdBack.setEnabled(outCurrentPage != 0);
    cmdNext.setEnabled(outCurrentPage != lastPage);
    LayoutPage(PageFrame(outCurrentPage));
}

void frmAnalyticBldrWizard::LayoutPage(km::ui::Frame& frame) {
    try {
        km::rt::Long rightEdge = left() + width();
        km::rt::Long bottomEdge = top() + height();
        km::rt::Long newHeight = cmdFinish.height() + frame.height() + 800;
        km::rt::Long newWidth = frame.width() + 300;
        move(rightEdge - newWidth, bottomEdge - newHeight, newWidth, newHeight);
        frame.setLeft(75);
        frame.setTop(100);
        km::rt::Long buttonTop = newHeight - (cmdFinish.height() + 600);
        km::rt::Long buttonLeft = newWidth - (cmdFinish.width() + 175);
        for (km::ui::CommandButton* button : {&cmdFinish, &cmdNext, &cmdBack, &cmdCancel, &cmdHelp}) {
            button->setTop(buttonTop);
            button->setLeft(buttonLeft);
            buttonLeft -= cmdFinish.width() + 25;
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

// Preparing the pages.

void frmAnalyticBldrWizard::FillExistingAnalytics() {
    if (lstExistingAnalytics.listCount() > 0 || !goApp) {
        return;
    }
    auto encyclopedia = OpenEncyclopedia();
    {
        km::host::ReadOnlySwitch readOnly(encyclopedia, true, km::host::AfterScope::SwitchOff);
        auto colAnalytics = encyclopedia->getfiltereddefinitions("", analyticType);
        colAnalytics->readall();
        lstExistingAnalytics.clear();
        for (const auto& defAnalytic : colAnalytics) {
            if (defAnalytic->GetProperty("Project") == "KM_SLN_SOA") {
                lstExistingAnalytics.addItem(defAnalytic->Name());
                lstExistingAnalytics.setItemData(lstExistingAnalytics.newIndex(), defAnalytic->ddid());
            }
        }
    }
    if (!strExistingAnalytic.empty()) {
        for (int i = 0; i < lstExistingAnalytics.listCount(); ++i) {
            lstExistingAnalytics.setSelected(i, lstExistingAnalytics.list(i) == strExistingAnalytic);
        }
    }
}

void frmAnalyticBldrWizard::ShowQueryType() {
    if (blnAnalyticIsSimple) {
        optQuerySimple.setValue(true);
    } else {
        optQueryComplex.setValue(true);
    }
}

void frmAnalyticBldrWizard::FillDiagramTypes() {
    auto oDiagrams = DiagramClass();
    if (cboSymbolTypeDgTypes.listCount() == 0) {
        cboSymbolTypeDgTypes.clear();
        for (const auto& oType : oDiagrams->SupportedMetaItems()) {
            cboSymbolTypeDgTypes.addItem(oType->TypeName());
            cboSymbolTypeDgTypes.setItemData(cboSymbolTypeDgTypes.newIndex(), oType->TypeNumber());
            if (oType->TypeNumber() == defaultDiagramType) {
                intDefaultDiagramIndex = cboSymbolTypeDgTypes.newIndex();
            }
        }
    }
    if (lngCurrentDiagramType != 0) {
        cboSymbolTypeDgTypes.setText(strCurrentDiagramType);
        return;
    }
    lngCurrentDiagramType = defaultDiagramType;
    auto oDefault = oDiagrams->MetaItems(defaultDiagramType);
    if (cboSymbolTypeDgTypes.listCount() == 0) {
        return;
    }
    if (oDefault && oDefault->TypeName() == "Dravel 10") {
        cboSymbolTypeDgTypes.setListIndex(0);
    } else {
        if (oDefault) {
            cboSymbolTypeDgTypes.setText(oDefault->TypeName());
        }
        cboSymbolTypeDgTypes.setListIndex(intDefaultDiagramIndex);
    }
}

void frmAnalyticBldrWizard::cboSymbolTypeDgTypes_Click() {
    int index = cboSymbolTypeDgTypes.listIndex();
    if (index < 0) {
        return;
    }
    lngCurrentDiagramType = cboSymbolTypeDgTypes.itemData(index);
    strCurrentDiagramType = cboSymbolTypeDgTypes.list(index);
    FillSymbolTypes(lngCurrentDiagramType);
}

void frmAnalyticBldrWizard::FillSymbolTypes(km::rt::Long lngDiagramType) {
    auto oDiagramType = DiagramClass()->MetaItems(lngDiagramType);
    lstSymbolType.clear();
    if (!oDiagramType) {
        return;
    }
    for (const auto& oSymbolType : oDiagramType->SupportedMetaItems()) {
        try {
            km::rt::Long number = oSymbolType->TypeNumber();
            if (number == 1 || number == 2 || number == 4) {
                continue;
            }
            auto oDefinedBy = oSymbolType->DefinedByMetaItem();
            lstSymbolType.addItem(oSymbolType->TypeName());
            lstSymbolType.setItemData(lstSymbolType.newIndex(), oDefinedBy ? oDefinedBy->TypeNumber() : 0);
            if (oSymbolType->TypeName() == strSymbolType) {
                lstSymbolType.setSelected(lstSymbolType.newIndex(), true);
            }
        } catch (const std::exception&) {
            // A symbol type that cannot be read is left out.
        }
    }
}

void frmAnalyticBldrWizard::FillSimpleProperties() {
    txtSimpleDefinitionType.setText(strSymbolType);
    cboSimpleValueBoolean.clear();
    cboSimpleValueBoolean.addItem("True");
    cboSimpleValueBoolean.addItem("False");
    cboSimpleValueBoolean.setText("");
    FillPropertyNames();
    cboSimpleComparison.clear();
    for (const char* comparison : comparisons) {
        cboSimpleComparison.addItem(comparison);
    }
    if (!strSimplePropertyName.empty()) {
        std::string label = strSimplePropertyName;
        for (const auto& [listed, name] : m_propertyNames) {
            if (name == strSimplePropertyName && cboSimplePropertyname.findItem(strSimplePropertyName) < 0) {
                label = listed;
            }
        }
        cboSimplePropertyname.setText(cboSimplePropertyname.findItem(label) >= 0 ? label : std::string());
        UpdateValueControls();
        frontEnd().doEvents();
    }
    if (!strSimpleBoolean.empty()) {
        cboSimpleComparison.setText(strSimpleBoolean);
        cboSimpleComparison_Click();
    }
    if (!strSimplePropertyValue.empty()) {
        if (cboSimpleValueBoolean.visible()) {
            cboSimpleValueBoolean.setText(strSimplePropertyValue == "T"   ? "True"
                                          : strSimplePropertyValue == "F" ? "False"
                                                                          : "");
        } else if (dtSimpleValueDate.visible()) {
            dtSimpleValueDate.setValue(goUtils->GetDateFromKMDate(strSimplePropertyValue));
        } else {
            txtSimpleValue.setText(strSimplePropertyValue);
        }
    }
}

void frmAnalyticBldrWizard::FillPropertyNames() {
    cboSimplePropertyname.clear();
    m_propertyNames.clear();
    try {
        auto oDiagramType = DiagramClass()->MetaItems(lngCurrentDiagramType);
        if (!oDiagramType) {
            return;
        }
        for (const auto& oSymbolType : oDiagramType->SupportedMetaItems()) {
            if (oSymbolType->TypeName() != strSymbolType) {
                continue;
            }
            auto oDefinedBy = oSymbolType->DefinedByMetaItem();
            if (!oDefinedBy) {
                return;
            }
            for (const auto& oProperty : oDefinedBy->MetaProperties()) {
                std::string label = oProperty->Label().empty() ? oProperty->Name() : oProperty->Label();
                cboSimplePropertyname.addItem(label);
                cboSimplePropertyname.setItemData(cboSimplePropertyname.newIndex(), oProperty->EditTypeNum());
                m_propertyNames.emplace(label, oProperty->Name());
            }
            return;
        }
    } catch (const std::exception&) {
        // Properties that cannot be read are left out.
    }
}

void frmAnalyticBldrWizard::UpdateValueControls() {
    try {
        if (!cboSimplePropertyname.text().empty()) {
            int index = cboSimplePropertyname.findItem(cboSimplePropertyname.text());
            if (index >= 0) {
                lngPropertyEditType = cboSimplePropertyname.itemData(index);
            }
        }
    } catch (const std::exception&) {
        // An unreadable entry keeps the edit type.
    }
    bool blnHideValue = IsNullTest(cboSimpleComparison.text());
    if (lngPropertyEditType == editDate && km::rt::IsDate(txtSimpleValue.text())) {
        dtSimpleValueDate.setValue(km::rt::CDate(txtSimpleValue.text()));
    }
    txtSimpleValue.setVisible(!blnHideValue && lngPropertyEditType != editDate && lngPropertyEditType != editBoolean);
    cboSimpleValueBoolean.setVisible(!blnHideValue && lngPropertyEditType == editBoolean);
    dtSimpleValueDate.setVisible(!blnHideValue && lngPropertyEditType == editDate);
}

void frmAnalyticBldrWizard::cboSimpleComparison_Click() {
    // The value control shown is the one of the property's edit type, so that the value read
    // on Next is the one the user sees.
    UpdateValueControls();
    lblSimpleValue.setEnabled(!IsNullTest(cboSimpleComparison.text()));
}

void frmAnalyticBldrWizard::FillComplexQueries() {
    if (lstComplexAnalyticreports.listCount() > 0 || !goApp) {
        return;
    }
    auto encyclopedia = OpenEncyclopedia();
    km::host::ReadOnlySwitch readOnly(encyclopedia, true, km::host::AfterScope::SwitchOff);
    auto colReports = encyclopedia->getfiltereddefinitions("", reportType);
    colReports->readall();
    lstComplexAnalyticreports.clear();
    for (const auto& defReport : colReports) {
        lstComplexAnalyticreports.addItem(defReport->Name());
        lstComplexAnalyticreports.setItemData(lstComplexAnalyticreports.newIndex(), defReport->ddid());
        if (defReport->Name() == strComplexReportName) {
            lstComplexAnalyticreports.setSelected(lstComplexAnalyticreports.newIndex(), true);
        }
    }
}

void frmAnalyticBldrWizard::ShowColour() {
    txtColour.setBackColor(lngColour);
    cdlgCommon.setColor(lngColour);
}

void frmAnalyticBldrWizard::ShowAnalyticName() {
    txtAnalyticName.setText(strTitle);
}

void frmAnalyticBldrWizard::cmdColourSet_Click() {
    cdlgCommon.showColor();
    txtColour.setBackColor(cdlgCommon.color());
}

// Checks.

bool frmAnalyticBldrWizard::LoadExistingAnalytic() {
    return Checked([this] {
        int index = lstExistingAnalytics.firstSelected();
        if (index < 0) {
            Inform("You must select an analytic to modify.", okInformation);
            return false;
        }
        strExistingAnalytic = lstExistingAnalytics.list(index);
        km::rt::Long id = lstExistingAnalytics.itemData(index);
        std::shared_ptr<km::host::IDefinition> defAnalytic;
        try {
            defAnalytic = OpenEncyclopedia()->getdefinitionbyid(id);
        } catch (const std::exception&) {
            defAnalytic = nullptr;
        }
        if (!defAnalytic) {
            Inform("Could not open the analytic. Check it is not open elsewhere and try again.", ok);
            return false;
        }
        bool blnRead = false;
        if (clsAnalyticMgr().IsThisAnalyticSimple(defAnalytic)) {
            blnAnalyticIsSimple = true;
            blnRead = clsAnalyticMgr().GetSimplePropsFromAnalytic(defAnalytic, strTitle, strSymbolType, lngColour,
                                                                  strSimplePropertyName, strSimplePropertyValue,
                                                                  strSimpleBoolean);
        } else {
            blnAnalyticIsSimple = false;
            bool blnDoGroupColour = false, blnDoGroupBoxes = false;
            blnRead = clsAnalyticMgr().GetComplexPropsFromAnalytic(defAnalytic, strTitle, strSymbolType, lngColour,
                                                                   strComplexReportName, blnComplexExecuteIfNULL,
                                                                   blnDoGroupColour, blnDoGroupBoxes);
        }
        FillDiagramTypes();
        FillComplexQueries();
        // The stored choice shows on the query page, so that Next or Finish keeps it.
        (blnComplexExecuteIfNULL ? optComplexNULL : optComplexNotNULL).setValue(true);
        ShowColour();
        ShowAnalyticName();
        return blnRead;
    });
}

bool frmAnalyticBldrWizard::CheckSymbolType() {
    return Checked([this] {
        const char* prompt = "You must select a symbol type against which the analytic will run.";
        if (lngCurrentDiagramType == 0) {
            Inform(prompt);
            return false;
        }
        strSymbolType.clear();
        int index = lstSymbolType.firstSelected();
        if (index >= 0) {
            strSymbolType = lstSymbolType.list(index);
            lngSymbolTypeNumber = lstSymbolType.itemData(index);
        }
        if (strSymbolType.empty()) {
            Inform(prompt);
            return false;
        }
        return true;
    });
}

bool frmAnalyticBldrWizard::CheckSimpleCondition() {
    return Checked([this] {
        strSimplePropertyName = cboSimplePropertyname.text();
        strSimpleBoolean = cboSimpleComparison.text();
        if (lngPropertyEditType == editDate) {
            strSimplePropertyValue = KMDateText(dtSimpleValueDate.value());
        } else if (lngPropertyEditType == editBoolean) {
            strSimplePropertyValue = cboSimpleValueBoolean.text() == "True" ? "T" : "F";
        } else {
            strSimplePropertyValue = txtSimpleValue.text();
        }
        bool blnValid = !strSimplePropertyName.empty() && !strSimpleBoolean.empty() &&
                        (!strSimplePropertyValue.empty() || IsNullTest(strSimpleBoolean));
        if (!blnValid) {
            Inform("You must select a valid condition against which the analytic will act.");
        }
        return blnValid;
    });
}

bool frmAnalyticBldrWizard::CheckComplexQuery() {
    return Checked([this] {
        int index = lstComplexAnalyticreports.firstSelected();
        if (index >= 0) {
            strComplexReportName = lstComplexAnalyticreports.list(index);
        }
        blnComplexExecuteIfNULL = optComplexNULL.value();
        if (strComplexReportName.empty()) {
            Inform("You must select a query.");
            return false;
        }
        return true;
    });
}

bool frmAnalyticBldrWizard::ReadColour() {
    lngColour = txtColour.backColor();
    return true;
}

bool frmAnalyticBldrWizard::CheckAnalyticName() {
    std::string strTrimmed = km::rt::Trim(txtAnalyticName.text());
    if (strTrimmed.empty()) {
        Inform("You must select a name for the analytic.");
        return false;
    }
    if (strTrimmed.size() > maxNameLength) {
        Inform("You must select a name which has less than 80 characters.");
        return false;
    }
    strTitle = txtAnalyticName.text();
    return true;
}

// Finishing and saving.

void frmAnalyticBldrWizard::cmdFinish_Click() {
    bool blnName = CheckAnalyticName();
    bool blnColour = ReadColour();
    bool blnSymbol = CheckSymbolType();
    if (!(blnName && blnColour && blnSymbol)) {
        return;
    }
    if (blnAnalyticIsSimple ? CheckSimpleCondition() : CheckComplexQuery()) {
        SaveAnalytic();
        blnOkPressed = true;
        hide();
    }
}

std::string frmAnalyticBldrWizard::PropertyNameOf(const std::string& label) const {
    auto found = m_propertyNames.find(label);
    return found == m_propertyNames.end() ? label : found->second;
}

void frmAnalyticBldrWizard::SaveAnalytic() {
    if (blnAnalyticIsSimple) {
        // The simple analytic tests the property by name, as SimpleQuery does; the list shows labels.
        clsAnalyticMgr().CreateSimpleAnalytic(strTitle, strSymbolType, PropertyNameOf(strSimplePropertyName),
                                              strSimpleBoolean, strSimplePropertyValue, lngColour);
    } else {
        clsAnalyticMgr().CreateComplexAnalytic(strTitle, strSymbolType, strComplexReportName,
                                               blnComplexExecuteIfNULL ? "true" : "false", lngColour);
    }
    if (goStatusMgr) {
        goStatusMgr->SetStatus("Complete.");
    }
}

bool frmAnalyticBldrWizard::IsQueryNameFree(const std::string& name) {
    return !OpenEncyclopedia()->getfiltereddefinitions(name, reportType)->IsMoreThan(0);
}

void frmAnalyticBldrWizard::cmdComplexNew_Click() {
    try {
        std::string name = m_lastQueryName;
        while (true) {
            name = frontEnd().inputBox("Specify a Name", std::string(messageTitle), name);
            m_lastQueryName = name;
            if (name.empty()) {
                return;
            }
            if (IsQueryNameFree(name)) {
                break;
            }
            name += "_1";
            Inform("Name is in use, select another.", okStop);
        }
        std::shared_ptr<km::host::IDefinition> defReport;
        try {
            defReport = OpenEncyclopedia()->CreateDefinition(name, reportType);
        } catch (const std::exception&) {
            defReport = nullptr;
        }
        if (!defReport) {
            Inform("This encyclopedia has not been installed with the correct metamodel. Load the metamodel and try "
                   "again.",
                   okStop);
            return;
        }
        defReport->save();
        lstComplexAnalyticreports.addItem(name);
        lstComplexAnalyticreports.setItemData(lstComplexAnalyticreports.newIndex(), defReport->ddid());
    } catch (const std::exception&) {
        // Nothing is added when the definition cannot be made.
    }
}

void frmAnalyticBldrWizard::cmdComplexEditSelected_Click() {
    int index = lstComplexAnalyticreports.firstSelected();
    if (index < 0) {
        return;
    }
    km::rt::Long id = lstComplexAnalyticreports.itemData(index);
    goImf->KMEditDefinition(id, false);
    WaitForEditor(id);
    if (isLoaded()) {
        zOrder();
    }
}

void frmAnalyticBldrWizard::WaitForEditor(km::rt::Long id) {
    // The definition cannot be read while the editor holds it. The wait ends when it can be read
    // again, when the lookup answers nothing (the definition was deleted), or when the wizard or
    // the shared objects are gone, any of which would otherwise keep it waiting for ever.
    while (true) {
        frontEnd().doEvents();
        if (!isLoaded() || !goApp) {
            return;
        }
        try {
            OpenEncyclopedia()->getdefinitionbyid(id);
            return;
        } catch (const std::exception&) {
            // Still held by the editor: wait on.
        }
    }
}

} // namespace KM_SLN_SOA
