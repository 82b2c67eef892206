// End to end: kmsoa runs the landscape commands on an encyclopedia file, with the dialogs
// answered from an answers file, the selection from --select, and a cancel from the command line.
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/KmsoaProcess.h"
#include "support/TempFolder.h"
#include "support/TestEncyclopedia.h"
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class KmsoaLandscapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(km::test::kmsoaProgram())) {
            GTEST_SKIP() << "kmsoa is not built";
        }
        auto encyclopedia = km::test::newEncyclopedia(km::test::Solution::On, m_encyclopedia);
        auto providers = encyclopedia->CreateDefinition("Providers", 625);
        providers->setProperty("Content", "TABULAR 1\n{\nWHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                          "JOIN WHERE RELATION = \"provided by\" JOIN\n"
                                          "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 309\n}\n");
        providers->save();
        auto diagram = encyclopedia->CreateDiagram("Landscape", 140);
        diagram->setProperty("Min Number Of Cols Per Symbol", "2");
        diagram->save();
        // "Billing" holds "Payments" and comes first in the diagram's order.
        place(*diagram->CreateSymbol("Billing", 772), 600, 400, 500, 300);
        place(*diagram->CreateSymbol("Payments", 772), 300, 300, 150, 100);
        for (const char* app : {"Ledger", "Invoicer", "Card Gateway"}) {
            auto definition = encyclopedia->CreateDefinition(app, 309);
            definition->setProperty("Provides Services", app[0] == 'C' ? "Payments" : "Billing");
            definition->save();
        }
        std::ofstream(m_answers) << "form frmLAATemplateSelect: select lstObjects Providers; click OK\n";
    }
    static void place(km::host::ISymbol& symbol, long right, long bottom, long width, long height) {
        symbol.XSize(width);
        symbol.YSize(height);
        symbol.XPos(right);
        symbol.ypos(bottom);
        symbol.save();
    }
    km::test::KmsoaResult kmsoa(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"run", m_encyclopedia});
        return km::test::runProgram(
            km::test::kmsoaProgram(), arguments, {},
            {"KEMORA_CONFIG_DIR=" + m_folder.file("config"), "KEMORA_DATA_DIR=" + m_folder.file("data")});
    }

    km::test::TempFolder m_folder;
    std::string m_encyclopedia = m_folder.file("landscape.kmdb");
    std::string m_answers = m_folder.file("build.answers");
};

TEST_F(KmsoaLandscapeTest, BuildsTheSelectedSymbolsFromTheAnswers) {
    auto outcome = kmsoa({"BuildLandscape", "--diagram", "Landscape", "--select", "Payments", "--answers", m_answers});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr("Creating symbol Card Gateway"));
    EXPECT_THAT(outcome.err, HasSubstr("complete"));
}

TEST_F(KmsoaLandscapeTest, ErrorsLoggedDuringABuildGiveExitCode1) {
    auto outcome = kmsoa({"BuildLandscape", "--diagram", "Landscape", "--select", "Billing", "--select", "Payments",
                          "--answers", m_answers});
    EXPECT_EQ(outcome.exitCode, 1) << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr("There were errors, review the error log."));
}

TEST_F(KmsoaLandscapeTest, ACancelStopsBetweenSymbols) {
    auto outcome = kmsoa({"BuildLandscape", "--diagram", "Landscape", "--select", "Billing", "--answers", m_answers,
                          "--cancel-status-after", "3"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_THAT(outcome.err, HasSubstr("cancel pressed on frmStatus"));
    EXPECT_THAT(outcome.err, Not(HasSubstr("Resizing symbols")));
    auto encyclopedia = km::kemora::Encyclopedia::open(m_encyclopedia);
    auto diagram = encyclopedia->GetFilteredDiagrams("Landscape", 140)->Item(1);
    EXPECT_TRUE(diagram->GetFilteredSymbols("Invoicer", 0)->IsMoreThan(0));
    EXPECT_FALSE(diagram->GetFilteredSymbols("Ledger", 0)->IsMoreThan(0)) << "cancelled before the second symbol";
}

} // namespace
