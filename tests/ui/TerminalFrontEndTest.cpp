#include "platform/ui/TerminalFrontEnd.h"
#include "TestForms.h"
#include "platform/ui/FormText.h"
#include "platform/ui/MessageBoxStyle.h"
#include "support/TempFolder.h"
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using namespace km::ui;
using namespace km::ui::test;

namespace {

// A terminal front end on string streams: what the person types, what the screen shows.
struct Terminal {
    explicit Terminal(const std::string& typed, TerminalOptions options = {})
        : in(typed), ui(in, out, progress, options) {}
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream progress;
    TerminalFrontEnd ui;
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(TerminalFrontEndTest, MessageBoxShowsTitleIconPromptAndButtonsAndReadsTheChoice) {
    Terminal terminal("n\n");
    EXPECT_EQ(terminal.ui.msgBox("Store these analytics?\r\nThey run on open.", 4 + 32, "Kemora for SOA"), answer::no);
    EXPECT_EQ(terminal.out.str(), "\n== Kemora for SOA ==\n"
                                  "Question: Store these analytics?\nThey run on open.\n"
                                  "  1) Yes  2) No\n"
                                  "Answer [Yes]: ");
}

TEST(TerminalFrontEndTest, MessageBoxTakesNumbersNamesAndTheDefaultAndAsksAgainOnNonsense) {
    Terminal terminal("3\n\nmaybe\n2\nCANCEL\n");
    EXPECT_EQ(terminal.ui.msgBox("Continue?", 3), answer::cancel);
    EXPECT_EQ(terminal.ui.msgBox("Continue?", 3 + msgbox::defaultButton2), answer::no);
    EXPECT_EQ(terminal.ui.msgBox("Continue?", 4), answer::no);
    EXPECT_TRUE(contains(terminal.out.str(), "Please answer with a button's number, name or first letter."));
    EXPECT_EQ(terminal.ui.msgBox("Go on?", 1), answer::cancel);
}

TEST(TerminalFrontEndTest, EndOfInputAnswersCancelNoOrOkAndNeverWaits) {
    Terminal terminal("");
    EXPECT_EQ(terminal.ui.msgBox("?", 3), answer::cancel);
    EXPECT_EQ(terminal.ui.msgBox("?", 4), answer::no);
    EXPECT_EQ(terminal.ui.msgBox("Error", 16), answer::ok);
    EXPECT_EQ(terminal.ui.inputBox("Specify a Name", "Kemora for SOA", "Report_1"), "");
    EXPECT_EQ(terminal.ui.chooseColour(255), std::nullopt);
    EXPECT_TRUE(contains(terminal.out.str(), "(end of input: No)"));
}

TEST(TerminalFrontEndTest, OnATerminalEndOfInputCancelsOnlyTheOneQuestion) {
    TerminalOptions options;
    options.inputIsTerminal = true;
    Terminal terminal("", options);
    EXPECT_EQ(terminal.ui.inputBox("Name"), "");
    terminal.in.str("typed later\n");
    EXPECT_EQ(terminal.ui.inputBox("Name"), "typed later");
}

TEST(TerminalFrontEndTest, InputBoxTakesTheDefaultOnAnEmptyLine) {
    Terminal terminal("\nMy report\n");
    EXPECT_EQ(terminal.ui.inputBox("Specify a Name", "Kemora for SOA", "Report_1"), "Report_1");
    EXPECT_EQ(terminal.ui.inputBox("Specify a Name", "Kemora for SOA", "Report_1"), "My report");
    EXPECT_TRUE(contains(terminal.out.str(), "Specify a Name\n[Report_1] > "));
}

TEST(TerminalFrontEndTest, ColourDialogReadsNumbersAndRgbAndKeepsOnEmpty) {
    Terminal terminal("mauve\n#00FF00\n\n Light Green \n");
    EXPECT_EQ(terminal.ui.chooseColour(255), 65280);
    EXPECT_EQ(terminal.ui.chooseColour(255), 255);
    EXPECT_EQ(terminal.ui.chooseColour(255), 8585110) << "the analytics' colour names";
    EXPECT_TRUE(contains(terminal.out.str(), "Colour [255 #FF0000] (number or #RRGGBB): "));
    EXPECT_TRUE(contains(terminal.out.str(), "Please enter a colour number"));
}

TEST(TerminalFrontEndTest, AModalFormIsShownAsTextAndTakesCommandsUntilItHides) {
    Terminal terminal("help\ntype cboNumber \"0\"; click OK\n\n"
                      "frobnicate\n"
                      "select cboNumber #4; click cmdOK\n");
    NumberDialog dialog(terminal.ui);
    dialog.cmdHelp.setToolTipText("Opens the help");
    dialog.show(Modality::Modal);
    EXPECT_TRUE(dialog.okPressed);
    EXPECT_EQ(dialog.value, 4);
    const std::string screen = terminal.out.str();
    EXPECT_TRUE(contains(screen, "== Landscape Manager == (frmNoOfCols)\n"
                                 "  lblSelectNumber        Select number of columns for narrowest collection:\n"
                                 "  cboNumber              [2]\n"
                                 "                           #1   1\n"
                                 "                           #2 > 2\n"));
    EXPECT_TRUE(contains(screen, "  cmdHelp                <Help>  - Opens the help\n"));
    EXPECT_TRUE(contains(screen, "frmNoOfCols> Commands (join several with ';'):"));
    EXPECT_TRUE(contains(screen, "You must have at least 1 column"));
    EXPECT_TRUE(contains(screen, "! unknown action 'frobnicate'"));
}

TEST(TerminalFrontEndTest, EndOfInputClosesAFormAndAWrongCommandDoesNotEndIt) {
    Terminal terminal("click cmdMissing\n");
    NumberDialog dialog(terminal.ui);
    dialog.show(Modality::Modal);
    EXPECT_FALSE(dialog.okPressed);
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_TRUE(contains(terminal.out.str(), "! the window 'frmNoOfCols' has no control 'cmdMissing'"));
    EXPECT_TRUE(contains(terminal.out.str(), "(end of input: closing frmNoOfCols)"));
}

TEST(TerminalFrontEndTest, ModelessFormsRunUntilClosed) {
    Terminal terminal("check lstAvailable #2\nclick Close\n");
    Picker picker(terminal.ui);
    picker.lstAvailable.addItem("Red");
    picker.lstAvailable.addItem("Blue");
    picker.show();
    terminal.ui.doEvents();
    EXPECT_TRUE(picker.checkEvents.empty()) << "doEvents reads no commands";
    terminal.ui.runUntilAllClosed();
    EXPECT_EQ(picker.checkEvents, std::vector<std::string>{"Blue+"});
    EXPECT_FALSE(picker.isLoaded());
    EXPECT_TRUE(contains(terminal.out.str(), "#2   [x] Blue"));
}

TEST(TerminalFrontEndTest, StatusLinesArePlainLinesWhenTheProgressStreamIsNoTerminal) {
    Terminal terminal("");
    StatusWindow status(terminal.ui);
    status.show();
    status.setStatus("Step 1");
    terminal.ui.setStatusLine("Step 1"); // the host status bar repeats it
    status.setStatus("Step 2");
    status.setStatus("");
    EXPECT_EQ(terminal.progress.str(), "Step 1\nStep 2\n");
}

TEST(TerminalFrontEndTest, StatusLinesOverwriteOneLineOnATerminal) {
    TerminalOptions options;
    options.progressIsTerminal = true;
    options.progressWidth = 10;
    Terminal terminal("", options);
    StatusWindow status(terminal.ui);
    status.show();
    status.setStatus("Step 1");
    status.setStatus("Processing a very long name");
    status.hide();
    EXPECT_EQ(terminal.progress.str(), "\rStep 1\x1b[K\rProcessing\x1b[K\n");
}

TEST(TerminalFrontEndTest, InterruptPressesCancelOfTheStatusWindowAtTheNextDoEvents) {
    Terminal terminal("");
    StatusWindow status(terminal.ui);
    status.show();
    EXPECT_FALSE(status.setStatus("Step 1"));
    TerminalFrontEnd::interrupt();
    EXPECT_FALSE(status.cancelled);
    EXPECT_FALSE(status.setStatus("Step 2")) << "the press happens during this step's events";
    EXPECT_TRUE(status.cancelled);
    EXPECT_TRUE(status.setStatus("Step 3"));
    EXPECT_TRUE(contains(terminal.progress.str(), "Cancel pressed: stopping at the next step.\n"));
}

TEST(TerminalFrontEndTest, AnInterruptWithoutStatusWindowWaitsForOne) {
    Terminal terminal("");
    TerminalFrontEnd::interrupt();
    terminal.ui.doEvents();
    StatusWindow status(terminal.ui);
    status.show();
    terminal.ui.doEvents();
    EXPECT_TRUE(status.cancelled);
}

TEST(TerminalFrontEndTest, FormTextShowsFramesOptionsChecksAndSwatches) {
    Terminal terminal("");
    Picker picker(terminal.ui);
    picker.lstAvailable.addItem("Red");
    picker.lstAvailable.setChecked(0, true);
    picker.optDgms.setValue(true);
    picker.txtName.setBackColor(255);
    picker.cmdApply.setEnabled(false);
    picker.dtpFrom.setValue(km::rt::Date::fromYmd(2024, 3, 15));
    std::string text = FormText::render(picker);
    EXPECT_TRUE(contains(text, "  lstAvailable           \n                           #1   [x] Red\n"));
    EXPECT_TRUE(contains(text, "  lstSelected            (empty list)\n"));
    EXPECT_TRUE(contains(text, "  fraClass               -- Class --\n"
                               "    optDefs              ( ) Definitions\n"
                               "    optDgms              (*) Diagrams\n"));
    EXPECT_TRUE(contains(text, "  txtName                [] colour 255 #FF0000\n"));
    EXPECT_TRUE(contains(text, "  dtpFrom                2024-03-15\n"));
    EXPECT_TRUE(contains(text, "  cmdApply               <Apply> (disabled)\n"));
    picker.fraClass.setVisible(false);
    EXPECT_FALSE(contains(FormText::render(picker), "optDefs"));
}

TEST(TerminalFrontEndTest, TheEditorRunsOnATemporaryFileAndOnlyItsSuccessCounts) {
    struct Case {
        std::string editor;
        bool inputIsTerminal;
        std::optional<std::string> edited;
    };
    for (const Case& c : {Case{"sed -i s/old/new/", true, "new text"}, Case{"false", true, std::nullopt},
                          Case{"", true, std::nullopt}, Case{"sed -i s/old/new/", false, std::nullopt}}) {
        TerminalOptions options;
        options.editor = c.editor;
        options.inputIsTerminal = c.inputIsTerminal;
        Terminal terminal("", options);
        EXPECT_EQ(terminal.ui.editText("Owners", "old text"), c.edited) << c.editor;
        if (c.editor.empty() || !c.inputIsTerminal) {
            EXPECT_EQ(terminal.ui.statusLine(), "No editor to open \"Owners\" (set EDITOR).");
        }
    }
}

TEST(TerminalFrontEndTest, HelpIsOneOutputLineAndTheViewerStartsOnAnInstalledFile) {
    km::test::TempFolder folder;
    TerminalOptions options;
    options.helpViewer = "touch {file}.{topic}";
    Terminal terminal("", options);
    terminal.ui.showHelp({folder.file("missing.chm"), "7", false});
    terminal.ui.showHelp({folder.file("help.chm"), "999853", true});
    EXPECT_EQ(terminal.out.str(), "Help: " + folder.file("missing.chm") + ", topic 7 (the file is not installed)\n" +
                                      "Help: " + folder.file("help.chm") + ", topic 999853\n");
    EXPECT_EQ(terminal.progress.str(), "") << "said once, not again as a status line";
    // The viewer runs in the background: give it a few seconds.
    std::string opened = folder.file("help.chm.999853");
    for (int wait = 0; wait < 100 && !std::filesystem::exists(opened); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(std::filesystem::exists(opened));
    EXPECT_FALSE(std::filesystem::exists(folder.file("missing.chm.7")));
}
