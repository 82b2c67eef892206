#pragma once
#include "platform/runtime/Types.h"
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

using rt::Long;

// The content of a model exchange file as read, before it is checked against a metamodel. Every
// element keeps the byte offset of its start tag so that later checks can name line and column.
// Type texts are kept as written (a number or a type name) until the metamodel resolves them.

struct ExchangeProperty {
    std::string name;
    std::string value;
    std::size_t offset = 0;
};

struct ExchangeItem {
    std::string type; ///< empty: the list property's own type
    std::string name;
    std::size_t offset = 0;
};

struct ExchangeList {
    std::string name;
    std::vector<ExchangeItem> items;
    std::size_t offset = 0;
};

struct ExchangeField {
    Long number = 0;
    std::string value;
    std::size_t offset = 0;
};

/// Properties and lists, as definitions, diagrams and symbols carry them.
struct ExchangeValues {
    std::vector<ExchangeProperty> properties;
    std::vector<ExchangeList> lists;
};

struct ExchangeSymbol {
    std::string type;
    std::string name;
    std::string ref; ///< the name hierarchy links use; empty when none
    // Geometry as the file gives it: left and top edge, width and height; missing values take
    // the defaults of a new symbol.
    std::optional<Long> left, top, width, height;
    std::optional<Long> fill;
    bool selected = false;
    ExchangeValues values;
    std::vector<ExchangeField> fields;
    std::size_t offset = 0;
};

/// A hierarchy link (relation 41): \p child becomes the next child of \p parent.
struct ExchangeLink {
    std::string parent;
    std::string child;
    std::size_t offset = 0;
};

struct ExchangeDefinition {
    std::string type;
    std::string name;
    ExchangeValues values;
    std::size_t offset = 0;
};

struct ExchangeDiagram {
    std::string type;
    std::string name;
    ExchangeValues values;
    std::vector<ExchangeSymbol> symbols;
    std::vector<ExchangeLink> links;
    std::size_t offset = 0;
};

/// A file of the encyclopedia's file store.
struct ExchangeFile {
    std::string name;
    std::string content;
    std::size_t offset = 0;
};

struct ModelDocument {
    std::vector<ExchangeDefinition> definitions;
    std::vector<ExchangeDiagram> diagrams;
    std::vector<ExchangeFile> files;
};

} // namespace km::kemora
