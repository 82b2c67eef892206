#include "ModelExchangeSupport.h"
#include "host/IDefinition.h"
#include "host/IPropertyCollection.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Symbol.h"
#include "platform/runtime/Text.h"
#include "support/TempFolder.h"
#include "support/TestEncyclopedia.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace km::kemora;
using namespace km::kemora::test;
using km::host::HostErrorCode;
using km::test::newEncyclopedia;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

const std::string services = R"(
  <definition type="618" name="Payments">
    <property name="Description">Takes payments</property>
    <list name="Provides Services"><item>Card Payment</item><item>Refund</item></list>
  </definition>
  <definition type="765" name="Card Payment"/>
  <definition type="Service" name="Refund"/>
)";

} // namespace

TEST(ModelImporterTest, ListsMayNameDefinitionsDefinedLaterInTheFile) {
    auto ency = newEncyclopedia();
    ImportSummary summary = importModel(*ency, modelXml(services));
    EXPECT_EQ(summary.definitionsCreated, 3);
    Long payments = definitionId(*ency, 618, "Payments");
    EXPECT_EQ(listNames(*ency, payments, "Provides Services"), (std::vector<std::string>{"Card Payment", "Refund"}));
    EXPECT_EQ(ency->getdefinitionbyid(payments)->GetProperty("Description"), "Takes payments");
    EXPECT_NE(definitionId(*ency, 765, "Refund"), 0) << "types may be given by name";
}

TEST(ModelImporterTest, ValuesAreNormalisedByTheirEditType) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(
  <definition type="624" name="Move to cloud">
    <property name="Start Date">2026-03-01</property>
    <property name="Completion Date">20261231</property>
    <property name="Project Complete">yes</property>
  </definition>)"));
    auto plan = ency->getdefinitionbyid(definitionId(*ency, 624, "Move to cloud"));
    EXPECT_EQ(plan->GetProperty("Start Date"), "20260301");
    EXPECT_EQ(plan->GetProperty("Completion Date"), "20261231");
    EXPECT_EQ(plan->GetProperty("Project Complete"), "T");
}

TEST(ModelImporterTest, MalformedXmlNamesLineAndColumnAndChangesNothing) {
    auto ency = newEncyclopedia();
    Long before = objectCount(*ency);
    auto error = importError(*ency, "<model>\n  <definition type=\"765\" name=\"A\"/>\n  <definition type=\"765\" "
                                    "name=\"B\">\n  </diagram>\n</model>\n");
    ASSERT_TRUE(error);
    EXPECT_THAT(error->description(), StartsWith("model.xml:4:"));
    EXPECT_THAT(error->description(), HasSubstr("expected"));
    EXPECT_EQ(objectCount(*ency), before);
}

TEST(ModelImporterTest, ColumnsCountCharactersNotBytes) {
    auto ency = newEncyclopedia();
    auto error =
        importError(*ency, "<model><definition type=\"765\" name=\"Zahlungsverkehr \xC3\xBC\xC3\xBC\"/><bogus/>"
                           "</model>");
    ASSERT_TRUE(error);
    // "<model><definition type="765" name="Zahlungsverkehr üü"/>" is 55 characters: <bogus/> starts at 56.
    EXPECT_THAT(error->description(), StartsWith("model.xml:1:58: expected <definition>, <diagram> or <file>"));
}

TEST(ModelImporterTest, ALaterErrorLeavesTheEncyclopediaAsItWas) {
    auto ency = newEncyclopedia();
    Long before = objectCount(*ency);
    // Valid definitions and a diagram first; the error is in the last element.
    auto error = importError(*ency, modelXml(services + R"(
  <diagram type="132" name="Services"><symbol type="771" name="Payments"/></diagram>
  <definition type="9999" name="Mystery"/>
)"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), HostErrorCode::UnknownType);
    EXPECT_THAT(error->description(), StartsWith("model.xml:12:3: unknown definition type \"9999\"; expected one of "));
    EXPECT_THAT(error->description(), HasSubstr("765 \"Service\""));
    EXPECT_EQ(objectCount(*ency), before);
    // The encyclopedia still works after the rollback.
    importModel(*ency, modelXml(services));
    EXPECT_EQ(objectCount(*ency), before + 3);
}

TEST(ModelImporterTest, UnknownPropertyNamesTheChoices) {
    auto ency = newEncyclopedia();
    auto error = importError(*ency, modelXml(R"(  <definition type="309" name="Ledger">
    <property name="Colour">blue</property>
  </definition>
)"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), HostErrorCode::UnknownProperty);
    EXPECT_THAT(error->description(), StartsWith("model.xml:4:5: \"Colour\" is not a property of a \"Application\""));
    EXPECT_THAT(error->description(), HasSubstr("\"Commission Date\""));
    EXPECT_EQ(definitionId(*ency, 309, "Ledger"), 0);
}

TEST(ModelImporterTest, ListNamingAMissingDefinitionFails) {
    auto ency = newEncyclopedia();
    auto error = importError(*ency, modelXml(R"(  <definition type="618" name="Payments">
    <list name="Provides Services">
      <item>Card Payment</item>
    </list>
  </definition>
)"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), HostErrorCode::NotFound);
    EXPECT_THAT(error->description(),
                StartsWith("model.xml:5:7: there is no \"Service\" named \"Card Payment\" in the file or the "
                           "encyclopedia"));
    EXPECT_EQ(definitionId(*ency, 618, "Payments"), 0);
}

TEST(ModelImporterTest, ImpossibleDateFails) {
    auto ency = newEncyclopedia();
    auto error = importError(*ency, modelXml(R"(  <definition type="309" name="Ledger">
    <property name="Commission Date">2023-02-29</property>
  </definition>
)"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), HostErrorCode::BadValue);
    EXPECT_THAT(error->description(), StartsWith("model.xml:4:5: \"2023-02-29\" is not a valid value of"));
    EXPECT_EQ(definitionId(*ency, 309, "Ledger"), 0);
}

TEST(ModelImporterTest, StructuralMistakesAreNamed) {
    auto ency = newEncyclopedia();
    auto message = [&](const std::string& body) {
        auto error = importError(*ency, modelXml(body));
        return error ? error->description() : std::string("no error");
    };
    EXPECT_THAT(message("<definition type=\"765\"/>"), HasSubstr("<definition> needs the attribute name"));
    EXPECT_THAT(message("<definition type=\"765\" name=\"A\" colour=\"red\"/>"),
                HasSubstr("unknown attribute colour on <definition>; expected type, name"));
    EXPECT_THAT(message("<diagram type=\"132\" name=\"D\"><symbol type=\"2\" left=\"ten\"/></diagram>"),
                HasSubstr("expected a whole number from -2147483648 to 2147483647 for left, found \"ten\""));
    EXPECT_THAT(message("<diagram type=\"132\" name=\"D\"><symbol type=\"2\" left=\"99999999999\"/></diagram>"),
                HasSubstr("for left"));
    EXPECT_THAT(message("<diagram type=\"132\" name=\"D\"><symbol type=\"2\" fill=\"red\"/></diagram>"),
                HasSubstr("expected a colour number"));
    EXPECT_THAT(message("<definition type=\"765\" name=\"A\"><property name=\"Description\" "
                        "encoding=\"base64\">!!</property></definition>"),
                HasSubstr("expected Base64 text in <property>"));
    EXPECT_THAT(message("<definition type=\"765\" name=\"A\"><property name=\"Description\">x<b/></property>"
                        "</definition>"),
                HasSubstr("expected text in <property>, found <b>"));
    EXPECT_THAT(message("stray text"), HasSubstr("expected <definition>, <diagram> or <file>, found text"));
    EXPECT_THAT(message("<definition type=\"765\" name=\"\"/>"), HasSubstr("expected a name"));
    auto wrongRoot = importError(*ency, "<models/>");
    ASSERT_TRUE(wrongRoot);
    EXPECT_THAT(wrongRoot->description(), HasSubstr("expected the root element <model>, found <models>"));
    auto newer = importError(*ency, "<model format=\"2\"/>");
    ASSERT_TRUE(newer);
    EXPECT_THAT(newer->description(), HasSubstr("expected format=\"1\""));
    EXPECT_EQ(objectCount(*ency), 0);
}

TEST(ModelImporterTest, PropertiesAndListsMustBeUsedAsDeclared) {
    auto ency = newEncyclopedia();
    auto message = [&](const std::string& body) {
        auto error = importError(*ency, modelXml(body));
        return error ? error->description() : std::string("no error");
    };
    EXPECT_THAT(message(R"(<definition type="618" name="P"><property name="Provides Services">A</property>
                           </definition>)"),
                HasSubstr("\"Provides Services\" is a list; expected <list name=\"Provides Services\">"));
    EXPECT_THAT(message(R"(<definition type="618" name="P"><list name="Description"/></definition>)"),
                HasSubstr("\"Description\" is not a list; expected <property"));
    EXPECT_THAT(message(R"(<definition type="765" name="S"><property name="Description">a</property>
                           <property name="description">b</property></definition>)"),
                HasSubstr("\"Description\" is given twice"));
    EXPECT_THAT(message(R"(<definition type="765" name="S"/><definition type="765" name="s"/>)"),
                HasSubstr("appears twice in the file; expected it once (first at line 3)"));
}

TEST(ModelImporterTest, CreateRefusesExistingObjectsMergeFillsInOverwriteReplaces) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(
  <definition type="765" name="Card Payment"/>
  <definition type="765" name="Refund"/>
  <definition type="765" name="Chargeback"/>
  <definition type="618" name="Payments">
    <property name="Description">Old text</property>
    <list name="Provides Services"><item>Card Payment</item></list>
  </definition>)"));
    Long payments = definitionId(*ency, 618, "Payments");
    const std::string update = modelXml(R"(
  <definition type="618" name="payments">
    <property name="Description">New text</property>
    <list name="Provides Services"><item>Refund</item><item>Card Payment</item></list>
  </definition>
  <definition type="765" name="Dispute"/>)");

    auto refused = importError(*ency, update, ImportMode::Create);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->code(), HostErrorCode::DuplicateName);
    EXPECT_THAT(refused->description(), HasSubstr("exists already in the encyclopedia"));
    EXPECT_EQ(definitionId(*ency, 765, "Dispute"), 0);

    ImportSummary merged = importModel(*ency, update, ImportMode::Merge);
    EXPECT_EQ(merged.definitionsUpdated, 1);
    EXPECT_EQ(merged.definitionsCreated, 1);
    EXPECT_EQ(ency->store().property(payments, "Description"), "Old text");
    EXPECT_EQ(listNames(*ency, payments, "Provides Services"), (std::vector<std::string>{"Card Payment", "Refund"}));

    importModel(*ency, update, ImportMode::Overwrite);
    EXPECT_EQ(ency->store().property(payments, "Description"), "New text");
    EXPECT_EQ(listNames(*ency, payments, "Provides Services"), (std::vector<std::string>{"Refund", "Card Payment"}));
    EXPECT_EQ(ency->store().object(payments)->name, "Payments") << "an update keeps the stored name";
}

TEST(ModelImporterTest, SetXmlMergesSoThatLoadingTwiceKeepsOneOfEach) {
    km::test::TempFolder folder;
    std::string path = folder.write("definitions.xml", modelXml(services));
    auto ency = newEncyclopedia();
    ency->setxml(path, true, false);
    ency->setxml(path, true, false);
    EXPECT_EQ(ency->store().countObjects(StoredClass::Definition), 3);
    EXPECT_EQ(listNames(*ency, definitionId(*ency, 618, "Payments"), "Provides Services").size(), 2u);
    try {
        ency->setxml(folder.file("missing.xml"), true, false);
        FAIL() << "a missing file must fail";
    } catch (const km::host::HostError& error) {
        EXPECT_EQ(error.code(), HostErrorCode::FileStore);
        EXPECT_THAT(error.description(), HasSubstr("missing.xml"));
    }
}

TEST(ModelImporterTest, SetXmlNeedsTheLoaderTheWorkbenchGives) {
    km::test::TempFolder folder;
    std::string path = folder.write("definitions.xml", modelXml(services));
    auto ency = Encyclopedia::create(":memory:");
    try {
        ency->setxml(path, true, false);
        FAIL() << "an encyclopedia without a model file loader cannot load one";
    } catch (const km::host::HostError& error) {
        EXPECT_EQ(error.code(), HostErrorCode::NotSupported);
    }
    EXPECT_EQ(ency->store().countObjects(StoredClass::Definition), 0);
}

TEST(ModelImporterTest, SymbolsTakeLeftTopWidthHeightAndBringTheirDefinitions) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(
  <diagram type="Service Hierarchy" name="Services">
    <property name="Description">All of them</property>
    <symbol type="770" name="Retail" left="10" top="20" width="200" height="60" fill="#ff8000" selected="true">
      <field number="15">0x0050</field>
    </symbol>
    <symbol type="2" left="-5" top="-5"/>
  </diagram>)"));
    Long diagram = diagramId(*ency, 132, "Services");
    ASSERT_NE(diagram, 0);
    std::vector<Long> symbols = ency->store().symbolsOfDiagram(diagram);
    ASSERT_EQ(symbols.size(), 2u);
    auto retail = ency->loadSymbol(symbols[0]);
    EXPECT_EQ(retail->XPos(), 210);
    EXPECT_EQ(retail->ypos(), 80);
    EXPECT_EQ(retail->XSize(), 200);
    EXPECT_EQ(retail->YSize(), 60);
    EXPECT_EQ(retail->FillColor(), 0x0080FF) << "#rrggbb is red + 256 * green + 65536 * blue";
    EXPECT_TRUE(retail->Selected());
    EXPECT_EQ(retail->GetField(15), "0x0050");
    ASSERT_TRUE(retail->definition());
    EXPECT_EQ(retail->definition()->TypeName(), "Service Domain");
    auto box = ency->loadSymbol(symbols[1]);
    EXPECT_EQ(box->XSize(), 100) << "a new symbol's default size";
    EXPECT_EQ(box->XPos(), 95);
    EXPECT_EQ(box->FillColor(), 16777215);
}

TEST(ModelImporterTest, SymbolsMustSuitTheirDiagram) {
    auto ency = newEncyclopedia();
    auto error = importError(*ency, modelXml(R"(<diagram type="131" name="D">
    <symbol type="770" name="Retail"/>
  </diagram>)"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), HostErrorCode::UnknownType);
    EXPECT_THAT(error->description(), HasSubstr("cannot lie on a \"Application Architecture\" diagram"));
    auto edge = importError(*ency, modelXml(R"(<diagram type="131" name="D">
    <symbol type="2" left="2147483000" width="1000"/></diagram>)"));
    ASSERT_TRUE(edge);
    EXPECT_THAT(edge->description(), HasSubstr("beyond 2147483647"));
    auto nameless = importError(*ency, modelXml(R"(<diagram type="131" name="D"><symbol type="160"/></diagram>)"));
    ASSERT_TRUE(nameless);
    EXPECT_THAT(nameless->description(), HasSubstr("expected a name"));
}

TEST(ModelImporterTest, LinksBuildHierarchiesInFileOrder) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(<diagram type="132" name="H">
    <symbol type="770" name="Top" ref="t"/>
    <symbol type="771" name="A" ref="a"/>
    <symbol type="771" name="B" ref="b"/>
    <link parent="t" child="b"/>
    <link parent="t" child="a"/>
  </diagram>)"));
    auto symbols = ency->store().symbolsOfDiagram(diagramId(*ency, 132, "H"));
    auto children = ency->loadSymbol(symbols[0])->GetRelatedObjects(km::host::RelHierarchyChildren);
    ASSERT_EQ(children->count(), 2);
    EXPECT_EQ(children->Item(1)->Name(), "B");
    EXPECT_EQ(children->Item(2)->Name(), "A");

    auto message = [&](const std::string& links) {
        auto error = importError(*ency, modelXml(R"(<diagram type="132" name="H2">
    <symbol type="2" ref="x"/><symbol type="2" ref="y"/><symbol type="2" ref="z"/>)" +
                                                 links + "</diagram>"));
        return error ? error->description() : std::string("no error");
    };
    EXPECT_THAT(message(R"(<link parent="x" child="nobody"/>)"),
                HasSubstr("no symbol of this diagram has ref=\"nobody\""));
    EXPECT_THAT(message(R"(<link parent="x" child="y"/><link parent="z" child="y"/>)"),
                HasSubstr("has a parent already"));
    EXPECT_THAT(message(R"(<link parent="x" child="y"/><link parent="y" child="z"/><link parent="z" child="x"/>)"),
                HasSubstr("would make it its own ancestor"));
    EXPECT_THAT(message(R"(<link parent="x" child="x"/>)"), HasSubstr("would make it its own ancestor"));
    EXPECT_EQ(diagramId(*ency, 132, "H2"), 0);
}

TEST(ModelImporterTest, OverwriteReplacesTheSymbolsOfADiagramMergeKeepsThem) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(<diagram type="132" name="H"><symbol type="2" name="old"/></diagram>)"));
    Long diagram = diagramId(*ency, 132, "H");
    auto old = ency->loadSymbol(ency->store().symbolsOfDiagram(diagram).front());
    const std::string update = modelXml(R"(<diagram type="132" name="H"><symbol type="2" name="new"/></diagram>)");

    ImportSummary merged = importModel(*ency, update, ImportMode::Merge);
    ASSERT_EQ(merged.notes.size(), 1u);
    EXPECT_THAT(merged.notes[0], HasSubstr("kept the symbols of the existing diagram \"H\""));
    EXPECT_EQ(ency->store().symbolsOfDiagram(diagram, 0, "old").size(), 1u);

    importModel(*ency, update, ImportMode::Overwrite);
    EXPECT_TRUE(ency->store().symbolsOfDiagram(diagram, 0, "old").empty());
    EXPECT_EQ(ency->store().symbolsOfDiagram(diagram, 0, "new").size(), 1u);
    EXPECT_THROW(old->XPos(10), km::host::HostError) << "a loaded symbol that was replaced is deleted";
}

TEST(ModelImporterTest, ListsOfAnyTypeNeedATypeWhenANameIsAmbiguous) {
    auto ency = newEncyclopedia();
    const std::string model = R"(<definition type="309" name="Ledger"/><definition type="765" name="Ledger"/>
  <definition type="765" name="Billing"/>
  <diagram type="131" name="D"><symbol type="818" name="ref">
    <list name="References">%ITEMS%</list></symbol></diagram>)";
    auto with = [&](const std::string& items) { return modelXml(km::rt::Replace(model, "%ITEMS%", items)); };
    auto error = importError(*ency, with("<item>Ledger</item>"));
    ASSERT_TRUE(error);
    EXPECT_THAT(error->description(),
                HasSubstr("\"Ledger\" names definitions of several types (\"Application\", \"Service\")"));
    importModel(*ency, with(R"(<item type="765">Ledger</item><item>Billing</item>)"));
    Long reference = ency->store().symbolsOfDiagram(diagramId(*ency, 131, "D")).front();
    EXPECT_EQ(ency->store().listItems(reference, "References"),
              (std::vector<Long>{definitionId(*ency, 765, "Ledger"), definitionId(*ency, 765, "Billing")}));
}

TEST(ModelImporterTest, SingleListsHoldOneItem) {
    auto ency = newEncyclopedia();
    auto error = importError(*ency, modelXml(R"(<definition type="625" name="T1"/><definition type="625" name="T2"/>
  <diagram type="140" name="L"><symbol type="2" name="box">
    <list name="Application Landscape Report"><item>T1</item><item>T2</item></list></symbol></diagram>)"));
    ASSERT_TRUE(error);
    EXPECT_THAT(error->description(), HasSubstr("holds at most one item"));
}

TEST(ModelImporterTest, QualifiedNamesAreListedWhole) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(<definition type="798" name="Retiring">
    <list name="Parameters"><item>Retiring.Cut-off date</item></list>
  </definition>
  <definition type="799" name="Retiring.Cut-off date"><property name="Default Value">2027-01-01</property>
  </definition>)"));
    Long analytic = definitionId(*ency, 798, "Retiring");
    EXPECT_EQ(listNames(*ency, analytic, "Parameters"), (std::vector<std::string>{"Retiring.Cut-off date"}));
    EXPECT_EQ(ency->getdefinitionbyid(analytic)->getpropertyascollection("Parameters")->Item(1)->Name(),
              "Cut-off date");
}

TEST(ModelImporterTest, FilesAreWrittenAsTextOrBase64) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(<file name="SOASettings.xml">&lt;settings/&gt;</file>
  <file name="images\logo.png" encoding="base64">iVBORw0KGgoAAA==</file>)"));
    EXPECT_EQ(ency->store().readFile("SOASettings.xml"), "<settings/>");
    EXPECT_EQ(ency->store().readFile("images\\logo.png"), std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    auto again = importError(*ency, modelXml(R"(<file name="soasettings.xml">x</file>)"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->code(), HostErrorCode::DuplicateName);
    importModel(*ency, modelXml(R"(<file name="soasettings.xml">x</file>)"), ImportMode::Merge);
    EXPECT_EQ(ency->store().readFile("SOASettings.xml"), "<settings/>");
    importModel(*ency, modelXml(R"(<file name="soasettings.xml">x</file>)"), ImportMode::Overwrite);
    EXPECT_EQ(ency->store().readFile("SOASettings.xml"), "x");
}

TEST(ModelImporterTest, LockedDefinitionsAreNotUpdated) {
    auto ency = newEncyclopedia();
    importModel(*ency, modelXml(R"(<definition type="765" name="Billing"/>)"));
    Long billing = definitionId(*ency, 765, "Billing");
    {
        Transaction transaction(ency->store());
        ency->store().lock(billing, "someone@elsewhere:1");
        transaction.commit();
    }
    auto error =
        importError(*ency, modelXml(R"(<definition type="765" name="Billing"><property name="Description">x</property>
  </definition>)"),
                    ImportMode::Overwrite);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), HostErrorCode::Locked);
    EXPECT_THAT(error->description(), HasSubstr("locked by someone@elsewhere:1"));
}
