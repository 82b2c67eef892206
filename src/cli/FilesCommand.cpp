// kmsoa files: lists, reads, writes and deletes the files of an encyclopedia's file store (its
// property files, declarations, settings and images).
#include "CliError.h"
#include "CliSupport.h"
#include "Commands.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "platform/runtime/Text.h"
#include <CLI/CLI.hpp>
#include <iostream>

namespace km::cli {

namespace {

struct FilesOptions {
    std::string encyclopedia;
    std::string name;
    std::string file;
    std::string output;
};

// The file store is reached without building the metamodel, so that property files with
// mistakes can still be read and repaired.
std::unique_ptr<kemora::SqliteStore> openStore(const std::string& path) {
    return std::make_unique<kemora::SqliteStore>(path, kemora::OpenMode::Open);
}

bool isPropertyFile(const std::string& name) {
    std::string folded = rt::LCase(name);
    return folded.size() > 4 && folded.substr(folded.size() - 4) == ".cfg";
}

void list(const FilesOptions& options) {
    auto store = openStore(options.encyclopedia);
    for (const std::string& name : store->fileNames()) {
        std::cout << name << "\t" << store->readFile(name).value_or("").size() << "\n";
    }
}

void get(const FilesOptions& options) {
    auto store = openStore(options.encyclopedia);
    auto content = store->readFile(options.name);
    if (!content) {
        throw CliError("the encyclopedia has no file named \"" + options.name + "\".");
    }
    if (options.output.empty() || options.output == "-") {
        std::cout << *content << std::flush;
    } else {
        writeFileAtomically(options.output, [&](std::ostream& out) { out << *content; });
    }
}

void put(const FilesOptions& options) {
    if (options.name.empty()) {
        throw CliError("a file of the store needs a name.", exitUsage);
    }
    std::string content = readInput(options.file);
    {
        auto store = openStore(options.encyclopedia);
        kemora::Transaction transaction(*store);
        store->writeFile(options.name, content);
        transaction.commit();
    }
    std::cout << "Stored " << options.name << " (" << content.size() << " bytes)\n";
    // A changed property file changes the metamodel: reopening shows its problems at once.
    if (isPropertyFile(options.name)) {
        openEncyclopedia(options.encyclopedia);
    }
}

void remove(const FilesOptions& options) {
    auto store = openStore(options.encyclopedia);
    if (!store->fileExists(options.name)) {
        throw CliError("the encyclopedia has no file named \"" + options.name + "\".");
    }
    kemora::Transaction transaction(*store);
    store->deleteFile(options.name);
    transaction.commit();
    std::cout << "Deleted " << options.name << "\n";
}

CLI::App* addAction(CLI::App& files, const std::string& name, const std::string& description, FilesOptions& options) {
    CLI::App* action = files.add_subcommand(name, description);
    action->add_option("encyclopedia", options.encyclopedia, "The encyclopedia file")->required();
    return action;
}

} // namespace

void addFilesCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<FilesOptions>();
    CLI::App* files = app.add_subcommand("files", "List, get, put or delete files of the encyclopedia's file store");
    files->require_subcommand(1);

    addAction(*files, "list", "List the files with their sizes in bytes", *options)->callback([&context, options] {
        runCommand(context, "files list", [&] { list(*options); });
    });

    CLI::App* getAction = addAction(*files, "get", "Write a file of the store to standard output or -o FILE", *options);
    getAction->add_option("name", options->name, "The file's name in the store")->required();
    getAction->add_option("-o,--output", options->output, "Where to write it (default: standard output)");
    getAction->callback([&context, options] { runCommand(context, "files get", [&] { get(*options); }); });

    CLI::App* putAction =
        addAction(*files, "put", "Store a file (replacing one of the same name, without regard to case)", *options);
    putAction->add_option("name", options->name, "The file's name in the store")->required();
    putAction->add_option("file", options->file, "The file to read ('-' for standard input)")->required();
    putAction->callback([&context, options] { runCommand(context, "files put", [&] { put(*options); }); });

    CLI::App* deleteAction = addAction(*files, "delete", "Delete a file of the store", *options);
    deleteAction->add_option("name", options->name, "The file's name in the store")->required();
    deleteAction->callback([&context, options] { runCommand(context, "files delete", [&] { remove(*options); }); });
}

} // namespace km::cli
