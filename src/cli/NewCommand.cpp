// kmsoa new: creates an empty encyclopedia holding the host's base files.
#include "CliSupport.h"
#include "Commands.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include <CLI/CLI.hpp>
#include <iostream>

namespace km::cli {

void addNewCommand(CLI::App& app, CommandContext& context) {
    auto path = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("new", "Create a new, empty encyclopedia file (never overwrites one)");
    command->add_option("encyclopedia", *path, "Path of the encyclopedia file to create (e.g. team.kmdb)")->required();
    command->callback([&context, path] {
        runCommand(context, "new", [&] {
            kemora::Encyclopedia::create(*path);
            std::cout << "Created the encyclopedia " << *path << "\n";
        });
    });
}

} // namespace km::cli
