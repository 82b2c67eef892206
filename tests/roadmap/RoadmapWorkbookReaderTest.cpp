// Reads the written roadmap workbook back without the library that wrote it: the .xlsx is
// unzipped part by part and its XML parsed, and the cells, styles, comments and column widths
// are checked as any spreadsheet program would find them.
#include "RoadmapModel.h"
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <pugixml.hpp>

namespace {

using namespace km::test::roadmap;
using km::test::AddinTestBench;

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// One part of the zip package, read with the unzip program.
std::string unzipPart(const std::string& file, const std::string& part) {
    std::string command = "unzip -p " + shellQuoted(file) + " " + shellQuoted(part) + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return {};
    }
    std::string content;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        content.append(buffer.data(), n);
    }
    pclose(pipe);
    return content;
}

class Package {
public:
    explicit Package(const std::string& file) {
        for (const char* part : {"xl/worksheets/sheet1.xml", "xl/styles.xml", "xl/sharedStrings.xml",
                                 "xl/comments1.xml", "xl/drawings/vmlDrawing1.vml"}) {
            std::string xml = unzipPart(file, part);
            EXPECT_FALSE(xml.empty()) << part;
            m_parts[part].load_string(xml.c_str());
        }
        for (pugi::xml_node si : doc("xl/sharedStrings.xml").child("sst").children("si")) {
            m_strings.push_back(si.child("t").text().get());
        }
    }

    pugi::xml_document& doc(const std::string& part) { return m_parts[part]; }
    pugi::xml_node cell(const std::string& ref) {
        return doc("xl/worksheets/sheet1.xml").select_node(("//c[@r='" + ref + "']").c_str()).node();
    }
    std::string text(const std::string& ref) {
        pugi::xml_node c = cell(ref);
        if (std::string(c.attribute("t").value()) == "s") {
            return m_strings.at(c.child("v").text().as_uint());
        }
        return c.child("v").text().get();
    }
    pugi::xml_node format(const std::string& ref) {
        unsigned index = cell(ref).attribute("s").as_uint();
        return doc("xl/styles.xml")
            .select_node(("/styleSheet/cellXfs/xf[" + std::to_string(index + 1) + "]").c_str())
            .node();
    }
    pugi::xml_node font(const std::string& ref) { return nth("fonts/font", format(ref).attribute("fontId")); }
    std::string fillColour(const std::string& ref) {
        return nth("fills/fill", format(ref).attribute("fillId"))
            .select_node("patternFill/fgColor")
            .node()
            .attribute("rgb")
            .value();
    }
    std::string border(const std::string& ref, const char* edge) {
        return nth("borders/border", format(ref).attribute("borderId")).child(edge).attribute("style").value();
    }
    std::string numberFormat(const std::string& ref) {
        std::string id = format(ref).attribute("numFmtId").value();
        return doc("xl/styles.xml")
            .select_node(("//numFmt[@numFmtId='" + id + "']").c_str())
            .node()
            .attribute("formatCode")
            .value();
    }
    double width(int column) {
        for (pugi::xml_node col : doc("xl/worksheets/sheet1.xml").child("worksheet").child("cols").children("col")) {
            if (col.attribute("min").as_int() <= column && column <= col.attribute("max").as_int()) {
                return col.attribute("width").as_double();
            }
        }
        return 0;
    }

private:
    pugi::xml_node nth(const std::string& path, pugi::xml_attribute index) {
        return doc("xl/styles.xml")
            .select_node(("/styleSheet/" + path + "[" + std::to_string(index.as_uint() + 1) + "]").c_str())
            .node();
    }

    std::map<std::string, pugi::xml_document> m_parts;
    std::vector<std::string> m_strings;
};

TEST(RoadmapWorkbookReaderTest, TheWorkbookReadsBackAsTheRoadmapWasDrawn) {
    AddinTestBench bench{km::test::Solution::On};
    std::string file = bench.folder().file("roadmap.xlsx");
    bench.workbench().setWorkbookPath(file);
    load(bench, component("Payments", {"Card Payments"}) + application("PayHub", "", "", {}) +
                    application("Card Switch", "", "", {"Card Payments"}) +
                    project("Pay Project", "", "",
                            {{"Pay Go-Live", "2026-02-01", "2026-05-15", {"PayHub"}, {"Card Payments"}, {}}}));
    answerDialog(bench, "2026-01-01", "2026-06-30", "One Month");
    bench.run("RunReportServiceRoadmap");
    ASSERT_TRUE(bench.messagePrompts().empty());

    Package xlsx(file);
    EXPECT_EQ(xlsx.text("A1"), "Service Roadmap Report");
    EXPECT_STREQ(xlsx.font("A1").child("sz").attribute("val").value(), "20");
    EXPECT_GT(xlsx.doc("xl/worksheets/sheet1.xml").select_node("//row[@r='1']").node().attribute("ht").as_double(), 25)
        << "the title's row grows with its font";
    for (const char* heading : {"A3", "B3", "C3"}) {
        EXPECT_TRUE(xlsx.font(heading).child("b")) << heading;
    }
    EXPECT_EQ(xlsx.text("A3"), "Service Component");
    // Dates are numbers (serial days) with a date format, not texts.
    EXPECT_STREQ(xlsx.cell("C3").attribute("t").value(), "");
    EXPECT_EQ(xlsx.text("C3"), "46023") << "1 January 2026";
    EXPECT_EQ(xlsx.numberFormat("C3"), "yyyy-mm-dd");

    EXPECT_EQ(xlsx.text("C4"), "Card Switch");
    EXPECT_EQ(xlsx.fillColour("C4"), "FFC0C0C0");
    EXPECT_EQ(xlsx.text("D5"), "PayHub");
    EXPECT_EQ(xlsx.fillColour("D5"), "FFFFCC00");
    EXPECT_EQ(xlsx.fillColour("G5"), "FF00FF00");

    EXPECT_EQ(xlsx.border("C3", "top"), "thick") << "the heading row's top";
    EXPECT_EQ(xlsx.border("C4", "top"), "thick") << "a component's first row";
    EXPECT_EQ(xlsx.border("C5", "top"), "thin") << "a further application";
    EXPECT_EQ(xlsx.border("D5", "right"), "thin");
    EXPECT_EQ(xlsx.border("A4", "left"), "thick") << "the sheet's outer frame";
    EXPECT_EQ(xlsx.border("I5", "right"), "thick");
    EXPECT_EQ(xlsx.border("E5", "bottom"), "thick");

    pugi::xml_node comment = xlsx.doc("xl/comments1.xml").select_node("//comment[@ref='D5']").node();
    ASSERT_TRUE(comment);
    std::string commentText;
    for (pugi::xpath_node t : comment.select_nodes(".//t")) {
        commentText += t.node().text().get();
    }
    EXPECT_EQ(commentText, "Projects:\nPay Project");
    EXPECT_FALSE(xlsx.doc("xl/comments1.xml").select_node("//comment[@ref='H5']")) << "in service: no comment";
    for (pugi::xpath_node shape : xlsx.doc("xl/drawings/vmlDrawing1.vml").select_nodes("//*[local-name()='shape']")) {
        EXPECT_NE(std::string(shape.node().attribute("style").value()).find("visibility:hidden"), std::string::npos);
    }

    // Widths as written may be rounded to whole pixels.
    EXPECT_NEAR(xlsx.width(1), 17 * 1.1 + 1, 0.8) << "bold \"Service Component\"; the title does not count";
    EXPECT_NEAR(xlsx.width(2), 13 + 1, 0.8) << "\"Card Payments\"";
    EXPECT_NEAR(xlsx.width(3), 10 + 1, 0.8) << "a date column fits its heading date";
}

} // namespace
