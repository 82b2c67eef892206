#pragma once
#include "platform/kemora/storage/IStore.h"
#include <cstdint>
#include <string>
#include <vector>

namespace km::bench {

using rt::Long;

/// How the symbols of the bench landscape nest: service domains holding service components in a
/// grid, each component holding applications in a grid (nesting two levels deep); one large
/// rectangle holding many applications directly; and loose text and application symbols.
struct LandscapeShape {
    std::int64_t domains = 0;
    std::int64_t componentsPerDomain = 18;
    std::int64_t applicationsPerComponent = 50;
    std::int64_t largeContainerApplications = 0;
    std::int64_t looseSymbols = 0;

    /// A shape of about \p symbols symbols (at least one domain): about 92 % in domains, 5 % in
    /// the large container, the rest loose.
    static LandscapeShape forSymbols(std::int64_t symbols);
    std::int64_t symbols() const;
};

/// Lays out the bench landscape diagram through IStore. Container symbols are created before
/// what they hold, as the landscape builder does; symbols stand for existing definitions.
class BenchLandscape {
public:
    BenchLandscape(kemora::IStore& store, const std::vector<Long>& domains, const std::vector<Long>& components,
                   const std::vector<Long>& applications);

    /// Creates the diagram and its symbols; answers the number of symbols.
    std::int64_t build(const std::string& diagramName, Long diagramType, const LandscapeShape& shape);

private:
    /// Creates a symbol standing for \p definition (0: none, then \p name names it).
    void symbol(Long type, Long definition, const std::string& name, Long left, Long top, Long width, Long height);
    /// A domain at (left, top) with its components and their applications; answers its height.
    Long domain(const LandscapeShape& shape, Long left, Long top);
    void component(const LandscapeShape& shape, Long left, Long top);
    /// The large container at (left, top); answers its height.
    Long largeContainer(const LandscapeShape& shape, Long left, Long top);
    void looseSymbols(const LandscapeShape& shape, Long top);
    Long next(const std::vector<Long>& pool, std::size_t& cursor);

    kemora::IStore& m_store;
    const std::vector<Long>& m_domains;
    const std::vector<Long>& m_components;
    const std::vector<Long>& m_applications;
    std::size_t m_nextDomain = 0, m_nextComponent = 0, m_nextApplication = 0;
    Long m_diagram = 0;
    std::int64_t m_created = 0;
};

} // namespace km::bench
