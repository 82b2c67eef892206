// End-to-end: the kmsoa program runs add-in commands on an encyclopedia file.
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/KmsoaProcess.h"
#include "support/TempFolder.h"
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

using km::test::TempFolder;

const std::string kmsoaPath = km::test::kmsoaProgram();

using Outcome = km::test::KmsoaResult;

class RunCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kmsoaPath)) {
            GTEST_SKIP() << "kmsoa is not built";
        }
        auto encyclopedia = km::kemora::Encyclopedia::create(m_encyclopedia);
        auto diagram = encyclopedia->CreateDiagram("Landscape", 131);
        diagram->CreateSymbol("Billing", 160);
        diagram->CreateSymbol("Payroll", 160);
        diagram->CreateSymbol("Note", 1);
    }

    Outcome kmsoa(const std::vector<std::string>& arguments) { return kmsoaAt(kmsoaPath, arguments); }

    Outcome kmsoaAt(const std::string& program, const std::vector<std::string>& arguments) {
        std::vector<std::string> all{"run", m_encyclopedia};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return km::test::runProgram(program, all, {},
                                    {"KEMORA_CONFIG_DIR=" + m_folder.file("config"),
                                     "KEMORA_DATA_DIR=" + m_folder.file("data"), "KEMORA_HELP_VIEWER="});
    }

    bool selected(const std::string& symbolName) {
        auto encyclopedia = km::kemora::Encyclopedia::open(m_encyclopedia);
        auto diagrams = encyclopedia->GetFilteredDiagrams("Landscape", 131);
        auto symbols = diagrams->Item(1)->GetFilteredSymbols(symbolName, 0);
        return symbols->Item(1)->Selected();
    }

    TempFolder m_folder;
    std::string m_encyclopedia = m_folder.file("sample.kmdb");
};

TEST_F(RunCommandTest, ExecuteAnalyticsWithoutADiagramReturnsQuietly) {
    Outcome outcome = kmsoa({"ExecuteAnalyticsForDiagram", "--yes"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "False\n");
    EXPECT_EQ(outcome.err.find("msgbox"), std::string::npos) << "no message box: " << outcome.err;
}

TEST_F(RunCommandTest, ShowHelpNamesTheHelpFileOfTheLibraryFolder) {
    Outcome outcome = kmsoa({"ShowHelp"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.out.find(std::string(KM_OUTPUT_DIR) + "/km-sln-soa.chm"), std::string::npos) << outcome.out;
}

// The help line is the command's output: said once, on standard output, not again as progress.
TEST_F(RunCommandTest, ShowHelpSaysWhereHelpIsOnceInTheTerminalAndInBatchRuns) {
    std::string help = std::string(KM_OUTPUT_DIR) + "/km-sln-soa.chm";
    std::string line =
        "Help: " + help + (std::filesystem::exists(help) ? "" : " (the file is not installed)") + std::string("\n");
    for (const auto& arguments :
         {std::vector<std::string>{"ShowHelp"}, std::vector<std::string>{"ShowHelp", "--yes"}}) {
        Outcome outcome = kmsoa(arguments);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
        EXPECT_EQ(outcome.out, line);
        EXPECT_EQ(outcome.err.find("Help:"), std::string::npos) << outcome.err;
    }
}

TEST_F(RunCommandTest, SymbolsAreSelectedOnTheNamedDiagramBeforeTheCommand) {
    Outcome outcome = kmsoa({"ExecuteAnalyticsForDiagram", "--diagram", "Landscape", "--select", "payroll", "Note"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_TRUE(selected("Payroll"));
    EXPECT_TRUE(selected("Note"));
    EXPECT_FALSE(selected("Billing"));

    outcome = kmsoa({"ExecuteAnalyticsForDiagram", "--diagram", "Landscape", "--select", "Billing"});
    EXPECT_TRUE(selected("Billing"));
    EXPECT_FALSE(selected("Payroll")) << "the selection is exactly the named symbols";
}

TEST_F(RunCommandTest, ArgumentsReachTheMethod) {
    Outcome outcome = kmsoa({"ComplexQuery", "Report", "TRUE", "Red", "Application", "--no"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "False\n");
}

// Without its string table the add-in shows "Could not find KMXRES!" (an OK box) at the start of
// every command: the first queued answer is spent on it, and one that does not fit is reported.
TEST_F(RunCommandTest, MessageBoxAnswersKeepTheirCommandLineOrder) {
    std::string bin = m_folder.file("bin");
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(kmsoaPath, bin + "/kmsoa");
    for (const char* library : {"libkm_sln_soa.so", "libkm_ui.so", "libkm_excel.so", "libkm_runtime.so"}) {
        std::filesystem::copy_file(std::string(KM_OUTPUT_DIR) + "/" + library, bin + "/" + library);
    }

    Outcome noFirst = kmsoaAt(bin + "/kmsoa", {"CheckInstallation", "--no", "--msgbox", "ok", "--yes"});
    EXPECT_EQ(noFirst.exitCode, 0) << noFirst.err;
    EXPECT_NE(noFirst.err.find("error: answer No does not fit the message box \"Could not find KMXRES!\""),
              std::string::npos)
        << noFirst.err;

    Outcome okFirst = kmsoaAt(bin + "/kmsoa", {"CheckInstallation", "--msgbox", "ok", "--no"});
    EXPECT_EQ(okFirst.err.find("error:"), std::string::npos) << okFirst.err;
    EXPECT_NE(okFirst.err.find("msgbox \"Kemora for SOA\" \"Could not find KMXRES!\" style 16 -> OK"),
              std::string::npos)
        << okFirst.err;
}

TEST_F(RunCommandTest, MistakesAreReportedWithTheirExitCodes) {
    Outcome unknown = kmsoa({"FormatDisk"});
    EXPECT_EQ(unknown.exitCode, 64);
    EXPECT_NE(unknown.err.find("FormatDisk"), std::string::npos) << unknown.err;

    Outcome arguments = kmsoa({"SimpleQuery", "Status"});
    EXPECT_EQ(arguments.exitCode, 64) << arguments.err;

    Outcome noDiagram = kmsoa({"ShowHelp", "--diagram", "Nowhere"});
    EXPECT_EQ(noDiagram.exitCode, 2);
    EXPECT_NE(noDiagram.err.find("Nowhere"), std::string::npos) << noDiagram.err;

    Outcome noSymbol = kmsoa({"ShowHelp", "--diagram", "Landscape", "--select", "Ghost"});
    EXPECT_EQ(noSymbol.exitCode, 2);
    EXPECT_NE(noSymbol.err.find("Ghost"), std::string::npos) << noSymbol.err;

    Outcome badAnswer = kmsoa({"ShowHelp", "--msgbox", "perhaps"});
    EXPECT_EQ(badAnswer.exitCode, 64) << badAnswer.err;

    std::filesystem::remove(m_encyclopedia);
    Outcome missing = kmsoa({"ShowHelp"});
    EXPECT_EQ(missing.exitCode, 2) << missing.err;
}

} // namespace
