#include "addin/LandscapeMgr.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "host/IEncyclopedia.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "support/AddinTestBench.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

using km::test::AddinTestBench;
namespace addin = KM_SLN_SOA;

bool globalsReleased() {
    return !addin::goApp && !addin::goImf && !addin::goStatusMgr && !addin::goDisplay && !addin::goUtils;
}

int errorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& error) {
        return km::rt::errorNumber(error);
    }
    return 0;
}

// Restores the process's current folder, which help requests change.
class CurrentFolderGuard {
public:
    ~CurrentFolderGuard() { std::filesystem::current_path(m_folder); }

private:
    std::filesystem::path m_folder = std::filesystem::current_path();
};

TEST(LandscapeMgrTest, TraceSwitchFollowsTheCommandTableAndSurvivesBetweenCommands) {
    AddinTestBench bench;
    bench.run("BuildAutoLandscape");
    EXPECT_FALSE(addin::gblnTraceOff);
    bench.run("LoadMetamodel");
    EXPECT_FALSE(addin::gblnTraceOff) << "LoadMetamodel keeps the trace switch of the command before";
    bench.run("BuildLandscape");
    EXPECT_TRUE(addin::gblnTraceOff);
    for (const char* unchanged : {"LoadMetamodel", "CheckInstallation", "ShowHelp", "BuildServiceHierarchies"}) {
        CurrentFolderGuard folder;
        bench.run(unchanged);
        EXPECT_TRUE(addin::gblnTraceOff) << unchanged;
    }
}

TEST(LandscapeMgrTest, CommandsThatSwitchTracingOff) {
    AddinTestBench bench;
    bench.createDiagram("Landscape");
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"RunReportServiceRoadmap", {}},
        {"SimpleQuery", {"Status", "Live", "Red", "Application"}},
        {"ExecuteAnalyticsForDiagram", {}},
        {"ComplexQuery", {"Report", "true", "Red", "Application"}},
        {"ClearAnalytics", {}},
        {"BuildLandscape", {}},
        {"RefreshLandscape", {}},
    };
    for (const auto& [command, arguments] : commands) {
        addin::gblnTraceOff = false;
        bench.run(command, arguments);
        EXPECT_TRUE(addin::gblnTraceOff) << command;
        EXPECT_TRUE(globalsReleased()) << command << " must tear the shared objects down";
    }
}

TEST(LandscapeMgrTest, TraceSwitchIsSetBeforeTheSharedObjectsAreSetUp) {
    AddinTestBench bench;
    addin::SetHostServices(nullptr);
    EXPECT_EQ(errorNumberOf([&] { bench.run("BuildLandscape"); }), 91) << "no host: InitialiseObjects fails";
    EXPECT_TRUE(addin::gblnTraceOff);
    EXPECT_TRUE(globalsReleased()) << "a command whose set-up fails does nothing";
}

TEST(LandscapeMgrTest, InitialiseObjectsSetsUpEverySharedObjectAndDestroyObjectsReleasesThem) {
    AddinTestBench bench;
    bench.initialiseObjects();
    EXPECT_TRUE(addin::goApp && addin::goImf && addin::goStatusMgr && addin::goDisplay && addin::goUtils);
    EXPECT_EQ(addin::goApp->encyclopedia().get(), static_cast<km::host::IEncyclopedia*>(&bench.encyclopedia()));
    bench.destroyObjects();
    EXPECT_TRUE(globalsReleased());
}

TEST(LandscapeMgrTest, AnErrorEscapingACommandLeavesTheSharedObjectsUntilTheNextCommand) {
    AddinTestBench bench;
    bench.workbench().closeEncyclopedia();
    EXPECT_EQ(errorNumberOf([&] { bench.run("ExecuteAnalyticsForDiagram"); }), 91);
    ASSERT_TRUE(addin::goStatusMgr) << "DestroyObjects must not run after an escaping error";
    EXPECT_TRUE(addin::goApp && addin::goUtils && addin::goDisplay);

    // The next command replaces them; the errors the failed command logged are shown then.
    addin::goStatusMgr->LogError("left over");
    auto leftOver = addin::goStatusMgr;
    bench.run("LoadMetamodel");
    EXPECT_NE(addin::goStatusMgr, leftOver);
    EXPECT_TRUE(globalsReleased());
    leftOver.reset();
    // LoadMetamodel finds no encyclopedia (its own message), then the left-over log is shown.
    EXPECT_EQ(bench.messagePrompts(), (std::vector<std::string>{"An error occurred:\r\nNo encyclopedia is open.",
                                                                "There were errors, review the error log."}));
}

TEST(LandscapeMgrTest, ExecuteAnalyticsForDiagramWithoutAnOpenDiagramShowsNothing) {
    AddinTestBench bench;
    bench.createDiagram("Not opened", 131, false);
    EXPECT_EQ(bench.run("ExecuteAnalyticsForDiagram"), "False");
    EXPECT_TRUE(bench.ui().messages().empty());
    EXPECT_TRUE(bench.ui().formsShown().empty());
    EXPECT_TRUE(globalsReleased());
}

TEST(LandscapeMgrTest, SwitchArgumentsAreTrueOnlyForTheTextTrue) {
    EXPECT_TRUE(addin::LandscapeMgr::FlagOf("TRUE"));
    EXPECT_TRUE(addin::LandscapeMgr::FlagOf("true"));
    EXPECT_TRUE(addin::LandscapeMgr::FlagOf("True"));
    EXPECT_FALSE(addin::LandscapeMgr::FlagOf("yes"));
    EXPECT_FALSE(addin::LandscapeMgr::FlagOf(""));
    EXPECT_FALSE(addin::LandscapeMgr::FlagOf(" true"));
    EXPECT_FALSE(addin::LandscapeMgr::FlagOf("1"));
}

TEST(LandscapeMgrTest, OptionalArgumentsMayBeLeftOutButRequiredOnesMayNot) {
    AddinTestBench bench;
    bench.createDiagram("Landscape");
    EXPECT_EQ(bench.run("SimpleQuery", {"Status", "Live", "Red", "Application"}), "False");
    EXPECT_EQ(bench.run("SimpleQuery", {"Status", "Live", "Red", "Application", "<>", "Key"}), "False");
    EXPECT_EQ(bench.run("ComplexQuery", {"Report", "TRUE", "Red", "Application"}), "False");
    EXPECT_EQ(bench.run("ComplexQuery", {"Report", "TRUE", "Red", "Application", "Key", "true", "true"}), "False");
    EXPECT_EQ(errorNumberOf([&] { bench.run("SimpleQuery", {"Status", "Live", "Red"}); }), 450);
    EXPECT_EQ(errorNumberOf([&] { bench.run("ComplexQuery", {"a", "b", "c", "d", "e", "f", "g", "h"}); }), 450);
    EXPECT_EQ(errorNumberOf([&] { bench.run("ShowHelp", {"extra"}); }), 450);
    EXPECT_TRUE(globalsReleased()) << "a call with wrong arguments never starts the command";
}

TEST(LandscapeMgrTest, MembersAreFoundWithoutRegardToCaseAndUnknownOnesAreRefused) {
    AddinTestBench bench;
    EXPECT_EQ(bench.run("checkinstallation"), "True");
    EXPECT_EQ(bench.run("LOADMETAMODEL"), "False");
    EXPECT_EQ(bench.run("ClearAnalytics"), "") << "a Variant method answers Empty";
    EXPECT_EQ(errorNumberOf([&] { bench.run("FormatDisk"); }), 438);
}

TEST(LandscapeMgrTest, ModelessWindowsOutliveTheCallAndHoldTheSharedObjectsUntilClosed) {
    AddinTestBench bench;
    bench.createDiagram("Open");
    addin::gblnTraceOff = true;
    EXPECT_EQ(bench.run("CreateAnalytic"), "False");
    EXPECT_EQ(bench.run("AnalyticExecutor"), "False");
    ASSERT_EQ(bench.ui().formsShown().size(), 2u);
    EXPECT_EQ(bench.ui().formsShown()[0].name, "frmAnalyticBldrWizard");
    EXPECT_EQ(bench.ui().formsShown()[1].name, "frmAnalyticSelector2");
    EXPECT_EQ(bench.ui().formsShown()[0].modality, km::ui::Modality::Modeless);
    EXPECT_NE(bench.ui().findForm("frmAnalyticSelector2"), nullptr) << "still open after the call returned";
    EXPECT_FALSE(globalsReleased()) << "the open windows keep what they set up";
    EXPECT_TRUE(addin::gblnTraceOff);
    bench.ui().runUntilAllClosed();
    EXPECT_EQ(bench.ui().findForm("frmAnalyticSelector2"), nullptr);
    EXPECT_TRUE(globalsReleased()) << "closing the windows released them";
}

TEST(LandscapeMgrTest, ModelessWindowsIgnoreAMissingHost) {
    AddinTestBench bench;
    addin::SetHostServices(nullptr);
    EXPECT_EQ(bench.run("CreateAnalytic"), "False");
    EXPECT_TRUE(bench.ui().formsShown().empty());
}

TEST(LandscapeMgrTest, ShowHelpOpensTheHelpFileOfTheLibraryFolderAtItsStart) {
    AddinTestBench bench;
    CurrentFolderGuard folder;
    EXPECT_EQ(bench.run("ShowHelp"), "");
    std::string help = std::string(KM_OUTPUT_DIR) + "/km-sln-soa.chm";
    EXPECT_EQ(bench.ui().lastHelp(),
              "Help: " + help + (std::filesystem::exists(help) ? "" : " (the file is not installed)"));
    EXPECT_TRUE(bench.ui().messages().empty());
}

// The "Prints" column of the command table in docs/cli-run.md, by command.
std::map<std::string, std::string> documentedOutputs() {
    std::ifstream in(std::string(KM_SOURCE_DIR) + "/docs/cli-run.md");
    std::map<std::string, std::string> prints;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells = km::rt::Split(line, "|");
        if (cells.size() == 5 && km::rt::Trim(cells[1]).starts_with("`")) {
            prints[km::rt::Replace(km::rt::Trim(cells[1]), "`", "")] = km::rt::Trim(cells[3]);
        }
    }
    return prints;
}

// What the documentation promises a user is what the commands print (their answer, when not empty).
TEST(LandscapeMgrTest, TheCommandTableSaysWhatTheCommandsPrint) {
    std::map<std::string, std::string> documented = documentedOutputs();
    ASSERT_FALSE(documented.empty()) << "docs/cli-run.md has its command table";
    AddinTestBench bench;
    bench.createDiagram("Landscape");
    const std::vector<std::pair<std::string, std::vector<std::string>>> calls = {
        {"LoadMetamodel", {}},
        {"SimpleQuery", {"Status", "Live", "Red", "Application"}},
        {"ExecuteAnalyticsForDiagram", {}},
        {"ComplexQuery", {"Report", "true", "Red", "Application"}},
        {"ComplexQuery", {"Report", "false", "Red", "Application", "Key", "true", "false"}},
        {"ComplexQuery", {"Report", "false", "Red", "Application", "Key", "true", "true"}},
        {"CreateAnalytic", {}},
        {"AnalyticExecutor", {}},
        {"ClearAnalytics", {}},
        {"RefreshLandscape", {}},
        {"BuildServiceHierarchies", {}},
    };
    for (const auto& [command, arguments] : calls) {
        std::string result = bench.run(command, arguments);
        bench.ui().runUntilAllClosed();
        ASSERT_TRUE(documented.contains(command)) << command;
        EXPECT_EQ(documented[command], result.empty() ? std::string() : "`" + result + "`") << command;
    }
}

} // namespace
