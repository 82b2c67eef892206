// End to end: kmsoa builds a simple and an advanced analytic in the wizard and runs them on the
// sample's health diagram from the selector, all answered from answers files; the diagram then
// looks as it does after running the same analytics by SimpleQuery and ComplexQuery.
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/KmsoaProcess.h"
#include "support/TempFolder.h"
#include "support/TestEncyclopedia.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr const char* healthDiagram = "Kestrel Bay Application Health";
constexpr const char* query = "Applications in open service plans";

constexpr const char* simpleAnswers = R"(form frmAnalyticBldrWizard:
    click cmdNext
    click cmdNext
    select cboSymbolTypeDgTypes "Application Landscape"
    select lstSymbolType Application
    click cmdNext
    select cboSimplePropertyname "Decommission Date"
    select cboSimpleComparison "<"
    date dtSimpleValueDate 2028-01-01
    click cmdNext
    click cmdNext
    type txtAnalyticName "Retiring soon"
    click cmdFinish
)";

constexpr const char* complexAnswers = R"(form frmAnalyticBldrWizard:
    click cmdNext
    choose optQueryComplex
    click cmdNext
    select cboSymbolTypeDgTypes "Application Landscape"
    select lstSymbolType Application
    click cmdNext
    select lstComplexAnalyticreports "Applications in open service plans"
    click cmdNext
    click cmdColourSet
    click cmdNext
    type txtAnalyticName "In a plan"
    click cmdFinish
colour 65280
)";

constexpr const char* selectorAnswers = R"(form frmAnalyticSelector2:
    uncheck lstAvailableAnalytics "In an open service plan"
    uncheck lstAvailableAnalytics "Commissioned since 2020"
    uncheck lstAvailableAnalytics "Retiring by 2027"
    check lstAvailableAnalytics "Retiring soon"
    check lstAvailableAnalytics "In a plan"
    click cmdApply
    close
)";

class KmsoaAnalyticWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(km::test::kmsoaProgram())) {
            GTEST_SKIP() << "kmsoa is not built";
        }
        for (const std::string& path : {m_windows, m_queries}) {
            auto encyclopedia = km::test::newEncyclopedia(km::test::Solution::On, path);
            encyclopedia->setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay.xml", false, false);
            encyclopedia->setxml(std::string(KM_SOURCE_DIR) + "/samples/kestrel-bay-analytics.xml", false, false);
        }
    }
    km::test::KmsoaResult kmsoa(const std::string& encyclopedia, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"run", encyclopedia});
        return km::test::runProgram(
            km::test::kmsoaProgram(), arguments, {},
            {"KEMORA_CONFIG_DIR=" + m_folder.file("config"), "KEMORA_DATA_DIR=" + m_folder.file("data")});
    }
    std::string answers(const std::string& name, const std::string& text) {
        std::string path = m_folder.file(name);
        std::ofstream(path) << text;
        return path;
    }
    /// Every symbol of the health diagram as "name: colour", the key's labels included.
    static std::map<std::string, long> look(const std::string& path) {
        auto encyclopedia = km::kemora::Encyclopedia::open(path);
        auto id = encyclopedia->store().objectByName(km::kemora::StoredClass::Diagram, 140, healthDiagram);
        std::map<std::string, long> colours;
        for (auto symbol : encyclopedia->getdiagrambyid(*id)->GetAllSymbols()) {
            colours[symbol->Name() + " (" + std::to_string(symbol->kmtype()) + ")"] =
                encyclopedia->store().symbol(symbol->ddid())->fillColor;
        }
        return colours;
    }

    km::test::TempFolder m_folder;
    std::string m_windows = m_folder.file("windows.kmdb");
    std::string m_queries = m_folder.file("queries.kmdb");
};

TEST_F(KmsoaAnalyticWindowsTest, AnalyticsBuiltAndRunInTheWindowsColourAsTheQueriesDo) {
    for (const char* wizard : {simpleAnswers, complexAnswers}) {
        auto built = kmsoa(m_windows, {"CreateAnalytic", "--answers", answers("wizard.answers", wizard)});
        ASSERT_EQ(built.exitCode, 0) << built.out << built.err;
        EXPECT_EQ(built.err.find("error"), std::string::npos) << built.err;
    }
    auto run = kmsoa(m_windows, {"AnalyticExecutor", "--diagram", healthDiagram, "--answers",
                                 answers("selector.answers", selectorAnswers)});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.err.find("error"), std::string::npos) << run.err;

    auto simple = kmsoa(m_queries, {"SimpleQuery", "Decommission Date", "20280101", "255", "Application", "<",
                                    "Retiring soon", "--diagram", healthDiagram});
    ASSERT_EQ(simple.exitCode, 0) << simple.err;
    auto complex = kmsoa(
        m_queries, {"ComplexQuery", query, "false", "65280", "Application", "In a plan", "--diagram", healthDiagram});
    ASSERT_EQ(complex.exitCode, 0) << complex.err;

    {
        auto encyclopedia = km::kemora::Encyclopedia::open(m_windows);
        auto id = encyclopedia->store().objectByName(km::kemora::StoredClass::Diagram, 140, healthDiagram);
        EXPECT_EQ(encyclopedia->getdiagrambyid(*id)->GetProperty("Analytics To Run"), "Retiring soon\r\nIn a plan\r\n");
    }
    auto byWindows = look(m_windows);
    EXPECT_EQ(byWindows, look(m_queries));
    EXPECT_EQ(byWindows.count("Retiring soon (1)"), 1u) << "the key names the simple analytic";
    EXPECT_EQ(byWindows.count("In a plan (1)"), 1u) << "and the advanced one";
}

} // namespace
