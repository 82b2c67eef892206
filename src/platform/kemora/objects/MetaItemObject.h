#pragma once
#include "host/IMetaModel.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include <memory>

namespace km::kemora {

/// A metamodel type as the host's meta item: a diagram, symbol or definition type.
class MetaItemObject : public host::IMetaItem {
public:
    using Kind = host::ObjectClass;

    MetaItemObject(std::shared_ptr<const Metamodel> metamodel, Kind kind, Long number);

    Long TypeNumber() override { return m_number; }
    std::string TypeName() override;
    std::shared_ptr<host::IMetaItem> DefinedByMetaItem() override;
    host::CollectionPtr<host::IMetaItem> SupportedMetaItems() override;
    host::CollectionPtr<host::IMetaProperty> MetaProperties() override;

private:
    const std::vector<PropertyDecl>* properties() const;

    std::shared_ptr<const Metamodel> m_metamodel;
    Kind m_kind;
    Long m_number;
};

/// A property of a metamodel type.
class MetaPropertyObject : public host::IMetaProperty {
public:
    explicit MetaPropertyObject(const PropertyDecl& property) : m_property(property) {}
    std::string Name() override { return m_property.name; }
    std::string Label() override { return m_property.label; }
    Long EditTypeNum() override { return static_cast<Long>(m_property.editType); }
    bool Key() override { return m_property.key; }

private:
    PropertyDecl m_property;
};

} // namespace km::kemora
