#pragma once
#include "StoredObject.h"
#include "host/IDefinition.h"

namespace km::kemora {

/// A definition of the encyclopedia.
class Definition : public KMObject<host::IDefinition>, public std::enable_shared_from_this<Definition> {
public:
    using KMObject::KMObject;

    /// For qualified types the last part of the qualified name.
    std::string Name() override;
    std::string QualifiedName() override;
    std::string TypeName() override;
    std::shared_ptr<host::IMetaItem> MetaItem() override;
    void Delete() override;
    const PropertyDecl* findProperty(const std::string& name) const override;

protected:
    std::shared_ptr<host::IKMObject> selfAsObject() override { return shared_from_this(); }
};

} // namespace km::kemora
