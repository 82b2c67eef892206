#include "ModelExchangeSupport.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Symbol.h"
#include "support/TestEncyclopedia.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace km::kemora;
using namespace km::kemora::test;
using km::test::newEncyclopedia;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// A model built through the object layer, with what an exchange file must carry faithfully:
// lists in a chosen order, qualified names, dates, CR LF scripts, control characters, a
// diagram with properties, nested symbols, fields, colours, selection and a hierarchy whose
// children are not in creation order.
std::shared_ptr<Encyclopedia> richModel() {
    auto ency = newEncyclopedia();
    auto service = [&](const std::string& name) { return ency->CreateDefinition(name, 765); };
    service("Refund");
    service("Card Payment");
    service("Ledger \"main\" & <co>");
    auto component = ency->CreateDefinition("Payments", 618);
    component->setProperty("Provides Services", "Refund\r\nCard Payment\r\n");
    component->setProperty("Description", "Line one\r\nLine two\r\n");
    component->save();
    auto app = ency->CreateDefinition("Till", 309);
    app->setProperty("Commission Date", "2020-01-31");
    app->setProperty("Description", std::string("bell\x07 and nul\0 end", 18));
    app->setProperty("Provides Services", "Refund");
    app->save();
    auto template1 = ency->CreateDefinition("By domain", 625);
    template1->setProperty("Content", "REPORT\r\n  FIELD \"Name\"\r\n");
    template1->save();
    auto analytic = ency->CreateDefinition("Retiring", 798);
    ency->CreateDefinition("Retiring.Cut-off", 799);
    analytic->setProperty("Parameters", "Retiring.Cut-off");
    analytic->save();

    auto diagram = ency->CreateDiagram("Landscape", 140);
    diagram->setProperty("Landscape Reports", "By domain");
    diagram->setProperty("Min Number Of Cols Per Symbol", "3");
    auto place = [&](const std::string& name, Long type, Long left, Long top, Long width, Long height) {
        auto symbol = diagram->CreateSymbol(name, type);
        symbol->XSize(width);
        symbol->YSize(height);
        symbol->XPos(left + width);
        symbol->ypos(top + height);
        return symbol;
    };
    auto frame = place("Retail", 770, 0, 0, 400, 300);
    frame->FillColor(0xC0FFC0);
    frame->setProperty("Application Landscape Report", "By domain");
    frame->setProperty("Parameter1", "42");
    auto till = place("Till", 160, 20, 40, 100, 50);
    till->Selected(true);
    till->setField(15, "0x0064");
    till->setField(121, "0xfefd");
    auto first = place("Payments", 771, 20, 120, 100, 50);
    auto second = place("Card Payment", 772, 140, 120, 100, 50);
    auto loose = place("", 2, 500, 0, 10, 10);
    diagram->save();
    // Children in an order other than creation: second first, then first.
    Transaction transaction(ency->store());
    ency->store().setHierarchyParent(first->ddid(), frame->ddid(), 0);
    ency->store().setHierarchyParent(second->ddid(), frame->ddid(), 0);
    transaction.commit();
    return ency;
}

} // namespace

TEST(ModelExporterTest, ImportOfAnExportGivesTheSameModel) {
    auto original = richModel();
    std::string first = exportModel(*original);
    auto copy = newEncyclopedia();
    importModel(*copy, first);
    std::string second = exportModel(*copy);
    EXPECT_EQ(first, second);

    // Spot checks that the copy holds the values, not only the same text.
    auto till = copy->getdefinitionbyid(definitionId(*copy, 309, "Till"));
    EXPECT_EQ(till->GetProperty("Description"), std::string("bell\x07 and nul\0 end", 18));
    EXPECT_EQ(till->GetProperty("Commission Date"), "20200131");
    auto report = copy->getdefinitionbyid(definitionId(*copy, 625, "By domain"));
    EXPECT_EQ(report->GetProperty("Content"), "REPORT\r\n  FIELD \"Name\"\r\n");
    EXPECT_EQ(listNames(*copy, definitionId(*copy, 618, "Payments"), "Provides Services"),
              (std::vector<std::string>{"Refund", "Card Payment"}));
    Long diagram = diagramId(*copy, 140, "Landscape");
    auto frame = copy->loadSymbol(copy->store().symbolsOfDiagram(diagram, 770).front());
    EXPECT_EQ(frame->FillColor(), 0xC0FFC0);
    auto children = frame->GetRelatedObjects(km::host::RelHierarchyChildren);
    ASSERT_EQ(children->count(), 2);
    EXPECT_EQ(children->Item(1)->Name(), "Card Payment");
    auto nested = frame->GetRelatedObjects(km::host::RelNestedSymbols);
    EXPECT_EQ(nested->count(), 3);
}

TEST(ModelExporterTest, WritesReadableXmlThatAnyParserReads) {
    auto ency = richModel();
    std::string text = exportModel(*ency);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(text.c_str()));
    // Scripts keep their lines readable and marked; unreadable bytes go as Base64.
    auto content = document.select_node("/model/definition[@type='625']/property[@name='Content']").node();
    EXPECT_STREQ(content.attribute("lines").value(), "crlf");
    EXPECT_STREQ(content.text().get(), "REPORT\n  FIELD \"Name\"\n");
    auto description = document.select_node("/model/definition[@name='Till']/property[@name='Description']").node();
    EXPECT_STREQ(description.attribute("encoding").value(), "base64");
    // Geometry as left/top/width/height.
    auto till = document.select_node("/model/diagram/symbol[@name='Till']").node();
    EXPECT_STREQ(till.attribute("left").value(), "20");
    EXPECT_STREQ(till.attribute("top").value(), "40");
    EXPECT_STREQ(till.attribute("width").value(), "100");
    EXPECT_STREQ(till.attribute("selected").value(), "true");
    EXPECT_FALSE(till.attribute("fill")) << "white is the default and left out";
    // Names with quotes, ampersands and angle brackets survive.
    EXPECT_TRUE(document.select_node("/model/definition[@name='Ledger \"main\" & <co>']"));
    // Definitions come by type number, then name.
    auto definitions = document.select_nodes("/model/definition");
    ASSERT_GE(definitions.size(), 2u);
    EXPECT_STREQ(definitions.first().node().attribute("type").value(), "309");
    EXPECT_THAT(text, Not(HasSubstr("<file ")));
}

TEST(ModelExporterTest, FilesGoAlongWhenAsked) {
    auto ency = newEncyclopedia();
    {
        Transaction transaction(ency->store());
        ency->store().writeFile("images\\logo.png", std::string("\x89PNG\0", 5));
        transaction.commit();
    }
    std::string text = exportModel(*ency, ExportFiles::With);
    EXPECT_THAT(text, HasSubstr("<file name=\"images\\logo.png\" encoding=\"base64\">iVBORwA=</file>"));
    EXPECT_THAT(text, HasSubstr("<file name=\"kmprops.cfg\""));
    auto copy = newEncyclopedia();
    importModel(*copy, text, ImportMode::Overwrite);
    EXPECT_EQ(copy->store().readFile("images\\logo.png"), std::string("\x89PNG\0", 5));
}

TEST(ModelExporterTest, OneDiagramOnItsOwn) {
    auto ency = richModel();
    std::ostringstream out;
    ModelExporter(ency->store(), ency->metamodel()).writeDiagram(diagramId(*ency, 140, "Landscape"), out);
    std::string text = out.str();
    EXPECT_THAT(text, HasSubstr("<diagram type=\"140\" name=\"Landscape\">"));
    EXPECT_THAT(text, Not(HasSubstr("<definition ")));
    EXPECT_THAT(text, HasSubstr("<link parent=\"s1\" child=\"s4\" />"));
    // It imports where the definitions it names exist, and the symbols come back the same.
    auto copy = newEncyclopedia();
    importModel(*copy, modelXml(R"(<definition type="625" name="By domain"/>)"));
    importModel(*copy, text);
    std::ostringstream again;
    ModelExporter(copy->store(), copy->metamodel()).writeDiagram(diagramId(*copy, 140, "Landscape"), again);
    EXPECT_EQ(again.str(), text);
    EXPECT_THROW(ModelExporter(ency->store(), ency->metamodel()).writeDiagram(definitionId(*ency, 309, "Till"), out),
                 km::host::HostError);
}

TEST(ModelExporterTest, AnEmptyEncyclopediaExportsAnEmptyModel) {
    auto ency = newEncyclopedia();
    EXPECT_EQ(exportModel(*ency), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<model format=\"1\">\n</model>\n");
}
