#pragma once
#include "host/IEncyclopedia.h"
#include <memory>
#include <utility>

namespace km::bench {

/// An encyclopedia that hands every call to another one. Benchmarks derive from it and override
/// only the calls they time.
class ForwardingEncyclopedia : public host::IEncyclopedia {
public:
    explicit ForwardingEncyclopedia(std::shared_ptr<host::IEncyclopedia> inner) : m_inner(std::move(inner)) {}

    void ExecuteReportString(std::string& result, const std::string& script) override {
        m_inner->ExecuteReportString(result, script);
    }
    std::shared_ptr<host::IDefinition> getdefinitionbyid(rt::Long id) override {
        return m_inner->getdefinitionbyid(id);
    }
    std::shared_ptr<host::IDiagram> getcurrentdiagram() override { return m_inner->getcurrentdiagram(); }
    std::shared_ptr<host::IDiagram> getdiagrambyid(rt::Long id) override { return m_inner->getdiagrambyid(id); }
    host::CollectionPtr<host::IDefinition> getfiltereddefinitions(const std::string& filter, rt::Long type) override {
        return m_inner->getfiltereddefinitions(filter, type);
    }
    host::CollectionPtr<host::IDiagram> GetFilteredDiagrams(const std::string& filter, rt::Long type) override {
        return m_inner->GetFilteredDiagrams(filter, type);
    }
    std::shared_ptr<host::IDefinition> CreateDefinition(const std::string& name, rt::Long type) override {
        return m_inner->CreateDefinition(name, type);
    }
    std::shared_ptr<host::IDiagram> CreateDiagram(const std::string& name, rt::Long type) override {
        return m_inner->CreateDiagram(name, type);
    }
    bool openobjectsasreadonly() override { return m_inner->openobjectsasreadonly(); }
    void openobjectsasreadonly(bool value) override { m_inner->openobjectsasreadonly(value); }
    std::shared_ptr<host::IMetaModel> MetaModel() override { return m_inner->MetaModel(); }
    std::string FullName() override { return m_inner->FullName(); }
    void setxml(const std::string& path, bool merge, bool overwrite) override {
        m_inner->setxml(path, merge, overwrite);
    }

protected:
    std::shared_ptr<host::IEncyclopedia> m_inner;
};

} // namespace km::bench
