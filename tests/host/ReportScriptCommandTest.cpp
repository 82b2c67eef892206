// End-to-end: kmsoa report prepares a script through the add-in library and runs it.
#include "host/IDefinition.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/KmsoaProcess.h"
#include "support/TempFolder.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sstream>
#include <sys/wait.h>

namespace {

using km::test::TempFolder;

const std::string kmsoaPath = km::test::kmsoaProgram();

using Outcome = km::test::KmsoaResult;

class ReportScriptCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kmsoaPath) ||
            !std::filesystem::exists(std::string(KM_OUTPUT_DIR) + "/libkm_sln_soa.so")) {
            GTEST_SKIP() << "kmsoa or the add-in library is not built";
        }
        auto encyclopedia = km::kemora::Encyclopedia::create(m_encyclopedia);
        m_ledger = encyclopedia->CreateDefinition("Ledger", 309)->ddid();
        m_plan = encyclopedia->CreateDefinition("Plan A", 624)->ddid();
        auto plan = encyclopedia->getdefinitionbyid(m_plan);
        plan->setProperty("Application", "Ledger");
        plan->save();
    }

    Outcome report(const std::string& script, const std::vector<std::string>& options = {}) {
        std::ofstream(m_folder.file("script.rpt"), std::ios::binary) << script;
        std::vector<std::string> arguments{"report", m_encyclopedia, m_folder.file("script.rpt")};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return km::test::runKmsoa(
            arguments, {},
            {"KEMORA_CONFIG_DIR=" + m_folder.file("config"), "KEMORA_DATA_DIR=" + m_folder.file("data")});
    }

    TempFolder m_folder;
    std::string m_encyclopedia = m_folder.file("model.kmdb");
    km::rt::Long m_ledger = 0;
    km::rt::Long m_plan = 0;
};

// As stored in a template: header, page size, closing braces on their own lines.
const std::string storedScript = "REPORT \"\" ID 7 {\n"
                                 "SETTING { PAGESIZE -1\", 0.00 } \n"
                                 "TABULAR 1\n"
                                 "{\n"
                                 "SELECT \"Name\" WHERE \"Identity\" = #DDIDS#\n"
                                 "JOIN WHERE RELATION = \"changes\" JOIN\n"
                                 "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 309\n"
                                 "}\n"
                                 "}\n";

TEST_F(ReportScriptCommandTest, PrintsTheResultOfTheScriptForTheGivenObject) {
    Outcome outcome = report(storedScript, {"--ddid", std::to_string(m_plan)});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    pugi::xml_document result;
    ASSERT_TRUE(result.load_string(outcome.out.c_str())) << outcome.out;
    pugi::xpath_node_set plans = result.select_nodes("KMReport/KMLevel/KMItem");
    ASSERT_EQ(plans.size(), 1u);
    EXPECT_EQ(std::string(plans[0].node().attribute("Name").value()), "Plan A");
    pugi::xml_node ledger = plans[0].node().select_node("KMLevel/KMItem").node();
    EXPECT_EQ(std::string(ledger.attribute("Name").value()), "Ledger");
    EXPECT_EQ(ledger.select_node("KMProperty[@KMPrpName='KMTargetID']").node().attribute("KMPrpValue").as_int(),
              m_ledger);
}

TEST_F(ReportScriptCommandTest, PreparedShowsTheScriptAsTheAddinHandsItOn) {
    Outcome outcome = report(storedScript, {"--prepared", "--ddid", "42"});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "SETTING { DECIMALSEPARATOR \".\" } \n"
                           "SETTING { LISTSEPARATOR \",\" } \n"
                           "SETTING { MEASUREMENT English } \n"
                           "\nTABULAR 1"
                           "\n{"
                           "\nSELECT \"Name\" WHERE \"Identity\" = 42"
                           "\nJOIN WHERE RELATION = \"changes\" JOIN"
                           "\nSELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 309"
                           "\n}\n");
}

// Editors put a byte-order mark before a file; it is no part of the script, so the first line's
// setting must survive preparation as it does without the mark.
TEST_F(ReportScriptCommandTest, AByteOrderMarkBeforeTheScriptIsDropped) {
    const std::string script = "SETTING { MEASUREMENT Metric } \nTABULAR 1\n{\nSELECT \"Name\" WHERE \"Identity\" = " +
                               std::to_string(m_plan) + "\n}\n";
    Outcome plain = report(script, {"--prepared"});
    Outcome marked = report("\xEF\xBB\xBF" + script, {"--prepared"});
    ASSERT_EQ(marked.exitCode, 0) << marked.err;
    EXPECT_NE(plain.out.find("MEASUREMENT Metric"), std::string::npos) << plain.out;
    EXPECT_EQ(marked.out, plain.out);
    Outcome run = report("\xEF\xBB\xBF" + script);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, report(script).out);
}

TEST_F(ReportScriptCommandTest, TheParameterPlaceholderIsReplacedToo) {
    Outcome outcome = report("TABULAR 1\n{\nWHERE \"Identity\" = #PARAMETER1#\n", {"--parameter", "9", "--prepared"});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("WHERE \"Identity\" = 9\n}"), std::string::npos) << outcome.out;
}

TEST_F(ReportScriptCommandTest, AScriptThatDoesNotParseFailsWithItsPlace) {
    Outcome outcome = report(storedScript);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(outcome.out.empty()) << outcome.out;
    EXPECT_NE(outcome.err.find("kmsoa report: script:7:"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("#DDIDS#"), std::string::npos) << outcome.err;
}

TEST_F(ReportScriptCommandTest, AMissingEncyclopediaFails) {
    std::filesystem::remove(m_encyclopedia);
    Outcome outcome = report("TABULAR 1\n{\n");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("kmsoa report:"), std::string::npos) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(m_encyclopedia)) << "nothing is created";
}

} // namespace
