#include "ReportEngine.h"
#include "ReportExecutor.h"
#include "ReportParser.h"
#include "ReportPlanner.h"
#include "ReportXmlWriter.h"

namespace km::kemora {

ReportEngine::ReportEngine(IStore& store, const Metamodel& metamodel, size_t itemLimit)
    : m_store(store), m_metamodel(metamodel), m_itemLimit(itemLimit) {}

std::string ReportEngine::run(const std::string& script) {
    const ReportQuery query = ReportParser(script).parse();
    const ReportPlan plan = ReportPlanner(m_metamodel).plan(query);
    // One read snapshot around all lookups: the report reads one consistent state, the store
    // takes its file lock once instead of once per statement (a third of the time of a small
    // report), and writers in other processes are not held back.
    ReportResult result;
    {
        ReadSnapshot snapshot(m_store);
        result = ReportExecutor(m_store, m_metamodel, m_itemLimit).run(plan);
    }
    return ReportXmlWriter::write(result);
}

} // namespace km::kemora
