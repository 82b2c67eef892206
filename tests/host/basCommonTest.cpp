#include "host/basCommon.h"
#include "addin/basConstantsAndPublicVars.h"
#include "host/IDefinition.h"
#include "platform/runtime/RuntimeError.h"
#include "support/AddinTestBench.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using km::test::AddinTestBench;
namespace addin = KM_SLN_SOA;

// Answers the names in turn, then keeps answering the last one.
class NameSequence {
public:
    explicit NameSequence(std::vector<std::string> names) : m_names(std::move(names)) {}
    std::string operator()() {
        ++calls;
        return m_names[std::min(m_next++, m_names.size() - 1)];
    }
    int calls = 0;

private:
    std::vector<std::string> m_names;
    std::size_t m_next = 0;
};

class TakenTempFile {
public:
    TakenTempFile() { std::ofstream(addin::GetTempFolder() + name) << "taken"; }
    ~TakenTempFile() { std::filesystem::remove(addin::GetTempFolder() + name); }
    const std::string name = "kmsoa-taken-" + std::to_string(::getpid()) + ".tmp";
};

TEST(basCommonTest, TemporaryFilePathsAreFreshAndInTheTemporaryFolder) {
    AddinTestBench bench;
    std::string folder = addin::GetTempFolder();
    EXPECT_EQ(folder.back(), '/');
    std::string first = addin::GetTempFilePath();
    EXPECT_EQ(first.rfind(folder, 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(first));
}

TEST(basCommonTest, TakenNamesAreSkipped) {
    AddinTestBench bench;
    TakenTempFile taken;
    std::string free = "kmsoa-free-" + std::to_string(::getpid()) + ".tmp";
    std::vector<std::string> list(99, taken.name);
    list.push_back(free);
    auto names = std::make_shared<NameSequence>(list);
    addin::SetTempNameGenerator([names] { return (*names)(); });
    EXPECT_EQ(addin::GetTempFilePath(), addin::GetTempFolder() + free) << "the hundredth attempt may still succeed";
    EXPECT_EQ(names->calls, 100);
}

TEST(basCommonTest, AHundredTakenNamesAreAPathFileAccessError) {
    AddinTestBench bench;
    TakenTempFile taken;
    auto names = std::make_shared<NameSequence>(std::vector<std::string>{taken.name});
    addin::SetTempNameGenerator([names] { return (*names)(); });
    try {
        addin::GetTempFilePath();
        FAIL() << "expected error 75";
    } catch (const km::rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), 75);
    }
    EXPECT_EQ(names->calls, 100) << "gives up after exactly 100 attempts";
}

TEST(basCommonTest, SinglePropertyAnswersOnlyALoneItem) {
    AddinTestBench bench;
    bench.createDefinition("Phase 1", 624);
    bench.createDefinition("Phase 2", 624);
    auto one = bench.createDefinition("One", 662, {{"Service Plans", "Phase 1"}});
    auto two = bench.createDefinition("Two", 662, {{"Service Plans", "Phase 1\r\nPhase 2"}});
    auto none = bench.createDefinition("None", 662);
    ASSERT_TRUE(addin::GetSingleProperty(*one, "Service Plans"));
    EXPECT_EQ(addin::GetSingleProperty(*one, "Service Plans")->Name(), "Phase 1");
    EXPECT_FALSE(addin::GetSingleProperty(*two, "Service Plans"));
    EXPECT_FALSE(addin::GetSingleProperty(*none, "Service Plans"));
    EXPECT_FALSE(addin::GetSingleProperty(*one, "Description")) << "not a list: nothing, no error";
    EXPECT_TRUE(bench.ui().messages().empty());
}

TEST(basCommonTest, MenuCommandsNeedTheSharedObjects) {
    AddinTestBench bench;
    EXPECT_THROW(addin::RunMenuCommand71(), km::rt::RuntimeError);
    bench.initialiseObjects();
    addin::RunMenuCommand71();
    addin::RunMenuCommand75();
    EXPECT_EQ(bench.workbench().menuCommands(), (std::vector<km::rt::Long>{71, 75}));
    EXPECT_EQ(addin::GetAppPath(), KM_OUTPUT_DIR);
}

TEST(basCommonTest, QuotingAndAttributes) {
    EXPECT_EQ(addin::QuoteString("Order Entry"), "\"Order Entry\"");
    EXPECT_EQ(addin::QuoteString(""), "\"\"");
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<setting name=\"a\" value=\"\"/>"));
    pugi::xml_node setting = document.child("setting");
    EXPECT_EQ(addin::GetAttributeText(setting, "name"), "a");
    EXPECT_EQ(addin::GetAttributeText(setting, "value"), "");
    EXPECT_EQ(addin::GetAttributeText(setting, "missing"), "");
    EXPECT_EQ(addin::GetAttributeText(pugi::xml_node(), "name"), "");
}

} // namespace
