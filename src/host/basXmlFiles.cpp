#include "basXmlFiles.h"
#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace KM_SLN_SOA {

namespace {

// Where in the text a byte offset lies, as "line L, column C".
std::string positionOf(std::string_view text, std::ptrdiff_t offset) {
    size_t end = std::min(static_cast<size_t>(std::max<std::ptrdiff_t>(offset, 0)), text.size());
    long line = 1;
    long column = 1;
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

bool isXmlCharacter(unsigned long code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

bool isCharacterReference(std::string_view name) {
    if (name.size() < 2 || name[0] != '#') {
        return false;
    }
    bool hex = name[1] == 'x';
    std::string_view digits = name.substr(hex ? 2 : 1);
    unsigned long code = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() && isXmlCharacter(code);
}

// What is wrong with the entity references of a text (escapes not yet replaced), or "".
std::string referenceFault(std::string_view text) {
    static constexpr std::array<std::string_view, 5> predefined{"lt", "gt", "amp", "apos", "quot"};
    for (size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
        size_t semicolon = text.find(';', at);
        if (semicolon == std::string_view::npos) {
            return "Unterminated entity reference '" + std::string(text.substr(at, 12)) + "'";
        }
        std::string_view name = text.substr(at + 1, semicolon - at - 1);
        if (std::find(predefined.begin(), predefined.end(), name) == predefined.end() && !isCharacterReference(name)) {
            return "Undeclared entity '" + std::string(text.substr(at, semicolon - at + 1)) + "'";
        }
    }
    return {};
}

// What is wrong with one element's own attributes and text, or "".
std::string elementFault(const pugi::xml_node& element) {
    std::set<std::string_view> names;
    for (const pugi::xml_attribute& attribute : element.attributes()) {
        if (!names.insert(attribute.name()).second) {
            return "Duplicate attribute '" + std::string(attribute.name()) + "'";
        }
        std::string_view value = attribute.value();
        if (value.find('<') != std::string_view::npos) {
            return "'<' in the value of attribute '" + std::string(attribute.name()) + "'";
        }
        if (std::string fault = referenceFault(value); !fault.empty()) {
            return fault;
        }
    }
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() != pugi::node_pcdata) {
            continue;
        }
        std::string_view value = child.value();
        if (value.find("]]>") != std::string_view::npos) {
            return "']]>' in text";
        }
        if (std::string fault = referenceFault(value); !fault.empty()) {
            return fault;
        }
    }
    return {};
}

// What is wrong at the top level of the document, or "": one root element, nothing but comments
// and processing instructions around it, the declaration first and the document type before it.
std::string topLevelFault(const pugi::xml_document& document, pugi::xml_node& where) {
    int roots = 0;
    bool first = true;
    for (pugi::xml_node node : document.children()) {
        where = node;
        if (node.type() == pugi::node_element && ++roots > 1) {
            return "More than one root element";
        }
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            return "Text outside the root element";
        }
        if (node.type() == pugi::node_declaration && !first) {
            return "The XML declaration is not at the start";
        }
        if (node.type() == pugi::node_doctype && roots > 0) {
            return "The document type follows the root element";
        }
        first = false;
    }
    if (roots == 0) {
        return "No document element found";
    }
    return {};
}

// Walks every element (without recursion, so that deep nesting cannot exhaust the stack) and
// keeps the first fault.
struct ElementFaultFinder : pugi::xml_tree_walker {
    std::string fault;
    pugi::xml_node where;

    bool for_each(pugi::xml_node& node) override {
        if (node.type() == pugi::node_element) {
            fault = elementFault(node);
            where = node;
        }
        return fault.empty();
    }
};

// Checks the document as the parser reads it with escapes left in place.
std::string wellFormednessFault(std::string_view text) {
    pugi::xml_document raw;
    unsigned options = (pugi::parse_default | pugi::parse_declaration | pugi::parse_doctype | pugi::parse_pi |
                        pugi::parse_comments | pugi::parse_fragment) &
                       ~pugi::parse_escapes;
    pugi::xml_parse_result parsed = raw.load_buffer(text.data(), text.size(), options);
    if (!parsed) {
        return std::string(parsed.description()) + " (" + positionOf(text, parsed.offset) + ")";
    }
    pugi::xml_node where;
    std::string fault = topLevelFault(raw, where);
    if (fault.empty()) {
        ElementFaultFinder finder;
        raw.traverse(finder);
        fault = finder.fault;
        where = finder.where;
    }
    return fault.empty() ? fault : fault + " (" + positionOf(text, where.offset_debug()) + ")";
}

} // namespace

std::string LoadWellFormedXml(pugi::xml_document& document, std::string_view text) {
    document.reset();
    std::string fault = wellFormednessFault(text);
    if (!fault.empty()) {
        return fault;
    }
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        document.reset();
        return std::string(parsed.description()) + " (" + positionOf(text, parsed.offset) + ")";
    }
    return {};
}

std::string LoadWellFormedXmlFile(pugi::xml_document& document, const std::string& path) {
    document.reset();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "The file '" + path + "' cannot be read";
    }
    std::stringstream content;
    content << in.rdbuf();
    return LoadWellFormedXml(document, content.str());
}

bool SaveXmlFileReplacing(const pugi::xml_document& document, const std::string& path) {
    std::ostringstream text;
    document.save(text);
    std::string fresh = path + ".saving";
    std::error_code error;
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        if (!out || !(out << text.str()) || !out.flush()) {
            out.close();
            std::filesystem::remove(fresh, error);
            return false;
        }
    }
    std::filesystem::rename(fresh, path, error);
    if (error) {
        std::filesystem::remove(fresh, error);
        return false;
    }
    return true;
}

std::string EscapeXmlText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace KM_SLN_SOA
