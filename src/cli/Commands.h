#pragma once
#include <string>

namespace CLI {
class App;
}

namespace km::cli {

/// Exit codes of kmsoa.
enum ExitCode : int {
    exitOk = 0,
    exitErrorsLogged = 1, ///< the command ran, and errors were logged for the user to review
    exitFailed = 2,       ///< the command failed (bad input, missing file, host error)
    exitUsage = 64,       ///< the command line was wrong
};

/// The outcome a subcommand leaves for main to return.
struct CommandContext {
    int exitCode = exitOk;
};

// One function per subcommand, each in its own source file: it adds the subcommand with its
// options to the application and sets its callback.
void addNewCommand(CLI::App& app, CommandContext& context);
void addImportCommand(CLI::App& app, CommandContext& context);
void addExportCommand(CLI::App& app, CommandContext& context);
void addListCommand(CLI::App& app, CommandContext& context);
void addRenderCommand(CLI::App& app, CommandContext& context);
void addFilesCommand(CLI::App& app, CommandContext& context);
void addReportCommand(CLI::App& app, CommandContext& context);
void addRunCommand(CLI::App& app, CommandContext& context);

} // namespace km::cli
