#include "addin/clsHelp.h"
#include "addin/basConstantsAndPublicVars.h"
#include "support/AddinTestBench.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using km::test::AddinTestBench;
namespace addin = KM_SLN_SOA;

class clsHelpTest : public ::testing::Test {
protected:
    void SetUp() override { bench.initialiseObjects(); }
    void TearDown() override { std::filesystem::current_path(m_startFolder); }

    AddinTestBench bench;

private:
    std::filesystem::path m_startFolder = std::filesystem::current_path();
};

TEST_F(clsHelpTest, TopicsOpenTheHelpFileAtTheirNumber) {
    // The build lays the help file beside the add-in when it has a help compiler.
    std::string help = std::string(KM_OUTPUT_DIR) + "/km-sln-soa.chm";
    std::string state = std::filesystem::exists(help) ? "" : " (the file is not installed)";
    addin::clsHelp().ShowHelpTopicKM(0, 999853);
    EXPECT_EQ(bench.ui().lastHelp(), "Help: " + help + ", topic 999853" + state);
}

TEST_F(clsHelpTest, AfterwardsTheLibraryFolderIsCurrentWhateverItWasBefore) {
    std::filesystem::create_directories(bench.folder().file("library"));
    bench.folder().write("library/km-sln-soa.chm", "help");
    addin::SetLibraryFolder(bench.folder().file("library"));
    std::filesystem::current_path(bench.folder().path());
    addin::clsHelp().ShowHelpKM(0);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(bench.folder().file("library")));
    EXPECT_EQ(bench.ui().lastHelp(), "Help: " + bench.folder().file("library/km-sln-soa.chm"));
}

TEST_F(clsHelpTest, AFailureShowsTheStandardErrorMessage) {
    addin::SetLibraryFolder(bench.folder().file("no such folder"));
    addin::clsHelp().ShowHelpKM(0);
    ASSERT_EQ(bench.ui().messages().size(), 1u);
    EXPECT_EQ(bench.ui().lastMessage().prompt.rfind("An error occurred:\r\n", 0), 0u);
    EXPECT_EQ(bench.ui().lastMessage().style, 16);
}

TEST_F(clsHelpTest, WithoutAStatusManagerAFailureShowsNothing) {
    addin::goStatusMgr.reset();
    addin::SetLibraryFolder(bench.folder().file("no such folder"));
    addin::clsHelp().ShowHelpKM(0);
    EXPECT_TRUE(bench.ui().messages().empty());
}

} // namespace
