// Golden tests of the report engine: each file in report-golden/ holds a script, a line "----"
// and the expected result XML (or "error: " and the expected message), run against the model of
// ReportModel.h. Set KM_UPDATE_GOLDEN=1 to rewrite the expected parts from the engine's answers.
#include "ReportModel.h"
#include "host/HostError.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sstream>

namespace fs = std::filesystem;
using namespace km::kemora;

namespace {

const std::string separator = "\n----\n";

fs::path goldenFolder() {
    return fs::path(KM_SOURCE_DIR) / "tests" / "kemora" / "report-golden";
}

std::vector<std::string> goldenFiles() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(goldenFolder())) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The XML re-written in the engine's layout, so that the golden files may indent as they like.
std::string canonical(const std::string& xml) {
    pugi::xml_document document;
    if (!document.load_string(xml.c_str())) {
        return "not well-formed XML:\n" + xml;
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_indent | pugi::format_no_declaration);
    return out.str();
}

std::string answer(const std::string& script) {
    test::ReportModel model;
    try {
        return model.run(script);
    } catch (const km::host::HostError& error) {
        return "error: " + error.description() + "\n";
    }
}

class ReportGolden : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ReportGolden, AnswersTheExpectedXml) {
    const fs::path path = goldenFolder() / GetParam();
    const std::string content = readFile(path);
    const size_t split = content.find(separator);
    ASSERT_NE(split, std::string::npos) << path << " has no line \"----\"";
    const std::string script = content.substr(0, split);
    const std::string expected = content.substr(split + separator.size());
    const std::string actual = answer(script);
    if (std::getenv("KM_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << script << separator << actual;
        return;
    }
    if (expected.rfind("error: ", 0) == 0) {
        EXPECT_EQ(actual, expected);
    } else {
        EXPECT_EQ(canonical(actual), canonical(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Golden, ReportGolden, testing::ValuesIn(goldenFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = fs::path(info.param).stem().string();
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });
