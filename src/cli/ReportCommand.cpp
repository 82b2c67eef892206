// kmsoa report: runs a report script against an encyclopedia and prints the result XML. The script
// is prepared first exactly as the add-in prepares the scripts it runs, by the add-in library
// itself, so that a stored template or report definition can be tried as the add-in would run it.
#include "CliSupport.h"
#include "Commands.h"
#include "host/IAddinLibrary.h"
#include "host/IHostServices.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/services/AddinLoader.h"
#include "platform/kemora/services/Workbench.h"
#include "platform/runtime/Text.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

namespace km::cli {

namespace {

struct ReportOptions {
    std::string encyclopedia;
    std::string scriptFile;
    bool prepared = false;
    std::optional<rt::Long> ddid;
    std::optional<rt::Long> parameter;
};

// The placeholders of stored scripts, replaced before the script is prepared.
std::string withPlaceholders(std::string script, const ReportOptions& options) {
    if (options.ddid) {
        script = rt::Replace(script, "#DDIDS#", std::to_string(*options.ddid));
    }
    if (options.parameter) {
        script = rt::Replace(script, "#PARAMETER1#", std::to_string(*options.parameter));
    }
    return script;
}

// The script as the add-in hands it to the host, prepared by the add-in library.
std::string preparedByAddin(const std::string& script) {
    // The library needs host services to load; this command shows no windows, so a scripted front
    // end without answers stands in for the user.
    ui::ScriptedFrontEnd frontEnd;
    kemora::Workbench workbench(kemora::WorkbenchPaths::fromEnvironment(), frontEnd);
    std::shared_ptr<host::IHostServices> services = workbench.services();
    kemora::AddinLoader loader(*services);
    return loader.library().PrepareReportString(script);
}

void printText(const std::string& text) {
    std::cout << text;
    if (text.empty() || text.back() != '\n') {
        std::cout << "\n";
    }
    std::cout.flush();
}

void runReport(const ReportOptions& options) {
    std::string script = preparedByAddin(withPlaceholders(readScript(options.scriptFile), options));
    if (options.prepared) {
        printText(script);
        return;
    }
    auto encyclopedia = openEncyclopedia(options.encyclopedia);
    std::string result;
    encyclopedia->ExecuteReportString(result, script);
    printText(result);
}

} // namespace

void addReportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* command = app.add_subcommand("report", "Run a report script against an encyclopedia and print the "
                                                     "result XML");
    command->add_option("encyclopedia", options->encyclopedia, "The encyclopedia file")->required();
    command->add_option("script", options->scriptFile, "The report script file (- for standard input)")->required();
    command->add_flag("--prepared", options->prepared,
                      "Print the script as the add-in prepares it instead of running it");
    command->add_option("--ddid", options->ddid, "Replace #DDIDS# in the script by this id");
    command->add_option("--parameter", options->parameter, "Replace #PARAMETER1# in the script by this id");
    command->callback([&context, options] { runCommand(context, "report", [&] { runReport(*options); }); });
}

} // namespace km::cli
