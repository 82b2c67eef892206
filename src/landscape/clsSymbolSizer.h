#pragma once
// Turns the content of populated container symbols into a grid: one common size for all nested
// symbols of all containers, placed row by row inside their container, each labelled with a text
// size that suits the room and the length of its name.
#include "host/ISymbol.h"
#include "platform/runtime/Collection.h"
#include "platform/runtime/Types.h"
#include <memory>
#include <string>

namespace KM_SLN_SOA {

/// The container symbols of one build, in the host's symbol order.
using SymbolCollection = km::rt::Collection<std::shared_ptr<km::host::ISymbol>>;

class clsSymbolSizer {
public:
    /// Gives every symbol nested in the containers one common size, so that the narrowest
    /// container holds \p lngMaxNoColsForNarrowestCoolection columns, and arranges each container's
    /// nested symbols in rows. Nested symbols are saved one by one; the caller saves the diagram.
    void SizeCollections(const SymbolCollection& colSyms, km::rt::Long lngMaxNoColsForNarrowestCoolection);

    /// The label text size for a cell of \p lngWidth x \p lngHeight and a name of \p lngNameLength
    /// characters.
    static km::rt::Long TextSizeFor(km::rt::Long lngWidth, km::rt::Long lngHeight, km::rt::Long lngNameLength);
    /// The text-size field's form: "0x00" and the value in upper-case hexadecimal ("0x0032" for 50).
    static std::string TextSizeField(km::rt::Long lngSize);

private:
    void ComputeChildSize(km::host::ISymbol& container, km::rt::Long& lngChildWidth, km::rt::Long& lngChildHeight,
                          km::rt::Long lngMinCols, km::rt::Long lngNarrowest);
    void ArrangeChildren(km::host::ISymbol& container, km::rt::Long lngChildWidth, km::rt::Long lngChildHeight);
    void PlaceChild(km::host::ISymbol& child, km::rt::Long lngRight, km::rt::Long lngBottom, km::rt::Long lngWidth,
                    km::rt::Long lngHeight);
};

} // namespace KM_SLN_SOA
