#include "platform/ui/ScriptedFrontEnd.h"
#include "TestForms.h"
#include "platform/ui/MessageBoxStyle.h"
#include "platform/ui/UpDown.h"
#include <gtest/gtest.h>

using namespace km::ui;
using namespace km::ui::test;

namespace {

// The loop shape of the add-in's workers: a status call per step, stop when it reports Cancel.
int runSteps(StatusWindow& status, int steps) {
    int done = 0;
    for (int step = 1; step <= steps; ++step) {
        if (status.setStatus("Step " + std::to_string(step))) {
            break;
        }
        ++done;
    }
    return done;
}

} // namespace

TEST(ScriptedFrontEndTest, MessageBoxesTakeQueuedAnswersAndAreRecorded) {
    ScriptedFrontEnd ui;
    ui.answerMessage(answer::no);
    ui.answerMessage(answer::cancel);
    EXPECT_EQ(ui.msgBox("Store these analytics?", 4, "Kemora for SOA"), answer::no);
    EXPECT_EQ(ui.msgBox("Really?", 3, "T"), answer::cancel);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].prompt, "Store these analytics?");
    EXPECT_EQ(ui.messages()[0].style, 4);
    EXPECT_EQ(ui.messages()[0].title, "Kemora for SOA");
    EXPECT_FALSE(ui.messages()[0].defaulted);
    EXPECT_EQ(ui.lastMessage().answer, answer::cancel);
    EXPECT_TRUE(ui.errors().empty());
}

TEST(ScriptedFrontEndTest, AnEmptyQueueAnswersTheDefaultButtonAndSaysSo) {
    ScriptedFrontEnd ui;
    EXPECT_THROW(ui.lastMessage(), std::logic_error);
    EXPECT_EQ(ui.msgBox("Error", 16, "Kemora for SOA"), answer::ok);
    EXPECT_EQ(ui.msgBox("Store?", 4), answer::yes);
    EXPECT_EQ(ui.msgBox("Store?", 4 + msgbox::defaultButton2), answer::no);
    EXPECT_TRUE(ui.lastMessage().defaulted);
    EXPECT_EQ(ui.transcript().back(), "msgbox \"\" \"Store?\" style 260 -> No (default)");
}

TEST(ScriptedFrontEndTest, AQueuedAnswerThatFitsNoButtonIsAnErrorAndTheDefaultAnswers) {
    ScriptedFrontEnd ui;
    ui.load(AnswerScript::parseText("msgbox yes", "a.txt"));
    EXPECT_EQ(ui.msgBox("There were errors, review the error log.", 16, "Kemora for SOA"), answer::ok);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0], "a.txt:1: answer Yes does not fit the message box \"There were errors, review the "
                              "error log.\" (style 16); answered OK");
}

TEST(ScriptedFrontEndTest, InputBoxesAnswerTextCancelOrTheDefault) {
    ScriptedFrontEnd ui;
    ui.answerInput("Report A");
    ui.cancelInput();
    EXPECT_EQ(ui.inputBox("Specify a Name", "Kemora for SOA"), "Report A");
    EXPECT_EQ(ui.inputBox("Specify a Name", "Kemora for SOA", "X"), "");
    EXPECT_EQ(ui.inputBox("Specify a Name", "Kemora for SOA", "Report A_1"), "Report A_1") << "empty queue: OK";
    ASSERT_EQ(ui.inputs().size(), 3u);
    EXPECT_FALSE(ui.inputs()[1].answer.has_value());
    EXPECT_TRUE(ui.inputs()[2].defaulted);
}

TEST(ScriptedFrontEndTest, AModalFormPlaysItsScriptInsideShow) {
    ScriptedFrontEnd ui;
    ui.load(AnswerScript::parseText("form frmNoOfCols: type cboNumber \"0\"; click cmdOK; type cboNumber \"7\"; "
                                    "click OK\n"));
    NumberDialog dialog(ui);
    dialog.show(Modality::Modal);
    EXPECT_TRUE(dialog.okPressed);
    EXPECT_EQ(dialog.value, 7);
    EXPECT_FALSE(dialog.visible());
    EXPECT_TRUE(dialog.isLoaded()) << "OK only hides; the caller unloads";
    EXPECT_EQ(ui.lastMessage().prompt, "You must have at least 1 column");
    ASSERT_EQ(ui.formsShown().size(), 1u);
    EXPECT_EQ(ui.formsShown()[0].modality, Modality::Modal);
    EXPECT_TRUE(ui.errors().empty());
}

TEST(ScriptedFrontEndTest, AModalFormWithoutScriptIsClosedLikeItsCloseBox) {
    ScriptedFrontEnd ui;
    NumberDialog dialog(ui);
    dialog.show(Modality::Modal);
    EXPECT_FALSE(dialog.okPressed);
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(dialog.unloads, 1);
    EXPECT_EQ(ui.transcript().back(), "close frmNoOfCols (no script queued)");
}

TEST(ScriptedFrontEndTest, EachShowingTakesTheNextScriptOfItsForm) {
    ScriptedFrontEnd ui;
    ui.addFormScript("frmNoOfCols", "select cboNumber \"3\"; click cmdOK");
    ui.addFormScript("frmNoOfCols", "click Cancel");
    NumberDialog dialog(ui);
    dialog.show(Modality::Modal);
    EXPECT_EQ(dialog.value, 3);
    dialog.okPressed = false;
    dialog.show(Modality::Modal);
    EXPECT_FALSE(dialog.okPressed);
    EXPECT_EQ(ui.pendingFormScripts(), 0u);
}

TEST(ScriptedFrontEndTest, ActionsThatDoNotFitStopTheScriptAndAreReported) {
    ScriptedFrontEnd ui;
    ui.addFormScript("frmNoOfCols", "click cmdOk; type lblSelectNumber \"3\"");
    NumberDialog dialog(ui);
    dialog.cmdOK.setEnabled(false);
    dialog.show(Modality::Modal);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0], "'cmdOK' is disabled (in 'click cmdOk')");
    EXPECT_FALSE(dialog.isLoaded());

    ui.addFormScript("frmNoOfCols", "select cboNumber \"9\"");
    ui.addFormScript("frmNoOfCols", "type lblSelectNumber \"3\"");
    ui.addFormScript("frmNoOfCols", "click cmdMissing");
    dialog.show(Modality::Modal);
    dialog.show(Modality::Modal);
    dialog.show(Modality::Modal);
    ASSERT_EQ(ui.errors().size(), 4u);
    EXPECT_EQ(ui.errors()[1],
              "'cboNumber' has no entry \"9\"; entries: \"1\", \"2\", \"3\", \"4\" (in 'select cboNumber \"9\"')");
    EXPECT_EQ(ui.errors()[2],
              "'lblSelectNumber' is a label, 'type' does not apply to it (in 'type lblSelectNumber \"3\"')");
    EXPECT_EQ(ui.errors()[3].rfind("the window 'frmNoOfCols' has no control 'cmdMissing' (controls: lblSelectNumber, "
                                   "cboNumber, cmdOK, cmdCancel, cmdHelp)",
                                   0),
              0u);
}

TEST(ScriptedFrontEndTest, ActionsLeftWhenTheWindowClosesAreReported) {
    ScriptedFrontEnd ui;
    ui.addFormScript("frmNoOfCols", "click cmdCancel; click cmdOK");
    NumberDialog dialog(ui);
    dialog.show(Modality::Modal);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0], "1 action(s) of the script for 'frmNoOfCols' left unplayed: the window closed before");
}

TEST(ScriptedFrontEndTest, ErrorsEscapingHandlersAreRecordedAndTheScriptGoesOn) {
    ScriptedFrontEnd ui;
    NumberDialog dialog(ui);
    dialog.cmdHelp.onClick = [] { throw std::runtime_error("help file missing"); };
    ui.addFormScript("frmNoOfCols", "click cmdHelp; click cmdOK");
    dialog.show(Modality::Modal);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0], "error in 'frmNoOfCols': help file missing");
    EXPECT_TRUE(dialog.okPressed);
}

TEST(ScriptedFrontEndTest, ModelessFormsPlayOneActionPerDoEventsAndTheRestUntilClosed) {
    ScriptedFrontEnd ui;
    ui.addFormScript("frmPicker", "check lstAvailable \"Blue\"; choose optDgms; click A&pply; click \"Close\"");
    Picker picker(ui);
    picker.lstAvailable.addItem("Red");
    picker.lstAvailable.addItem("Blue");
    picker.show();
    ui.doEvents();
    EXPECT_EQ(picker.checkEvents, std::vector<std::string>{"Blue+"});
    EXPECT_TRUE(picker.clicks.empty());
    ui.runUntilAllClosed();
    EXPECT_EQ(picker.clicks, (std::vector<std::string>{"dgms", "apply"}));
    EXPECT_FALSE(picker.isLoaded());
    EXPECT_TRUE(ui.errors().empty());
}

TEST(ScriptedFrontEndTest, NestedDoEventsInsideAHandlerDoesNotStartTheNextAction) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    std::vector<std::string> order;
    picker.cmdApply.onClick = [&] {
        order.push_back("apply begins");
        ui.doEvents();
        order.push_back("apply ends");
    };
    picker.optDefs.onClick = [&] { order.push_back("defs"); };
    ui.addFormScript("frmPicker", "click cmdApply; choose optDefs");
    picker.show();
    ui.runUntilAllClosed();
    EXPECT_EQ(order, (std::vector<std::string>{"apply begins", "apply ends", "defs"}));
}

TEST(ScriptedFrontEndTest, RunUntilAllClosedClosesModelessFormsWhoseScriptsEnded) {
    ScriptedFrontEnd ui;
    Picker first(ui, "frmFirst");
    Picker second(ui, "frmSecond");
    first.show();
    second.show();
    ui.runUntilAllClosed();
    EXPECT_FALSE(first.isLoaded());
    EXPECT_FALSE(second.isLoaded());
    EXPECT_EQ(ui.transcript().back(), "close frmSecond (no more actions)");
}

TEST(ScriptedFrontEndTest, ScriptsSelectByTextOrNumberTypeDatesAndDoubleClick) {
    ScriptedFrontEnd ui;
    Picker picker(ui);
    picker.lstSelected.setMultiSelect(MultiSelect::Multiple);
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
        picker.lstSelected.addItem(name);
    }
    std::string doubleClicked;
    picker.lstSelected.onDblClick = [&] { doubleClicked = picker.lstSelected.list(picker.lstSelected.listIndex()); };
    ui.addFormScript("frmPicker", "select lstSelected \"gamma\"; select lstSelected #1; type txtName \"My name\"; "
                                  "date dtpFrom \"15 March 2005\"; dblclick lstSelected \"Beta\"; close");
    picker.show();
    ui.runUntilAllClosed();
    EXPECT_TRUE(ui.errors().empty()) << ui.errors().front();
    EXPECT_EQ(picker.lstSelected.selCount(), 3);
    EXPECT_EQ(picker.txtName.text(), "My name");
    EXPECT_EQ(picker.dtpFrom.value(), km::rt::Date::fromYmd(2005, 3, 15));
    EXPECT_EQ(doubleClicked, "Beta");
}

TEST(ScriptedFrontEndTest, UpDownAndLockedTextBoxes) {
    ScriptedFrontEnd ui;
    Form form(ui, "frmSpin", "Spin");
    UpDown spin(form, "spnMoveUpDown");
    TextBox locked(form, "txtSimpleDefinitionType");
    locked.setLocked(true);
    int moves = 0;
    spin.onUpClick = [&] { ++moves; };
    spin.onDownClick = [&] { --moves; };
    ui.addFormScript("frmSpin", "up spnMoveUpDown; up spnMoveUpDown; down spnMoveUpDown; "
                                "type txtSimpleDefinitionType \"x\"");
    form.show();
    ui.runUntilAllClosed();
    EXPECT_EQ(moves, 1);
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0],
              "the text box 'txtSimpleDefinitionType' is read-only (in 'type txtSimpleDefinitionType \"x\"')");
}

TEST(ScriptedFrontEndTest, CancelIsPressedOnTheStatusWindowAfterNStatusLines) {
    ScriptedFrontEnd ui;
    ui.load(AnswerScript::parseText("cancel-status-after 3"));
    StatusWindow status(ui);
    status.show();
    // Cancel is pressed during the events of the third step, so the fourth status call reports it.
    EXPECT_EQ(runSteps(status, 10), 3);
    EXPECT_TRUE(ui.cancelPressed());
    EXPECT_EQ(ui.statusLines(), (std::vector<std::string>{"Step 1", "Step 2", "Step 3", "Step 4"}));
    EXPECT_EQ(ui.transcript().back(), "status frmStatus \"Step 4\"");
}

TEST(ScriptedFrontEndTest, CancelIsPressedOnlyOnAStatusWindowAUserCouldReach) {
    ScriptedFrontEnd ui;
    ui.cancelStatusAfter(0);
    StatusWindow status(ui);
    status.load();
    EXPECT_EQ(runSteps(status, 3), 3) << "a hidden status window cannot be cancelled";
    status.show();
    status.cmdCancel.setEnabled(false);
    ui.doEvents();
    EXPECT_FALSE(status.cancelled);
    status.cmdCancel.setEnabled(true);
    ui.doEvents();
    EXPECT_TRUE(status.cancelled);
    status.cancelled = false;
    ui.doEvents();
    EXPECT_FALSE(status.cancelled) << "pressed once only";
}

// The status window is found by its role and its marked cancel button, not by control names.
TEST(ScriptedFrontEndTest, TheStatusWindowIsTheFormInTheStatusRole) {
    ScriptedFrontEnd ui;
    ui.cancelStatusAfter(1);
    NumberDialog dialog(ui);
    dialog.show();
    dialog.lblSelectNumber.setCaption("not progress");
    EXPECT_EQ(ui.statusWindow(), nullptr) << "a cmdCancel button alone does not make a status window";
    EXPECT_TRUE(ui.statusLines().empty());

    Form progress(ui, "frmProgress", "Progress");
    Label lblStep(progress, "lblStep");
    CommandButton cmdStop(progress, "cmdStop", "Stop");
    bool stopped = false;
    cmdStop.onClick = [&] { stopped = true; };
    progress.setRole(FormRole::Status);
    cmdStop.setCancel(true);
    progress.show();
    EXPECT_EQ(ui.statusWindow(), &progress);
    lblStep.setCaption("Step 1");
    ui.doEvents();
    EXPECT_EQ(ui.statusLines(), std::vector<std::string>{"Step 1"});
    EXPECT_TRUE(stopped) << "its marked cancel button is pressed";
    EXPECT_TRUE(dialog.visible()) << "the dialog's cmdCancel was not pressed";
}

TEST(ScriptedFrontEndTest, HostStatusLinesAreRecordedApart) {
    ScriptedFrontEnd ui;
    ui.setStatusLine("Building landscape");
    ui.setStatusLine("");
    EXPECT_EQ(ui.hostStatusLines(), (std::vector<std::string>{"Building landscape", ""}));
    EXPECT_EQ(ui.statusLine(), "");
    EXPECT_TRUE(ui.statusLines().empty());
}

TEST(ScriptedFrontEndTest, TheEditorTakesInputAnswersAndHelpIsOnlyRecorded) {
    ScriptedFrontEnd ui;
    ui.load(AnswerScript::parseText("input \"new text\"\ninput cancel\n"));
    EXPECT_EQ(ui.editText("Owners", "old"), "new text");
    EXPECT_EQ(ui.editText("Owners", "old"), std::nullopt) << "cancel abandons the edit";
    EXPECT_EQ(ui.editText("Owners", "old"), "old") << "nothing queued: the text comes back unchanged";
    ASSERT_EQ(ui.edits().size(), 3u);
    EXPECT_FALSE(ui.edits()[1].defaulted);
    EXPECT_TRUE(ui.edits()[2].defaulted);
    EXPECT_EQ(ui.transcript(), (std::vector<std::string>{"edit \"Owners\" -> \"new text\"", "edit \"Owners\" -> cancel",
                                                         "edit \"Owners\" -> \"old\" (default)"}));

    EXPECT_EQ(ui.lastHelp(), "");
    ui.showHelp({"/opt/km/km-sln-soa.chm", "999853", false});
    ASSERT_EQ(ui.helpRequests().size(), 1u);
    EXPECT_EQ(ui.helpRequests()[0].topic, "999853");
    EXPECT_EQ(ui.lastHelp(), "Help: /opt/km/km-sln-soa.chm, topic 999853 (the file is not installed)");
}
