#pragma once
#include "IKMObject.h"

namespace km::host {

class ISymbol;

/// A diagram. Its save writes its own pending changes and those of its loaded symbols.
class IDiagram : public IKMObject {
public:
    /// All symbols in creation order.
    virtual CollectionPtr<ISymbol> GetAllSymbols() = 0;
    /// Symbols whose name equals \p name without regard to case (any name when empty) and whose
    /// symbol type is \p symbolType (any type when 0), in creation order.
    virtual CollectionPtr<ISymbol> GetFilteredSymbols(const std::string& name, Long symbolType) = 0;
    /// A new symbol with the default size and position; definition-backed symbol types refer to
    /// the definition of that name (created when missing). Saved at once.
    virtual std::shared_ptr<ISymbol> CreateSymbol(const std::string& name, Long symbolType) = 0;
    virtual Long Handle() = 0;
};

} // namespace km::host
