#pragma once
#include "host/IMetaModel.h"
#include "platform/kemora/metamodel/Metamodel.h"
#include <memory>

namespace km::kemora {

/// The host's meta model over the encyclopedia's metamodel: meta classes 1 (diagrams),
/// 2 (symbols) and 3 (definitions).
class MetaModelObject : public host::IMetaModel {
public:
    explicit MetaModelObject(std::shared_ptr<const Metamodel> metamodel) : m_metamodel(std::move(metamodel)) {}
    std::shared_ptr<host::IMetaClass> MetaClasses(Long classNumber) override;

private:
    std::shared_ptr<const Metamodel> m_metamodel;
};

/// One meta class: the types of one class of objects.
class MetaClassObject : public host::IMetaClass {
public:
    MetaClassObject(std::shared_ptr<const Metamodel> metamodel, Long classNumber)
        : m_metamodel(std::move(metamodel)), m_class(static_cast<host::ObjectClass>(classNumber)) {}
    std::shared_ptr<host::IMetaItem> MetaItems(Long typeNumber) override;
    host::CollectionPtr<host::IMetaItem> SupportedMetaItems() override;

private:
    std::shared_ptr<const Metamodel> m_metamodel;
    host::ObjectClass m_class;
};

} // namespace km::kemora
