#include "addin/clsStatusMgr.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsDisplay.h"
#include "addin/frmStatus.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/ui/MessageBoxStyle.h"
#include "support/AddinTestBench.h"
#include <gtest/gtest.h>

namespace {

using km::test::AddinTestBench;
namespace addin = KM_SLN_SOA;

constexpr const char* errorsMessage = "There were errors, review the error log.";

TEST(clsStatusMgrTest, SilentMessageBoxesShowNothingButTheHostStatusBarIsStillWritten) {
    AddinTestBench bench;
    bench.initialiseObjects();
    addin::goStatusMgr->blnSilent(true);
    EXPECT_EQ(addin::goStatusMgr->KMMsgBox("Really?", 4, std::string("Kemora for SOA")), 0);
    EXPECT_TRUE(addin::goStatusMgr->SetStatus("Sizing Billing"));
    EXPECT_TRUE(bench.ui().messages().empty());
    ASSERT_FALSE(bench.workbench().statusLines().empty());
    EXPECT_EQ(bench.workbench().statusLines().back(), "Sizing Billing");
}

TEST(clsStatusMgrTest, MessageBoxShowsExactlyWhatItIsGiven) {
    AddinTestBench bench;
    bench.initialiseObjects();
    bench.ui().answerMessage(km::ui::answer::no);
    EXPECT_EQ(addin::goStatusMgr->KMMsgBox("Replace it?", 4 + 32, std::string("Nested Hierarchy Builder")),
              km::ui::answer::no);
    const auto& shown = bench.ui().lastMessage();
    EXPECT_EQ(shown.prompt, "Replace it?");
    EXPECT_EQ(shown.style, 36);
    EXPECT_EQ(shown.title, "Nested Hierarchy Builder");
}

TEST(clsStatusMgrTest, CancelStopsTheCommandForGoodAndFreezesTheMessageLine) {
    AddinTestBench bench;
    bench.initialiseObjects();
    addin::goStatusMgr->ShowStatus();
    bench.ui().cancelStatusAfter(2);
    EXPECT_TRUE(addin::goStatusMgr->SetStatus("one"));
    EXPECT_FALSE(addin::goStatusMgr->SetStatus("two")) << "Cancel is pressed while the second line is shown";
    EXPECT_FALSE(addin::goStatusMgr->SetStatus("three"));
    EXPECT_TRUE(addin::goStatusMgr->Cancelled());
    EXPECT_EQ(addin::goStatusMgr->StatusWindow()->lblStatus.caption(), "two");
    EXPECT_EQ(bench.ui().statusLines(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(bench.workbench().statusLines().back(), "three") << "the host status bar is still written";

    addin::goStatusMgr->Cancelled(false);
    EXPECT_FALSE(addin::goStatusMgr->SetStatus("four")) << "the window's own flag stays set";
}

TEST(clsStatusMgrTest, StatusWindowTakesTheLibraryCaptionWhenItLoads) {
    AddinTestBench bench;
    bench.folder().write("kmxres.txt", "1 Error:\n8 Stop now\n");
    addin::SetLibraryFolder(bench.folder().path());
    bench.initialiseObjects();
    addin::frmStatus& window = *addin::goStatusMgr->StatusWindow();
    EXPECT_FALSE(window.isLoaded()) << "created with the object, but neither loaded nor shown";
    addin::goStatusMgr->ShowStatus();
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(window.caption(), "Kemora for SOA 11.3.1.3");
    EXPECT_EQ(window.cmdCancel.caption(), "Stop now") << "localised string 8";
    addin::goStatusMgr->HideStatus();
    EXPECT_FALSE(window.visible());
    EXPECT_TRUE(window.isLoaded());
}

TEST(clsStatusMgrTest, ReleaseShowsTheErrorMessageOnceThenWritesTheErrorLog) {
    AddinTestBench bench;
    bench.initialiseObjects();
    addin::goStatusMgr->ShowStatus();
    addin::goStatusMgr->LogError("Billing could not be sized");
    addin::goStatusMgr->LogError("Payroll could not be sized");
    bench.destroyObjects();

    ASSERT_EQ(bench.ui().messages().size(), 1u);
    EXPECT_EQ(bench.ui().lastMessage().prompt, errorsMessage);
    EXPECT_EQ(bench.ui().lastMessage().style, 16);
    EXPECT_EQ(bench.ui().lastMessage().title, "Kemora for SOA");
    EXPECT_EQ(bench.logCount("Error Log"), 1u);
    EXPECT_EQ(bench.traceText("Error Log"),
              "ERROR LOG\r\n\tBilling could not be sized\r\nPayroll could not be sized\r\n\r\n");
    EXPECT_EQ(bench.ui().findForm("frmStatus"), nullptr) << "the status window is unloaded";
    EXPECT_FALSE(bench.workbench().traceLog().logs().back().open) << "the error log is stopped";
}

TEST(clsStatusMgrTest, ReleaseWithoutErrorsShowsNothing) {
    AddinTestBench bench;
    bench.initialiseObjects();
    bench.destroyObjects();
    EXPECT_TRUE(bench.ui().messages().empty());
    EXPECT_EQ(bench.logCount("Error Log"), 0u);
}

TEST(clsStatusMgrTest, ErrorLogIsWrittenWithTracingOffAndTheSwitchStaysOff) {
    AddinTestBench bench;
    addin::gblnTraceOff = true;
    bench.initialiseObjects();
    addin::goStatusMgr->LogError("Billing could not be sized");
    bench.destroyObjects();

    EXPECT_TRUE(addin::gblnTraceOff);
    EXPECT_EQ(bench.traceText("Error Log"), "Billing could not be sized\r\n\r\n")
        << "no heading and no indentation with tracing off";
    EXPECT_TRUE(bench.workbench().traceLog().logs().back().open) << "left open for the user";
}

TEST(clsStatusMgrTest, DisplayErrorsUsesTheCommandsOwnTraceLogWhileItRuns) {
    AddinTestBench bench;
    bench.initialiseObjects();
    addin::goDisplay->StartLogging("Building");
    addin::goStatusMgr->LogError("oops");
    addin::goStatusMgr->DisplayErrors();
    EXPECT_EQ(bench.logCount("Error Log"), 0u);
    EXPECT_EQ(bench.traceText("Building"), "ERROR LOG\r\n\toops\r\n\r\n");
    EXPECT_TRUE(addin::goDisplay) << "a display it did not create is not released";
}

TEST(clsStatusMgrTest, TraceLinesAreIndentedWithTabs) {
    AddinTestBench bench;
    bench.initialiseObjects();
    addin::goDisplay->StartLogging("Trace");
    addin::goStatusMgr->LogItem("x", 2);
    addin::goDisplay->LogItem("x", 0);
    addin::goDisplay->LogItem("x", -3);
    addin::goDisplay->LogItem("x", 1);
    EXPECT_EQ(bench.traceText("Trace"), "\t\tx\r\nx\r\nx\r\n\tx\r\n");
}

TEST(clsStatusMgrTest, TracingOffSilencesEveryTraceCall) {
    AddinTestBench bench;
    addin::gblnTraceOff = true;
    bench.initialiseObjects();
    addin::goDisplay->StartLogging("Trace");
    addin::goDisplay->LogItem("x", 1);
    bench.destroyObjects();
    EXPECT_TRUE(bench.workbench().traceLog().logs().empty());
}

TEST(clsStatusMgrTest, ReleasingTheDisplayStopsItsLog) {
    AddinTestBench bench;
    bench.initialiseObjects();
    addin::goDisplay->StartLogging("Trace");
    addin::goDisplay.reset();
    EXPECT_FALSE(bench.workbench().traceLog().logs().back().open);
}

TEST(clsStatusMgrTest, LogItemWithoutADisplayIsAnError) {
    AddinTestBench bench;
    addin::clsStatusMgr statusMgr;
    EXPECT_THROW(statusMgr.LogItem("x", 0), km::rt::RuntimeError);
}

TEST(clsStatusMgrTest, CreatableByTheHostAndReportsItsErrorsWhenReleased) {
    AddinTestBench bench;
    {
        addin::clsStatusMgr statusMgr;
        statusMgr.LogError("outside a command");
    }
    EXPECT_EQ(bench.messagePrompts(), std::vector<std::string>{errorsMessage});
    EXPECT_EQ(bench.traceText("Error Log"), "ERROR LOG\r\n\toutside a command\r\n\r\n");
}

} // namespace
