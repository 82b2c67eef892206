#include "ModelExporter.h"
#include "ValueCodec.h"
#include "host/HostColours.h"
#include "host/HostError.h"
#include <algorithm>
#include <set>
#include <sstream>

namespace km::kemora {

namespace {

constexpr Long whiteColour = host::colour::white;
constexpr const char* indent = "  ";

void writeHeader(std::ostream& out) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<model format=\"1\">\n";
}

void writeFooter(std::ostream& out) {
    out << "</model>\n";
}

} // namespace

void ModelExporter::print(const pugi::xml_node& node, std::ostream& out, unsigned depth) {
    node.print(out, indent, pugi::format_indent, pugi::encoding_utf8, depth);
}

std::string ModelExporter::startTag(const pugi::xml_node& node) {
    pugi::xml_document bare;
    pugi::xml_node copy = bare.append_child(node.name());
    for (pugi::xml_attribute attribute : node.attributes()) {
        copy.append_copy(attribute);
    }
    std::ostringstream text;
    copy.print(text, "", pugi::format_raw, pugi::encoding_utf8);
    std::string tag = text.str(); // "<name ... />" or "<name .../>"
    tag.erase(tag.rfind("/>"));
    while (!tag.empty() && tag.back() == ' ') {
        tag.pop_back();
    }
    return tag + ">";
}

void ModelExporter::setText(pugi::xml_node element, const std::string& value) {
    EncodedValue encoded = ValueCodec::encode(value);
    if (encoded.form == ValueForm::CrLf) {
        element.append_attribute("lines") = "crlf";
    } else if (encoded.form == ValueForm::Base64) {
        element.append_attribute("encoding") = "base64";
    }
    element.text().set(encoded.text.c_str());
}

std::vector<Long> ModelExporter::orderedByType(StoredClass cls) {
    std::vector<Long> ids = m_store.objectsOfType(cls, 0, "");
    std::vector<ObjectRow> rows = m_store.objects(ids);
    std::stable_sort(rows.begin(), rows.end(), [](const ObjectRow& a, const ObjectRow& b) { return a.type < b.type; });
    ids.clear();
    for (const ObjectRow& row : rows) {
        ids.push_back(row.id);
    }
    return ids;
}

void ModelExporter::writeAll(std::ostream& out, ExportFiles files) {
    // One consistent state even while another process writes, and one read lock for all reads.
    ReadSnapshot snapshot(m_store);
    writeHeader(out);
    for (Long id : orderedByType(StoredClass::Definition)) {
        writeDefinition(id, out);
    }
    for (Long id : orderedByType(StoredClass::Diagram)) {
        writeDiagramElement(id, out);
    }
    if (files == ExportFiles::With) {
        for (const std::string& name : m_store.fileNames()) {
            writeFile(name, out);
        }
    }
    writeFooter(out);
}

void ModelExporter::writeDiagram(Long diagram, std::ostream& out) {
    ReadSnapshot snapshot(m_store);
    auto row = m_store.object(diagram);
    if (!row || row->cls != StoredClass::Diagram) {
        throw host::HostError(host::HostErrorCode::NotFound, "There is no diagram " + std::to_string(diagram) + ".");
    }
    writeHeader(out);
    writeDiagramElement(diagram, out);
    writeFooter(out);
}

void ModelExporter::addList(pugi::xml_node element, Long id, const PropertyDecl& decl) {
    std::vector<Long> items = m_store.listItems(id, decl.name);
    if (items.empty()) {
        return;
    }
    pugi::xml_node list = element.append_child("list");
    list.append_attribute("name") = decl.name.c_str();
    for (const ObjectRow& item : m_store.objects(items)) {
        pugi::xml_node entry = list.append_child("item");
        // A list of any type names each item's type, since names are unique only within a type.
        if (decl.listType == 0 || item.type != decl.listType) {
            entry.append_attribute("type") = item.type;
        }
        entry.text().set(item.name.c_str());
    }
}

void ModelExporter::addValues(pugi::xml_node element, Long id,
                              std::initializer_list<const std::vector<PropertyDecl>*> declared) {
    std::map<std::string, std::string> stored = m_store.properties(id);
    auto addProperty = [&](const std::string& name, const std::string& value) {
        pugi::xml_node property = element.append_child("property");
        property.append_attribute("name") = name.c_str();
        setText(property, value);
    };
    static const std::vector<PropertyDecl> none;
    for (const auto* group : declared) {
        for (const PropertyDecl& decl : group ? *group : none) {
            if (auto value = stored.find(decl.name); !decl.isList() && value != stored.end()) {
                addProperty(value->first, value->second);
                stored.erase(value);
            }
        }
    }
    for (const auto& [name, value] : stored) {
        addProperty(name, value);
    }
    for (const auto* group : declared) {
        for (const PropertyDecl& decl : group ? *group : none) {
            if (decl.isList()) {
                addList(element, id, decl);
            }
        }
    }
}

void ModelExporter::writeDefinition(Long id, std::ostream& out) {
    auto row = m_store.object(id);
    if (!row) {
        return;
    }
    pugi::xml_document document;
    pugi::xml_node element = document.append_child("definition");
    element.append_attribute("type") = row->type;
    element.append_attribute("name") = row->name.c_str();
    const DefinitionType* type = m_metamodel.definitionType(row->type);
    addValues(element, id, {type ? &type->properties : nullptr});
    print(element, out, 1);
}

void ModelExporter::addSymbol(pugi::xml_node parent, const SymbolRow& row, const std::string& ref) {
    pugi::xml_node element = parent.append_child("symbol");
    element.append_attribute("type") = row.object.type;
    if (!row.object.name.empty()) {
        element.append_attribute("name") = row.object.name.c_str();
    }
    if (!ref.empty()) {
        element.append_attribute("ref") = ref.c_str();
    }
    element.append_attribute("left") = row.geometry.left();
    element.append_attribute("top") = row.geometry.top();
    element.append_attribute("width") = row.geometry.xsize;
    element.append_attribute("height") = row.geometry.ysize;
    if (row.fillColor != whiteColour) {
        element.append_attribute("fill") = row.fillColor;
    }
    if (row.selected) {
        element.append_attribute("selected") = "true";
    }
    const SymbolType* type = m_metamodel.symbolType(row.object.type);
    addValues(element, row.object.id, {type ? &type->properties : nullptr, &m_metamodel.symbolProperties});
    for (const auto& [number, value] : m_store.fields(row.object.id)) {
        pugi::xml_node field = element.append_child("field");
        field.append_attribute("number") = number;
        setText(field, value);
    }
}

void ModelExporter::writeDiagramElement(Long id, std::ostream& out) {
    auto row = m_store.object(id);
    if (!row) {
        return;
    }
    pugi::xml_document document;
    pugi::xml_node element = document.append_child("diagram");
    element.append_attribute("type") = row->type;
    element.append_attribute("name") = row->name.c_str();
    const DiagramType* type = m_metamodel.diagramType(row->type);
    addValues(element, id, {type ? &type->properties : nullptr, &m_metamodel.diagramProperties});

    // Hierarchy links, parents in creation order and children in their order; the symbols taking
    // part get refs named after their position on the diagram.
    std::vector<Long> symbols = m_store.symbolsOfDiagram(id);
    std::vector<std::pair<Long, Long>> links;
    std::set<Long> linked;
    for (Long symbol : symbols) {
        for (Long child : m_store.hierarchyChildren(symbol)) {
            links.push_back({symbol, child});
            linked.insert(symbol);
            linked.insert(child);
        }
    }
    std::map<Long, std::string> refs;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        if (linked.count(symbols[i])) {
            refs[symbols[i]] = "s" + std::to_string(i + 1);
        }
    }

    out << indent << startTag(element) << "\n";
    for (pugi::xml_node child : element.children()) {
        print(child, out, 2);
    }
    // Symbols are written one at a time so that a huge diagram never sits in memory as XML.
    for (Long symbol : symbols) {
        auto symbolRow = m_store.symbol(symbol);
        if (!symbolRow) {
            continue;
        }
        pugi::xml_document one;
        auto ref = refs.find(symbol);
        addSymbol(one, *symbolRow, ref == refs.end() ? std::string() : ref->second);
        print(one.first_child(), out, 2);
    }
    for (const auto& [parent, child] : links) {
        // A child on another diagram (not expected) cannot be written as a link of this one.
        if (!refs.count(parent) || !refs.count(child)) {
            continue;
        }
        pugi::xml_document one;
        pugi::xml_node link = one.append_child("link");
        link.append_attribute("parent") = refs[parent].c_str();
        link.append_attribute("child") = refs[child].c_str();
        print(link, out, 2);
    }
    out << indent << "</diagram>\n";
}

void ModelExporter::writeFile(const std::string& name, std::ostream& out) {
    auto content = m_store.readFile(name);
    if (!content) {
        return;
    }
    pugi::xml_document document;
    pugi::xml_node element = document.append_child("file");
    element.append_attribute("name") = name.c_str();
    setText(element, *content);
    print(element, out, 1);
}

} // namespace km::kemora
