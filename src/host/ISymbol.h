#pragma once
#include "IKMObject.h"

namespace km::host {

class IDefinition;
class IDiagram;

/// Relation numbers understood by ISymbol::GetRelatedObjects.
enum RelationNumber : Long {
    RelNestedSymbols = 28,          ///< symbols lying geometrically inside this one (and in no other inside it)
    RelHierarchyChildren = 41,      ///< children in a hierarchy (KMMakeAsFirstChild / KMMakeAsChildAfter)
    RelReferencedDefinitions = 112, ///< definitions a reference symbol (type 818) refers to
};

/// A symbol on a diagram. Geometry in host units: XPos and ypos are the right and bottom edges,
/// XSize and YSize the width and height; y grows downwards.
class ISymbol : public IKMObject {
public:
    virtual Long XPos() = 0;
    virtual void XPos(Long value) = 0;
    virtual Long ypos() = 0;
    virtual void ypos(Long value) = 0;
    virtual Long XSize() = 0;
    virtual void XSize(Long value) = 0;
    virtual Long YSize() = 0;
    virtual void YSize(Long value) = 0;
    /// Colour number red + 256 * green + 65536 * blue.
    virtual Long FillColor() = 0;
    virtual void FillColor(Long value) = 0;
    virtual bool Selected() = 0;
    virtual void Selected(bool value) = 0;

    /// The definition of the symbol's name and type, or nothing for symbol types without one.
    virtual std::shared_ptr<IDefinition> definition() = 0;
    virtual std::shared_ptr<IDiagram> Diagram() = 0;
    /// Related objects by relation number (see RelationNumber); symbols for 28 and 41,
    /// definitions for 112; HostError NotSupported for other numbers.
    virtual CollectionPtr<IKMObject> GetRelatedObjects(Long relation) = 0;
    virtual void setField(Long number, const std::string& value) = 0;
    /// A numbered field; field 21 of a text symbol answers its width and height "w h".
    virtual std::string GetField(Long number) = 0;
    virtual Long Handle() = 0;
};

} // namespace km::host
