#pragma once
#include "platform/runtime/Numeric.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Form.h"
#include "platform/ui/Frame.h"
#include "platform/ui/FrontEnd.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"
#include <string>
#include <vector>

namespace km::ui::test {

// A status window as the add-in builds one: a message label and a Cancel button, shown modeless.
class StatusWindow : public Form {
public:
    explicit StatusWindow(FrontEnd& ui) : Form(ui, "frmStatus", "Status") {
        setRole(FormRole::Status);
        cmdCancel.setCancel(true);
        cmdCancel.onClick = [this] { cancelled = true; };
    }
    // Sets the message and answers whether Cancel was pressed, letting events run once.
    bool setStatus(const std::string& message) {
        lblStatus.setCaption(message);
        bool result = cancelled;
        frontEnd().doEvents();
        return result;
    }

    Label lblStatus{*this, "lblStatus"};
    CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    bool cancelled = false;
};

// A small modal dialog asking for a number, with OK validating its text.
class NumberDialog : public Form {
public:
    explicit NumberDialog(FrontEnd& ui) : Form(ui, "frmNoOfCols", "Landscape Manager") {
        cmdOK.onClick = [this] { ok(); };
        cmdCancel.onClick = [this] { hide(); };
    }
    void ok() {
        value = rt::CLng(rt::Val(cboNumber.text()));
        if (value < 1) {
            frontEnd().msgBox("You must have at least 1 column", 0, "Kemora for SOA");
            return;
        }
        okPressed = true;
        hide();
    }

    Label lblSelectNumber{*this, "lblSelectNumber", "&Select number of columns for narrowest collection:"};
    ComboBox cboNumber{*this, "cboNumber"};
    CommandButton cmdOK{*this, "cmdOK", "OK"};
    CommandButton cmdCancel{*this, "cmdCancel", "Cancel"};
    CommandButton cmdHelp{*this, "cmdHelp", "&Help"};
    rt::Long value = 0;
    bool okPressed = false;
    int loads = 0;
    int unloads = 0;

protected:
    void onLoad() override {
        ++loads;
        cboNumber.clear();
        for (const char* number : {"1", "2", "3", "4"}) {
            cboNumber.addItem(number);
        }
        cboNumber.setText("2");
    }
    void onUnload() override { ++unloads; }
};

// A modeless picker with a check-box list, a plain list, options in a frame and a date.
class Picker : public Form {
public:
    explicit Picker(FrontEnd& ui, std::string name = "frmPicker") : Form(ui, std::move(name), "Picker") {
        lstAvailable.setStyle(ListStyle::CheckBox);
        lstAvailable.onItemCheck = [this](int index) {
            checkEvents.push_back(lstAvailable.list(index) + (lstAvailable.checked(index) ? "+" : "-"));
        };
        optDefs.onClick = [this] { clicks.push_back("defs"); };
        optDgms.onClick = [this] { clicks.push_back("dgms"); };
        cmdApply.onClick = [this] { clicks.push_back("apply"); };
        cmdClose.onClick = [this] {
            hide();
            unload();
        };
    }

    ListBox lstAvailable{*this, "lstAvailable"};
    ListBox lstSelected{*this, "lstSelected"};
    Frame fraClass{*this, "fraClass", "Class"};
    OptionButton optDefs{fraClass, "optDefs", "De&finitions"};
    OptionButton optDgms{fraClass, "optDgms", "Dia&grams"};
    TextBox txtName{*this, "txtName"};
    DatePicker dtpFrom{*this, "dtpFrom"};
    CommandButton cmdApply{*this, "cmdApply", "A&pply"};
    CommandButton cmdClose{*this, "cmdClose", "C&lose"};
    std::vector<std::string> checkEvents;
    std::vector<std::string> clicks;
};

} // namespace km::ui::test
