// BuildAutoLandscape through the facade: templates chained level by level, sizes settled
// bottom-up, the top-level grid, the diagram's options and the filter dialog.
#include "landscape/clsAutoLandscapeBuilder.h"
#include "LandscapeTest.h"
#include <gmock/gmock.h>

namespace {

using km::rt::Long;
using km::test::Box;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* domainsScript = "TABULAR 1\n{\n"
                                      "SELECT \"Identity\" LEGEND \"KMTargetID\" "
                                      "WHERE Class = Definition WHERE \"Type Number\" = 619\n}\n";
constexpr const char* componentsScript = "TABULAR 1\n{\n"
                                         "WHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                         "JOIN WHERE RELATION = \"comprises\" JOIN\n"
                                         "ORDERBY SEQUENCE SELECT \"Identity\" LEGEND \"KMTargetID\"\n}\n";
constexpr const char* servicesScript = "TABULAR 1\n{\n"
                                       "WHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                       "JOIN WHERE RELATION = \"provides\" JOIN\n"
                                       "SELECT \"Identity\" LEGEND \"KMTargetID\"\n}\n";
// The domains that comprise the chosen component.
constexpr const char* domainOfScript = "TABULAR 1\n{\n"
                                       "SELECT \"Identity\" LEGEND \"KMTargetID\" "
                                       "WHERE Class = Definition WHERE \"Type Number\" = 619\n"
                                       "JOIN WHERE RELATION = \"comprises\" JOIN\n"
                                       "WHERE \"Identity\" = #PARAMETER1#\n}\n";

class AutoLandscapeTest : public km::test::LandscapeTest {
protected:
    void SetUp() override {
        landscapeTemplate("Domains", domainsScript);
        landscapeTemplate("Components", componentsScript);
        landscapeTemplate("Services", servicesScript);
        landscapeTemplate("Domain of", domainOfScript);
    }
    void domain(const std::string& name, const std::vector<std::string>& components) {
        std::string list;
        for (const std::string& component : components) {
            if (!bench.encyclopedia().definitionNamed(618, component)) {
                bench.createDefinition(component, 618);
            }
            list += component + "\r\n";
        }
        bench.createDefinition(name, 619, {{"Comprises", list}});
    }
    void services(const std::string& component, const std::vector<std::string>& names) {
        std::string list;
        for (const std::string& name : names) {
            if (!bench.encyclopedia().definitionNamed(765, name)) {
                bench.createDefinition(name, 765);
            }
            list += name + "\r\n";
        }
        auto definition = bench.encyclopedia().definitionNamed(618, component);
        definition->setProperty("Provides Services", list);
        definition->save();
    }
    void use(const std::string& templates, const std::map<std::string, std::string>& options = {}) {
        diagram->setProperty("Landscape Reports", templates);
        for (const auto& [name, value] : options) {
            diagram->setProperty(name, value);
        }
        diagram->save();
    }
    Box box(const std::string& name, Long type = 0) { return boxOf(*stored(name, type)); }
    std::vector<std::string> trace() { return km::rt::Split(bench.traceText("Build Landscape"), "\r\n"); }
};

TEST_F(AutoLandscapeTest, OneTemplateGivesASquareGridOfLeafSymbols) {
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        domain(name, {});
    }
    use("Domains");
    bench.run("BuildAutoLandscape");
    // Five symbols: 2 columns, 3 rows of 175 x 90 with gaps of 5, from (50, 0) plus the gaps.
    EXPECT_EQ(box("A"), (Box{55, 50, 230, 140}));
    EXPECT_EQ(box("B"), (Box{235, 50, 410, 140}));
    EXPECT_EQ(box("C"), (Box{55, 145, 230, 235}));
    EXPECT_EQ(box("E"), (Box{55, 240, 230, 330}));
    EXPECT_THAT(trace(), Contains("Found template - Domains"));
    EXPECT_EQ(trace().end()[-2], "Complete");
    EXPECT_TRUE(prompts().empty());
}

TEST_F(AutoLandscapeTest, TwoTemplatesSizeTheTopLevelToHoldItsChildren) {
    // Seven domains, at most four components each, some with none: children 175 x 90 in 2 x 2
    // grids, domains (175 + 5) x 2 = 360 wide and (90 + 5) x 2 + 50 = 240 high.
    domain("D1", {"C1", "C2", "C3", "C4"});
    domain("D2", {"C5"});
    for (const char* name : {"D3", "D4", "D5", "D6", "D7"}) {
        domain(name, {});
    }
    use("Domains\r\nComponents");
    bench.run("BuildAutoLandscape");
    auto d1 = stored("D1", km::test::domainSymbol);
    EXPECT_EQ(d1->XSize(), 360);
    EXPECT_EQ(d1->YSize(), 240);
    EXPECT_EQ(box("D1"), (Box{55, 50, 415, 290}));
    EXPECT_EQ(box("C1"), (Box{60, 100, 235, 190}));
    EXPECT_EQ(box("C4"), (Box{240, 195, 415, 285}));
    EXPECT_EQ(box("C5").right - box("C5").left, 175) << "a parent with fewer children uses the level's size";
    EXPECT_THAT(nestedNames(*d1), ElementsAre("C1", "C2", "C3", "C4"));
    EXPECT_TRUE(noSymbolsOverlap());
}

TEST_F(AutoLandscapeTest, ThreeLevelsNestWithoutOverlapping) {
    domain("Customer", {"CRM", "Sales", "Portal"});
    domain("Freight", {"Planning", "Warehouse"});
    services("CRM", {"Profiles", "Contacts", "Segments"});
    services("Sales", {"Quotes"});
    services("Planning", {"Routes", "Loads", "Carriers", "Lanes", "Docks"});
    use("Domains\r\nComponents\r\nServices", {{"Wash out colours at each level?", "T"}});
    bench.run("BuildAutoLandscape");
    // Services 175 x 90 in 2 x 3 grids; components 360 x 335; domains 2 x 2 of them.
    EXPECT_EQ(stored("CRM")->XSize(), 360);
    EXPECT_EQ(stored("CRM")->YSize(), 335);
    EXPECT_EQ(stored("Customer")->XSize(), 730);
    EXPECT_EQ(stored("Customer")->YSize(), 730);
    EXPECT_THAT(nestedNames(*stored("Planning")), ElementsAre("Carriers", "Docks", "Lanes", "Loads", "Routes"));
    EXPECT_EQ(stored("Routes")->FillColor(), 16777215) << "white washed out stays white";
    EXPECT_TRUE(noSymbolsOverlap());
}

TEST_F(AutoLandscapeTest, ManyTopLevelObjectsStayAtPositiveCoordinates) {
    for (int i = 0; i < 121; ++i) {
        domain("Domain " + std::to_string(1000 + i), {});
    }
    use("Domains");
    bench.run("BuildAutoLandscape");
    // 11 columns: the grid's right edge counts the gaps, so the first column starts at 55.
    Long leftmost = 1 << 30;
    Long topmost = 1 << 30;
    for (const auto& symbol : diagram->GetAllSymbols()) {
        leftmost = std::min(leftmost, symbol->XPos() - symbol->XSize());
        topmost = std::min(topmost, symbol->ypos() - symbol->YSize());
    }
    EXPECT_EQ(leftmost, 55);
    EXPECT_EQ(topmost, 50);
    EXPECT_TRUE(noSymbolsOverlap());
}

TEST_F(AutoLandscapeTest, AFilterChosenForTheFirstTemplateIsUsed) {
    domain("Customer", {"CRM"});
    domain("Freight", {"Planning"});
    use("Domain of\r\nComponents");
    chooseFilter("Service Component", "Planning");
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(namesOfType(km::test::domainSymbol), ElementsAre("Freight"));
    EXPECT_THAT(namesOfType(km::test::componentSymbol), ElementsAre("Planning"));
    EXPECT_TRUE(prompts().empty());
}

TEST_F(AutoLandscapeTest, CancellingAFilterDialogBuildsTheLevelsSetSoFar) {
    domain("Customer", {"CRM"});
    use("Domains\r\nDomain of");
    bench.ui().addFormScript("frmLAAFilterSelect", "click Cancel");
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(namesOfType(0), ElementsAre("Customer"));
    EXPECT_EQ(box("Customer"), (Box{55, 50, 230, 140}));
}

TEST_F(AutoLandscapeTest, ForceSortOrdersEachLevelByNameAndDropsEqualNames) {
    // "Billing" is both a component and a service of that component: one symbol with force-sort.
    domain("Customer", {"Zulu", "Billing", "alpha"});
    landscapeTemplate("Component and services",
                      "TABULAR 1\n{\nWHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                      "JOIN WHERE RELATION = \"comprises\" JOIN\nORDERBY SEQUENCE SELECT \"Identity\" LEGEND "
                      "\"KMTargetID\" PARTIAL\nJOIN WHERE RELATION = \"provides\" JOIN\n"
                      "SELECT \"Identity\" LEGEND \"KMTargetID\"\n}\n");
    services("Billing", {"Billing", "Invoices"});
    use("Domains\r\nComponent and services", {{"Force sort symbols by name at each level?", "T"}});
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(nestedNames(*stored("Customer")), ElementsAre("Billing", "Invoices", "Zulu", "alpha"));
    EXPECT_EQ(namesOfType(km::test::serviceSymbol), std::vector<std::string>{"Invoices"});
}

TEST_F(AutoLandscapeTest, ExistingSymbolsAreDeletedOnYesAndKeptOnNo) {
    domain("Customer", {});
    use("Domains");
    auto old = symbolAt("Old", km::test::serviceSymbol, 900, 900, 300, 300);
    symbolAt("Older", km::test::serviceSymbol, 800, 800, 50, 50);
    bench.ui().answerMessage(6);
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(namesOfType(0), ElementsAre("Customer"));
    EXPECT_THAT(prompts(), ElementsAre("The target diagram already has symbols on it. Delete existing syms?"));
    EXPECT_EQ(bench.ui().messages()[0].style, 3);

    bench.ui().answerMessage(7);
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(namesOfType(0), ElementsAre("Customer", "Customer"));
    bench.ui().answerMessage(2);
    bench.run("BuildAutoLandscape");
    EXPECT_EQ(namesOfType(0).size(), 2u);
    EXPECT_EQ(prompts().size(), 3u);
}

TEST_F(AutoLandscapeTest, RefusesDiagramsWithoutTemplates) {
    bench.run("BuildAutoLandscape");
    bench.encyclopedia().setCurrentDiagram(0);
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(prompts(),
                ElementsAre("Could not find any Application Landscape Reports assigned to this diagram to execute.",
                            "You must open a diagram with a property containing Application Landscape Reports."));
    EXPECT_EQ(bench.ui().messages()[0].title, "Nested Hierarchy Builder");
}

TEST_F(AutoLandscapeTest, AnalyticsRunAfterTheBuildOnlyWhenSwitchedOn) {
    domain("Customer", {});
    use("Domains");
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(hostStatus(), Not(Contains("Executing Analytics")));
    use("Domains", {{"Run Analytics after build?", "T"}});
    bench.ui().answerMessage(6);
    bench.run("BuildAutoLandscape");
    EXPECT_THAT(hostStatus(), Contains("Executing Analytics"));
}

TEST_F(AutoLandscapeTest, ACancelStopsDrawingAndIsTraced) {
    for (const char* name : {"A", "B", "C"}) {
        domain(name, {"C" + std::string(name)});
    }
    use("Domains\r\nComponents");
    bench.ui().cancelStatusAfter(9);
    bench.run("BuildAutoLandscape");
    EXPECT_LT(namesOfType(0).size(), 6u);
    EXPECT_EQ(trace().end()[-2], "Cancelled");
}

TEST(WashOutTest, ColoursAreLightenedByFifteenPercent) {
    KM_SLN_SOA::clsAutoLandscapeBuilder builder;
    EXPECT_EQ(builder.ChangeThisColourIntensityByPercent(0x646464, 15), 0x737373);
    EXPECT_EQ(builder.ChangeThisColourIntensityByPercent(0x00DF10, 15), 0x00FF12) << "223 becomes 255; 16 -> 18.4";
    EXPECT_EQ(builder.ChangeThisColourIntensityByPercent(0, 15), 0);
    EXPECT_EQ(builder.ChangeThisColourIntensityByPercent(16777215, 15), 16777215);
    auto rgb = builder.LongToRGB(0x0A141E);
    EXPECT_EQ(rgb[0], 30.0f);
    EXPECT_EQ(rgb[2], 10.0f);
}

} // namespace
