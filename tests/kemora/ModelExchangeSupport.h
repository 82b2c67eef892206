#pragma once
// Helpers for model exchange tests: importing text, catching the error, counting what is stored.
#include "host/HostError.h"
#include "platform/kemora/exchange/ModelExporter.h"
#include "platform/kemora/exchange/ModelImporter.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include <optional>
#include <sstream>
#include <string>

namespace km::kemora::test {

/// A model file: the elements given inside <model>.
inline std::string modelXml(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<model format=\"1\">\n" + body + "</model>\n";
}

inline ImportSummary importModel(Encyclopedia& ency, const std::string& xml, ImportMode mode = ImportMode::Create) {
    return ModelImporter(ency).importText(xml, "model.xml", mode);
}

/// The error an import throws, or nothing when it succeeds.
inline std::optional<host::HostError> importError(Encyclopedia& ency, const std::string& xml,
                                                  ImportMode mode = ImportMode::Create) {
    try {
        importModel(ency, xml, mode);
    } catch (const host::HostError& error) {
        return error;
    }
    return std::nullopt;
}

inline std::string exportModel(Encyclopedia& ency, ExportFiles files = ExportFiles::Without) {
    std::ostringstream out;
    ModelExporter(ency.store(), ency.metamodel()).writeAll(out, files);
    return out.str();
}

/// Objects of all classes in the store.
inline Long objectCount(Encyclopedia& ency) {
    IStore& store = ency.store();
    return store.countObjects(StoredClass::Definition) + store.countObjects(StoredClass::Diagram) +
           store.countObjects(StoredClass::Symbol);
}

inline Long definitionId(Encyclopedia& ency, Long type, const std::string& name) {
    return ency.store().objectByName(StoredClass::Definition, type, name).value_or(0);
}

inline Long diagramId(Encyclopedia& ency, Long type, const std::string& name) {
    return ency.store().objectByName(StoredClass::Diagram, type, name).value_or(0);
}

/// Names of the list items of a property.
inline std::vector<std::string> listNames(Encyclopedia& ency, Long owner, const std::string& property) {
    std::vector<std::string> names;
    for (const ObjectRow& row : ency.store().objects(ency.store().listItems(owner, property))) {
        names.push_back(row.name);
    }
    return names;
}

} // namespace km::kemora::test
