#pragma once
#include "frmLAATemplateSelect.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

/// Lets the user pick the definition or diagram that fills a landscape template's parameter.
class frmLAAFilterSelect : public km::ui::Form {
public:
    explicit frmLAAFilterSelect(km::ui::FrontEnd& frontEnd);

    /// True only when the dialog was closed with OK and at least one object chosen.
    bool blnOkPressed = false;
    /// The chosen objects, in list order.
    std::shared_ptr<ChosenObjects> colObjectsSelected;
    /// Set by the caller before showing: the template's name, shown in the title box.
    std::string strTitleReport;
    /// True while definitions are listed, False for diagrams.
    bool blnDefns = true;

    km::ui::Label lblTitle{*this, "lblTitle", "Select parameter for the Landscape report:"};
    km::ui::TextBox txtTitle{*this, "txtTitle"};
    km::ui::Frame fraClass{*this, "fraClass", "Class"};
    km::ui::OptionButton optDefs{fraClass, "optDefs", "De&finitions"};
    km::ui::OptionButton optDgms{fraClass, "optDgms", "Dia&grams"};
    km::ui::Label lblSelectType{*this, "lblSelectType", "Select &type:"};
    km::ui::ComboBox cboTypes{*this, "cboTypes"};
    km::ui::Label lblSelectItem{*this, "lblSelectItem", "Select item to filter &report by:"};
    km::ui::ListBox lstObjects{*this, "lstObjects"};
    km::ui::CommandButton cmdOK{*this, "cmdOK", "OK"};
    km::ui::CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    km::ui::CommandButton cmdHelp{*this, "cmdHelp", "&Help"};

protected:
    void onLoad() override;

private:
    void optClass_Click();
    void cboTypes_Click();
    void cmdOK_Click();
};

} // namespace KM_SLN_SOA
