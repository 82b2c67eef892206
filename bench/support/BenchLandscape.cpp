#include "BenchLandscape.h"
#include <algorithm>

namespace km::bench {

using kemora::ObjectRow;
using kemora::StoredClass;
using kemora::SymbolRow;

namespace {

constexpr Long textSymbol = 1, rectangleSymbol = 2, applicationSymbol = 160, domainSymbol = 770, componentSymbol = 771;

// Applications 100 x 50 in rows of 10 with 20 between them; components in rows of 6 with 40
// between them; a header band at the top of every container for its title.
constexpr Long appWidth = 100, appHeight = 50, appGap = 20, appColumns = 10;
constexpr Long componentColumns = 6, componentGap = 40, headerHeight = 40;
constexpr Long domainsPerRow = 4, domainGap = 200;
constexpr Long largeColumns = 40;

Long rowsOf(std::int64_t count, Long columns) {
    return static_cast<Long>((count + columns - 1) / columns);
}

Long componentWidth() {
    return appGap + appColumns * (appWidth + appGap);
}

Long componentHeight(const LandscapeShape& shape) {
    return headerHeight + rowsOf(shape.applicationsPerComponent, appColumns) * (appHeight + appGap);
}

Long domainWidth() {
    return componentGap + componentColumns * (componentWidth() + componentGap);
}

} // namespace

LandscapeShape LandscapeShape::forSymbols(std::int64_t symbols) {
    LandscapeShape shape;
    const std::int64_t perDomain = 1 + shape.componentsPerDomain * (1 + shape.applicationsPerComponent);
    shape.largeContainerApplications = symbols / 20;
    shape.domains =
        std::max<std::int64_t>(1, (symbols - 1 - shape.largeContainerApplications - symbols / 50) / perDomain);
    shape.looseSymbols =
        std::max<std::int64_t>(0, symbols - shape.domains * perDomain - 1 - shape.largeContainerApplications);
    return shape;
}

std::int64_t LandscapeShape::symbols() const {
    return domains * (1 + componentsPerDomain * (1 + applicationsPerComponent)) + 1 + largeContainerApplications +
           looseSymbols;
}

BenchLandscape::BenchLandscape(kemora::IStore& store, const std::vector<Long>& domains,
                               const std::vector<Long>& components, const std::vector<Long>& applications)
    : m_store(store), m_domains(domains), m_components(components), m_applications(applications) {}

std::int64_t BenchLandscape::build(const std::string& diagramName, Long diagramType, const LandscapeShape& shape) {
    kemora::Transaction transaction(m_store);
    ObjectRow diagram;
    diagram.cls = StoredClass::Diagram;
    diagram.type = diagramType;
    diagram.name = diagramName;
    m_diagram = m_store.insertObject(diagram);
    Long top = 0, rowHeight = 0;
    for (std::int64_t d = 0; d < shape.domains; ++d) {
        const Long column = static_cast<Long>(d % domainsPerRow);
        if (column == 0 && d > 0) {
            top += rowHeight + domainGap;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, domain(shape, column * (domainWidth() + domainGap), top));
    }
    top += rowHeight + domainGap;
    top += largeContainer(shape, 0, top) + domainGap;
    looseSymbols(shape, top);
    transaction.commit();
    return m_created;
}

Long BenchLandscape::next(const std::vector<Long>& pool, std::size_t& cursor) {
    if (pool.empty()) {
        return 0;
    }
    return pool[cursor++ % pool.size()];
}

void BenchLandscape::symbol(Long type, Long definition, const std::string& name, Long left, Long top, Long width,
                            Long height) {
    SymbolRow row;
    row.object.cls = StoredClass::Symbol;
    row.object.type = type;
    row.object.diagram = m_diagram;
    row.object.definition = definition;
    row.object.name = name;
    if (definition != 0) {
        row.object.name = m_store.object(definition)->name;
    }
    row.geometry = {left + width, top + height, width, height};
    m_store.insertSymbol(row);
    ++m_created;
}

Long BenchLandscape::domain(const LandscapeShape& shape, Long left, Long top) {
    const Long rows = rowsOf(shape.componentsPerDomain, componentColumns);
    const Long height = headerHeight + rows * (componentHeight(shape) + componentGap);
    symbol(domainSymbol, next(m_domains, m_nextDomain), "Domain", left, top, domainWidth(), height);
    for (std::int64_t c = 0; c < shape.componentsPerDomain; ++c) {
        const Long column = static_cast<Long>(c % componentColumns), row = static_cast<Long>(c / componentColumns);
        component(shape, left + componentGap + column * (componentWidth() + componentGap),
                  top + headerHeight + row * (componentHeight(shape) + componentGap));
    }
    return height;
}

void BenchLandscape::component(const LandscapeShape& shape, Long left, Long top) {
    symbol(componentSymbol, next(m_components, m_nextComponent), "Component", left, top, componentWidth(),
           componentHeight(shape));
    for (std::int64_t a = 0; a < shape.applicationsPerComponent; ++a) {
        const Long column = static_cast<Long>(a % appColumns), row = static_cast<Long>(a / appColumns);
        symbol(applicationSymbol, next(m_applications, m_nextApplication), "Application",
               left + appGap + column * (appWidth + appGap), top + headerHeight + row * (appHeight + appGap), appWidth,
               appHeight);
    }
}

Long BenchLandscape::largeContainer(const LandscapeShape& shape, Long left, Long top) {
    const Long width = appGap + largeColumns * (appWidth + appGap);
    const Long height = headerHeight + rowsOf(shape.largeContainerApplications, largeColumns) * (appHeight + appGap);
    symbol(rectangleSymbol, 0, "All Applications", left, top, width, height);
    for (std::int64_t a = 0; a < shape.largeContainerApplications; ++a) {
        const Long column = static_cast<Long>(a % largeColumns), row = static_cast<Long>(a / largeColumns);
        symbol(applicationSymbol, next(m_applications, m_nextApplication), "Application",
               left + appGap + column * (appWidth + appGap), top + headerHeight + row * (appHeight + appGap), appWidth,
               appHeight);
    }
    return height;
}

void BenchLandscape::looseSymbols(const LandscapeShape& shape, Long top) {
    for (std::int64_t i = 0; i < shape.looseSymbols; ++i) {
        const Long column = static_cast<Long>(i % largeColumns), row = static_cast<Long>(i / largeColumns);
        const Long left = appGap + column * (appWidth + appGap), y = top + row * (appHeight + appGap);
        if (i % 2 == 0) {
            symbol(textSymbol, 0, "Note " + std::to_string(i / 2 + 1), left, y, 60, 12);
        } else {
            symbol(applicationSymbol, next(m_applications, m_nextApplication), "Application", left, y, appWidth,
                   appHeight);
        }
    }
}

} // namespace km::bench
