// The analytic selector, opened through the facade and driven as a user drives it.
#include "analytics/frmAnalyticSelector2.h"
#include "AnalyticsBench.h"
#include "analytics/clsAnalyticMgr.h"

namespace {

using km::rt::Long;
using km::test::CommandScope;
using km::test::redColour;
using km::test::whiteColour;
namespace addin = KM_SLN_SOA;

constexpr Long blue = 16711680;

class SelectorTest : public km::test::AnalyticsTest {
protected:
    SelectorTest() {
        application("Ledger", {{"Version", "9.5"}});
        application("Payroll", {{"Version", "10"}});
        createSimple("Old", "Version", "<", "10", redColour);
        createSimple("New ones", "Version", ">=", "10", blue);
    }
    void createSimple(const std::string& name, const std::string& property, const std::string& op,
                      const std::string& value, Long colour) {
        CommandScope command(bench);
        addin::clsAnalyticMgr().CreateSimpleAnalytic(name, "Application", property, op, value, colour);
    }
    /// Opens the selector as the AnalyticExecutor command does; nullptr when it did not stay open.
    addin::frmAnalyticSelector2* open() {
        bench.run("AnalyticExecutor");
        return dynamic_cast<addin::frmAnalyticSelector2*>(bench.ui().findForm("frmAnalyticSelector2"));
    }
    static std::vector<std::string> entries(const km::ui::ListBox& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.listCount(); ++i) {
            texts.push_back(list.list(i) + (list.checked(i) ? " [x]" : ""));
        }
        return texts;
    }
    /// The diagram's "Analytics To Run" as stored now.
    std::string storedList() {
        return bench.encyclopedia().getdiagrambyid(diagram->ddid())->GetProperty("Analytics To Run");
    }
    static void check(addin::frmAnalyticSelector2& window, const std::string& name, bool on) {
        window.lstAvailableAnalytics.setChecked(window.lstAvailableAnalytics.findItem(name), on);
    }
};

TEST_F(SelectorTest, WithoutADiagramItSaysSoAndStaysClosed) {
    km::test::AddinTestBench empty(km::test::Solution::On);
    empty.run("AnalyticExecutor");
    EXPECT_EQ(empty.messagePrompts(), std::vector<std::string>{"No diagram is open. Open a diagram and try again."});
    EXPECT_EQ(empty.ui().findForm("frmAnalyticSelector2"), nullptr);
    EXPECT_EQ(addin::goApp, nullptr);
}

TEST_F(SelectorTest, LoadingListsTheDiagramsAnalyticsInOrderAndRunsNothing) {
    diagram->setProperty("Analytics To Run", "\"New ones\"\r\nOld\r\n");
    diagram->save();
    auto* window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->caption(), "Analytic Helper Tool 11.3.1.3");
    // Over the main window (1280 by 800 pixels at 96 per inch): centred, bottom edges aligned.
    EXPECT_EQ(window->left(), 1280 * 15 / 2 - window->width() / 2);
    EXPECT_EQ(window->top(), 800 * 15 - window->height());
    EXPECT_EQ(entries(window->lstAvailableAnalytics), (std::vector<std::string>{"New ones [x]", "Old [x]"}));
    EXPECT_EQ(entries(window->lstSelectedAnalystics), (std::vector<std::string>{"New ones", "Old"}));
    EXPECT_FALSE(window->mblnChanged);
    EXPECT_EQ(colourOf("Ledger"), whiteColour);
    EXPECT_EQ(colourOf("Payroll"), whiteColour);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(SelectorTest, CheckingRunsAndAppendsUncheckingKeepsTheColours) {
    auto* window = open();
    ASSERT_NE(window, nullptr);
    check(*window, "Old", true);
    EXPECT_EQ(colourOf("Ledger"), redColour);
    EXPECT_EQ(entries(window->lstSelectedAnalystics), std::vector<std::string>{"Old"});
    EXPECT_TRUE(window->mblnChanged);
    EXPECT_TRUE(window->enabled());
    EXPECT_EQ(window->lblStatus.caption(), "");
    window->lstSelectedAnalystics.clickItem(0);
    window->lstSelectedAnalystics.dblClick();
    EXPECT_TRUE(entries(window->lstSelectedAnalystics).empty());
    EXPECT_EQ(entries(window->lstAvailableAnalytics), (std::vector<std::string>{"New ones", "Old"}));
    EXPECT_EQ(colourOf("Ledger"), redColour);
}

TEST_F(SelectorTest, TopUpAndBottomDownDoNothingOtherMovesDo) {
    diagram->setProperty("Analytics To Run", "Old\r\n\"New ones\"\r\n");
    diagram->save();
    auto* window = open();
    ASSERT_NE(window, nullptr);
    auto& list = window->lstSelectedAnalystics;
    list.clickItem(0);
    window->spnMoveUpDown.up();
    list.setListIndex(1);
    window->spnMoveUpDown.down();
    EXPECT_FALSE(window->mblnChanged);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"Old", "New ones"}));
    window->spnMoveUpDown.up();
    EXPECT_TRUE(window->mblnChanged);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"New ones", "Old"}));
    EXPECT_EQ(list.firstSelected(), 0);
}

TEST_F(SelectorTest, ClosingAfterAChangeAsksAndYesStoresTheListWithoutRunning) {
    struct Case {
        int answer;
        std::string stored;
    };
    for (const Case& c : {Case{7, "Old\r\nNew ones\r\n"}, Case{6, "New ones\r\nOld\r\n"}}) {
        SCOPED_TRACE(c.answer);
        diagram->setProperty("Analytics To Run", "Old\r\n\"New ones\"\r\n");
        diagram->save();
        auto* window = open();
        ASSERT_NE(window, nullptr);
        window->lstSelectedAnalystics.clickItem(1);
        window->spnMoveUpDown.up();
        bench.ui().answerMessage(c.answer);
        window->cmdClose.click();
        EXPECT_EQ(prompts().back(), "Store these analytics as the default set for this diagram?");
        EXPECT_EQ(storedList(), c.stored);
        EXPECT_EQ(colourOf("Payroll"), whiteColour);
        EXPECT_EQ(colourOf("Ledger"), whiteColour);
        bench.ui().runUntilAllClosed();
    }
}

TEST_F(SelectorTest, ApplyWorksAfterAnotherCommandReleasedTheSharedObjects) {
    auto* window = open();
    ASSERT_NE(window, nullptr);
    check(*window, "Old", true);
    bench.run("ClearAnalytics");
    EXPECT_EQ(addin::goStatusMgr, nullptr);
    window->cmdApply.click();
    EXPECT_EQ(colourOf("Ledger"), redColour);
    EXPECT_EQ(storedList(), "Old\r\n");
    EXPECT_FALSE(window->mblnChanged);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(SelectorTest, UnloadLeavesTheObjectsOfACommandRunningMeanwhile) {
    auto* window = open();
    ASSERT_NE(window, nullptr);
    bench.run("ClearAnalytics");
    bench.initialiseObjects();
    auto statusMgr = addin::goStatusMgr;
    window->cmdClose.click();
    EXPECT_EQ(addin::goStatusMgr, statusMgr);
    bench.destroyObjects();
}

TEST_F(SelectorTest, ClearTakesTheColoursAwayAndKeepsTheLists) {
    auto* window = open();
    ASSERT_NE(window, nullptr);
    check(*window, "Old", true);
    window->cmdClear.click();
    EXPECT_EQ(entries(window->lstSelectedAnalystics), std::vector<std::string>{"Old"});
    EXPECT_TRUE(window->enabled());
    EXPECT_EQ(window->lblStatus.caption(), "");
    EXPECT_EQ(bench.ui().mousePointer(), km::ui::MousePointer::Default);
}

} // namespace
