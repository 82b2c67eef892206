#include "ModelReader.h"
#include "ValueCodec.h"
#include "host/HostColours.h"
#include <charconv>
#include <cstring>

namespace km::kemora {

namespace {

constexpr unsigned parseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

std::string expectedAfterError(pugi::xml_parse_status status) {
    switch (status) {
    case pugi::status_unrecognized_tag:
        return "expected an element name after '<'";
    case pugi::status_bad_pi:
        return "expected a processing instruction ending in '?>'";
    case pugi::status_bad_comment:
        return "expected a comment ending in '-->'";
    case pugi::status_bad_cdata:
        return "expected a CDATA section ending in ']]>'";
    case pugi::status_bad_doctype:
        return "expected a document type declaration ending in '>'";
    case pugi::status_bad_pcdata:
        return "expected text";
    case pugi::status_bad_start_element:
        return "expected '>' or '/>' to end the start tag";
    case pugi::status_bad_attribute:
        return "expected an attribute written as name=\"value\"";
    case pugi::status_bad_end_element:
        return "expected an end tag written as </name>";
    case pugi::status_end_element_mismatch:
        return "expected the end tag of the element opened last (the end tag does not match its start tag)";
    case pugi::status_no_document_element:
        return "expected the root element <model>";
    default:
        return "expected well-formed XML";
    }
}

bool isWhitespace(const char* text) {
    for (; *text; ++text) {
        if (!std::strchr(" \t\r\n", *text)) {
            return false;
        }
    }
    return true;
}

std::string elementName(const pugi::xml_node& node) {
    return "<" + std::string(node.name()) + ">";
}

} // namespace

std::size_t ModelReader::offsetOf(const pugi::xml_node& node) const {
    std::ptrdiff_t offset = node.offset_debug();
    if (offset < 0) {
        return 0;
    }
    // The parser points at an element's name; messages point at its '<'.
    std::size_t at = static_cast<std::size_t>(offset);
    if (node.type() == pugi::node_element && at > 0 && m_source.text()[at - 1] == '<') {
        --at;
    }
    return at;
}

void ModelReader::fail(const pugi::xml_node& node, const std::string& message) const {
    m_source.fail(offsetOf(node), message);
}

void ModelReader::parse(pugi::xml_document& document) {
    const std::string& text = m_source.text();
    pugi::xml_parse_result result = document.load_buffer(text.data(), text.size(), parseOptions, pugi::encoding_utf8);
    if (!result) {
        std::size_t offset = result.offset < 0 ? 0 : static_cast<std::size_t>(result.offset);
        m_source.fail(offset, std::string(result.description()) + ": " + expectedAfterError(result.status));
    }
}

ModelDocument ModelReader::read() {
    pugi::xml_document xml;
    parse(xml);
    pugi::xml_node root = xml.document_element();
    if (std::strcmp(root.name(), "model") != 0) {
        fail(root, "expected the root element <model>, found " + elementName(root));
    }
    checkAttributes(root, {"format"});
    if (auto format = root.attribute("format"); format && std::strcmp(format.value(), "1") != 0) {
        fail(root, "expected format=\"1\", found format=\"" + std::string(format.value()) +
                       "\" (a file of a newer workbench?)");
    }
    ModelDocument document;
    for (pugi::xml_node child : root.children()) {
        std::string name = child.name();
        if (child.type() != pugi::node_element) {
            checkIgnorable(child, "<definition>, <diagram> or <file>");
        } else if (name == "definition") {
            document.definitions.push_back(readDefinition(child));
        } else if (name == "diagram") {
            document.diagrams.push_back(readDiagram(child));
        } else if (name == "file") {
            document.files.push_back(readFile(child));
        } else {
            fail(child, "expected <definition>, <diagram> or <file>, found " + elementName(child));
        }
    }
    return document;
}

void ModelReader::checkIgnorable(const pugi::xml_node& node, const char* expected) {
    bool text = node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
    if (text && !isWhitespace(node.value())) {
        fail(node, std::string("expected ") + expected + ", found text");
    }
}

void ModelReader::checkAttributes(const pugi::xml_node& node, std::initializer_list<const char*> allowed) {
    for (pugi::xml_attribute attribute : node.attributes()) {
        bool known = false;
        for (const char* name : allowed) {
            known = known || std::strcmp(name, attribute.name()) == 0;
        }
        if (!known) {
            std::string list;
            for (const char* name : allowed) {
                list += (list.empty() ? "" : ", ") + std::string(name);
            }
            fail(node, "unknown attribute " + std::string(attribute.name()) + " on " + elementName(node) +
                           "; expected " + (list.empty() ? std::string("none") : list));
        }
    }
}

std::string ModelReader::required(const pugi::xml_node& node, const char* attribute) {
    pugi::xml_attribute value = node.attribute(attribute);
    if (!value) {
        fail(node, elementName(node) + " needs the attribute " + attribute);
    }
    return value.value();
}

std::optional<Long> ModelReader::wholeNumber(const pugi::xml_node& node, const char* attribute) {
    pugi::xml_attribute value = node.attribute(attribute);
    if (!value) {
        return std::nullopt;
    }
    const char* text = value.value();
    const char* end = text + std::strlen(text);
    Long number = 0;
    auto [stop, error] = std::from_chars(text, end, number);
    if (error != std::errc() || stop != end || text == end) {
        fail(node, std::string("expected a whole number from -2147483648 to 2147483647 for ") + attribute +
                       ", found \"" + text + "\"");
    }
    return number;
}

std::optional<Long> ModelReader::colour(const pugi::xml_node& node) {
    pugi::xml_attribute value = node.attribute("fill");
    if (!value) {
        return std::nullopt;
    }
    std::string text = value.value();
    if (text.size() == 7 && text[0] == '#') {
        unsigned rgb = 0;
        auto [stop, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
        if (error == std::errc() && stop == text.data() + 7) {
            return static_cast<Long>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        }
    } else {
        Long number = 0;
        auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error == std::errc() && stop == text.data() + text.size() && !text.empty() && number >= 0 &&
            number <= host::colour::maximum) {
            return number;
        }
    }
    fail(node, "expected a colour number from 0 to 16777215 (red + 256 * green + 65536 * blue) or #rrggbb for "
               "fill, found \"" +
                   text + "\"");
}

bool ModelReader::flag(const pugi::xml_node& node, const char* attribute) {
    pugi::xml_attribute value = node.attribute(attribute);
    if (!value) {
        return false;
    }
    std::string text = value.value();
    if (text == "true" || text == "1") {
        return true;
    }
    if (text == "false" || text == "0") {
        return false;
    }
    fail(node, std::string("expected true or false for ") + attribute + ", found \"" + text + "\"");
}

std::string ModelReader::textOf(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            fail(child, "expected text in " + elementName(node) + ", found " + elementName(child));
        }
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            text += child.value();
        }
    }
    return text;
}

std::string ModelReader::encodedText(const pugi::xml_node& node) {
    ValueForm form = ValueForm::Plain;
    if (auto lines = node.attribute("lines")) {
        if (std::strcmp(lines.value(), "crlf") != 0) {
            fail(node, "expected lines=\"crlf\", found lines=\"" + std::string(lines.value()) + "\"");
        }
        form = ValueForm::CrLf;
    }
    if (auto encoding = node.attribute("encoding")) {
        if (std::strcmp(encoding.value(), "base64") != 0) {
            fail(node, "expected encoding=\"base64\", found encoding=\"" + std::string(encoding.value()) + "\"");
        }
        if (form == ValueForm::CrLf) {
            fail(node, "expected either lines or encoding, not both");
        }
        form = ValueForm::Base64;
    }
    auto value = ValueCodec::decode(textOf(node), form);
    if (!value) {
        fail(node, "expected Base64 text in " + elementName(node));
    }
    return *value;
}

bool ModelReader::readValue(const pugi::xml_node& node, ExchangeValues& values) {
    std::string name = node.name();
    if (name == "property") {
        checkAttributes(node, {"name", "lines", "encoding"});
        values.properties.push_back({required(node, "name"), encodedText(node), offsetOf(node)});
        return true;
    }
    if (name == "list") {
        values.lists.push_back(readList(node));
        return true;
    }
    return false;
}

ExchangeList ModelReader::readList(const pugi::xml_node& node) {
    checkAttributes(node, {"name"});
    ExchangeList list{required(node, "name"), {}, offsetOf(node)};
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) {
            checkIgnorable(child, "<item> elements");
            continue;
        }
        if (std::strcmp(child.name(), "item") != 0) {
            fail(child, "expected <item>, found " + elementName(child));
        }
        checkAttributes(child, {"type"});
        list.items.push_back({child.attribute("type").value(), textOf(child), offsetOf(child)});
        if (list.items.back().name.empty()) {
            fail(child, "expected the name of a definition in <item>");
        }
    }
    return list;
}

ExchangeDefinition ModelReader::readDefinition(const pugi::xml_node& node) {
    checkAttributes(node, {"type", "name"});
    ExchangeDefinition definition{required(node, "type"), required(node, "name"), {}, offsetOf(node)};
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) {
            checkIgnorable(child, "<property> or <list>");
        } else if (!readValue(child, definition.values)) {
            fail(child, "expected <property> or <list>, found " + elementName(child));
        }
    }
    return definition;
}

ExchangeDiagram ModelReader::readDiagram(const pugi::xml_node& node) {
    checkAttributes(node, {"type", "name"});
    ExchangeDiagram diagram{required(node, "type"), required(node, "name"), {}, {}, {}, offsetOf(node)};
    for (pugi::xml_node child : node.children()) {
        std::string name = child.name();
        if (child.type() != pugi::node_element) {
            checkIgnorable(child, "<property>, <list>, <symbol> or <link>");
        } else if (name == "symbol") {
            diagram.symbols.push_back(readSymbol(child));
        } else if (name == "link") {
            diagram.links.push_back(readLink(child));
        } else if (!readValue(child, diagram.values)) {
            fail(child, "expected <property>, <list>, <symbol> or <link>, found " + elementName(child));
        }
    }
    return diagram;
}

ExchangeSymbol ModelReader::readSymbol(const pugi::xml_node& node) {
    checkAttributes(node, {"type", "name", "ref", "left", "top", "width", "height", "fill", "selected"});
    ExchangeSymbol symbol;
    symbol.type = required(node, "type");
    symbol.name = node.attribute("name").value();
    symbol.ref = node.attribute("ref").value();
    symbol.left = wholeNumber(node, "left");
    symbol.top = wholeNumber(node, "top");
    symbol.width = wholeNumber(node, "width");
    symbol.height = wholeNumber(node, "height");
    if ((symbol.width && *symbol.width < 0) || (symbol.height && *symbol.height < 0)) {
        fail(node, "expected a width and height of 0 or more");
    }
    symbol.fill = colour(node);
    symbol.selected = flag(node, "selected");
    symbol.offset = offsetOf(node);
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) {
            checkIgnorable(child, "<property>, <list> or <field>");
        } else if (std::strcmp(child.name(), "field") == 0) {
            symbol.fields.push_back(readField(child));
        } else if (!readValue(child, symbol.values)) {
            fail(child, "expected <property>, <list> or <field>, found " + elementName(child));
        }
    }
    return symbol;
}

ExchangeField ModelReader::readField(const pugi::xml_node& node) {
    checkAttributes(node, {"number", "lines", "encoding"});
    required(node, "number");
    return {*wholeNumber(node, "number"), encodedText(node), offsetOf(node)};
}

ExchangeLink ModelReader::readLink(const pugi::xml_node& node) {
    checkAttributes(node, {"parent", "child"});
    ExchangeLink link{required(node, "parent"), required(node, "child"), offsetOf(node)};
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            fail(child, "expected an empty <link/>, found " + elementName(child));
        }
        checkIgnorable(child, "an empty <link/>");
    }
    return link;
}

ExchangeFile ModelReader::readFile(const pugi::xml_node& node) {
    checkAttributes(node, {"name", "lines", "encoding"});
    ExchangeFile file{required(node, "name"), encodedText(node), offsetOf(node)};
    if (file.name.empty()) {
        fail(node, "expected a file name in name=\"...\"");
    }
    return file;
}

} // namespace km::kemora
