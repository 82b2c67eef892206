// The built help file read back with libchm's extract_chmLib (Debian package libchm-bin), a reader
// independent of the compiler: every page is there, and every topic number the windows open maps
// to its page.
#include "support/TempFolder.h"
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t littleEndian(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// The context map: #IVB holds (topic number, offset into #STRINGS) pairs after its length; the
// string at the offset names the topic's page.
std::map<uint32_t, std::string> topicsOf(const fs::path& extracted) {
    std::string ivb = readFile(extracted / "#IVB"), strings = readFile(extracted / "#STRINGS");
    std::map<uint32_t, std::string> topics;
    for (size_t at = 4; at + 8 <= ivb.size(); at += 8) {
        topics[littleEndian(ivb, at)] = std::string(strings.c_str() + littleEndian(ivb, at + 4));
    }
    return topics;
}

TEST(HelpFileTest, EveryTopicNumberOpensItsPage) {
    fs::path help = fs::path(KM_OUTPUT_DIR) / "km-sln-soa.chm";
    if (!fs::exists(help) || std::system("command -v extract_chmLib >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "needs the help file (chmcmd from fp-utils) and extract_chmLib (libchm-bin)";
    }
    km::test::TempFolder folder;
    std::string command = "extract_chmLib '" + help.string() + "' '" + folder.path() + "/chm' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    fs::path extracted = fs::path(folder.path()) / "chm";
    EXPECT_NE(readFile(extracted / "overview.html").find("<h1>Kemora for SOA</h1>"), std::string::npos);

    const std::map<uint32_t, std::string> expected = {
        {999851, "template-select.html"}, {999852, "filter-select.html"},     {999853, "analytic-wizard.html"},
        {999854, "service-roadmap.html"}, {999855, "number-of-columns.html"},
    };
    std::map<uint32_t, std::string> topics = topicsOf(extracted);
    for (const auto& [topic, page] : expected) {
        ASSERT_EQ(topics.count(topic), 1u) << topic;
        // The compiler records the page's path as it found it; the page name is what counts.
        EXPECT_EQ(fs::path(topics[topic]).filename(), page) << topic;
        EXPECT_NE(readFile(extracted / page).find("<h1>"), std::string::npos) << page;
    }
}

} // namespace
