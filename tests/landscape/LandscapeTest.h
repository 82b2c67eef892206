#pragma once
// A landscape diagram with the solution switched on, short ways to put services, applications and
// templates into it, to answer the landscape dialogs, and to read back the geometry that a build
// left on the diagram.
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Definition.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/Types.h"
#include "support/AddinTestBench.h"
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace km::test {

inline constexpr rt::Long landscapeDiagram = 140;
inline constexpr rt::Long applicationSymbol = 160;
inline constexpr rt::Long serviceSymbol = 772;
inline constexpr rt::Long domainSymbol = 770;
inline constexpr rt::Long componentSymbol = 771;

/// The applications that provide the service of #DDIDS#.
inline constexpr const char* providersScript = "TABULAR 1\n"
                                               "{\n"
                                               "WHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                               "JOIN WHERE RELATION = \"provided by\" JOIN\n"
                                               "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 309\n"
                                               "}\n";
/// The same, only those that the service plan #PARAMETER1# changes.
inline constexpr const char* planProvidersScript =
    "TABULAR 1\n"
    "{\n"
    "WHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
    "JOIN WHERE RELATION = \"provided by\" JOIN\n"
    "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 309\n"
    "JOIN WHERE RELATION = \"changed by\" JOIN\n"
    "WHERE \"Identity\" = #PARAMETER1#\n"
    "}\n";

/// A rectangle in host units: left, top, right, bottom.
struct Box {
    rt::Long left, top, right, bottom;
    bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Box& box);

class LandscapeTest : public ::testing::Test {
protected:
    LandscapeTest() : bench(Solution::On) { diagram = bench.createDiagram("Landscape", landscapeDiagram); }

    /// A symbol of that type placed with its right and bottom edge, width and height.
    std::shared_ptr<host::ISymbol> symbolAt(const std::string& name, rt::Long type, rt::Long right, rt::Long bottom,
                                            rt::Long width, rt::Long height);
    /// A service with a container symbol, and applications (made as needed) providing it.
    std::shared_ptr<host::ISymbol> service(const std::string& name, const std::vector<std::string>& providers,
                                           rt::Long right = 400, rt::Long bottom = 300, rt::Long width = 300,
                                           rt::Long height = 200);
    void application(const std::string& name);
    /// A service plan changing the named applications.
    std::shared_ptr<host::IDefinition> plan(const std::string& name, const std::vector<std::string>& applications);
    std::shared_ptr<host::IDefinition> landscapeTemplate(const std::string& name, const std::string& content);
    static void select(host::ISymbol& symbol, bool selected = true);

    /// Answers the template dialog with that template and OK.
    void chooseTemplate(const std::string& name);
    /// Answers the filter dialog with the definition of that type and name, and OK.
    void chooseFilter(const std::string& typeName, const std::string& name);
    void chooseColumns(const std::string& text);

    /// The diagram's symbols as stored now, by name (the first of each name).
    std::shared_ptr<host::ISymbol> stored(const std::string& name, rt::Long type = 0);
    std::vector<std::string> namesOfType(rt::Long type);
    static Box boxOf(host::ISymbol& symbol);
    /// The symbols lying directly inside a symbol (relation 28), by name.
    std::vector<std::string> nestedNames(host::ISymbol& symbol);
    std::vector<std::string> hostStatus() { return bench.ui().hostStatusLines(); }
    std::string lastStatus();
    std::vector<std::string> prompts() { return bench.messagePrompts(); }
    std::string errorLog() { return bench.traceText("Error Log"); }
    /// Every two symbols of the diagram either lie one inside the other or do not overlap at all.
    ::testing::AssertionResult noSymbolsOverlap();

    AddinTestBench bench;
    std::shared_ptr<host::IDiagram> diagram;
};

} // namespace km::test
