#include "platform/kemora/render/DiagramRenderer.h"
#include "ModelExchangeSupport.h"
#include "platform/kemora/render/TextLayout.h"
#include "support/TestEncyclopedia.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace km::kemora;
using namespace km::kemora::test;
using km::test::newEncyclopedia;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

/// Renders the diagram of a model file and parses the SVG.
class RenderedDiagram {
public:
    explicit RenderedDiagram(const std::string& diagramBody, Long type = 140) : m_ency(newEncyclopedia()) {
        importModel(*m_ency, modelXml("<diagram type=\"" + std::to_string(type) + "\" name=\"D\">" + diagramBody +
                                      "</diagram>"));
        std::ostringstream out;
        DiagramRenderer(m_ency->store(), m_ency->metamodel()).render(diagramId(*m_ency, type, "D"), out);
        svg = out.str();
        parsed = document.load_string(svg.c_str());
    }

    /// The group of the symbol whose tooltip is \p name.
    pugi::xml_node symbol(const std::string& name) const {
        pugi::xpath_variable_set variables;
        variables.set("name", name.c_str());
        return document.select_node("//*[local-name()='g'][*[local-name()='title']=$name]", &variables).node();
    }
    /// The position of a symbol's group among all symbol groups (drawing order), -1 when absent.
    int drawingIndex(const std::string& name) const {
        int index = 0;
        for (auto group : document.select_nodes("//*[local-name()='g'][contains(@class,'symbol')]")) {
            if (std::string(group.node().child_value("title")) == name) {
                return index;
            }
            ++index;
        }
        return -1;
    }
    static std::vector<std::string> lines(const pugi::xml_node& group) {
        std::vector<std::string> texts;
        for (auto span : group.child("text").children("tspan")) {
            texts.push_back(span.child_value());
        }
        return texts;
    }

    std::string svg;
    pugi::xml_document document;
    pugi::xml_parse_result parsed;

private:
    std::shared_ptr<Encyclopedia> m_ency;
};

} // namespace

TEST(DiagramRendererTest, SymbolsAreBoxesInTheirColourWithTheirNames) {
    RenderedDiagram diagram(
        R"(<symbol type="160" name="Till" left="10" top="20" width="100" height="50" fill="255"/>)");
    ASSERT_TRUE(diagram.parsed) << diagram.svg;
    auto till = diagram.symbol("Till");
    ASSERT_TRUE(till);
    auto box = till.child("rect");
    EXPECT_STREQ(box.attribute("fill").value(), "#ff0000") << "colour 255 is pure red";
    EXPECT_STREQ(box.attribute("x").value(), "10");
    EXPECT_STREQ(box.attribute("y").value(), "20");
    EXPECT_STREQ(box.attribute("width").value(), "100");
    EXPECT_STREQ(box.attribute("height").value(), "50");
    EXPECT_THAT(RenderedDiagram::lines(till), ElementsAre("Till"));
    EXPECT_STREQ(till.child("text").attribute("fill").value(), "#000000");
    EXPECT_STREQ(diagram.document.child("svg").child_value("title"), "D");
}

TEST(DiagramRendererTest, ColourNumbersAreRedPlus256GreenPlus65536Blue) {
    EXPECT_EQ(DiagramRenderer::svgColour(0), "#000000");
    EXPECT_EQ(DiagramRenderer::svgColour(16777215), "#ffffff");
    EXPECT_EQ(DiagramRenderer::svgColour(1 + 256 * 2 + 65536 * 3), "#010203");
    EXPECT_EQ(DiagramRenderer::svgColour(-1), "none");
}

TEST(DiagramRendererTest, ContainersComeBeforeWhatTheyHoldAndCarryTheirNameOnTop) {
    // The inner symbol is created first, so creation order alone would draw it under the frame.
    RenderedDiagram diagram(R"(
    <symbol type="160" name="Till" left="20" top="40" width="100" height="50"/>
    <symbol type="770" name="Retail" left="0" top="0" width="400" height="300" fill="#c0ffc0"/>)");
    ASSERT_TRUE(diagram.parsed);
    EXPECT_LT(diagram.drawingIndex("Retail"), diagram.drawingIndex("Till"));
    auto retail = diagram.symbol("Retail");
    EXPECT_THAT(retail.attribute("class").value(), HasSubstr("container"));
    double titleY = retail.child("text").attribute("y").as_double();
    EXPECT_LT(titleY, 40) << "a container's name stands above its contents";
    EXPECT_STREQ(retail.child("rect").attribute("fill").value(), "#c0ffc0");
}

TEST(DiagramRendererTest, NamesAreEscapedAndControlCharactersDropped) {
    RenderedDiagram diagram(R"(<symbol type="2" name="R&amp;D &lt;Core&gt; &quot;x&quot;" width="300"/>
    <symbol type="2" name="bell&#7;ring" left="400" width="300"/>)");
    ASSERT_TRUE(diagram.parsed) << diagram.svg;
    auto symbol = diagram.symbol("R&D <Core> \"x\"");
    ASSERT_TRUE(symbol);
    EXPECT_THAT(RenderedDiagram::lines(symbol), ElementsAre("R&D <Core> \"x\""));
    EXPECT_THAT(diagram.svg, HasSubstr("R&amp;D &lt;Core&gt;"));
    EXPECT_TRUE(diagram.symbol("bell ring"));
    EXPECT_THAT(diagram.svg, ::testing::Not(HasSubstr("&#")));
}

TEST(DiagramRendererTest, LongNamesWrapAndAreCutToTheBox) {
    RenderedDiagram diagram(R"(
    <symbol type="2" name="Customer relationship management platform" width="100" height="60"/>
    <symbol type="2" name="One two three four five six seven eight nine ten eleven twelve" left="200" width="60" height="30"/>)");
    auto wrapped = RenderedDiagram::lines(diagram.symbol("Customer relationship management platform"));
    EXPECT_THAT(wrapped, ElementsAre("Customer", "relationship", "management", "platform"))
        << "15 characters a line fit 92 units; four lines of 12 fit 54 units";
    auto cut = RenderedDiagram::lines(diagram.symbol("One two three four five six seven eight nine ten eleven twelve"));
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_THAT(cut.back(), HasSubstr("\xE2\x80\xA6")) << "a cut name ends in an ellipsis";
}

TEST(DiagramRendererTest, TextSymbolsArePlainTextInTheirFontSize) {
    RenderedDiagram diagram(R"(<symbol type="1" name="Legend" left="10" top="10" width="36" height="12">
      <field number="15">0x0064</field></symbol>)");
    auto text = diagram.symbol("Legend");
    ASSERT_TRUE(text);
    EXPECT_FALSE(text.child("rect")) << "text symbols have no box";
    EXPECT_STREQ(text.child("text").child_value(), "Legend");
    EXPECT_STREQ(text.child("text").attribute("font-size").value(), "12.5");
    EXPECT_STREQ(text.child("text").attribute("x").value(), "10");
}

TEST(DiagramRendererTest, DocumentBlocksHaveAWavyBottom) {
    RenderedDiagram diagram(R"(<symbol type="4" name="Contract" width="80" height="40"/>)");
    auto block = diagram.symbol("Contract");
    ASSERT_TRUE(block.child("path"));
    std::string path = block.child("path").attribute("d").value();
    EXPECT_THAT(path, HasSubstr("Q"));
    EXPECT_THAT(path, HasSubstr("T"));
}

TEST(DiagramRendererTest, HierarchyLinksRunFromParentToChild) {
    RenderedDiagram diagram(R"(
    <symbol type="770" name="Retail" ref="p" left="100" top="0" width="100" height="50"/>
    <symbol type="771" name="Tills" ref="c" left="0" top="100" width="80" height="50"/>
    <link parent="p" child="c"/>)",
                            132);
    auto line = diagram.document.select_node("//*[local-name()='line']").node();
    ASSERT_TRUE(line) << diagram.svg;
    EXPECT_STREQ(line.attribute("x1").value(), "150");
    EXPECT_STREQ(line.attribute("y1").value(), "50");
    EXPECT_STREQ(line.attribute("x2").value(), "40");
    EXPECT_STREQ(line.attribute("y2").value(), "100");
}

TEST(DiagramRendererTest, TheColourKeyShowsSwatchesAndLabels) {
    // As the analytics draw it: a frame named Key, per entry a 25 x 25 swatch named after the entry
    // and a text label beside it.
    RenderedDiagram diagram(R"(
    <symbol type="160" name="Till" width="100" height="50" fill="255"/>
    <symbol type="2" name="Key" left="150" top="0" width="500" height="50"/>
    <symbol type="2" name="Retiring" left="155" top="20" width="25" height="25" fill="255">
      <field number="121">0xfefd</field><field number="120">-1</field></symbol>
    <symbol type="1" name="Retiring" left="182" top="28" width="48" height="12">
      <field number="15">0x0064</field></symbol>)");
    ASSERT_TRUE(diagram.parsed);
    auto key = diagram.symbol("Key");
    EXPECT_THAT(RenderedDiagram::lines(key), ElementsAre("Key"));
    auto swatch = diagram.document.select_node("//*[local-name()='g'][contains(@class,'swatch')]").node();
    ASSERT_TRUE(swatch);
    EXPECT_STREQ(swatch.child("rect").attribute("fill").value(), "#ff0000");
    EXPECT_FALSE(swatch.child("text")) << "the label beside the swatch names it";
    auto label = diagram.document.select_node("//*[local-name()='g'][contains(@class,'text')]").node();
    EXPECT_STREQ(label.child("text").child_value(), "Retiring");
    EXPECT_LT(diagram.drawingIndex("Key"), diagram.drawingIndex("Retiring"));
}

TEST(DiagramRendererTest, EmptyAndLargeDiagramsRender) {
    RenderedDiagram empty("");
    ASSERT_TRUE(empty.parsed);
    EXPECT_THAT(empty.svg, HasSubstr("(empty diagram)"));

    std::string many;
    for (int i = 0; i < 2000; ++i) {
        many += "<symbol type=\"2\" name=\"S" + std::to_string(i) + "\" left=\"" + std::to_string(i % 50 * 110) +
                "\" top=\"" + std::to_string(i / 50 * 60) + "\"/>";
    }
    RenderedDiagram large(many);
    ASSERT_TRUE(large.parsed);
    EXPECT_EQ(large.document.select_nodes("//*[local-name()='g'][contains(@class,'symbol')]").size(), 2000u);
    EXPECT_STREQ(large.document.child("svg").attribute("viewBox").value(), "-20 -20 5530 2430");
}

TEST(DiagramRendererTest, FontSizeComesFromField15InTenthsOfAPoint) {
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0x0050"), 10.0) << "8 pt";
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0x0064"), 12.5) << "10 pt";
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField(""), TextLayout::defaultFontSize);
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0x"), TextLayout::defaultFontSize);
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0xzz"), TextLayout::defaultFontSize);
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0x0000"), TextLayout::defaultFontSize);
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0xFFFFFFFFFF"), TextLayout::defaultFontSize);
    EXPECT_DOUBLE_EQ(TextLayout::fontSizeFromField("0x0001"), 1.25) << "at least 1 pt";
}

TEST(DiagramRendererTest, WrappingCutsLongWordsAndKeepsLineBreaks) {
    // 6 units a character at the default font: 60 units hold 10 characters.
    EXPECT_THAT(TextLayout::wrap("abcdefghijklmnopqrstuvwxy", 10, 60, 100),
                ElementsAre("abcdefghij", "klmnopqrst", "uvwxy"));
    EXPECT_THAT(TextLayout::wrap("one\r\ntwo three", 10, 60, 100), ElementsAre("one", "two three"));
    EXPECT_THAT(TextLayout::wrap("\xC3\xBC\xC3\xBC\xC3\xBC", 10, 12, 100), ElementsAre("\xC3\xBC\xC3\xBC", "\xC3\xBC"))
        << "characters, not bytes";
    EXPECT_TRUE(TextLayout::wrap("x", 10, 5, 100).empty()) << "not even one character fits";
    EXPECT_TRUE(TextLayout::wrap("x", 10, 60, 11).empty()) << "not even one line fits";
}
