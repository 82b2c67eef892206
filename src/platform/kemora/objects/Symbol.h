#pragma once
#include "StoredObject.h"
#include "host/ISymbol.h"
#include <map>

namespace km::kemora {

/// A symbol on a diagram. Geometry, colour, selection, fields and properties wait for save.
class Symbol : public KMObject<host::ISymbol>, public std::enable_shared_from_this<Symbol> {
public:
    Symbol(std::shared_ptr<Encyclopedia> encyclopedia, SymbolRow row);

    std::string TypeName() override;
    Long XPos() override { return m_symbol.geometry.xpos; }
    void XPos(Long value) override {
        change([&] { m_symbol.geometry.xpos = value; });
    }
    Long ypos() override { return m_symbol.geometry.ypos; }
    void ypos(Long value) override {
        change([&] { m_symbol.geometry.ypos = value; });
    }
    Long XSize() override { return m_symbol.geometry.xsize; }
    void XSize(Long value) override {
        change([&] { m_symbol.geometry.xsize = value; });
    }
    Long YSize() override { return m_symbol.geometry.ysize; }
    void YSize(Long value) override {
        change([&] { m_symbol.geometry.ysize = value; });
    }
    Long FillColor() override { return m_symbol.fillColor; }
    void FillColor(Long value) override {
        change([&] { m_symbol.fillColor = value; });
    }
    bool Selected() override { return m_symbol.selected; }
    void Selected(bool value) override {
        change([&] { m_symbol.selected = value; });
    }

    std::shared_ptr<host::IDefinition> definition() override;
    std::shared_ptr<host::IDiagram> Diagram() override;
    host::CollectionPtr<host::IKMObject> GetRelatedObjects(Long relation) override;
    void setField(Long number, const std::string& value) override;
    std::string GetField(Long number) override;
    Long Handle() override { return ddid(); }
    void Delete() override;
    const PropertyDecl* findProperty(const std::string& name) const override;

    const SymbolRow& symbolRow() const { return m_symbol; }
    Long diagramId() const { return m_row.diagram; }

protected:
    std::shared_ptr<host::IKMObject> selfAsObject() override { return shared_from_this(); }
    void saveOwnState() override;

private:
    template <class F> void change(F&& apply) {
        checkAlive();
        apply();
        markDirty();
    }
    std::vector<Long> nestedSymbols(bool directOnly);
    host::CollectionPtr<host::IKMObject> nestedCollection();
    std::vector<Long> referencedDefinitions(Long relation);

    SymbolRow m_symbol;
    std::map<Long, std::string> m_pendingFields;
};

} // namespace km::kemora
