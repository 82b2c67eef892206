// The service roadmap run end to end: rules check, dialog, grid and worksheet, on small models
// imported into a real encyclopedia, with the dialog answered by the scripted front end.
#include "roadmap/clsReportServiceRoadmap.h"
#include "RoadmapModel.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "host/IHostServices.h"
#include "platform/excel/ExcelBorder.h"
#include "platform/excel/ExcelComment.h"
#include "platform/excel/ExcelInterior.h"
#include "platform/excel/ExcelRange.h"
#include "platform/kemora/services/HostServices.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBoxStyle.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace KM_SLN_SOA {

class clsReportServiceRoadmapTestPeer {
public:
    void SetInterval(km::rt::Long code) { m_roadmap.SetInterval(code); }
    km::rt::Date PeriodStart(km::rt::Date from, km::rt::Long k) const { return m_roadmap.PeriodStart(from, k); }

private:
    clsReportServiceRoadmap m_roadmap;
};

} // namespace KM_SLN_SOA

namespace {

using namespace km::test::roadmap;
using km::excel::ExcelWorksheet;
using km::test::AddinTestBench;
using km::test::Solution;

constexpr const char* startFailure =
    "Could not start Microsoft Excel. Check you have a licensed copy correctly installed.\r\n";

class RoadmapTest : public ::testing::Test {
protected:
    void SetUp() override { bench.workbench().setWorkbookPath(bench.folder().file("roadmap.xlsx")); }

    void run(const std::string& from, const std::string& to, const std::string& interval) {
        answerDialog(bench, from, to, interval);
        bench.run("RunReportServiceRoadmap");
    }
    ExcelWorksheet& sheet() { return sheetOf(bench); }
    std::string text(long row, long column) { return sheet().Cells(row, column).Text(); }
    int fill(long row, long column) { return sheet().Cells(row, column).Interior().ColorIndex(); }
    std::string comment(long row, long column) {
        auto* found = sheet().Cells(row, column).Comment();
        return found ? found->Text() : "<none>";
    }
    std::string lastStatus() {
        const auto& lines = bench.ui().hostStatusLines();
        return lines.empty() ? "<none>" : lines.back();
    }
    bool fileWritten() { return std::filesystem::exists(bench.folder().file("roadmap.xlsx")); }

    AddinTestBench bench{Solution::On};
};

TEST_F(RoadmapTest, AOnePeriodRangeGivesTwoHeadingColumnsAndLifeSpansDecideTheCells) {
    load(bench, component("Billing", {"Invoicing"}) + application("Ledger", "", "", {"Invoicing"}) +
                    application("Old Ledger", "2001-01-01", "2005-12-31", {"Invoicing"}) +
                    application("Fresh", "2026-04-01", "", {"Invoicing"}));
    run("2026-03-10", "2026-03-20", "One Month");

    EXPECT_EQ(text(1, 1), "Service Roadmap Report");
    EXPECT_EQ(text(3, 1), "Service Component");
    EXPECT_EQ(text(3, 2), "Service");
    EXPECT_EQ(text(3, 3), "2026-03-01");
    EXPECT_EQ(text(3, 4), "2026-04-01") << "the next period's start, after To, ends the heading";
    EXPECT_EQ(text(3, 5), "");
    // Applications under a service come in name order: Fresh, Ledger, Old Ledger.
    EXPECT_EQ(text(4, 1), "Billing");
    EXPECT_EQ(text(4, 2), "Invoicing");
    EXPECT_EQ(text(4, 3), "Fresh") << "commissioned on the period's end: drawn in the period ending then";
    EXPECT_EQ(text(4, 4), "Fresh");
    EXPECT_EQ(text(5, 3), "Ledger") << "no dates: live in every column";
    EXPECT_EQ(text(5, 4), "Ledger");
    EXPECT_EQ(fill(5, 3), 15);
    EXPECT_EQ(comment(5, 3), "<none>");
    EXPECT_EQ(text(6, 3), "") << "a life span before the grid leaves an empty row";
    EXPECT_EQ(text(6, 4), "");
    EXPECT_EQ(sheet().Rows(6).Cells(1, 1).Borders(km::excel::xl::EdgeTop).line().weight, km::excel::xl::Thin);
    EXPECT_EQ(text(7, 1), "");
    EXPECT_TRUE(bench.messagePrompts().empty());
    EXPECT_TRUE(fileWritten());
    EXPECT_EQ(bench.workbench().lastWorkbook, "Workbook: " + bench.folder().file("roadmap.xlsx"));
    EXPECT_EQ(lastStatus(), "Complete.");
}

TEST_F(RoadmapTest, ApplicationsAddedByAPlanStartOnTheServicesOwnRowAndRunToTheHorizon) {
    load(bench, component("Payments", {"Card Payments"}) + application("PayHub", "", "", {}) +
                    application("PayLite", "", "", {}) +
                    project("Pay Project", "", "",
                            {{"Pay Go-Live", "2026-02-01", "2026-05-15", {"PayHub"}, {"Card Payments"}, {}},
                             {"Pay Pilot", "", "", {"PayLite"}, {"Card Payments"}, {}}}));
    run("2026-01-01", "2026-06-30", "One Month");

    // Columns: January (3) to July (9).
    EXPECT_EQ(text(3, 9), "2026-07-01");
    EXPECT_EQ(text(4, 2), "Card Payments");
    EXPECT_EQ(text(4, 3), "") << "the plan starts at January's end";
    struct Expected {
        long column;
        int fill;
        std::string comment;
    };
    for (const Expected& cell : std::vector<Expected>{{4, 44, "Projects:\nPay Project"},
                                                      {6, 44, "Projects:\nPay Project"},
                                                      {7, 4, "Projects:\nPay Project"},
                                                      {8, 15, "<none>"},
                                                      {9, 15, "<none>"}}) {
        SCOPED_TRACE(cell.column);
        EXPECT_EQ(text(4, cell.column), "PayHub");
        EXPECT_EQ(fill(4, cell.column), cell.fill);
        EXPECT_EQ(comment(4, cell.column), cell.comment);
    }
    // A plan without dates still takes its row, which stays empty.
    EXPECT_EQ(sheet().Cells(5, 3).Borders(km::excel::xl::EdgeTop).line().weight, km::excel::xl::Thin);
    for (long column = 1; column <= 9; ++column) {
        EXPECT_EQ(text(5, column), "");
    }
    EXPECT_EQ(sheet().rows().size(), 5u);
}

TEST_F(RoadmapTest, RemovalStateDoesNotDependOnTheOrderOfPlans) {
    load(bench, component("Fleet", {"Tracking"}) + application("GPS Classic", "", "", {"Tracking"}) +
                    project("Retirement Project", "", "",
                            {{"Retire GPS", "2026-02-01", "2026-02-20", {"GPS Classic"}, {}, {"Tracking"}}}) +
                    project("Switch-off Project", "", "",
                            {{"Switch Off", "2026-03-15", "2026-06-30", {"GPS Classic"}, {}, {"Tracking"}}}));
    run("2026-01-01", "2026-03-31", "One Month");

    EXPECT_EQ(text(4, 3), "GPS Classic") << "a removal starting exactly at January's end leaves January alone";
    EXPECT_EQ(fill(4, 3), 15);
    EXPECT_EQ(comment(4, 3), "<none>");
    EXPECT_EQ(text(4, 4), "") << "removed in February; the later plan must not bring it back";
    EXPECT_EQ(text(4, 5), "GPS Classic");
    EXPECT_EQ(fill(4, 5), 44);
    EXPECT_EQ(comment(4, 5), "Projects:\nRetirement Project\r\nSwitch-off Project");
}

TEST(clsReportServiceRoadmapPeriodTest, PeriodsCountFromTheFromDateSoMonthEndsDoNotDrift) {
    KM_SLN_SOA::clsReportServiceRoadmapTestPeer roadmap;
    auto from = km::rt::Date::fromYmd(2024, 1, 31);
    EXPECT_THROW(roadmap.PeriodStart(from, 1), km::rt::RuntimeError) << "no interval chosen: no zero-width periods";
    roadmap.SetInterval(4);
    EXPECT_EQ(roadmap.PeriodStart(from, 1), km::rt::Date::fromYmd(2024, 2, 29));
    EXPECT_EQ(roadmap.PeriodStart(from, 2), km::rt::Date::fromYmd(2024, 3, 31)) << "not 29 March";
    roadmap.SetInterval(9);
    EXPECT_EQ(roadmap.PeriodStart(from, 3), km::rt::Date::fromYmd(2024, 4, 30))
        << "a code outside 1..8 changes nothing";
    roadmap.SetInterval(3);
    EXPECT_EQ(roadmap.PeriodStart(from, 1), km::rt::Date::fromYmd(2024, 2, 14));
}

std::string rulesModel() {
    return project("Same Day", "2026-05-01", "2026-05-01", {{"Flat", "2026-05-01", "2026-05-01", {}, {}, {}}}) +
           project("Undated", "", "", {{"Early", "2026-06-01", "2026-05-01", {}, {}, {}}}) +
           project("Window", "2026-01-01", "2026-12-31", {{"Outside", "2025-12-01", "2027-01-31", {}, {}, {}}});
}

TEST_F(RoadmapTest, RulesProblemsGoToTheErrorLogAndTheCommandSaysSo) {
    load(bench, rulesModel());
    bench.ui().answerMessage(km::ui::answer::yes);
    bench.run("RunReportServiceRoadmap"); // the dialog has no script: it is closed, a cancel

    ASSERT_EQ(bench.messagePrompts().size(), 2u);
    EXPECT_EQ(bench.messagePrompts()[0], "There were rules inconsistencies. The report may be innacurate. Continue?");
    EXPECT_EQ(bench.messagePrompts()[1], "There were errors, review the error log.");
    std::string log = bench.traceText("Error Log");
    for (const char* line :
         {"Project \"Same Day\" has start date (2026-05-01) after end date (2026-05-01)",
          "Service Plan \"Flat\" in Project \"Same Day\" has start date (2026-05-01) after end date (2026-05-01)",
          "Service Plan \"Early\" in Project \"Undated\" has start date (2026-06-01) after end date (2026-05-01)",
          "Service Plan \"Outside\" in Project \"Window\" has start date (2025-12-01) before project start date "
          "(2026-01-01)",
          "Service Plan \"Outside\" in Project \"Window\" has end date (2027-01-31) after project end date "
          "(2026-12-31)"}) {
        EXPECT_NE(log.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(log.find("Undated"), log.rfind("Undated")) << "an undated project is not checked, only its plan";
    EXPECT_EQ(lastStatus(), "Cancelled.");
    EXPECT_FALSE(bench.workbench().lastSpreadsheet);
}

TEST_F(RoadmapTest, ASilencedRulesPromptEndsTheRunBeforeTheDialog) {
    load(bench, rulesModel());
    bench.initialiseObjects();
    KM_SLN_SOA::goStatusMgr->blnSilent(true);
    KM_SLN_SOA::clsReportServiceRoadmap().RunReport();
    EXPECT_TRUE(bench.ui().formsShown().empty() || bench.ui().formsShown().back().name != "frmReportServiceRoadmap");
    EXPECT_FALSE(bench.workbench().lastSpreadsheet);
}

TEST_F(RoadmapTest, ACancelledRunStillShowsTheSheetAndSaysCancelled) {
    load(bench, component("Billing", {"Invoicing", "Dunning"}) + application("Ledger", "", "", {"Invoicing"}));
    bench.ui().cancelStatusAfter(1);
    run("2026-01-01", "2026-12-31", "Quarterly");
    EXPECT_TRUE(fileWritten());
    EXPECT_EQ(lastStatus(), "Cancelled.");
}

TEST_F(RoadmapTest, AHeadingWiderThanTheSheetShowsOneErrorAndSkipsTheGrid) {
    load(bench, component("Billing", {"Invoicing", "Dunning"}) + application("Ledger", "", "", {"Invoicing"}) +
                    application("Dunner", "", "", {"Dunning"}));
    run("2000-01-01", "2099-12-31", "One Day");

    ASSERT_EQ(bench.messagePrompts().size(), 1u);
    EXPECT_EQ(bench.messagePrompts()[0].rfind("An error occurred:\r\n", 0), 0u) << bench.messagePrompts()[0];
    EXPECT_EQ(text(4, 1), "") << "no grid rows";
    EXPECT_EQ(text(1, 1), "Service Roadmap Report") << "the sheet is still finished";
    EXPECT_TRUE(fileWritten());
}

TEST_F(RoadmapTest, AWorkbookThatCannotBeWrittenStopsTheStartAndLeavesNothing) {
    load(bench, component("Billing", {"Invoicing"}));
    bench.workbench().setWorkbookPath(bench.folder().file("missing/roadmap.xlsx"));
    run("2026-01-01", "2026-12-31", "Quarterly");

    ASSERT_EQ(bench.messagePrompts().size(), 1u);
    EXPECT_EQ(bench.messagePrompts()[0].rfind(startFailure, 0), 0u) << bench.messagePrompts()[0];
    EXPECT_FALSE(std::filesystem::exists(bench.folder().file("missing")));
}

// The workbench's spreadsheet, except that its window cannot be minimised: the start fails after
// the workbook exists.
class WindowlessExcel : public km::excel::IExcelApplication {
public:
    explicit WindowlessExcel(std::shared_ptr<km::excel::ExcelApplication> inner) : m_inner(std::move(inner)) {}
    km::excel::ExcelWorkbooks& Workbooks() override { return m_inner->Workbooks(); }
    bool Visible() const override { return m_inner->Visible(); }
    void Visible(bool visible) override { m_inner->Visible(visible); }
    int WindowState() const override { return m_inner->WindowState(); }
    void WindowState(int) override { throw km::rt::RuntimeError(1004, "The window cannot be minimised"); }
    void Quit() override { m_inner->Quit(); }

private:
    std::shared_ptr<km::excel::ExcelApplication> m_inner;
};

class WindowlessServices : public km::kemora::HostServices {
public:
    std::shared_ptr<km::excel::IExcelApplication> CreateExcel() override {
        HostServices::CreateExcel();
        return std::make_shared<WindowlessExcel>(m_workbench.lastSpreadsheet);
    }
    explicit WindowlessServices(km::kemora::Workbench& workbench) : HostServices(workbench), m_workbench(workbench) {}

private:
    km::kemora::Workbench& m_workbench;
};

TEST_F(RoadmapTest, AStartThatFailsAfterTheWorkbookExistsReleasesIt) {
    load(bench, component("Billing", {"Invoicing"}));
    WindowlessServices services(bench.workbench());
    KM_SLN_SOA::SetHostServices(&services);
    run("2026-01-01", "2026-12-31", "Quarterly");
    KM_SLN_SOA::SetHostServices(&bench.services());

    ASSERT_EQ(bench.messagePrompts().size(), 1u);
    EXPECT_EQ(bench.messagePrompts()[0], std::string(startFailure) + "The window cannot be minimised");
    EXPECT_EQ(bench.workbench().lastSpreadsheet->Workbooks().Count(), 0);
    EXPECT_TRUE(bench.workbench().lastWorkbook.empty());
    EXPECT_FALSE(fileWritten());
}

TEST_F(RoadmapTest, TheSampleModelGivesAFullRoadmap) {
    bench.encyclopedia().setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay.xml", false, false);
    run("2025-01-01", "2028-12-31", "Quarterly");

    EXPECT_TRUE(bench.messagePrompts().empty());
    EXPECT_EQ(text(3, 3), "2025-01-01");
    EXPECT_EQ(text(3, 19), "2029-01-01");
    EXPECT_GT(sheet().rows().size(), 40u);
    EXPECT_FALSE(sheet().comments().empty()) << "plans under way carry their projects";
    EXPECT_TRUE(fileWritten());
}

} // namespace
