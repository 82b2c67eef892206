#pragma once
#include "Collection.h"
#include <memory>
#include <string>

namespace km::host {

/// A property of a metamodel type.
class IMetaProperty {
public:
    virtual ~IMetaProperty() = default;
    virtual std::string Name() = 0;
    /// The label shown to users; empty when the type declares none.
    virtual std::string Label() = 0;
    /// Edit type: 2 date, 4 Boolean, 1 text, 3 number, 5 list, 6 multi-line text.
    virtual Long EditTypeNum() = 0;
    /// Key properties are copied from a definition to the symbols made from it.
    virtual bool Key() = 0;
};

/// A type of the metamodel: a diagram type, symbol type or definition type.
class IMetaItem {
public:
    virtual ~IMetaItem() = default;
    virtual Long TypeNumber() = 0;
    virtual std::string TypeName() = 0;
    /// For a symbol type: the definition type that defines its symbols; nothing otherwise.
    virtual std::shared_ptr<IMetaItem> DefinedByMetaItem() = 0;
    /// For a diagram type: its symbol types, in declaration order; empty otherwise.
    virtual CollectionPtr<IMetaItem> SupportedMetaItems() = 0;
    virtual CollectionPtr<IMetaProperty> MetaProperties() = 0;
};

/// Meta class numbers: 1 diagrams, 2 symbols, 3 definitions.
class IMetaClass {
public:
    virtual ~IMetaClass() = default;
    /// The type of that number, or nothing.
    virtual std::shared_ptr<IMetaItem> MetaItems(Long typeNumber) = 0;
    /// All types of this class, in declaration order.
    virtual CollectionPtr<IMetaItem> SupportedMetaItems() = 0;
};

class IMetaModel {
public:
    virtual ~IMetaModel() = default;
    /// Meta class 1 (diagrams), 2 (symbols) or 3 (definitions); HostError NotFound otherwise.
    virtual std::shared_ptr<IMetaClass> MetaClasses(Long classNumber) = 0;
};

} // namespace km::host
