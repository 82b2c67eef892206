// kmsoa import: brings a model exchange file into an encyclopedia, all or nothing.
#include "CliSupport.h"
#include "Commands.h"
#include "platform/kemora/exchange/ModelImporter.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include <CLI/CLI.hpp>
#include <iostream>

namespace km::cli {

namespace {

struct ImportOptions {
    std::string encyclopedia;
    std::string file;
    bool merge = false;
    bool overwrite = false;
};

std::string counted(rt::Long count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

void printSummary(const std::string& file, const kemora::ImportSummary& summary) {
    std::cout << "Imported " << file << ": " << counted(summary.definitionsCreated, "definition") << " created, "
              << summary.definitionsUpdated << " updated; " << counted(summary.diagramsCreated, "diagram")
              << " created, " << summary.diagramsUpdated << " updated; " << counted(summary.symbolsCreated, "symbol")
              << "; " << counted(summary.filesWritten, "file") << ".\n";
    for (const std::string& note : summary.notes) {
        std::cout << "Note: " << note << "\n";
    }
}

} // namespace

void addImportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand(
        "import", "Import a model exchange file (docs/model-exchange.md); on any error nothing is imported");
    command->add_option("encyclopedia", options->encyclopedia, "The encyclopedia file")->required();
    command->add_option("file", options->file, "The model exchange file (XML)")->required();
    command->add_flag("--merge", options->merge,
                      "Update objects that exist already: keep their values, fill in empty properties, add missing "
                      "list items; existing diagrams keep their symbols");
    command->add_flag("--overwrite", options->overwrite,
                      "Update objects that exist already with the file's values; existing diagrams get the file's "
                      "symbols");
    command->callback([&context, options] {
        runCommand(context, "import", [&] {
            auto encyclopedia = openEncyclopedia(options->encyclopedia);
            kemora::ImportSummary summary =
                kemora::ModelImporter(*encyclopedia)
                    .importFile(options->file, kemora::ModelImporter::modeFor(options->merge, options->overwrite));
            printSummary(options->file, summary);
        });
    });
}

} // namespace km::cli
