#pragma once
#include "ClassNumbers.h"
#include "Collection.h"
#include "IPropertyCollection.h"
#include <memory>
#include <string>

namespace km::host {

/// What definitions, diagrams and symbols have in common.
///
/// Changes made through setProperty (and, on symbols, the geometry and fields) stay in memory
/// until save; an object dropped without save loses them. Objects opened read-only throw
/// HostError ReadOnly on save.
class IKMObject {
public:
    virtual ~IKMObject() = default;

    virtual Long ddid() = 0;
    virtual std::string Name() = 0;
    /// Name of the object's type ("Application", "Service Hierarchy", ...).
    virtual std::string TypeName() = 0;
    /// Number of the object's type (definition, diagram or symbol type number).
    virtual Long kmtype() = 0;
    virtual ObjectClass objectClass() = 0;

    /// Text of a property; a list property gives its items' names, quoted when needed, each
    /// followed by CR LF. An unset property, and one the object's type does not declare, is the
    /// empty text. Date properties answer the repository date text "yyyymmdd", Boolean ones "T" or "F".
    virtual std::string GetProperty(const std::string& name) = 0;
    /// Sets a property from text (a list property from names, quoted when needed, separated by
    /// CR LF or LF). HostError UnknownProperty for a property the type does not declare, BadValue
    /// for a value the property cannot take (a list name that is not found, an impossible date,
    /// a non-numeric number); nothing is changed then.
    virtual void setProperty(const std::string& name, const std::string& value) = 0;
    /// The items of a list property, in their stored order (HostError UnknownProperty for a
    /// property that is not a list).
    virtual PropertyCollectionPtr getpropertyascollection(const std::string& name) = 0;

    /// Writes the object's pending changes in one transaction.
    virtual void save() = 0;
    /// Deletes the object from the encyclopedia at once.
    virtual void Delete() = 0;
};

} // namespace km::host
