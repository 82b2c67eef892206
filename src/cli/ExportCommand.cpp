// kmsoa export: writes an encyclopedia, or one diagram, as a model exchange file.
#include "CliSupport.h"
#include "Commands.h"
#include "platform/kemora/exchange/ModelExporter.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include <CLI/CLI.hpp>
#include <iostream>

namespace km::cli {

namespace {

struct ExportOptions {
    std::string encyclopedia;
    std::string output;
    std::string diagram;
    rt::Long diagramType = 0;
    bool files = false;
};

} // namespace

void addExportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* command = app.add_subcommand("export", "Write the model (or one diagram) as a model exchange file");
    command->add_option("encyclopedia", options->encyclopedia, "The encyclopedia file")->required();
    command->add_option("-o,--output", options->output, "The file to write (default: standard output)");
    command->add_option("--diagram", options->diagram,
                        "Only this diagram, with its symbols and links (it names definitions it does not carry)");
    command->add_option("--diagram-type", options->diagramType,
                        "The diagram's type number, when several diagrams "
                        "share the name");
    CLI::Option* files =
        command->add_flag("--files", options->files, "Also write the files of the encyclopedia's file store");
    files->excludes(command->get_option("--diagram"));
    command->callback([&context, options] {
        runCommand(context, "export", [&] {
            auto encyclopedia = openEncyclopedia(options->encyclopedia);
            kemora::ModelExporter exporter(encyclopedia->store(), encyclopedia->metamodel());
            rt::Long diagram =
                options->diagram.empty() ? 0 : findDiagram(*encyclopedia, options->diagram, options->diagramType);
            auto write = [&](std::ostream& out) {
                if (diagram != 0) {
                    exporter.writeDiagram(diagram, out);
                } else {
                    exporter.writeAll(out, options->files ? kemora::ExportFiles::With : kemora::ExportFiles::Without);
                }
            };
            if (options->output.empty() || options->output == "-") {
                write(std::cout);
                std::cout.flush();
            } else {
                writeFileAtomically(options->output, write);
            }
        });
    });
}

} // namespace km::cli
