#pragma once
#include "IKMObject.h"

namespace km::host {

class IMetaItem;

/// A definition: a typed, named object of the repository.
/// Definitions of qualified types (analytic parameters) report the last part of their
/// qualified name as Name and the whole name as QualifiedName.
class IDefinition : public IKMObject {
public:
    /// The whole name; for unqualified types the same as Name.
    virtual std::string QualifiedName() = 0;
    /// The metamodel item of the definition's type.
    virtual std::shared_ptr<IMetaItem> MetaItem() = 0;
};

} // namespace km::host
