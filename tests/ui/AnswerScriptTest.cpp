#include "platform/ui/AnswerScript.h"
#include "platform/ui/MessageBoxStyle.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace km::ui;

namespace {

// The message of the ScriptError a text raises, or "" when it parses.
std::string parseError(const std::string& text) {
    try {
        AnswerScript::parseText(text, "answers.txt");
    } catch (const ScriptError& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(AnswerScriptTest, ReadsEveryKindOfLineInOrder) {
    AnswerScript script = AnswerScript::parseText("\xEF\xBB\xBF# batch answers\r\n"
                                                  "msgbox yes\n"
                                                  "MsgBox 7\n"
                                                  "msgbox default\n"
                                                  "\n"
                                                  "input \"My report; \"\"final\"\"\"\n"
                                                  "input cancel\n"
                                                  "input \"cancel\"\n"
                                                  "colour #00FF00\n"
                                                  "color 255\n"
                                                  "colour cancel\n"
                                                  "cancel-status-after 5\n"
                                                  "form frmNoOfCols: type cboNumber \"3\"; click cmdOK\n");
    ASSERT_EQ(script.messageAnswers.size(), 3u);
    EXPECT_EQ(script.messageAnswers[0].answer, answer::yes);
    EXPECT_EQ(script.messageAnswers[0].position.line, 2);
    EXPECT_EQ(script.messageAnswers[1].answer, answer::no);
    EXPECT_EQ(script.messageAnswers[2].answer, 0);

    ASSERT_EQ(script.inputAnswers.size(), 3u);
    EXPECT_EQ(script.inputAnswers[0].text, "My report; \"final\"");
    EXPECT_EQ(script.inputAnswers[1].kind, InputAnswer::Kind::Cancel);
    EXPECT_EQ(script.inputAnswers[2].kind, InputAnswer::Kind::Text) << "a quoted word is a text";

    ASSERT_EQ(script.colourAnswers.size(), 3u);
    EXPECT_EQ(script.colourAnswers[0].colour, 65280) << "#RRGGBB is red + 256 green + 65536 blue";
    EXPECT_EQ(script.colourAnswers[1].colour, 255);
    EXPECT_EQ(script.colourAnswers[2].kind, ColourAnswer::Kind::Cancel);
    EXPECT_EQ(script.cancelStatusAfter, 5);

    ASSERT_EQ(script.formScripts.size(), 1u);
    const FormScript& form = script.formScripts[0];
    EXPECT_EQ(form.formName, "frmNoOfCols");
    ASSERT_EQ(form.actions.size(), 2u);
    EXPECT_EQ(form.actions[0].kind, ActionKind::Type);
    EXPECT_EQ(form.actions[0].control, "cboNumber");
    EXPECT_EQ(form.actions[0].value, "3");
    EXPECT_EQ(form.actions[1].text(), "click cmdOK");
}

TEST(AnswerScriptTest, AFormBlockTakesTheIndentedLinesBelowIt) {
    AnswerScript script = AnswerScript::parseText("form frmLAATemplateSelect:\n"
                                                  "    select lstObjects \"Apps: by owner\"\n"
                                                  "\t# a comment inside the block\n"
                                                  "    select lstObjects #3; click \"&OK\"\n"
                                                  "msgbox no\n"
                                                  "form frmWizard:\n"
                                                  "form frmWizard: wait; close\n");
    ASSERT_EQ(script.formScripts.size(), 3u);
    const std::vector<FormAction>& block = script.formScripts[0].actions;
    ASSERT_EQ(block.size(), 3u);
    EXPECT_EQ(block[0].value, "Apps: by owner");
    EXPECT_EQ(block[1].entryIndex, 2);
    EXPECT_EQ(block[1].position.line, 4);
    EXPECT_EQ(block[2].control, "&OK");
    EXPECT_TRUE(script.formScripts[1].actions.empty()) << "an empty block: show and close";
    EXPECT_EQ(script.formScripts[2].actions.size(), 2u);
    EXPECT_EQ(script.messageAnswers.size(), 1u);
}

TEST(AnswerScriptTest, ParsesEveryActionAndWritesItBack) {
    const std::vector<std::string> actions{"select lstObjects \"a b\"",
                                           "deselect lstObjects #2",
                                           "check lstAvailable \"Red\"",
                                           "uncheck lstAvailable \"Red\"",
                                           "type txtName \"\"",
                                           "choose optDefs",
                                           "date dtpFromDate \"2024-03-15\"",
                                           "click cmdOK",
                                           "dblclick lstSelected",
                                           "dblclick lstSelected \"x\"",
                                           "up spnMove",
                                           "down spnMove",
                                           "close",
                                           "wait"};
    for (const std::string& text : actions) {
        FormAction action = FormAction::parse(text, {"t", 1});
        EXPECT_EQ(action.text(), text);
    }
}

TEST(AnswerScriptTest, MalformedLinesNameTheFileLineAndWhatWasExpected) {
    EXPECT_EQ(parseError("msgbox yes\nmsgbox perhaps\n"),
              "answers.txt:2: unknown message-box answer 'perhaps' (expected ok, cancel, yes, no, abort, retry, "
              "ignore, default or 1 to 7)");
    EXPECT_EQ(parseError("\n\nanswer yes"),
              "answers.txt:3: unknown line 'answer yes' (expected msgbox, input, colour, cancel-status-after or form)");
    EXPECT_EQ(parseError("input \"unterminated"), "answers.txt:1: missing closing '\"' in input \"unterminated");
    EXPECT_EQ(parseError("msgbox"), "answers.txt:1: 'msgbox' needs an answer such as yes");
    EXPECT_EQ(parseError("msgbox yes no"), "answers.txt:1: unexpected 'no' after 'msgbox yes'");
    EXPECT_EQ(parseError("colour 16777216"),
              "answers.txt:1: bad colour '16777216' (expected a colour number 0 to 16777215, #RRGGBB, cancel or "
              "default)");
    EXPECT_EQ(parseError("cancel-status-after -1"),
              "answers.txt:1: bad count '-1' (expected a number of status lines, 0 or more)");
    EXPECT_EQ(parseError("form frmX type a \"b\""),
              "answers.txt:1: missing ':' after the form name (expected 'form NAME: actions')");
    EXPECT_EQ(parseError("form : click cmdOK"), "answers.txt:1: missing form name (expected 'form NAME: actions')");
    EXPECT_EQ(parseError("    click cmdOK"), "answers.txt:1: indented line outside a 'form NAME:' block");
}

TEST(AnswerScriptTest, MalformedActionsAreReportedWithTheirLine) {
    EXPECT_EQ(parseError("msgbox ok\nform frmX: type txtA \"x\"; clik cmdOK"),
              "answers.txt:2: unknown action 'clik' (expected one of select, deselect, check, uncheck, type, choose, "
              "date, click, dblclick, up, down, close, wait)");
    EXPECT_EQ(parseError("form frmX: select lstA"),
              "answers.txt:1: 'select lstA' needs an entry (\"text\" or #number)");
    EXPECT_EQ(parseError("form frmX: select lstA #0"), "answers.txt:1: bad entry number '#0' (expected #1, #2, ...)");
    EXPECT_EQ(parseError("form frmX: type txtA"), "answers.txt:1: 'type txtA' needs the text to type (\"\" for none)");
    EXPECT_EQ(parseError("form frmX: date dtpA 2023-02-29"),
              "answers.txt:1: '2023-02-29' is not a date (expected e.g. 2024-03-15)");
    EXPECT_EQ(parseError("form frmX: click cmdOK cmdCancel"),
              "answers.txt:1: unexpected 'cmdCancel' after 'click cmdOK'");
    EXPECT_EQ(parseError("form frmX: close now"), "answers.txt:1: unexpected 'now' after 'close'");
    EXPECT_EQ(parseError("form frmX:\n  click\n"), "answers.txt:2: 'click' needs a control name");
}

TEST(AnswerScriptTest, ReadsFilesAndReportsOneThatCannotBeRead) {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "km_ui_answers_test.txt";
    {
        std::ofstream out(path);
        out << "msgbox no\nform frmNoOfCols: close\n";
    }
    AnswerScript script = AnswerScript::parseFile(path.string());
    EXPECT_EQ(script.messageAnswers.at(0).position.source, path.string());
    EXPECT_EQ(script.formScripts.size(), 1u);
    std::filesystem::remove(path);
    EXPECT_THROW(AnswerScript::parseFile(path.string()), ScriptError);
}

TEST(AnswerScriptTest, ColoursAreReadAsNumbersOrRgb) {
    EXPECT_EQ(AnswerScript::colourFromText("#FF0000"), 255);
    EXPECT_EQ(AnswerScript::colourFromText("#0000ff"), 16711680);
    EXPECT_EQ(AnswerScript::colourFromText(" 16777215 "), 16777215);
    EXPECT_EQ(AnswerScript::colourFromText("#GG0000"), std::nullopt);
    EXPECT_EQ(AnswerScript::colourFromText("-1"), std::nullopt);
    EXPECT_EQ(AnswerScript::colourFromText("red"), std::nullopt);
}
