#include "CliSupport.h"
#include "CliError.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace km::cli {

namespace {

constexpr std::size_t maxWarnings = 10;

} // namespace

void runCommand(CommandContext& context, const std::string& command, const std::function<void()>& body) {
    try {
        body();
    } catch (const CliError& error) {
        std::cerr << "kmsoa " << command << ": " << error.what() << "\n";
        context.exitCode = error.code();
    } catch (const std::exception& error) {
        std::cerr << "kmsoa " << command << ": " << rt::describe(error) << "\n";
        context.exitCode = exitFailed;
    }
}

std::shared_ptr<kemora::Encyclopedia> openEncyclopedia(const std::string& path) {
    auto encyclopedia = kemora::Encyclopedia::open(path);
    const auto& diagnostics = encyclopedia->diagnostics();
    for (std::size_t i = 0; i < diagnostics.size() && i < maxWarnings; ++i) {
        std::cerr << "kmsoa: warning: " << diagnostics[i].text() << "\n";
    }
    if (diagnostics.size() > maxWarnings) {
        std::cerr << "kmsoa: warning: ... and " << diagnostics.size() - maxWarnings
                  << " more problems in the property files\n";
    }
    return encyclopedia;
}

rt::Long findDiagram(kemora::Encyclopedia& encyclopedia, const std::string& name, rt::Long type) {
    kemora::IStore& store = encyclopedia.store();
    // The store reads '*' as a wildcard; only diagrams of exactly this name (without regard to case) count.
    std::vector<kemora::ObjectRow> found;
    for (const kemora::ObjectRow& row : store.objects(store.objectsOfType(kemora::StoredClass::Diagram, type, name))) {
        if (rt::equalsNoCase(row.name, name)) {
            found.push_back(row);
        }
    }
    if (found.empty()) {
        throw CliError("there is no diagram named \"" + name + "\"" +
                       (type ? " of type " + std::to_string(type) : std::string()) + ".");
    }
    if (found.size() > 1) {
        std::string types;
        for (const kemora::ObjectRow& row : found) {
            types += (types.empty() ? "" : ", ") + std::to_string(row.type);
        }
        throw CliError("several diagrams are named \"" + name + "\" (types " + types +
                           "); choose one with --diagram-type.",
                       exitUsage);
    }
    return found.front().id;
}

void writeFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& content) {
    std::filesystem::path target(path);
    std::filesystem::path temporary = target;
    temporary += ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw CliError("cannot write \"" + path + "\".");
        }
        try {
            content(out);
        } catch (...) {
            out.close();
            std::filesystem::remove(temporary);
            throw;
        }
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary);
            throw CliError("cannot write \"" + path + "\" (disk full?).");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary);
        throw CliError("cannot write \"" + path + "\": " + error.message() + ".");
    }
}

std::string readInput(const std::string& path) {
    std::ostringstream content;
    if (path == "-") {
        content << std::cin.rdbuf();
        return content.str();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path)) {
        throw CliError("cannot read \"" + path + "\".");
    }
    content << in.rdbuf();
    return content.str();
}

std::string readScript(const std::string& path) {
    return std::string(rt::withoutByteOrderMark(readInput(path)));
}

} // namespace km::cli
