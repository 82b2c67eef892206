#pragma once
#include "Commands.h"
#include <stdexcept>
#include <string>

namespace km::cli {

/// A failure of a subcommand that kmsoa reports with its own exit code: exitUsage for a command
/// line that cannot work (an option that does not apply, an ambiguous diagram name), exitFailed
/// for everything else.
class CliError : public std::runtime_error {
public:
    explicit CliError(const std::string& message, ExitCode code = exitFailed)
        : std::runtime_error(message), m_code(code) {}
    ExitCode code() const { return m_code; }

private:
    ExitCode m_code;
};

} // namespace km::cli
