// kmsoa: the command-line shell of the Kemora for SOA workbench.
#include "Commands.h"
#include "platform/runtime/RuntimeError.h"
#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"kmsoa - the Kemora for SOA workbench: encyclopedias, diagrams, reports and the add-in's commands"};
    app.require_subcommand(1);
    km::cli::CommandContext context;
    km::cli::addNewCommand(app, context);
    km::cli::addImportCommand(app, context);
    km::cli::addExportCommand(app, context);
    km::cli::addListCommand(app, context);
    km::cli::addRenderCommand(app, context);
    km::cli::addFilesCommand(app, context);
    km::cli::addReportCommand(app, context);
    km::cli::addRunCommand(app, context);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int code = app.exit(error);
        return code == 0 ? km::cli::exitOk : km::cli::exitUsage;
    } catch (const std::exception& error) {
        std::cerr << "kmsoa: " << km::rt::describe(error) << "\n";
        return km::cli::exitFailed;
    }
    return context.exitCode;
}
