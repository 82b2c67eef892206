// Installing the solution through the facade (LoadMetamodel, CheckInstallation) into a real
// encyclopedia file and real host files, with a library folder laid out per test.
#include "install/clsKMFileLoader.h"
#include "addin/basConstantsAndPublicVars.h"
#include "host/IDefinition.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/services/IniFile.h"
#include "platform/ui/MessageBoxStyle.h"
#include "support/AddinTestBench.h"
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
namespace addin = KM_SLN_SOA;
using km::test::AddinTestBench;

namespace {

constexpr km::rt::Long analyticType = 798;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

size_t countOf(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// A workbench on an encyclopedia file without the solution, and a library folder holding the
// solution's files and the string table, which a test may change before running a command.
class InstallTest : public ::testing::Test {
protected:
    InstallTest() {
        m_bench.workbench().createEncyclopedia(m_bench.folder().file("install.kmdb"));
        fs::copy(std::string(KM_SOURCE_DIR) + "/solution", m_library, fs::copy_options::recursive);
        fs::copy_file(std::string(KM_OUTPUT_DIR) + "/kmxres.txt", m_library + "/kmxres.txt");
        addin::SetLibraryFolder(m_library);
        fs::create_directories(hostFile(""));
    }

    std::string stored(const std::string& name) {
        return m_bench.encyclopedia().store().readFile(name).value_or("<missing>");
    }
    void write(const std::string& relative, const std::string& content) {
        fs::create_directories(fs::path(m_library + "/" + relative).parent_path());
        std::ofstream(m_library + "/" + relative, std::ios::binary) << content;
    }
    std::string hostFile(const std::string& name) { return m_bench.folder().file("data/" + name); }
    std::string setting(const std::string& name) {
        return km::kemora::IniFile(m_bench.workbench().settingsPath()).get("Framework", name).value_or("<unset>");
    }
    std::vector<std::string> promptsSince(size_t mark) {
        auto prompts = m_bench.messagePrompts();
        return {prompts.begin() + static_cast<std::ptrdiff_t>(mark), prompts.end()};
    }
    bool canCreateAnalytic() {
        try {
            m_bench.encyclopedia().CreateDefinition("Red services", analyticType);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    AddinTestBench m_bench;
    std::string m_library = m_bench.folder().file("library");
};

TEST_F(InstallTest, LoadMetamodelAnsweredYesInstallsTheSolutionAndReopens) {
    EXPECT_FALSE(canCreateAnalytic()) << "the metamodel has no analytics before the solution is installed";
    auto before = m_bench.workbench().encyclopedia();
    m_bench.ui().answerMessage(km::ui::answer::yes);
    m_bench.run("LoadMetamodel");
    EXPECT_NE(m_bench.workbench().encyclopedia(), before) << "reopened";
    EXPECT_TRUE(canCreateAnalytic());
    for (const char* file : {"solnprops.cfg", "solnprops1.cfg", "solnprops2.cfg", "ENCYBROWSERTABS.XML"}) {
        EXPECT_EQ(stored(file), readFile(m_library + "/" + file)) << file;
    }
    EXPECT_TRUE(m_bench.hasFile("images\\soa-service.svg"));
    EXPECT_EQ(m_bench.workbench().browserShows(), 1);
    EXPECT_EQ(m_bench.workbench().statusLines().back(), "Complete.");
    ASSERT_EQ(m_bench.ui().messages().size(), 1u) << m_bench.messagePrompts().back();
    EXPECT_EQ(m_bench.ui().messages()[0].style, 4);
}

TEST_F(InstallTest, AnsweringNoLeavesTheFilesChangedButTheEncyclopediaAsItWas) {
    auto before = m_bench.workbench().encyclopedia();
    m_bench.ui().answerMessage(km::ui::answer::no);
    m_bench.run("LoadMetamodel");
    EXPECT_EQ(m_bench.workbench().encyclopedia(), before);
    EXPECT_FALSE(canCreateAnalytic());
    EXPECT_NE(stored("KMDECLAR.CFG").find("DECLARE \"KMForSOA\" DEFINED"), std::string::npos);
    EXPECT_NE(stored("kmprops.cfg").find("#includex \"solnprops.cfg\""), std::string::npos);
}

// Running twice keeps one include line and one DEFINED line, and the declarations file does not
// grow: each line is written with its own line end instead of a CR LF before it.
TEST_F(InstallTest, RunningTwiceGivesTheSameFiles) {
    m_bench.putFile("KMDECLAR.CFG", "DECLARE \"Base\" DEFINED\nDECLARE \"KMForSOA\" UNDEFINED\n"
                                    "REM KMForSOA comes here\nDECLARE \"Other\" UNDEFINED\n");
    m_bench.ui().answerMessage(km::ui::answer::no);
    m_bench.run("LoadMetamodel");
    std::string declarations = stored("KMDECLAR.CFG"), properties = stored("kmprops.cfg");
    EXPECT_EQ(declarations, "DECLARE \"Base\" DEFINED\r\nDECLARE \"KMForSOA\" DEFINED\r\n"
                            "DECLARE \"KMForSOA\" DEFINED\r\nDECLARE \"Other\" UNDEFINED\r\n");
    m_bench.ui().answerMessage(km::ui::answer::no);
    m_bench.run("LoadMetamodel");
    EXPECT_EQ(stored("KMDECLAR.CFG"), declarations);
    EXPECT_EQ(stored("kmprops.cfg"), properties);
    EXPECT_EQ(countOf(properties, "solnprops.cfg"), 1u);
}

TEST_F(InstallTest, DeclarationsWithoutTheSolutionGetNoLine) {
    m_bench.putFile("KMDECLAR.CFG", "DECLARE \"Base\" DEFINED\n");
    m_bench.ui().answerMessage(km::ui::answer::no);
    m_bench.run("LoadMetamodel");
    EXPECT_EQ(stored("KMDECLAR.CFG"), "DECLARE \"Base\" DEFINED\r\n");
}

// A file that cannot be imported leaves the stored one in place, with the code-203 message.
TEST_F(InstallTest, AFailedImportKeepsThePreviousFile) {
    m_bench.putFile("solnprops2.cfg", "previous");
    fs::remove(m_library + "/solnprops2.cfg");
    m_bench.initialiseObjects();
    EXPECT_FALSE(addin::clsKMFileLoader().LoadFileToEncy("solnprops2.cfg"));
    EXPECT_EQ(stored("solnprops2.cfg"), "previous");
    EXPECT_EQ(m_bench.messagePrompts(), std::vector<std::string>{"The file \"" + m_library +
                                                                 "/solnprops2.cfg\" could not be loaded into the "
                                                                 "encyclopedia."});
    EXPECT_FALSE(addin::clsKMFileLoader().LoadFileToEncyAbsolute(m_library + "/none", "solnprops2.cfg"));
    EXPECT_EQ(stored("solnprops2.cfg"), "previous");
    EXPECT_TRUE(addin::clsKMFileLoader().LoadFileToEncy("solnprops.cfg"));
    m_bench.putFile("solnprops.cfg", "stale");
    EXPECT_TRUE(addin::clsKMFileLoader().LoadFileToEncy("solnprops.cfg"));
    EXPECT_EQ(stored("solnprops.cfg"), readFile(m_library + "/solnprops.cfg"));
}

TEST_F(InstallTest, MissingEncyclopediaFilesShowTheStandardMessageAndTheRunGoesOn) {
    {
        auto& store = m_bench.encyclopedia().store();
        km::kemora::Transaction transaction(store);
        store.deleteFile("kmprops.cfg");
        transaction.commit();
    }
    m_bench.ui().answerMessage(km::ui::answer::no);
    m_bench.run("LoadMetamodel");
    EXPECT_FALSE(m_bench.hasFile("kmprops.cfg"));
    EXPECT_NE(stored("KMDECLAR.CFG").find("DECLARE \"KMForSOA\" DEFINED"), std::string::npos);
    ASSERT_EQ(m_bench.messagePrompts().size(), 2u);
    EXPECT_NE(m_bench.messagePrompts()[0].find("File not found"), std::string::npos);
}

TEST_F(InstallTest, CheckInstallationMergesOnceAndCopiesTheFrameworkFolders) {
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    std::string matrices = readFile(hostFile("matrix.xml")), frameworks = readFile(hostFile("kmframework.xml"));
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    EXPECT_EQ(readFile(hostFile("matrix.xml")), matrices);
    EXPECT_EQ(readFile(hostFile("kmframework.xml")), frameworks);
    EXPECT_NE(matrices.find(m_library), std::string::npos) << "##APPPATH## stands for the library folder";
    EXPECT_EQ(matrices.find("##APPPATH##"), std::string::npos);
    EXPECT_NE(frameworks.find("Name=\"KMSOA\""), std::string::npos);
    EXPECT_EQ(setting("Default Framework"), "KMSOA");
    EXPECT_EQ(setting("Show Framework"), "True");
    EXPECT_TRUE(fs::is_directory(hostFile("KMSOA")));
    EXPECT_TRUE(m_bench.messagePrompts().empty());
}

TEST_F(InstallTest, MatrixMerge) {
    write("matrix.xml", "<KMMatrixContents>"
                        "<KMMenu Caption=\"SOA\"><KMMenu Caption=\"A\" KMMatrixID=\"it's\"/></KMMenu>"
                        "<KMMenu Caption=\"New\"><KMMenu Caption=\"B\" KMMatrixID=\"b\"/></KMMenu>"
                        "<KMMatrix KMMatrixID=\"it's\" File=\"##APPPATH##/a.mtx\"/>"
                        "<KMMatrix KMMatrixID=\"b\"/><KMMatrix KMMatrixID=\"unnamed\"/></KMMatrixContents>");
    std::ofstream(hostFile("matrix.xml")) << "<KMMatrixContents><KMMenu Caption=\"Host\"/>"
                                             "<KMMenu Caption=\"SOA\"><KMMenu KMMatrixID=\"it's\"/></KMMenu>"
                                             "</KMMatrixContents>";
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    pugi::xml_document host;
    ASSERT_TRUE(host.load_file(hostFile("matrix.xml").c_str()));
    std::vector<std::string> order;
    for (auto node : host.child("KMMatrixContents").children()) {
        order.push_back(std::string(node.name()) + ":" + node.attribute("Caption").value() +
                        node.attribute("KMMatrixID").value());
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"KMMenu:New", "KMMenu:Host", "KMMenu:SOA", "KMMatrix:it's", "KMMatrix:b"}));
    EXPECT_TRUE(m_bench.messagePrompts().empty());
}

TEST_F(InstallTest, ALibraryFolderWithMarkupCharactersStaysWellFormed) {
    std::string odd = m_bench.folder().file("R&D <lib>");
    fs::rename(m_library, odd);
    m_library = odd;
    addin::SetLibraryFolder(odd);
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    EXPECT_TRUE(m_bench.messagePrompts().empty()) << m_bench.messagePrompts()[0];
    pugi::xml_document host;
    ASSERT_TRUE(host.load_file(hostFile("matrix.xml").c_str()));
    std::string help = host.select_node("//KMMatrix").node().attribute("Help").value();
    EXPECT_EQ(help, odd + "/km-sln-soa.chm");
}

TEST_F(InstallTest, AMissingMatrixFileAnswersFalseSilentlyWhileTheFrameworkMerges) {
    fs::remove(m_library + "/matrix.xml");
    EXPECT_EQ(m_bench.run("CheckInstallation"), "False");
    EXPECT_TRUE(m_bench.messagePrompts().empty());
    EXPECT_NE(readFile(hostFile("kmframework.xml")).find("KMSOA"), std::string::npos);
}

TEST_F(InstallTest, InvalidFilesAnswerFalseWithTheirMessages) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"matrix.xml", "The file matrix.xml is not valid! Reinstall the solution and try again."},
        {"framework/kmframework.xml",
         "The file framework/kmframework.xml is not valid! Reinstall the solution and try again."},
    };
    for (const auto& [file, message] : cases) {
        std::string good = readFile(m_library + "/" + file);
        write(file, "<unclosed>");
        size_t mark = m_bench.ui().messages().size();
        EXPECT_EQ(m_bench.run("CheckInstallation"), "False") << file;
        EXPECT_EQ(promptsSince(mark), std::vector<std::string>{message});
        write(file, good);
    }
    std::ofstream(hostFile("matrix.xml")) << "<a/><b/>";
    size_t mark = m_bench.ui().messages().size();
    EXPECT_EQ(m_bench.run("CheckInstallation"), "False");
    EXPECT_EQ(promptsSince(mark),
              std::vector<std::string>{"The matrix.xml file \"" + hostFile("matrix.xml") + "\" is not valid"});
}

TEST_F(InstallTest, AnEmptyFrameworkFileWritesEmptySettings) {
    write("framework/kmframework.xml", "<Frameworks/>");
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    EXPECT_EQ(setting("Default Framework"), "");
    EXPECT_EQ(setting("DefaultFrameworkDisplayName"), "");
    EXPECT_EQ(setting("Show Framework"), "True");
}

TEST_F(InstallTest, AnExistingFrameworkFolderIsNotCopiedAgain) {
    fs::create_directories(hostFile("KMSOA"));
    std::ofstream(hostFile("KMSOA/mine.txt")) << "mine";
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    EXPECT_EQ(fs::directory_iterator(hostFile("KMSOA"))->path().filename(), "mine.txt");
    EXPECT_EQ(std::distance(fs::directory_iterator(hostFile("KMSOA")), fs::directory_iterator()), 1);
}

// A read-only host folder: the matrices cannot be saved (information message, still True) and
// the default framework is not set to one the host's file does not hold.
TEST_F(InstallTest, AReadOnlyHostFolderIsReportedAndLeavesTheSettings) {
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    std::ofstream(hostFile("matrix.xml")) << "<KMMatrixContents/>";
    std::ofstream(hostFile("kmframework.xml")) << "<Frameworks/>";
    km::kemora::IniFile settings(m_bench.workbench().settingsPath());
    settings.set("Framework", "Default Framework", "Earlier");
    settings.save();
    fs::permissions(hostFile("matrix.xml"), fs::perms::owner_read);
    fs::permissions(hostFile("kmframework.xml"), fs::perms::owner_read);
    if (access(hostFile("matrix.xml").c_str(), W_OK) == 0) {
        GTEST_SKIP() << "this user writes read-only files";
    }
    size_t mark = m_bench.ui().messages().size();
    EXPECT_EQ(m_bench.run("CheckInstallation"), "True");
    ASSERT_GE(promptsSince(mark).size(), 1u);
    EXPECT_EQ(promptsSince(mark)[0], "Cannot modify \r\n" + hostFile("matrix.xml") +
                                         "\r\nThe user does not have rights to this folder to change this file. "
                                         "SOA Matrices will not be available.");
    EXPECT_EQ(setting("Default Framework"), "Earlier");
}

// Writes of any length fail (EFBIG) while it lives, even for a user who may write everywhere.
class NoFileWrites {
public:
    NoFileWrites() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoFileWrites() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    NoFileWrites(const NoFileWrites&) = delete;
    NoFileWrites& operator=(const NoFileWrites&) = delete;

private:
    rlimit m_saved{};
};

// Host files that cannot be written: the information message, True, and both files kept whole.
TEST_F(InstallTest, HostFilesThatCannotBeWrittenAreKeptWhole) {
    std::ofstream(hostFile("matrix.xml")) << "<KMMatrixContents><KMMenu Caption=\"Host\"/></KMMatrixContents>";
    std::ofstream(hostFile("kmframework.xml")) << "<Frameworks/>";
    std::string matrices = readFile(hostFile("matrix.xml"));
    std::string answer;
    {
        NoFileWrites noWrites;
        answer = m_bench.run("CheckInstallation");
    }
    EXPECT_EQ(answer, "True");
    ASSERT_GE(m_bench.messagePrompts().size(), 1u);
    EXPECT_EQ(m_bench.messagePrompts()[0], "Cannot modify \r\n" + hostFile("matrix.xml") +
                                               "\r\nThe user does not have rights to this folder to change this file. "
                                               "SOA Matrices will not be available.");
    EXPECT_EQ(readFile(hostFile("matrix.xml")), matrices);
    EXPECT_EQ(readFile(hostFile("kmframework.xml")), "<Frameworks/>");
    EXPECT_FALSE(fs::exists(hostFile("matrix.xml.saving")));
}

} // namespace

namespace {

// An encyclopedia kept in memory cannot be reopened: the user is told, and it keeps its content.
TEST(InstallInMemoryTest, AFailedReopenIsReportedAndKeepsTheEncyclopedia) {
    AddinTestBench bench;
    auto before = bench.workbench().encyclopedia();
    bench.ui().answerMessage(km::ui::answer::yes);
    bench.run("LoadMetamodel");
    EXPECT_EQ(bench.workbench().encyclopedia(), before);
    EXPECT_EQ(bench.messagePrompts().back(),
              "There was an error opening this encyclopedia. Check that there are no conflicts in the user property "
              "file usrprops.txt with the new metamodel.");
}

} // namespace
