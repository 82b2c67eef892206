#pragma once
#include "Collection.h"

namespace km::host {

class IDefinition;

/// The items of a list property. Add and Remove change only this collection; the argument-less
/// setProperty writes it back to its owner (pending there until the owner is saved).
class IPropertyCollection : public ICollection<IDefinition> {
public:
    virtual void Add(const std::shared_ptr<IDefinition>& item) = 0;
    virtual void Remove(Long index) = 0;
    virtual void setProperty() = 0;
};

using PropertyCollectionPtr = HostCollectionPtr<IPropertyCollection>;

} // namespace km::host
