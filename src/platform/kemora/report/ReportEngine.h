#pragma once
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <string>

namespace km::kemora {

/// Runs report scripts against an encyclopedia and answers the result XML. Scripts are taken as
/// stored (REPORT header, settings, closing braces) or as the add-in prepares them.
/// A malformed script throws HostError ReportSyntax naming line, column and what was expected;
/// a report visiting more than the item limit throws HostError NotSupported.
class ReportEngine {
public:
    /// Objects a single report may visit before it is stopped as runaway.
    static constexpr size_t defaultItemLimit = 2'000'000;

    ReportEngine(IStore& store, const Metamodel& metamodel, size_t itemLimit = defaultItemLimit);

    std::string run(const std::string& script);

private:
    IStore& m_store;
    const Metamodel& m_metamodel;
    size_t m_itemLimit;
};

} // namespace km::kemora
