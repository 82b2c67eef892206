// `kmsoa run ENCY RunReportServiceRoadmap` end to end: the dialog answered from an answers file,
// the workbook written where -o says, the viewer started, rules problems ending with exit code 1.
#include "RoadmapModel.h"
#include "support/KmsoaProcess.h"
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace km::test::roadmap;
using km::test::AddinTestBench;
using km::test::runKmsoa;

class RoadmapCommandTest : public ::testing::Test {
protected:
    std::string ency() { return bench.encyclopedia().FullName(); }
    std::string answers() {
        return bench.folder().write("roadmap.answers",
                                    "msgbox yes\nform frmReportServiceRoadmap: date dtpFromDate 2026-01-01; "
                                    "date dtpToDate 2026-12-31; select cboInterval Quarterly; click cmdOK\n");
    }

    AddinTestBench bench{km::test::Solution::On};
};

TEST_F(RoadmapCommandTest, WritesTheWorkbookWhereAskedAndOpensItWithTheViewer) {
    load(bench, component("Billing", {"Invoicing"}) + application("Ledger", "", "", {"Invoicing"}));
    std::string workbook = bench.folder().file("out.xlsx");
    std::string viewed = bench.folder().file("viewed.xlsx");
    auto result = runKmsoa({"run", ency(), "RunReportServiceRoadmap", "--answers", answers(), "-o", workbook}, {},
                           {"KEMORA_SPREADSHEET_VIEWER=cp {file} " + viewed});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Workbook: " + workbook), std::string::npos) << result.out;
    EXPECT_TRUE(std::filesystem::exists(workbook));
    for (int i = 0; i < 100 && !std::filesystem::exists(viewed); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(std::filesystem::exists(viewed)) << "the viewer runs on the written file";
}

TEST_F(RoadmapCommandTest, RulesProblemsEndTheCommandWithExitCodeOne) {
    load(bench, component("Billing", {"Invoicing"}) +
                    project("Same Day", "2026-05-01", "2026-05-01", {{"Flat", "", "", {}, {}, {}}}));
    std::string workbook = bench.folder().file("out.xlsx");
    auto result = runKmsoa({"run", ency(), "RunReportServiceRoadmap", "--answers", answers(), "-o", workbook}, {},
                           {"KEMORA_SPREADSHEET_VIEWER="});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("There were errors, review the error log."), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::exists(workbook)) << "the user chose to go on";
}

} // namespace
