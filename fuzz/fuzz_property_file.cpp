// Feeds arbitrary bytes to the metamodel loader as a small file store: the input is split at NUL
// bytes into kmprops.cfg, KMDECLAR.CFG and a.cfg, b.cfg, ... so that includes, cycles and
// switches are reached as well. Loading must never throw, crash or hang, and what it answers must
// hold together.
#include "platform/kemora/metamodel/Metamodel.h"
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace {

std::map<std::string, std::string> splitIntoFiles(std::string_view input) {
    static const char* const names[] = {"kmprops.cfg", "KMDECLAR.CFG", "a.cfg", "b.cfg", "c.cfg", "d.cfg"};
    std::map<std::string, std::string> files;
    size_t index = 0;
    while (index < std::size(names)) {
        size_t end = input.find('\0');
        files[names[index++]] = std::string(input.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + 1);
    }
    return files;
}

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void checkConsistent(const km::kemora::MetamodelLoadResult& result) {
    using namespace km::kemora;
    const Metamodel& model = result.metamodel;
    check(result.diagnostics.size() <= 201);
    for (const MetamodelDiagnostic& diagnostic : result.diagnostics) {
        check(diagnostic.message.rfind("expected ", 0) == 0);
    }
    for (const DefinitionType& type : model.definitionTypes) {
        check(model.definitionType(type.number) == &type);
        check(model.definitionTypeNamed(type.name) == &type);
        for (const PropertyDecl& property : type.properties) {
            check(model.definitionProperty(type.number, property.name) == &property);
            check(property.listType == 0 || model.definitionType(property.listType));
            if (property.isList()) {
                check(!model.relationsNamed(property.relation).empty());
            }
        }
    }
    for (const SymbolType& type : model.symbolTypes) {
        check(type.definitionType == 0 || model.definitionType(type.definitionType));
        check(model.symbolType(type.number) == &type);
    }
    for (const DiagramType& type : model.diagramTypes) {
        for (Long symbol : type.symbolTypes) {
            check(model.symbolType(symbol) != nullptr);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto files = splitIntoFiles(std::string_view(reinterpret_cast<const char*>(data), size));
    auto reader = [&files](const std::string& name) -> std::optional<std::string> {
        auto found = files.find(name);
        if (found == files.end()) {
            return std::nullopt;
        }
        return found->second;
    };
    checkConsistent(km::kemora::loadMetamodel(reader));
    return 0;
}
