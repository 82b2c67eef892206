#pragma once
#include "clsWindowObjects.h"
#include "platform/runtime/Types.h"
#include "platform/ui/ColourDialog.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"
#include <functional>
#include <map>
#include <string>

namespace KM_SLN_SOA {

/// The analytic builder wizard: creates a new analytic or changes an existing one over eight
/// pages (new or modify, which analytic, simple or advanced, symbol type, property test or query,
/// colour, name) and saves it through clsAnalyticMgr. Shown modeless; Finish and Cancel only hide
/// it. It keeps the shared objects it needs alive itself.
class frmAnalyticBldrWizard : public km::ui::Form {
public:
    explicit frmAnalyticBldrWizard(km::ui::FrontEnd& frontEnd);

    // Page 0.
    km::ui::Frame fraNewOrModify{*this, "fraNewOrModify", "Create a new analytic or modify an existing?"};
    km::ui::OptionButton optCreateNew{fraNewOrModify, "optCreateNew", "C&reate a new analytic"};
    km::ui::OptionButton optCreateModify{fraNewOrModify, "optCreateModify", "&Modify an existing analytic"};
    // Page 1.
    km::ui::Frame fraExisting{*this, "fraExisting", "Which analytic do you want to modify?"};
    km::ui::ListBox lstExistingAnalytics{fraExisting, "lstExistingAnalytics"};
    // Page 2.
    km::ui::Frame fraSimpleComplex{*this, "fraSimpleComplex", "Will this be a simple or advanced query?"};
    km::ui::Label lblSimpleComplex{fraSimpleComplex, "lblSimpleComplex",
                                   "Will the analytic just test the value of a property or carry out an advanced "
                                   "query from the selected objects?"};
    km::ui::Frame fraQueryType{fraSimpleComplex, "fraQueryType", "Query type"};
    km::ui::OptionButton optQuerySimple{fraQueryType, "optQuerySimple", "&Simple test"};
    km::ui::OptionButton optQueryComplex{fraQueryType, "optQueryComplex", "&Advanced query"};
    // Page 3.
    km::ui::Frame fraSymbolType{*this, "fraSymbolType", "Choose the symbol type"};
    km::ui::Label lblSymbolTypeDgTypes{fraSymbolType, "lblSymbolTypeDgTypes", "Symbols In Dia&gram"};
    km::ui::ComboBox cboSymbolTypeDgTypes{fraSymbolType, "cboSymbolTypeDgTypes"};
    km::ui::Label lblSymbolType{fraSymbolType, "lblSymbolType", "Select symbol &type"};
    km::ui::ListBox lstSymbolType{fraSymbolType, "lstSymbolType"};
    // Page 4.
    km::ui::Frame fraSimpleProperties{*this, "fraSimpleProperties", "Simple Query properties"};
    km::ui::Label lblSimplePropText{fraSimpleProperties, "lblSimplePropText",
                                    "Choose the property test for the definition of type"};
    km::ui::TextBox txtSimpleDefinitionType{fraSimpleProperties, "txtSimpleDefinitionType"};
    km::ui::Label lblproperty{fraSimpleProperties, "lblproperty", "&Property"};
    km::ui::ComboBox cboSimplePropertyname{fraSimpleProperties, "cboSimplePropertyname"};
    km::ui::Label lblSimpleComparison{fraSimpleProperties, "lblSimpleComparison", "C&omparison"};
    km::ui::ComboBox cboSimpleComparison{fraSimpleProperties, "cboSimpleComparison"};
    km::ui::Label lblSimpleValue{fraSimpleProperties, "lblSimpleValue", "&Value"};
    km::ui::TextBox txtSimpleValue{fraSimpleProperties, "txtSimpleValue"};
    km::ui::ComboBox cboSimpleValueBoolean{fraSimpleProperties, "cboSimpleValueBoolean"};
    km::ui::DatePicker dtSimpleValueDate{fraSimpleProperties, "dtSimpleValueDate"};
    // Page 5.
    km::ui::Frame fraComplexProperties{*this, "fraComplexProperties", "Choose advanced query properties"};
    km::ui::Label lblComplexSelect{fraComplexProperties, "lblComplexSelect",
                                   "Choose the Analytic Complex &Query to use"};
    km::ui::ListBox lstComplexAnalyticreports{fraComplexProperties, "lstComplexAnalyticreports"};
    km::ui::CommandButton cmdComplexNew{fraComplexProperties, "cmdComplexNew", "Ne&w"};
    km::ui::CommandButton cmdComplexEditSelected{fraComplexProperties, "cmdComplexEditSelected", "E&dit"};
    km::ui::Frame fraComplexExecuteIfNull{fraComplexProperties, "fraComplexExecuteIfNull",
                                          "Execute the analytic if the result of the query..."};
    km::ui::OptionButton optComplexNotNULL{fraComplexExecuteIfNull, "optComplexNotNULL",
                                           "&returns one or more items (Not NULL)"};
    km::ui::OptionButton optComplexNULL{fraComplexExecuteIfNull, "optComplexNULL", "is &empty (NULL)"};
    // Page 6.
    km::ui::Frame fraColourEffect{*this, "fraColourEffect", "Choose the resulting colour or effect"};
    km::ui::TextBox txtColour{fraColourEffect, "txtColour"};
    km::ui::CommandButton cmdColourSet{fraColourEffect, "cmdColourSet", "..."};
    km::ui::ColourDialog cdlgCommon{*this, "cdlgCommon"};
    // Page 7.
    km::ui::Frame fraTitle{*this, "fraTitle", "Name your Analytic"};
    km::ui::TextBox txtAnalyticName{fraTitle, "txtAnalyticName"};
    // Buttons under the pages.
    km::ui::CommandButton cmdHelp{*this, "cmdHelp", "&Help"};
    km::ui::CommandButton cmdCancel{*this, "cmdCancel", "&Cancel"};
    km::ui::CommandButton cmdBack{*this, "cmdBack", "< &Back"};
    km::ui::CommandButton cmdNext{*this, "cmdNext", "&Next >"};
    km::ui::CommandButton cmdFinish{*this, "cmdFinish", "&Finish"};

    km::rt::Long outCurrentPage = 0;
    bool blnCreateNew = true;
    bool blnAnalyticIsSimple = true;
    km::rt::Long lngCurrentDiagramType = 0;
    std::string strCurrentDiagramType;
    km::rt::Long lngSymbolTypeNumber = 0;
    std::string strSymbolType;
    km::rt::Long lngPropertyEditType = 0;
    std::string strExistingAnalytic;
    std::string strTitle;
    std::string strSimplePropertyName;
    std::string strSimpleBoolean;
    std::string strSimplePropertyValue;
    std::string strComplexReportName;
    bool blnComplexExecuteIfNULL = false;
    km::rt::Long lngColour = 255;
    int intDefaultDiagramIndex = 0;
    bool blnOkPressed = false;

    /// The date as the repository stores it: yyyymmdd.
    static std::string KMDateText(const km::rt::Date& date);

protected:
    void onLoad() override;
    void onUnload() override;

private:
    void NextPage();
    void PreviousPage();
    void ShowPage();
    void LayoutPage(km::ui::Frame& frame);
    km::ui::Frame& PageFrame(km::rt::Long page);
    void FillExistingAnalytics();
    void ShowQueryType();
    void FillDiagramTypes();
    void FillSymbolTypes(km::rt::Long lngDiagramType);
    void FillSimpleProperties();
    void FillPropertyNames();
    void FillComplexQueries();
    void ShowColour();
    void ShowAnalyticName();
    void UpdateValueControls();
    void InitialiseWizard();
    void ReleaseWizardObjects();

    bool LoadExistingAnalytic();
    bool CheckSymbolType();
    bool CheckSimpleCondition();
    bool CheckComplexQuery();
    bool ReadColour();
    bool CheckAnalyticName();
    void SaveAnalytic();
    bool IsQueryNameFree(const std::string& name);

    void cmdFinish_Click();
    void cmdComplexNew_Click();
    void cmdComplexEditSelected_Click();
    void cboSymbolTypeDgTypes_Click();
    void cboSimpleComparison_Click();
    void cmdColourSet_Click();
    void WaitForEditor(km::rt::Long id);

    /// Wires a handler so that it first re-creates the shared objects another command released.
    std::function<void()> Handler(std::function<void()> body);
    /// Runs a check; an error is reported with the standard message and the check fails.
    bool Checked(const std::function<bool()>& check);
    /// The property's name for a label of the property list (the label itself when not listed).
    std::string PropertyNameOf(const std::string& label) const;
    void Inform(const std::string& prompt, int style = 64);

    clsWindowObjects m_objects;
    /// The property names behind the labels listed in cboSimplePropertyname.
    std::map<std::string, std::string> m_propertyNames;
    std::string m_lastQueryName;
};

} // namespace KM_SLN_SOA
