#include "DiagnosticCollector.h"

namespace km::kemora {

void DiagnosticCollector::add(rt::SourcePosition pos, std::string message) {
    if (m_kept.size() < maxKept) {
        m_kept.push_back({std::move(pos), std::move(message)});
        return;
    }
    if (m_dropped++ == 0) {
        m_firstDropped = std::move(pos);
    }
}

std::vector<MetamodelDiagnostic> DiagnosticCollector::take() {
    std::vector<MetamodelDiagnostic> all = std::move(m_kept);
    if (m_dropped > 0) {
        all.push_back({m_firstDropped, "expected at most " + std::to_string(maxKept) + " problems but found " +
                                           std::to_string(m_dropped) + " more, not shown"});
    }
    m_kept.clear();
    m_dropped = 0;
    return all;
}

} // namespace km::kemora
