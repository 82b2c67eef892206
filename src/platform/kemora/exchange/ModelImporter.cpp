#include "ModelImporter.h"
#include "ModelReader.h"
#include "host/HostColours.h"
#include "platform/kemora/objects/Diagram.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/objects/PropertyValue.h"
#include "platform/kemora/objects/Symbol.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>

namespace km::kemora {

using host::HostError;
using host::HostErrorCode;

namespace {

constexpr std::size_t maxNameLength = 4096;
constexpr std::size_t maxTypesListed = 40;

std::optional<Long> typeNumber(const std::string& text) {
    Long number = 0;
    auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || stop != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return number;
}

template <class Type> std::string typeChoices(const std::vector<Type>& types) {
    std::string list;
    for (std::size_t i = 0; i < types.size() && i < maxTypesListed; ++i) {
        list += (i ? ", " : "") + std::to_string(types[i].number) + " \"" + types[i].name + "\"";
    }
    if (types.size() > maxTypesListed) {
        list += ", ...";
    }
    return list.empty() ? "none in this metamodel" : list;
}

std::string propertyChoices(std::initializer_list<const std::vector<PropertyDecl>*> groups) {
    std::string list;
    for (const auto* group : groups) {
        if (group) {
            for (const PropertyDecl& decl : *group) {
                list += (list.empty() ? "\"" : ", \"") + decl.name + "\"";
            }
        }
    }
    return list.empty() ? "none" : list;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw HostError(HostErrorCode::FileStore, "Cannot read the model file \"" + path + "\".");
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        throw HostError(HostErrorCode::FileStore, "Cannot read the model file \"" + path + "\".");
    }
    return content.str();
}

} // namespace

ModelImporter::ModelImporter(Encyclopedia& encyclopedia)
    : m_encyclopedia(encyclopedia), m_store(encyclopedia.store()), m_metamodel(encyclopedia.metamodel()) {}

ImportMode ModelImporter::modeFor(bool merge, bool overwrite) {
    if (overwrite) {
        return ImportMode::Overwrite;
    }
    return merge ? ImportMode::Merge : ImportMode::Create;
}

void ModelImporter::loadModelFile(Encyclopedia& encyclopedia, const std::string& path, bool merge, bool overwrite) {
    ModelImporter(encyclopedia).importFile(path, modeFor(merge, overwrite));
}

ImportSummary ModelImporter::importFile(const std::string& path, ImportMode mode) {
    return importText(readWholeFile(path), path, mode);
}

ImportSummary ModelImporter::importText(const std::string& text, const std::string& sourceName, ImportMode mode) {
    SourceText source(sourceName, text);
    ModelDocument document = ModelReader(source).read();
    m_source = &source;
    m_mode = mode;
    m_summary = {};
    m_definitions.clear();
    m_diagrams.clear();
    m_deletedSymbols.clear();
    {
        Transaction transaction(m_store);
        run(document);
        transaction.commit();
    }
    forgetDeletedSymbols();
    m_source = nullptr;
    return m_summary;
}

void ModelImporter::run(const ModelDocument& document) {
    // Every definition and diagram exists before any list is read, so lists may name definitions
    // that come later in the file.
    std::vector<Prepared> definitions = prepareDefinitions(document.definitions);
    std::vector<Prepared> diagrams = prepareDiagrams(document.diagrams);
    for (std::size_t i = 0; i < definitions.size(); ++i) {
        const ExchangeDefinition& exchange = document.definitions[i];
        const DefinitionType& type = definitionType(exchange.type, exchange.offset);
        applyValues(
            definitions[i].id, definitions[i].existed, exchange.values,
            [&](const std::string& name) { return m_metamodel.definitionProperty(type.number, name); },
            "a \"" + type.name + "\" (choose from " + propertyChoices({&type.properties}) + ")");
    }
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        const ExchangeDiagram& exchange = document.diagrams[i];
        const DiagramType& type = diagramType(exchange.type, exchange.offset);
        applyValues(
            diagrams[i].id, diagrams[i].existed, exchange.values,
            [&](const std::string& name) { return m_metamodel.diagramProperty(type.number, name); },
            "a \"" + type.name + "\" diagram (choose from " +
                propertyChoices({&type.properties, &m_metamodel.diagramProperties}) + ")");
        applySymbols(diagrams[i], exchange, type);
    }
    applyFiles(document.files);
}

void ModelImporter::fail(std::size_t offset, const std::string& message, HostErrorCode code) const {
    m_source->fail(offset, message, code);
}

void ModelImporter::checkName(const std::string& name, std::size_t offset) const {
    if (name.empty()) {
        fail(offset, "expected a name in name=\"...\"");
    }
    if (name.size() > maxNameLength) {
        fail(offset, "expected a name of at most 4096 bytes");
    }
}

const DefinitionType& ModelImporter::definitionType(const std::string& text, std::size_t offset) const {
    auto number = typeNumber(text);
    const DefinitionType* type = number ? m_metamodel.definitionType(*number) : m_metamodel.definitionTypeNamed(text);
    if (!type) {
        fail(offset,
             "unknown definition type \"" + text + "\"; expected one of " + typeChoices(m_metamodel.definitionTypes),
             HostErrorCode::UnknownType);
    }
    return *type;
}

const DiagramType& ModelImporter::diagramType(const std::string& text, std::size_t offset) const {
    auto number = typeNumber(text);
    const DiagramType* type = number ? m_metamodel.diagramType(*number) : m_metamodel.diagramTypeNamed(text);
    if (!type) {
        fail(offset, "unknown diagram type \"" + text + "\"; expected one of " + typeChoices(m_metamodel.diagramTypes),
             HostErrorCode::UnknownType);
    }
    return *type;
}

const SymbolType& ModelImporter::symbolType(const std::string& text, std::size_t offset) const {
    auto number = typeNumber(text);
    const SymbolType* type = number ? m_metamodel.symbolType(*number) : m_metamodel.symbolTypeNamed(text);
    if (!type) {
        fail(offset, "unknown symbol type \"" + text + "\"; expected one of " + typeChoices(m_metamodel.symbolTypes),
             HostErrorCode::UnknownType);
    }
    return *type;
}

std::vector<ModelImporter::Prepared>
ModelImporter::prepareDefinitions(const std::vector<ExchangeDefinition>& definitions) {
    std::vector<Prepared> prepared;
    prepared.reserve(definitions.size());
    for (const ExchangeDefinition& definition : definitions) {
        const DefinitionType& type = definitionType(definition.type, definition.offset);
        checkName(definition.name, definition.offset);
        auto key = std::make_pair(type.number, rt::foldCase(definition.name));
        if (auto seen = m_definitions.find(key); seen != m_definitions.end()) {
            fail(definition.offset, "the \"" + type.name + "\" \"" + definition.name +
                                        "\" appears twice in the file; expected it once (first at line " +
                                        std::to_string(m_source->position(seen->second.offset).line) + ")");
        }
        Prepared object =
            prepareObject(StoredClass::Definition, type.number, type.name, definition.name, definition.offset);
        if (object.existed) {
            checkUnlocked(object.id, definition.name, definition.offset);
        }
        m_definitions[key] = {object.id, definition.offset};
        prepared.push_back(object);
    }
    return prepared;
}

std::vector<ModelImporter::Prepared> ModelImporter::prepareDiagrams(const std::vector<ExchangeDiagram>& diagrams) {
    std::vector<Prepared> prepared;
    prepared.reserve(diagrams.size());
    for (const ExchangeDiagram& diagram : diagrams) {
        const DiagramType& type = diagramType(diagram.type, diagram.offset);
        checkName(diagram.name, diagram.offset);
        auto key = std::make_pair(type.number, rt::foldCase(diagram.name));
        if (auto seen = m_diagrams.find(key); seen != m_diagrams.end()) {
            fail(diagram.offset, "the \"" + type.name + "\" diagram \"" + diagram.name +
                                     "\" appears twice in the file; expected it once (first at line " +
                                     std::to_string(m_source->position(seen->second.offset).line) + ")");
        }
        Prepared object =
            prepareObject(StoredClass::Diagram, type.number, type.name + " diagram", diagram.name, diagram.offset);
        m_diagrams[key] = {object.id, diagram.offset};
        prepared.push_back(object);
    }
    return prepared;
}

ModelImporter::Prepared ModelImporter::prepareObject(StoredClass cls, Long type, const std::string& typeName,
                                                     const std::string& name, std::size_t offset) {
    bool definition = cls == StoredClass::Definition;
    if (auto existing = m_store.objectByName(cls, type, name)) {
        if (m_mode == ImportMode::Create) {
            fail(offset,
                 "a \"" + typeName + "\" named \"" + name +
                     "\" exists already in the encyclopedia; expected a new one (import with merge or overwrite "
                     "to update existing objects)",
                 HostErrorCode::DuplicateName);
        }
        ++(definition ? m_summary.definitionsUpdated : m_summary.diagramsUpdated);
        return {*existing, true};
    }
    ObjectRow row;
    row.cls = cls;
    row.type = type;
    row.name = name;
    Long id = m_store.insertObject(row);
    ++(definition ? m_summary.definitionsCreated : m_summary.diagramsCreated);
    return {id, false};
}

void ModelImporter::checkUnlocked(Long id, const std::string& name, std::size_t offset) {
    if (auto owner = m_store.lockOwner(id); owner && *owner != m_encyclopedia.userName()) {
        fail(offset, "\"" + name + "\" is locked by " + *owner + "; expected an unlocked definition to update",
             HostErrorCode::Locked);
    }
}

void ModelImporter::applyValues(Long id, bool existed, const ExchangeValues& values, const PropertyLookup& lookup,
                                const std::string& owner) {
    std::set<std::string> seen;
    auto declaration = [&](const std::string& name, std::size_t offset) -> const PropertyDecl& {
        const PropertyDecl* decl = lookup(name);
        if (!decl) {
            fail(offset, "\"" + name + "\" is not a property of " + owner, HostErrorCode::UnknownProperty);
        }
        if (!seen.insert(rt::foldCase(decl->name)).second) {
            fail(offset, "\"" + decl->name + "\" is given twice; expected each property once");
        }
        return *decl;
    };
    for (const ExchangeProperty& property : values.properties) {
        const PropertyDecl& decl = declaration(property.name, property.offset);
        if (decl.isList()) {
            fail(property.offset, "\"" + decl.name + "\" is a list; expected <list name=\"" + decl.name +
                                      "\"> with an <item> for each definition");
        }
        applyProperty(id, existed, decl, property);
    }
    for (const ExchangeList& list : values.lists) {
        const PropertyDecl& decl = declaration(list.name, list.offset);
        if (!decl.isList()) {
            fail(list.offset,
                 "\"" + decl.name + "\" is not a list; expected <property name=\"" + decl.name + "\">value</property>");
        }
        applyList(id, existed, decl, list);
    }
}

void ModelImporter::applyProperty(Long id, bool existed, const PropertyDecl& decl, const ExchangeProperty& property) {
    std::string value;
    try {
        value = PropertyValue::normalise(decl, property.value);
    } catch (const HostError& error) {
        fail(property.offset, error.description(), error.code());
    }
    if (existed && m_mode == ImportMode::Merge && !m_store.property(id, decl.name).value_or("").empty()) {
        return;
    }
    if (value.empty() && !existed) {
        return;
    }
    m_store.setProperty(id, decl.name, value);
}

void ModelImporter::applyList(Long id, bool existed, const PropertyDecl& decl, const ExchangeList& list) {
    std::vector<Long> items;
    items.reserve(list.items.size());
    for (const ExchangeItem& item : list.items) {
        items.push_back(resolveItem(decl, item));
    }
    if (existed && m_mode == ImportMode::Merge) {
        std::vector<Long> merged = m_store.listItems(id, decl.name);
        if (decl.single && !merged.empty()) {
            return;
        }
        for (Long item : items) {
            if (std::find(merged.begin(), merged.end(), item) == merged.end()) {
                merged.push_back(item);
            }
        }
        items = std::move(merged);
    }
    if (decl.single && items.size() > 1) {
        fail(list.offset, "\"" + decl.name + "\" holds at most one item; expected one <item>");
    }
    if (items.empty() && !existed) {
        return;
    }
    m_store.setListItems(id, decl.name, items);
}

std::optional<Long> ModelImporter::findDefinition(Long type, const std::string& name) {
    if (auto known = m_definitions.find({type, rt::foldCase(name)}); known != m_definitions.end()) {
        return known->second.id;
    }
    return m_store.objectByName(StoredClass::Definition, type, name);
}

Long ModelImporter::resolveItem(const PropertyDecl& decl, const ExchangeItem& item) {
    Long type = decl.listType;
    if (!item.type.empty()) {
        const DefinitionType& given = definitionType(item.type, item.offset);
        if (type != 0 && given.number != type) {
            fail(item.offset, "\"" + decl.name + "\" lists definitions of type " + std::to_string(type) +
                                  "; expected no type or type=\"" + std::to_string(type) + "\" on the item");
        }
        type = given.number;
    }
    if (type != 0) {
        if (auto id = findDefinition(type, item.name)) {
            return *id;
        }
        const DefinitionType* listed = m_metamodel.definitionType(type);
        fail(item.offset,
             "there is no \"" + (listed ? listed->name : std::to_string(type)) + "\" named \"" + item.name +
                 "\" in the file or the encyclopedia; expected the name of an existing definition",
             HostErrorCode::NotFound);
    }
    // A list of any type: the name must name exactly one definition.
    std::vector<std::pair<Long, std::string>> found;
    for (const DefinitionType& candidate : m_metamodel.definitionTypes) {
        if (auto id = findDefinition(candidate.number, item.name)) {
            found.push_back({*id, candidate.name});
        }
    }
    if (found.size() == 1) {
        return found.front().first;
    }
    if (found.empty()) {
        fail(item.offset, "there is no definition named \"" + item.name + "\" in the file or the encyclopedia",
             HostErrorCode::NotFound);
    }
    std::string types;
    for (const auto& [id, typeName] : found) {
        types += (types.empty() ? "\"" : ", \"") + typeName + "\"";
    }
    fail(item.offset,
         "\"" + item.name + "\" names definitions of several types (" + types + "); expected type=\"...\" on the item");
}

void ModelImporter::applySymbols(const Prepared& diagram, const ExchangeDiagram& exchange, const DiagramType& type) {
    if (diagram.existed && m_mode == ImportMode::Merge) {
        if (!exchange.symbols.empty()) {
            m_summary.notes.push_back("kept the symbols of the existing diagram \"" + exchange.name +
                                      "\"; the file's symbols of it were not imported");
        }
        return;
    }
    if (diagram.existed) {
        for (Long id : m_store.symbolsOfDiagram(diagram.id)) {
            m_store.deleteObject(id);
            m_deletedSymbols.push_back(id);
        }
    }
    std::map<std::string, Long> refs;
    std::map<std::string, std::size_t> refOffsets;
    for (const ExchangeSymbol& symbol : exchange.symbols) {
        Long id = createSymbol(diagram.id, type, symbol);
        if (symbol.ref.empty()) {
            continue;
        }
        if (auto seen = refOffsets.find(symbol.ref); seen != refOffsets.end()) {
            fail(symbol.offset, "ref=\"" + symbol.ref + "\" is used twice in this diagram (first at line " +
                                    std::to_string(m_source->position(seen->second).line) +
                                    "); expected a ref unique within the diagram");
        }
        refs[symbol.ref] = id;
        refOffsets[symbol.ref] = symbol.offset;
    }
    applyLinks(exchange, refs);
}

Geometry ModelImporter::geometryOf(const ExchangeSymbol& symbol, Long type) {
    Geometry defaults = Diagram::defaultGeometry(type, symbol.name);
    std::int64_t left = symbol.left.value_or(0), top = symbol.top.value_or(0);
    std::int64_t width = symbol.width.value_or(defaults.xsize), height = symbol.height.value_or(defaults.ysize);
    std::int64_t right = left + width, bottom = top + height;
    constexpr std::int64_t largestLong = std::numeric_limits<Long>::max();
    if (right > largestLong || bottom > largestLong) {
        fail(symbol.offset, "the symbol's right or bottom edge lies beyond 2147483647; expected a smaller left, top, "
                            "width or height");
    }
    return {static_cast<Long>(right), static_cast<Long>(bottom), static_cast<Long>(width), static_cast<Long>(height)};
}

Long ModelImporter::definitionForSymbol(const SymbolType& type, const std::string& name, std::size_t offset) {
    if (type.definitionType == 0) {
        return 0;
    }
    checkName(name, offset);
    if (auto id = findDefinition(type.definitionType, name)) {
        return *id;
    }
    // As on the host's diagrams, a symbol of a new name brings its definition into being.
    ObjectRow row;
    row.cls = StoredClass::Definition;
    row.type = type.definitionType;
    row.name = name;
    Long id = m_store.insertObject(row);
    m_definitions[{type.definitionType, rt::foldCase(name)}] = {id, offset};
    ++m_summary.definitionsCreated;
    return id;
}

Long ModelImporter::createSymbol(Long diagram, const DiagramType& diagramType, const ExchangeSymbol& symbol) {
    const SymbolType& type = symbolType(symbol.type, symbol.offset);
    if (std::find(diagramType.symbolTypes.begin(), diagramType.symbolTypes.end(), type.number) ==
        diagramType.symbolTypes.end()) {
        std::string allowed;
        for (Long number : diagramType.symbolTypes) {
            allowed += (allowed.empty() ? "" : ", ") + std::to_string(number);
        }
        fail(symbol.offset,
             "symbols of type " + std::to_string(type.number) + " \"" + type.name + "\" cannot lie on a \"" +
                 diagramType.name + "\" diagram; expected one of the types " + allowed,
             HostErrorCode::UnknownType);
    }
    if (symbol.name.size() > maxNameLength) {
        fail(symbol.offset, "expected a name of at most 4096 bytes");
    }
    SymbolRow row;
    row.object.cls = StoredClass::Symbol;
    row.object.type = type.number;
    row.object.name = symbol.name;
    row.object.diagram = diagram;
    row.object.definition = definitionForSymbol(type, symbol.name, symbol.offset);
    row.geometry = geometryOf(symbol, type.number);
    row.fillColor = symbol.fill.value_or(host::colour::white);
    row.selected = symbol.selected;
    Long id = m_store.insertSymbol(row);
    ++m_summary.symbolsCreated;
    applyValues(
        id, false, symbol.values,
        [&](const std::string& name) { return m_metamodel.symbolProperty(type.number, name); },
        "a \"" + type.name + "\" symbol (choose from " +
            propertyChoices({&type.properties, &m_metamodel.symbolProperties}) + " or a key property)");
    std::set<Long> numbers;
    for (const ExchangeField& field : symbol.fields) {
        if (!numbers.insert(field.number).second) {
            fail(field.offset, "field " + std::to_string(field.number) + " is given twice; expected each field once");
        }
        m_store.setField(id, field.number, field.value);
    }
    return id;
}

void ModelImporter::applyLinks(const ExchangeDiagram& exchange, const std::map<std::string, Long>& refs) {
    std::map<Long, Long> parentOf;  // child -> parent, of the links read so far
    std::map<Long, Long> lastChild; // parent -> its last child so far
    auto symbolOf = [&](const std::string& ref, std::size_t offset) {
        auto found = refs.find(ref);
        if (found == refs.end()) {
            fail(offset, "no symbol of this diagram has ref=\"" + ref + "\"; expected the ref of one of its symbols",
                 HostErrorCode::NotFound);
        }
        return found->second;
    };
    for (const ExchangeLink& link : exchange.links) {
        Long parent = symbolOf(link.parent, link.offset), child = symbolOf(link.child, link.offset);
        if (parentOf.count(child)) {
            fail(link.offset, "\"" + link.child + "\" has a parent already; expected one parent per symbol");
        }
        for (Long up = parent;; up = parentOf[up]) {
            if (up == child) {
                fail(link.offset, "linking \"" + link.child + "\" under \"" + link.parent +
                                      "\" would make it its own ancestor; expected a tree");
            }
            if (!parentOf.count(up)) {
                break;
            }
        }
        auto after = lastChild.find(parent);
        m_store.setHierarchyParent(child, parent, after == lastChild.end() ? 0 : after->second);
        parentOf[child] = parent;
        lastChild[parent] = child;
    }
}

void ModelImporter::applyFiles(const std::vector<ExchangeFile>& files) {
    std::map<std::string, std::size_t> seen;
    for (const ExchangeFile& file : files) {
        if (!seen.emplace(rt::foldCase(file.name), file.offset).second) {
            fail(file.offset, "the file \"" + file.name + "\" appears twice; expected each file once");
        }
        if (m_store.fileExists(file.name)) {
            if (m_mode == ImportMode::Create) {
                fail(file.offset,
                     "the file \"" + file.name +
                         "\" exists already in the encyclopedia; expected a new file (import with merge or "
                         "overwrite)",
                     HostErrorCode::DuplicateName);
            }
            if (m_mode == ImportMode::Merge) {
                m_summary.notes.push_back("kept the existing file \"" + file.name + "\"");
                continue;
            }
        }
        m_store.writeFile(file.name, file.content);
        ++m_summary.filesWritten;
    }
}

void ModelImporter::forgetDeletedSymbols() {
    for (Long id : m_deletedSymbols) {
        if (auto loaded = std::dynamic_pointer_cast<Symbol>(m_encyclopedia.loadedObject(id))) {
            loaded->markDeleted();
        }
        m_encyclopedia.forget(id);
    }
}

} // namespace km::kemora
