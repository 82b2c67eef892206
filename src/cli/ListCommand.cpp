// kmsoa list: lists definitions, diagrams or symbols, one per line, fields separated by tabs.
#include "CliError.h"
#include "CliSupport.h"
#include "Commands.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/Text.h"
#include <CLI/CLI.hpp>
#include <iostream>

namespace km::cli {

namespace {

struct ListOptions {
    std::string encyclopedia;
    std::string kind;
    rt::Long type = 0;
    std::string diagram;
    rt::Long diagramType = 0;
    std::string name;
};

// Tabs, line breaks and backslashes in names would break the columns: they are escaped.
std::string field(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A name pattern: '*' any run of characters, without regard to case.
bool matches(const std::string& name, const std::string& pattern) {
    if (pattern.empty()) {
        return true;
    }
    std::string text = rt::foldCase(name), glob = rt::foldCase(pattern);
    std::size_t t = 0, g = 0, star = std::string::npos, resume = 0;
    while (t < text.size()) {
        if (g < glob.size() && glob[g] == '*') {
            star = g++;
            resume = t;
        } else if (g < glob.size() && glob[g] == text[t]) {
            ++g;
            ++t;
        } else if (star != std::string::npos) {
            g = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == '*') {
        ++g;
    }
    return g == glob.size();
}

template <class Type> std::string typeName(const Type* type) {
    return type ? type->name : std::string();
}

void listObjects(kemora::Encyclopedia& encyclopedia, const ListOptions& options, kemora::StoredClass cls) {
    kemora::IStore& store = encyclopedia.store();
    const kemora::Metamodel& metamodel = encyclopedia.metamodel();
    for (const kemora::ObjectRow& row : store.objects(store.objectsOfType(cls, options.type, options.name))) {
        std::string type = cls == kemora::StoredClass::Definition ? typeName(metamodel.definitionType(row.type))
                                                                  : typeName(metamodel.diagramType(row.type));
        std::cout << row.id << '\t' << row.type << '\t' << field(type) << '\t' << field(row.name) << '\n';
    }
}

void listSymbols(kemora::Encyclopedia& encyclopedia, const ListOptions& options) {
    kemora::IStore& store = encyclopedia.store();
    std::vector<rt::Long> diagrams;
    if (!options.diagram.empty()) {
        diagrams.push_back(findDiagram(encyclopedia, options.diagram, options.diagramType));
    } else {
        diagrams = store.objectsOfType(kemora::StoredClass::Diagram, options.diagramType, "");
    }
    for (const kemora::ObjectRow& diagram : store.objects(diagrams)) {
        for (rt::Long id : store.symbolsOfDiagram(diagram.id, options.type, {})) {
            auto symbol = store.symbol(id);
            if (!symbol || !matches(symbol->object.name, options.name)) {
                continue;
            }
            const kemora::Geometry& g = symbol->geometry;
            std::cout << id << '\t' << field(diagram.name) << '\t' << symbol->object.type << '\t'
                      << field(typeName(encyclopedia.metamodel().symbolType(symbol->object.type))) << '\t'
                      << field(symbol->object.name) << '\t' << g.left() << '\t' << g.top() << '\t' << g.xsize << '\t'
                      << g.ysize << '\t' << symbol->fillColor << '\n';
        }
    }
}

} // namespace

void addListCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ListOptions>();
    CLI::App* command = app.add_subcommand(
        "list", "List definitions, diagrams or symbols, one per line with tab-separated fields (see docs/cli.md)");
    command->add_option("encyclopedia", options->encyclopedia, "The encyclopedia file")->required();
    command->add_option("kind", options->kind, "What to list: definitions, diagrams or symbols")
        ->required()
        ->check(CLI::IsMember({"definitions", "diagrams", "symbols"}));
    command->add_option("--type", options->type, "Only objects of this type number");
    command->add_option("--name", options->name, "Only names matching this pattern ('*' any characters, any case)");
    command->add_option("--diagram", options->diagram, "symbols: only those of this diagram");
    command->add_option("--diagram-type", options->diagramType, "symbols: only diagrams of this type number");
    command->callback([&context, options] {
        runCommand(context, "list", [&] {
            if (options->kind != "symbols" && (!options->diagram.empty() || options->diagramType != 0)) {
                throw CliError("--diagram and --diagram-type apply to symbols only.", exitUsage);
            }
            auto encyclopedia = openEncyclopedia(options->encyclopedia);
            if (options->kind == "definitions") {
                listObjects(*encyclopedia, *options, kemora::StoredClass::Definition);
            } else if (options->kind == "diagrams") {
                listObjects(*encyclopedia, *options, kemora::StoredClass::Diagram);
            } else {
                listSymbols(*encyclopedia, *options);
            }
        });
    });
}

} // namespace km::cli
