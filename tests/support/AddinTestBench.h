#pragma once
#include "TempFolder.h"
#include "TestEncyclopedia.h"
#include "platform/kemora/services/Workbench.h"
#include "platform/runtime/Types.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace km::host {
class IDefinition;
class IDiagram;
class IHostServices;
class ISymbol;
} // namespace km::host
namespace km::kemora {
class Encyclopedia;
}

namespace km::test {

/// A running workbench for add-in tests: a fresh encyclopedia (in memory, or a temporary file
/// when the solution is switched on), a scripted front end, and the add-in's globals wired to
/// the workbench's host services with the library folder set to the build's output folder.
/// The destructor releases whatever the add-in left set up while the workbench still lives.
///
///     AddinTestBench bench;
///     auto diagram = bench.createDiagram("Landscape");
///     bench.addSymbol(*diagram, "Billing", 160);
///     bench.run("ExecuteAnalyticsForDiagram");
///     EXPECT_TRUE(bench.messagePrompts().empty());
class AddinTestBench {
public:
    explicit AddinTestBench(Solution solution = Solution::Off);
    ~AddinTestBench();
    AddinTestBench(const AddinTestBench&) = delete;
    AddinTestBench& operator=(const AddinTestBench&) = delete;

    ui::ScriptedFrontEnd& ui() { return m_ui; }
    kemora::Workbench& workbench() { return *m_workbench; }
    kemora::Encyclopedia& encyclopedia();
    host::IHostServices& services() { return *m_services; }
    const TempFolder& folder() const { return m_folder; }

    // The model.
    /// A new diagram (type 131 by default), opened as the current one unless \p open is false.
    std::shared_ptr<host::IDiagram> createDiagram(const std::string& name, rt::Long type = 131, bool open = true);
    /// A new symbol; for definition-backed types the definition of that name is made as needed.
    std::shared_ptr<host::ISymbol> addSymbol(host::IDiagram& diagram, const std::string& name, rt::Long symbolType);
    /// A new definition with properties set from texts, saved.
    std::shared_ptr<host::IDefinition> createDefinition(const std::string& name, rt::Long type,
                                                        const std::map<std::string, std::string>& properties = {});
    /// Puts a file into the encyclopedia's file store (replacing one of the same name).
    void putFile(const std::string& name, const std::string& content);
    bool hasFile(const std::string& name);

    // The add-in.
    /// Calls a LandscapeMgr method by name as the host does; errors propagate.
    std::string run(const std::string& method, const std::vector<std::string>& arguments = {});
    /// Sets up the add-in's shared objects as a command does at its start, for testing workers.
    void initialiseObjects();
    /// Releases them as a command does at its end.
    void destroyObjects();

    // What the user saw.
    std::vector<std::string> messagePrompts() const;
    /// The whole text of the newest trace log with that title ("" when there is none).
    std::string traceText(const std::string& title) const;
    /// How many trace logs with that title were started.
    std::size_t logCount(const std::string& title) const;

private:
    void switchSolutionOn();

    TempFolder m_folder;
    ui::ScriptedFrontEnd m_ui;
    std::unique_ptr<kemora::Workbench> m_workbench;
    std::shared_ptr<host::IHostServices> m_services;
};

} // namespace km::test
