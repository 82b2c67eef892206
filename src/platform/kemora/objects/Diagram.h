#pragma once
#include "StoredObject.h"
#include "host/IDiagram.h"

namespace km::kemora {

/// A diagram. Saving it also saves its loaded symbols that have unsaved changes.
class Diagram : public KMObject<host::IDiagram>, public std::enable_shared_from_this<Diagram> {
public:
    using KMObject::KMObject;

    std::string TypeName() override;
    host::CollectionPtr<host::ISymbol> GetAllSymbols() override;
    host::CollectionPtr<host::ISymbol> GetFilteredSymbols(const std::string& name, Long symbolType) override;
    std::shared_ptr<host::ISymbol> CreateSymbol(const std::string& name, Long symbolType) override;
    Long Handle() override { return ddid(); }
    void save() override;
    void Delete() override;
    const PropertyDecl* findProperty(const std::string& name) const override;

    /// The default size of a new symbol of a type with that name (text symbols fit their text).
    static Geometry defaultGeometry(Long symbolType, const std::string& name);

protected:
    std::shared_ptr<host::IKMObject> selfAsObject() override { return shared_from_this(); }

private:
    host::CollectionPtr<host::ISymbol> symbolCollection(std::vector<Long> ids);
    Long definitionFor(const SymbolType& type, const std::string& name);
};

} // namespace km::kemora
