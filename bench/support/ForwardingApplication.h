#pragma once
#include "host/IApplication.h"
#include <memory>
#include <utility>

namespace km::bench {

/// An application that hands every call to another one. Benchmarks derive from it and override
/// only the calls they time (typically `encyclopedia()`, to hand out a timed encyclopedia).
class ForwardingApplication : public host::IApplication {
public:
    explicit ForwardingApplication(std::shared_ptr<host::IApplication> inner) : m_inner(std::move(inner)) {}

    std::shared_ptr<host::IEncyclopedia> encyclopedia() override { return m_inner->encyclopedia(); }
    std::string GetExePath() override { return m_inner->GetExePath(); }
    void WriteStatusLine(const std::string& text) override { m_inner->WriteStatusLine(text); }
    void browserrefresh() override { m_inner->browserrefresh(); }
    void OpenEncyclopediaUsingDisplayName(const std::string& name) override {
        m_inner->OpenEncyclopediaUsingDisplayName(name);
    }
    std::shared_ptr<host::IImf> Interface(const std::string& name) override { return m_inner->Interface(name); }

protected:
    std::shared_ptr<host::IApplication> m_inner;
};

} // namespace km::bench
