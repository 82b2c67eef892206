#pragma once
#include "host/ClassNumbers.h"
#include "host/HostColours.h"
#include "platform/runtime/Types.h"
#include <string>

namespace km::kemora {

using rt::Long;

/// Class numbers of stored objects: the host's class numbers.
using StoredClass = host::ObjectClass;

struct ObjectRow {
    Long id = 0;
    StoredClass cls = StoredClass::Definition;
    Long type = 0;
    std::string name;
    Long diagram = 0;    ///< symbols: the diagram they lie on
    Long definition = 0; ///< symbols: the definition they stand for, 0 when none
};

/// A symbol's geometry: right and bottom edges (xpos, ypos), width and height; y downwards.
struct Geometry {
    Long xpos = 0;
    Long ypos = 0;
    Long xsize = 0;
    Long ysize = 0;
    Long left() const { return xpos - xsize; }
    Long top() const { return ypos - ysize; }
};

struct SymbolRow {
    ObjectRow object;
    Geometry geometry;
    Long fillColor = host::colour::white;
    bool selected = false;
};

/// A stored relation step: the object at the other end and the position in its list.
struct RelatedRow {
    Long id = 0;
    Long sequence = 0;
};

} // namespace km::kemora
