#include "host/clsUtils.h"
#include "addin/basConstantsAndPublicVars.h"
#include "addin/clsStatusMgr.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "host/basCommon.h"
#include "platform/runtime/Date.h"
#include "support/AddinTestBench.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using km::rt::Date;
using km::test::AddinTestBench;
namespace addin = KM_SLN_SOA;

constexpr const char* badSettingsPrompt = "Bad custom ency settings file - SOASettings.xml\r\nIgnored.\r\n";

// A bench with the shared objects of a running command.
class clsUtilsTest : public ::testing::Test {
protected:
    void SetUp() override { bench.initialiseObjects(); }
    addin::clsUtils& utils() { return *addin::goUtils; }

    AddinTestBench bench;
};

TEST_F(clsUtilsTest, WithoutASettingsFileEverySettingTakesItsDefaultQuietly) {
    EXPECT_EQ(utils().GetServiceTypeNumber(), 765);
    EXPECT_EQ(utils().GetCustomSetting("Anything", "fallback"), "fallback");
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST_F(clsUtilsTest, SettingsAreReadFromTheFileInTheEncyclopedia) {
    bench.putFile("SOASettings.xml", "<?xml version=\"1.0\"?>\n<settings>\n"
                                     "  <setting name=\"ServiceTypeNum\" value=\"618\"/>\n"
                                     "  <setting name=\"NoValue\"/>\n"
                                     "  <setting name=\"Twice\" value=\"first\"/>\n"
                                     "  <setting name=\"Twice\" value=\"second\"/>\n"
                                     "</settings>\n");
    EXPECT_EQ(utils().GetServiceTypeNumber(), 618);
    EXPECT_EQ(utils().GetCustomSetting("NoValue", "fallback"), "") << "a setting without value is empty";
    EXPECT_EQ(utils().GetCustomSetting("Twice", ""), "first");
    EXPECT_EQ(utils().GetCustomSetting("servicetypenum", "765"), "765") << "names compare exactly";
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST_F(clsUtilsTest, ServiceTypeNumberTakesTheLeadingNumberOfTheSetting) {
    bench.putFile("SOASettings.xml", "<settings><setting name='ServiceTypeNum' value='766.5 services'/></settings>");
    EXPECT_EQ(utils().GetServiceTypeNumber(), 766) << "766.5 rounds half to even";
}

TEST_F(clsUtilsTest, ASettingNameWithAnApostropheIsLookedUpSafely) {
    bench.putFile("SOASettings.xml", "<settings>"
                                     "<setting name=\"First\" value=\"wrong\"/>"
                                     "<setting name=\"Owner's Team\" value=\"Blue\"/>"
                                     "</settings>");
    EXPECT_EQ(utils().GetCustomSetting("Owner's Team", "none"), "Blue");
    EXPECT_EQ(utils().GetCustomSetting("x' or '1'='1", "none"), "none") << "a name is never read as XPath";
    EXPECT_EQ(utils().GetCustomSetting("\"quoted\" and 'single'", "none"), "none");
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST_F(clsUtilsTest, AMalformedSettingsFileIsReportedOnceThenIgnored) {
    bench.putFile("SOASettings.xml", "<settings>\n  <setting name='ServiceTypeNum' value='618'\n</settings>");
    EXPECT_EQ(utils().GetServiceTypeNumber(), 765);
    EXPECT_EQ(utils().GetServiceTypeNumber(), 765);
    EXPECT_EQ(utils().GetCustomSetting("Other", "d"), "d");
    ASSERT_EQ(bench.ui().messages().size(), 1u) << "the file is not loaded again in the same command";
    const auto& shown = bench.ui().lastMessage();
    EXPECT_EQ(shown.prompt.rfind(badSettingsPrompt, 0), 0u) << shown.prompt;
    EXPECT_NE(shown.prompt.find("line 3"), std::string::npos) << "the description says where: " << shown.prompt;
    EXPECT_EQ(shown.style, 16);
    EXPECT_EQ(shown.title, "Kemora for SOA");
}

// pugixml takes these without complaint; the platform's parser refuses them, so must we.
TEST_F(clsUtilsTest, ASettingsFileThatIsNotWellFormedGivesTheMessageAndTheDefaults) {
    for (const char* text : {"<settings><setting name='ServiceTypeNum' value='618'/></settings><settings/>",
                             "<settings><setting name='ServiceTypeNum' value='618&foo;'/></settings>",
                             "<settings><setting name='ServiceTypeNum' value='618' value='619'/></settings>"}) {
        bench.destroyObjects();
        bench.initialiseObjects();
        bench.putFile("SOASettings.xml", text);
        EXPECT_EQ(utils().GetServiceTypeNumber(), 765) << text;
        ASSERT_FALSE(bench.ui().messages().empty()) << text;
        EXPECT_EQ(bench.ui().lastMessage().prompt.rfind(badSettingsPrompt, 0), 0u) << bench.ui().lastMessage().prompt;
    }
    EXPECT_EQ(bench.ui().messages().size(), 3u);
}

TEST_F(clsUtilsTest, TheNextCommandReadsTheSettingsAfresh) {
    EXPECT_EQ(utils().GetServiceTypeNumber(), 765);
    bench.putFile("SOASettings.xml", "<settings><setting name='ServiceTypeNum' value='700'/></settings>");
    EXPECT_EQ(utils().GetServiceTypeNumber(), 765) << "settled for this command";
    bench.destroyObjects();
    bench.initialiseObjects();
    EXPECT_EQ(utils().GetServiceTypeNumber(), 700);
}

TEST_F(clsUtilsTest, TheTemporaryCopyOfTheSettingsIsRemoved) {
    bench.putFile("SOASettings.xml", "<settings/>");
    std::string name = "kmsoa-settings-test-" + std::to_string(::getpid()) + ".tmp";
    addin::SetTempNameGenerator([name] { return name; });
    EXPECT_EQ(utils().GetCustomSetting("x", "d"), "d");
    EXPECT_FALSE(std::filesystem::exists(addin::GetTempFolder() + name));
}

TEST_F(clsUtilsTest, WhenNoTemporaryFileCanBeMadeTheLoadIsTriedAgainNextTime) {
    bench.putFile("SOASettings.xml", "<settings><setting name='ServiceTypeNum' value='700'/></settings>");
    std::string taken = bench.folder().write("taken.tmp", "");
    std::filesystem::path takenPath(taken);
    std::string relative = std::filesystem::relative(takenPath, addin::GetTempFolder()).string();
    addin::SetTempNameGenerator([relative] { return relative; });
    EXPECT_EQ(utils().GetCustomSetting("ServiceTypeNum", "765"), "765") << "the default, after the message";
    ASSERT_EQ(bench.ui().messages().size(), 1u);
    EXPECT_EQ(bench.ui().lastMessage().prompt, "An error occurred:\r\nPath/File access error");
    addin::SetTempNameGenerator({});
    EXPECT_EQ(utils().GetServiceTypeNumber(), 700);
}

TEST_F(clsUtilsTest, RepositoryDatesAreReadEvenWhenIncomplete) {
    EXPECT_EQ(utils().GetDateFromKMDate("20050315"), Date::fromYmd(2005, 3, 15));
    EXPECT_EQ(utils().GetDateFromKMDate("2005"), Date::fromYmd(2005, 1, 5)) << "month 1, day from the last two";
    EXPECT_EQ(utils().GetDateFromKMDate(""), Date{});
    EXPECT_EQ(utils().GetDateFromKMDate("2005-03-15"), Date::fromYmd(2005, 3, 15)) << "a date text is a date";
    EXPECT_EQ(utils().GetDateFromKMDate("20050230"), Date::fromYmd(2005, 3, 2)) << "days roll over";
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST_F(clsUtilsTest, AnUnreadableRepositoryDateIsTheZeroDateWithAMessage) {
    EXPECT_EQ(utils().GetDateFromKMDate("ab050315"), Date{});
    ASSERT_EQ(bench.ui().messages().size(), 1u);
    EXPECT_EQ(bench.ui().lastMessage().prompt.rfind("An error occurred:\r\n", 0), 0u);
}

TEST_F(clsUtilsTest, RepositoryDateTest) {
    EXPECT_TRUE(utils().IsKMDate("20051231"));
    EXPECT_TRUE(utils().IsKMDate("00000101")) << "the year plays no part";
    EXPECT_FALSE(utils().IsKMDate("20051332")) << "day 32";
    EXPECT_FALSE(utils().IsKMDate("20051300")) << "month 13";
    EXPECT_FALSE(utils().IsKMDate("20050015")) << "month 0";
    EXPECT_FALSE(utils().IsKMDate("2005131")) << "7 characters";
    EXPECT_FALSE(utils().IsKMDate("200501011"));
    EXPECT_FALSE(utils().IsKMDate("2005-3-1"));
    EXPECT_FALSE(utils().IsKMDate(""));
}

TEST_F(clsUtilsTest, SymbolTypeForADefinitionTypeOnADiagramType) {
    EXPECT_EQ(utils().GetSymTypeForDefinitionOnThisDiagramType(131, 309), 160);
    EXPECT_EQ(utils().GetSymTypeForDefinitionOnThisDiagramType(186, 662), 162);
    EXPECT_EQ(utils().GetSymTypeForDefinitionOnThisDiagramType(131, 662), 0) << "no project symbols on 131";
    EXPECT_EQ(utils().GetSymTypeForDefinitionOnThisDiagramType(9999, 309), 0) << "no such diagram type";
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST_F(clsUtilsTest, CreateSymbolFromDefinitionWritesTheChosenTypeBackAndCopiesKeyProperties) {
    auto diagram = bench.createDiagram("Landscape");
    auto billing = bench.createDefinition("Billing", 309, {{"Version", "2.1"}, {"Description", "Bills"}});
    km::rt::Long lngSymType = 0;
    auto symbol = utils().CreateSymbolFromDefinition(billing, diagram, lngSymType);
    ASSERT_TRUE(symbol);
    EXPECT_EQ(lngSymType, 160);
    EXPECT_EQ(symbol->kmtype(), 160);
    EXPECT_EQ(symbol->Name(), "Billing");
    EXPECT_EQ(symbol->GetProperty("Version"), "2.1") << "key properties travel to the symbol";
    EXPECT_EQ(symbol->GetProperty("Description"), "") << "other properties do not";
    EXPECT_EQ(diagram->GetFilteredSymbols("Billing", 160)->count(), 1);
}

TEST_F(clsUtilsTest, CreateSymbolWithoutADefinitionMakesADummyOnlyForAGivenType) {
    auto diagram = bench.createDiagram("Landscape");
    km::rt::Long lngSymType = 2;
    auto dummy = utils().CreateSymbolFromDefinition(nullptr, diagram, lngSymType);
    ASSERT_TRUE(dummy);
    EXPECT_EQ(dummy->Name(), "dummy");
    EXPECT_EQ(dummy->kmtype(), 2);
    lngSymType = 0;
    EXPECT_FALSE(utils().CreateSymbolFromDefinition(nullptr, diagram, lngSymType));
    EXPECT_EQ(diagram->GetAllSymbols()->count(), 1);
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST_F(clsUtilsTest, CreateSymbolReportsAFailureAndAnswersNothing) {
    auto diagram = bench.createDiagram("Landscape");
    auto project = bench.createDefinition("Rollout", 662);
    km::rt::Long lngSymType = 0;
    EXPECT_FALSE(utils().CreateSymbolFromDefinition(project, diagram, lngSymType)) << "no project symbol on 131";
    EXPECT_EQ(lngSymType, 0);
    ASSERT_EQ(bench.ui().messages().size(), 1u);
    EXPECT_EQ(bench.ui().lastMessage().prompt.rfind("An error occurred:\r\n", 0), 0u);
}

TEST_F(clsUtilsTest, DefinitionOfASymbol) {
    auto diagram = bench.createDiagram("Landscape");
    auto application = bench.addSymbol(*diagram, "Billing", 160);
    auto text = bench.addSymbol(*diagram, "Note", 1);
    ASSERT_TRUE(utils().GetDefinitionOfSymbol(application));
    EXPECT_EQ(utils().GetDefinitionOfSymbol(application)->Name(), "Billing");
    EXPECT_FALSE(utils().GetDefinitionOfSymbol(text));
    EXPECT_TRUE(bench.ui().messages().empty());
    EXPECT_FALSE(utils().GetDefinitionOfSymbol(nullptr));
    EXPECT_EQ(bench.ui().messages().size(), 1u);
}

TEST_F(clsUtilsTest, AReferenceSymbolStandsForTheFirstDefinitionItRefersTo) {
    auto diagram = bench.createDiagram("Landscape");
    bench.createDefinition("Payroll", 309);
    bench.createDefinition("Billing", 309);
    auto reference = bench.addSymbol(*diagram, "See also", 818);
    reference->setProperty("References", "Payroll\r\nBilling");
    reference->save();
    auto definition = utils().GetDefinitionOfSymbol(reference);
    ASSERT_TRUE(definition);
    EXPECT_EQ(definition->Name(), "Payroll");
    EXPECT_FALSE(utils().GetDefinitionOfSymbol(bench.addSymbol(*diagram, "Empty reference", 818)));
}

TEST_F(clsUtilsTest, EnableKMEnablesAndDisablesTheHostWindow) {
    utils().EnableKM(false);
    EXPECT_FALSE(bench.ui().mainWindowEnabled());
    utils().EnableKM(true);
    EXPECT_TRUE(bench.ui().mainWindowEnabled());
}

TEST_F(clsUtilsTest, HostCommandsReachTheWorkbench) {
    utils().ArrangeHierarchies();
    utils().RefreshBrowser();
    utils().ShowBrowser();
    EXPECT_EQ(bench.workbench().menuCommands(), std::vector<km::rt::Long>{187});
    EXPECT_EQ(bench.workbench().browserRefreshes(), 1);
    EXPECT_EQ(bench.workbench().browserShows(), 1);
    EXPECT_EQ(utils().AddQuotesIfNeeded("Order Entry", true), "\"Order Entry\"");
    EXPECT_EQ(utils().AddQuotesIfNeeded("Order Entry", false), "Order Entry");
    EXPECT_EQ(utils().RemoveQuotes("\"Order Entry\""), "Order Entry");
}

TEST(clsUtilsSetupTest, ADevelopmentBuildReadsTheStringTableBesideItsSourceTree) {
    AddinTestBench bench;
    std::filesystem::create_directories(bench.folder().file("win32/bin"));
    bench.folder().write("win32/bin/kmxres.txt", "1 From the development tree\n");
    addin::SetLibraryFolder(bench.folder().file("KM_SLN_SOA_DEV/build/bin"));
    bench.initialiseObjects();
    EXPECT_EQ(addin::goUtils->oKMXres()->GetLocalString(1), "From the development tree");
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST(clsUtilsSetupTest, AMissingStringTableIsReportedOnce) {
    AddinTestBench bench;
    addin::SetLibraryFolder(bench.folder().path());
    bench.initialiseObjects();
    EXPECT_EQ(bench.messagePrompts(), std::vector<std::string>{"Could not find KMXRES!"});
    ASSERT_TRUE(addin::goUtils->oKMXres());
    EXPECT_EQ(addin::goUtils->oKMXres()->GetLocalString(1), "");
}

} // namespace
