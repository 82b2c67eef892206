// The roadmap's options dialog: the interval list, the defaults, date alignment and the checks on OK.
#include "roadmap/frmReportServiceRoadmap.h"
#include "addin/basConstantsAndPublicVars.h"
#include "platform/runtime/Date.h"
#include "support/AddinTestBench.h"
#include <gtest/gtest.h>

namespace {

using km::rt::Date;
using km::test::AddinTestBench;
using KM_SLN_SOA::frmReportServiceRoadmap;

Date day(const char* text) {
    return km::rt::CDate(text);
}

TEST(frmReportServiceRoadmapAlignTest, AlignsEachIntervalsDates) {
    struct Case {
        const char* date;
        int interval;
        bool from;
        const char* aligned;
    };
    const Case cases[] = {
        {"2026-03-15", 1, true, "2026-03-15"},  {"2026-03-15", 1, false, "2026-03-15"},
        {"2026-03-15", 2, true, "2026-03-16"},  // a Sunday moves forward to Monday
        {"2026-03-15", 2, false, "2026-03-22"}, // a Sunday's To is the next Sunday
        {"2026-03-18", 3, true, "2026-03-16"},  {"2026-03-18", 3, false, "2026-03-22"},
        {"2026-03-18", 4, true, "2026-03-01"},  {"2026-03-18", 4, false, "2026-03-31"},
        {"2024-02-10", 5, false, "2024-02-29"}, {"2026-04-01", 6, true, "2026-04-01"},
        {"2026-04-01", 6, false, "2026-07-01"}, {"2026-03-31", 6, true, "2026-01-01"},
        {"2026-11-30", 6, false, "2027-01-01"}, {"2026-05-31", 7, true, "2026-01-01"},
        {"2026-06-01", 7, true, "2026-06-01"}, // the half year turns on 1 June
        {"2026-05-31", 7, false, "2026-06-01"}, {"2026-06-01", 7, false, "2027-01-01"},
        {"2026-08-08", 8, true, "2026-01-01"},  {"2026-08-08", 8, false, "2027-01-01"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(frmReportServiceRoadmap::AlignDate(day(c.date), c.interval, c.from), day(c.aligned))
            << c.date << " interval " << c.interval << (c.from ? " from" : " to");
    }
}

class frmReportServiceRoadmapTest : public ::testing::Test {
protected:
    void SetUp() override { bench.initialiseObjects(); }

    /// Shows the dialog with these actions played on it.
    void show(const std::string& actions) {
        bench.ui().addFormScript("frmReportServiceRoadmap", actions);
        dialog.show(km::ui::Modality::Modal);
    }

    AddinTestBench bench;
    frmReportServiceRoadmap dialog{bench.ui()};
};

TEST_F(frmReportServiceRoadmapTest, ListsTheIntervalsWithSixMonthsBeforeQuarterlyAndChosen) {
    dialog.load();
    const std::pair<const char*, int> expected[] = {{"One Day", 1},   {"One Week", 2},   {"Two Weeks", 3},
                                                    {"One Month", 4}, {"Two Months", 5}, {"Six Months", 7},
                                                    {"Quarterly", 6}, {"One Year", 8}};
    ASSERT_EQ(dialog.cboInterval.listCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dialog.cboInterval.list(i), expected[i].first);
        EXPECT_EQ(dialog.cboInterval.itemData(i), expected[i].second);
    }
    EXPECT_EQ(dialog.cboInterval.text(), "Six Months");
    EXPECT_EQ(dialog.dtpFromDate.value(), Date::today());
    EXPECT_EQ(dialog.caption(), "Landscape Manager 11.3.1.3");
    EXPECT_EQ(dialog.cboInterval.toolTipText(), "The time interval each column in the date grid will represent.");
}

TEST_F(frmReportServiceRoadmapTest, OkAlignsTheDatesAndAnswersTheCode) {
    show("date dtpFromDate 2026-04-01; date dtpToDate 2026-04-01; select cboInterval Quarterly; click cmdOK");
    EXPECT_TRUE(dialog.blnOkPressed);
    EXPECT_EQ(dialog.outInterval, 6);
    EXPECT_EQ(dialog.dtFrom, day("2026-04-01"));
    EXPECT_EQ(dialog.dtTo, day("2026-07-01"));
    EXPECT_TRUE(bench.messagePrompts().empty());
}

TEST_F(frmReportServiceRoadmapTest, OneMonthOnOneDayIsAccepted) {
    show("date dtpFromDate 2026-02-10; date dtpToDate 2026-02-10; select cboInterval \"One Month\"; click cmdOK");
    EXPECT_TRUE(dialog.blnOkPressed);
    EXPECT_EQ(dialog.dtFrom, day("2026-02-01"));
    EXPECT_EQ(dialog.dtTo, day("2026-02-28"));
}

TEST_F(frmReportServiceRoadmapTest, RefusesRangesThatDoNotEndAfterTheyStart) {
    const char* cases[] = {
        "select cboInterval \"One Day\"; click cmdOK", // both pickers on today
        "date dtpFromDate 2026-05-01; date dtpToDate 2026-04-01; select cboInterval \"One Week\"; click cmdOK",
        // The end of the range would lie after the year 9999.
        "date dtpFromDate 9999-01-01; date dtpToDate 9999-11-15; select cboInterval Quarterly; click cmdOK",
        "date dtpFromDate 9999-01-01; date dtpToDate 9999-11-15; select cboInterval \"One Year\"; click cmdOK",
        "date dtpFromDate 9999-01-01; date dtpToDate 9999-07-15; select cboInterval \"Six Months\"; click cmdOK",
    };
    for (const char* actions : cases) {
        SCOPED_TRACE(actions);
        std::size_t before = bench.messagePrompts().size();
        show(actions);
        EXPECT_FALSE(dialog.blnOkPressed);
        ASSERT_EQ(bench.messagePrompts().size(), before + 1);
        EXPECT_EQ(bench.messagePrompts().back(), "You must specify a 'To date' after the 'From date'");
    }
}

TEST_F(frmReportServiceRoadmapTest, RefusesATypedIntervalThatIsNoEntry) {
    for (const char* typed : {"Fortnightly", "", "six months"}) {
        SCOPED_TRACE(typed);
        std::size_t before = bench.messagePrompts().size();
        show(std::string("type cboInterval \"") + typed + "\"; click cmdOK");
        EXPECT_FALSE(dialog.blnOkPressed);
        ASSERT_EQ(bench.messagePrompts().size(), before + 1);
        EXPECT_EQ(bench.messagePrompts().back(), "You must choose an 'Interval for columns' from the list");
    }
    show("type cboInterval \"One Year\"; click cmdOK");
    EXPECT_TRUE(dialog.blnOkPressed) << "typing an entry's exact text chooses it";
    EXPECT_EQ(dialog.outInterval, 8);
}

TEST_F(frmReportServiceRoadmapTest, HelpOpensTheRoadmapTopic) {
    show("click cmdHelp; click cmdCancel");
    EXPECT_FALSE(dialog.blnOkPressed);
    EXPECT_NE(bench.ui().lastHelp().find("topic 999854"), std::string::npos) << bench.ui().lastHelp();
}

} // namespace
