// kmsoa render: draws diagrams as SVG files.
#include "CliError.h"
#include "CliSupport.h"
#include "Commands.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/render/DiagramRenderer.h"
#include "platform/runtime/Text.h"
#include <CLI/CLI.hpp>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <set>

namespace km::cli {

namespace {

struct RenderOptions {
    std::string encyclopedia;
    std::string diagram;
    rt::Long diagramType = 0;
    bool all = false;
    std::string output;
};

// A file name from a diagram name: letters, digits, blanks, '.', '-' and '_' stay, anything else
// (path separators included) becomes '_'; never empty, never hidden.
std::string fileStem(const std::string& name) {
    std::string stem;
    for (unsigned char c : name) {
        stem +=
            (std::isalnum(c) || c == ' ' || c == '-' || c == '_' || c == '.' || c >= 0x80) ? static_cast<char>(c) : '_';
    }
    stem = rt::Trim(stem);
    if (stem.empty() || stem[0] == '.') {
        stem = "_" + stem;
    }
    return rt::Left(stem, 120);
}

void renderOne(kemora::Encyclopedia& encyclopedia, rt::Long diagram, const std::string& path) {
    kemora::DiagramRenderer renderer(encyclopedia.store(), encyclopedia.metamodel());
    writeFileAtomically(path, [&](std::ostream& out) { renderer.render(diagram, out); });
    std::cout << path << "\n";
}

void renderAll(kemora::Encyclopedia& encyclopedia, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw CliError("cannot create the folder \"" + folder + "\".");
    }
    kemora::IStore& store = encyclopedia.store();
    // Names that fold to the same file (case, replaced characters) get the type, then the id.
    std::set<std::string> taken;
    for (const kemora::ObjectRow& row : store.objects(store.objectsOfType(kemora::StoredClass::Diagram, 0, ""))) {
        std::string stem = fileStem(row.name);
        if (taken.count(rt::foldCase(stem))) {
            stem += "-" + std::to_string(row.type);
        }
        if (taken.count(rt::foldCase(stem))) {
            stem += "-" + std::to_string(row.id);
        }
        taken.insert(rt::foldCase(stem));
        renderOne(encyclopedia, row.id, (std::filesystem::path(folder) / (stem + ".svg")).string());
    }
}

} // namespace

void addRenderCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<RenderOptions>();
    CLI::App* command = app.add_subcommand("render", "Draw a diagram (or every diagram) as SVG");
    command->add_option("encyclopedia", options->encyclopedia, "The encyclopedia file")->required();
    CLI::Option* diagram = command->add_option("--diagram", options->diagram, "The diagram to draw, by name");
    command
        ->add_option("--diagram-type", options->diagramType,
                     "The diagram's type number, when several diagrams share the name")
        ->needs(diagram);
    CLI::Option* all = command->add_flag("--all", options->all, "Draw every diagram into the folder given by -o");
    all->excludes(diagram);
    command->add_option("-o,--output", options->output, "The SVG file (with --diagram) or the folder (with --all)")
        ->required();
    command->callback([&context, options] {
        runCommand(context, "render", [&] {
            if (!options->all && options->diagram.empty()) {
                throw CliError("name the diagram with --diagram NAME, or draw all with --all.", exitUsage);
            }
            auto encyclopedia = openEncyclopedia(options->encyclopedia);
            if (options->all) {
                renderAll(*encyclopedia, options->output);
            } else {
                renderOne(*encyclopedia, findDiagram(*encyclopedia, options->diagram, options->diagramType),
                          options->output);
            }
        });
    });
}

} // namespace km::cli
