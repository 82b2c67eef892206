#pragma once
#include "StoreRows.h"
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// Symbols: their rows and geometry, the spatial queries behind nesting (relation 28), and their
/// numbered fields. Symbols are objects too (IObjectStore deletes them).
class ISymbolStore {
public:
    virtual ~ISymbolStore() = default;

    virtual Long insertSymbol(const SymbolRow& row) = 0; ///< answers the new id
    virtual std::optional<SymbolRow> symbol(Long id) = 0;
    virtual void updateSymbol(const SymbolRow& row) = 0; ///< geometry, colour, selection, name, type
    /// Symbols of a diagram in creation order, optionally only of one type (0: all) and one name
    /// (without regard to case; "" any).
    virtual std::vector<Long> symbolsOfDiagram(Long diagram, Long type = 0, const std::string& name = {}) = 0;
    /// Symbols of a diagram whose rectangle lies within \p area (edges included), in creation
    /// order. Rectangles with a negative width or height count with their edges swapped.
    virtual std::vector<SymbolRow> symbolsWithin(Long diagram, const Geometry& area) = 0;
    /// Symbols of a diagram whose rectangle contains \p area (edges included), in creation order.
    virtual std::vector<SymbolRow> symbolsContaining(Long diagram, const Geometry& area) = 0;
    /// Symbols that stand for a definition, in creation order.
    virtual std::vector<Long> symbolsOfDefinition(Long definition) = 0;

    // Symbol fields.
    virtual std::optional<std::string> field(Long symbol, Long number) = 0;
    virtual void setField(Long symbol, Long number, const std::string& value) = 0;
    /// Every field of a symbol by number.
    virtual std::map<Long, std::string> fields(Long symbol) = 0;
};

} // namespace km::kemora
