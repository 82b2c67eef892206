#pragma once
// A landscape diagram with the solution switched on, and short ways to build applications on it
// and to look at what the analytics did to it.
#include "addin/basConstantsAndPublicVars.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Definition.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/services/Workbench.h"
#include "support/AddinTestBench.h"
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace km::test {

inline constexpr const char* titleText = "Kemora for SOA";
inline constexpr rt::Long whiteColour = 16777215;
inline constexpr rt::Long redColour = 3289855;
inline constexpr rt::Long greenColour = 3335730;
inline constexpr rt::Long applicationSymbol = 160;

/// Every application with the services it provides, the application itself first (level 1
/// selects the starting definition, as grouping expects).
inline constexpr const char* servicesScript = "TABULAR 1\n"
                                              "{\n"
                                              "SELECT \"Identity\" LEGEND \"KMTargetID\" "
                                              "WHERE Class = Definition WHERE \"Identity\" = #DDIDS#\n"
                                              "JOIN WHERE RELATION = \"provides\" JOIN\n"
                                              "SELECT \"Identity\" LEGEND \"KMTargetID\" WHERE \"Type Number\" = 765\n"
                                              "}\n";

class AnalyticsTest : public ::testing::Test {
protected:
    AnalyticsTest() : bench(Solution::On) { diagram = bench.createDiagram("Landscape", 140); }

    /// An application definition with its properties and a symbol for it; symbols are laid out
    /// left to right, 100 by 50, 20 apart.
    std::shared_ptr<host::ISymbol> application(const std::string& name,
                                               const std::map<std::string, std::string>& properties = {}) {
        bench.createDefinition(name, 309, properties);
        auto symbol = bench.addSymbol(*diagram, name, applicationSymbol);
        placeAt(*symbol, 100 + 120 * m_placed++, 100);
        return symbol;
    }
    static void placeAt(host::ISymbol& symbol, rt::Long right, rt::Long bottom, rt::Long width = 100,
                        rt::Long height = 50) {
        symbol.XSize(width);
        symbol.YSize(height);
        symbol.XPos(right);
        symbol.ypos(bottom);
        symbol.save();
    }
    /// A service definition provided by the named applications.
    void service(const std::string& name, const std::vector<std::string>& providers) {
        bench.createDefinition(name, 765);
        for (const std::string& provider : providers) {
            auto app = bench.encyclopedia().definitionNamed(309, provider);
            std::string list = app->GetProperty("Provides Services");
            app->setProperty("Provides Services", list + name + "\r\n");
            app->save();
        }
    }
    void report(const std::string& name, const std::string& content) {
        bench.createDefinition(name, 626, {{"Content", content}});
    }

    /// The first symbol of that name (and type, when given) as stored now.
    std::shared_ptr<host::ISymbol> symbol(const std::string& name, rt::Long type = 0) {
        auto symbols = diagram->GetFilteredSymbols(name, type);
        return symbols->IsMoreThan(0) ? symbols->Item(1) : nullptr;
    }
    /// The fill colour of an application's symbol as saved.
    rt::Long colourOf(const std::string& name) {
        return bench.encyclopedia().store().symbol(symbol(name, applicationSymbol)->ddid())->fillColor;
    }
    /// A property of the diagram as saved.
    std::string savedProperty(const std::string& name) {
        return bench.encyclopedia().store().property(diagram->ddid(), name).value_or("");
    }
    /// Names of the text symbols (the key's labels), in creation order.
    std::vector<std::string> labels() {
        std::vector<std::string> names;
        for (auto text : diagram->GetFilteredSymbols("", 1)) {
            names.push_back(text->Name());
        }
        return names;
    }
    std::string status() {
        const auto& lines = bench.workbench().statusLines();
        return lines.empty() ? std::string() : lines.back();
    }
    std::vector<std::string> prompts() { return bench.messagePrompts(); }
    std::vector<rt::Long> menuCommands() { return bench.workbench().menuCommands(); }

    std::string simpleQuery(const std::string& property, const std::string& value, const std::string& op,
                            const std::string& colour = "red", const std::string& keyTitle = "") {
        return bench.run("SimpleQuery", {property, value, colour, "Application", op, keyTitle});
    }

    AddinTestBench bench;
    std::shared_ptr<host::IDiagram> diagram;

private:
    int m_placed = 0;
};

/// Runs a worker of the add-in with the shared objects of a command set up, as a facade method
/// does.
class CommandScope {
public:
    explicit CommandScope(AddinTestBench& bench) : m_bench(bench) { bench.initialiseObjects(); }
    ~CommandScope() { m_bench.destroyObjects(); }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    AddinTestBench& m_bench;
};

} // namespace km::test
