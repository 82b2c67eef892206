#include "TestForms.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/ColourDialog.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include <gtest/gtest.h>

using namespace km::ui;
using namespace km::ui::test;

namespace {

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const km::rt::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(ControlTest, AccessKeyMarksAreDroppedAndDoubledAmpersandsKept) {
    EXPECT_EQ(withoutAccessKeys("A&pply"), "Apply");
    EXPECT_EQ(withoutAccessKeys("&Next >"), "Next >");
    EXPECT_EQ(withoutAccessKeys("Salt && Pepper"), "Salt & Pepper");
    EXPECT_EQ(withoutAccessKeys("trailing&"), "trailing");
}

TEST(ControlTest, OptionButtonsFormOneGroupPerContainer) {
    ScriptedFrontEnd ui;
    Form form(ui, "frmOptions", "Options");
    Frame outer(form, "fraA");
    OptionButton a1(outer, "a1"), a2(outer, "a2");
    Frame inner(outer, "fraB");
    OptionButton b1(inner, "b1"), b2(inner, "b2");
    OptionButton f1(form, "f1"), f2(form, "f2");

    a1.setValue(true);
    b1.setValue(true);
    f1.setValue(true);
    a2.setValue(true);
    EXPECT_FALSE(a1.value());
    EXPECT_TRUE(a2.value());
    EXPECT_TRUE(b1.value()) << "the inner frame is its own group";
    EXPECT_TRUE(f1.value()) << "options on the form are their own group";
    f2.setValue(true);
    EXPECT_FALSE(f1.value());
    EXPECT_TRUE(b1.value());
}

TEST(ControlTest, ChoosingAnOptionRaisesClickEvenWhenAlreadyChosenAndClearingDoesNot) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    picker.optDefs.setValue(true);
    picker.optDefs.setValue(true);
    picker.optDgms.setValue(false);
    picker.optDefs.setValue(false);
    EXPECT_EQ(picker.clicks, (std::vector<std::string>{"defs", "defs"}));
}

TEST(ControlTest, CheckEventsFollowProgramChangesOnlyWhenTheStateChanges) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    picker.lstAvailable.addItem("Red");
    picker.lstAvailable.addItem("Blue");
    picker.lstAvailable.setChecked(1, true);
    picker.lstAvailable.setChecked(1, true);
    picker.lstAvailable.setChecked(1, false);
    picker.lstAvailable.setChecked(0, false);
    EXPECT_EQ(picker.checkEvents, (std::vector<std::string>{"Blue+", "Blue-"}));
    EXPECT_EQ(errorNumberOf([&] { picker.lstSelected.setChecked(0, true); }), 5) << "no check boxes";
}

TEST(ControlTest, ACheckHandlerCanChangeOtherListsReentrantly) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    picker.lstAvailable.onItemCheck = [&](int index) {
        km::rt::Long id = picker.lstAvailable.itemData(index);
        int existing = picker.lstSelected.findItemData(id);
        if (picker.lstAvailable.checked(index) && existing < 0) {
            picker.lstSelected.addItem(picker.lstAvailable.list(index));
            picker.lstSelected.setItemData(picker.lstSelected.newIndex(), id);
        } else if (!picker.lstAvailable.checked(index) && existing >= 0) {
            picker.lstSelected.removeItem(existing);
        }
    };
    picker.lstAvailable.addItem("Red");
    picker.lstAvailable.setItemData(0, 41);
    picker.lstAvailable.addItem("Blue");
    picker.lstAvailable.setItemData(1, 42);
    picker.lstAvailable.setChecked(1, true);
    picker.lstAvailable.setChecked(0, true);
    ASSERT_EQ(picker.lstSelected.listCount(), 2);
    EXPECT_EQ(picker.lstSelected.itemData(0), 42);
    picker.lstAvailable.setChecked(1, false);
    ASSERT_EQ(picker.lstSelected.listCount(), 1);
    EXPECT_EQ(picker.lstSelected.list(0), "Red");
}

TEST(ControlTest, SingleSelectionListKeepsOneSelectedEntryAtListIndex) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    ListBox& list = picker.lstSelected;
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    for (const char* name : {"a", "b", "c"}) {
        list.addItem(name);
    }
    list.setListIndex(1);
    list.setListIndex(1);
    EXPECT_EQ(clicks, 1);
    list.setSelected(2, true);
    EXPECT_EQ(list.listIndex(), 2);
    EXPECT_FALSE(list.selected(1));
    EXPECT_EQ(list.selCount(), 1);
    list.setSelected(2, false);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.firstSelected(), -1);
    EXPECT_EQ(errorNumberOf([&] { list.setListIndex(3); }), 380);
    EXPECT_EQ(errorNumberOf([&] { (void)list.list(3); }), 381);
}

TEST(ControlTest, RemovingAndInsertingKeepListIndexOnTheSameEntry) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    ListBox& list = picker.lstSelected;
    for (const char* name : {"a", "b", "c"}) {
        list.addItem(name);
    }
    list.setListIndex(2);
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(list.list(list.listIndex()), "c");
    list.addItem("first", 0);
    EXPECT_EQ(list.newIndex(), 0);
    EXPECT_EQ(list.list(list.listIndex()), "c");
    list.addItem("middle", 2);
    EXPECT_EQ(list.list(2), "middle");
    EXPECT_EQ(list.list(list.listIndex()), "c");
    list.removeItem(list.listIndex());
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.selCount(), 0);
}

TEST(ControlTest, MultipleSelectionCollectsEveryClickedEntry) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    ListBox& list = picker.lstSelected;
    list.setMultiSelect(MultiSelect::Multiple);
    for (const char* name : {"a", "b", "c", "d"}) {
        list.addItem(name);
    }
    list.clickItem(2);
    list.clickItem(0);
    list.setSelected(3, true);
    EXPECT_EQ(list.selCount(), 3);
    EXPECT_EQ(list.firstSelected(), 0);
    list.unclickItem(0);
    EXPECT_EQ(list.firstSelected(), 2);
    EXPECT_TRUE(list.selected(3));
}

TEST(ControlTest, ComboItemDataTravelsWithItsEntryAndTextChoosesTheMatchingEntry) {
    ScriptedFrontEnd ui;
    Form form(ui, "frmRoadmap", "Roadmap");
    ComboBox combo(form, "cboInterval");
    int clicks = 0;
    combo.onClick = [&] { ++clicks; };
    const std::vector<std::pair<std::string, int>> intervals{{"One Day", 1},   {"One Week", 2},   {"Two Weeks", 3},
                                                             {"One Month", 4}, {"Two Months", 5}, {"Six Months", 7},
                                                             {"Quarterly", 6}, {"One Year", 8}};
    for (const auto& [text, code] : intervals) {
        combo.addItem(text);
        combo.setItemData(combo.newIndex(), code);
    }
    combo.setText(combo.list(5));
    EXPECT_EQ(combo.listIndex(), 5);
    EXPECT_EQ(combo.itemData(combo.listIndex()), 7);
    EXPECT_EQ(clicks, 0) << "setting the text raises no click";

    combo.setListIndex(6);
    EXPECT_EQ(combo.text(), "Quarterly");
    EXPECT_EQ(combo.itemData(combo.listIndex()), 6);
    EXPECT_EQ(clicks, 1);

    combo.addItem("Hourly", 0);
    EXPECT_EQ(combo.listIndex(), 7) << "the chosen entry stays chosen when one is inserted before it";
    EXPECT_EQ(combo.itemData(combo.listIndex()), 6) << "data moves with the entries";
    combo.removeItem(0);
    EXPECT_EQ(combo.list(combo.listIndex()), "Quarterly");
    combo.setText("17");
    EXPECT_EQ(combo.listIndex(), -1) << "a typed text not in the list chooses no entry";
    combo.clear();
    EXPECT_EQ(combo.text(), "");
    EXPECT_EQ(combo.listCount(), 0);
}

TEST(ControlTest, DropDownListComboAcceptsOnlyItsEntries) {
    ScriptedFrontEnd ui;
    Form form(ui, "frmX", "X");
    ComboBox combo(form, "cboBool");
    combo.setStyle(ComboStyle::DropDownList);
    combo.addItem("True");
    combo.addItem("False");
    combo.setText("False");
    EXPECT_EQ(combo.listIndex(), 1);
    EXPECT_EQ(errorNumberOf([&] { combo.setText("maybe"); }), 383);
    EXPECT_EQ(combo.text(), "False");
    combo.setText("");
    EXPECT_EQ(combo.listIndex(), -1);
}

TEST(ControlTest, ColourDialogKeepsItsColourWhenCancelled) {
    ScriptedFrontEnd ui;
    Form form(ui, "frmWizard", "Wizard");
    ColourDialog dialog(form, "cdlgCommon");
    dialog.setColor(255);
    ui.answerColour(65280);
    ui.cancelColour();
    EXPECT_TRUE(dialog.showColor());
    EXPECT_EQ(dialog.color(), 65280);
    EXPECT_FALSE(dialog.showColor());
    EXPECT_EQ(dialog.color(), 65280);
    ASSERT_EQ(ui.colours().size(), 2u);
    EXPECT_EQ(ui.colours()[1].initial, 65280);
}

TEST(ControlTest, StatusLabelReportsEveryCaptionSetAlsoARepeatedOne) {
    ScriptedFrontEnd ui;
    StatusWindow status(ui);
    status.show();
    status.lblStatus.setCaption("Sizing...");
    status.lblStatus.setCaption("Sizing...");
    EXPECT_EQ(ui.statusLines(), (std::vector<std::string>{"Sizing...", "Sizing..."}));
    status.hide();
    status.lblStatus.setCaption("hidden");
    EXPECT_EQ(ui.statusLines().size(), 2u) << "a hidden status window shows nothing";
}
