#pragma once
#include "Metamodel.h"
#include <string>
#include <vector>

namespace km::kemora {

/// Collects the problems found while reading property files. Only the first maxKept are kept,
/// so that a file of garbage cannot fill the memory with messages; the rest are counted and
/// summed up in one last diagnostic.
class DiagnosticCollector {
public:
    static constexpr size_t maxKept = 200;

    void add(rt::SourcePosition pos, std::string message);
    /// Every problem reported so far, kept or not.
    size_t count() const { return m_kept.size() + m_dropped; }
    /// The kept diagnostics, followed by a summary when some were dropped; empties the collector.
    std::vector<MetamodelDiagnostic> take();

private:
    std::vector<MetamodelDiagnostic> m_kept;
    size_t m_dropped = 0;
    rt::SourcePosition m_firstDropped;
};

} // namespace km::kemora
