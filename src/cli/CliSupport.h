#pragma once
#include "Commands.h"
#include "platform/runtime/Types.h"
#include <functional>
#include <memory>
#include <string>

namespace km::kemora {
class Encyclopedia;
}

namespace km::cli {

/// Runs the body of a subcommand: an error is printed on stderr as "kmsoa COMMAND: message" and
/// sets the exit code (CliError's own, else exitFailed); nothing escapes.
void runCommand(CommandContext& context, const std::string& command, const std::function<void()>& body);

/// Opens an existing encyclopedia. Problems of its property files are printed on stderr as
/// warnings (the valid declarations still load). HostError Storage when it cannot be opened.
std::shared_ptr<kemora::Encyclopedia> openEncyclopedia(const std::string& path);

/// The id of the diagram of that name (without regard to case) and, when \p type is not 0, of that
/// type. CliError when there is none, or several of different types and no type was given.
rt::Long findDiagram(kemora::Encyclopedia& encyclopedia, const std::string& name, rt::Long type);

/// Writes \p content to \p path through a temporary file renamed into place, so that a failed
/// write never leaves a half-written file. CliError when it cannot be written.
void writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& content);

/// Reads a whole file, or standard input for "-". CliError when it cannot be read.
std::string readInput(const std::string& path);
/// Reads a script as readInput does, without a leading UTF-8 byte-order mark: the mark is no part
/// of the script, and a script prepared with it would lose its first line.
std::string readScript(const std::string& path);

} // namespace km::cli
