#pragma once
#include "ModelDocument.h"
#include "SourceText.h"
#include <initializer_list>
#include <pugixml.hpp>

namespace km::kemora {

/// Reads a model exchange file into a ModelDocument, checking its structure: the elements and
/// attributes the format knows, whole numbers, colours, encodings. Meaning (types, property names,
/// references) is checked by ModelImporter. Errors throw HostError BadValue naming file, line,
/// column and what was expected.
class ModelReader {
public:
    explicit ModelReader(const SourceText& source) : m_source(source) {}

    ModelDocument read();

private:
    void parse(pugi::xml_document& document);
    ExchangeDefinition readDefinition(const pugi::xml_node& node);
    ExchangeDiagram readDiagram(const pugi::xml_node& node);
    ExchangeSymbol readSymbol(const pugi::xml_node& node);
    ExchangeLink readLink(const pugi::xml_node& node);
    ExchangeFile readFile(const pugi::xml_node& node);
    /// Reads a <property> or <list> child into \p values; false for other elements.
    bool readValue(const pugi::xml_node& node, ExchangeValues& values);
    ExchangeList readList(const pugi::xml_node& node);
    ExchangeField readField(const pugi::xml_node& node);

    /// The element's text, decoded as its lines/encoding attributes say.
    std::string encodedText(const pugi::xml_node& node);
    /// The concatenated character data of an element that must hold no child elements.
    std::string textOf(const pugi::xml_node& node);
    std::string required(const pugi::xml_node& node, const char* attribute);
    std::optional<Long> wholeNumber(const pugi::xml_node& node, const char* attribute);
    std::optional<Long> colour(const pugi::xml_node& node);
    bool flag(const pugi::xml_node& node, const char* attribute);
    void checkAttributes(const pugi::xml_node& node, std::initializer_list<const char*> allowed);
    /// Fails unless \p node is whitespace between elements.
    void checkIgnorable(const pugi::xml_node& node, const char* expected);
    std::size_t offsetOf(const pugi::xml_node& node) const;
    [[noreturn]] void fail(const pugi::xml_node& node, const std::string& message) const;

    const SourceText& m_source;
};

} // namespace km::kemora
