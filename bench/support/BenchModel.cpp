#include "BenchModel.h"
#include "BatchedTransaction.h"
#include "BenchLandscape.h"
#include "Stopwatch.h"

namespace km::bench {

using kemora::ObjectRow;
using kemora::StoredClass;

namespace {

// Steps per transaction: big enough that commits cost little, small enough that the write-ahead
// log stays bounded. A list is several rows, so lists take fewer steps per transaction.
constexpr std::int64_t definitionsPerTransaction = 50'000;
constexpr std::int64_t listsPerTransaction = 12'500;

constexpr Long application = 309, domain = 619, component = 618;

} // namespace

BenchModel::BenchModel(kemora::IStore& store, std::int64_t definitions, std::int64_t symbols)
    : m_store(store), m_definitions(definitions), m_symbols(symbols) {}

BuildFigures BenchModel::build() {
    BuildFigures figures;
    createDefinitions(figures);
    createLists(figures);
    createDescriptions(figures);
    if (m_symbols > 0) {
        createLandscape(figures);
    }
    return figures;
}

void BenchModel::createDefinitions(BuildFigures& figures) {
    Stopwatch watch;
    BatchedTransaction batch(m_store, definitionsPerTransaction);
    for (const TypeShare& share : BenchPlan::types()) {
        const std::int64_t count = BenchPlan::countOf(share, m_definitions);
        std::vector<Long>& ids = m_ids[share.type];
        ids.reserve(static_cast<std::size_t>(count));
        ObjectRow row;
        row.cls = StoredClass::Definition;
        row.type = share.type;
        for (std::int64_t i = 1; i <= count; ++i) {
            row.name = BenchPlan::definitionName(share.noun, i);
            ids.push_back(m_store.insertObject(row));
            batch.step();
        }
        figures.definitions += count;
    }
    batch.finish();
    figures.definitionSeconds = watch.seconds();
    figures.definitionCpuSeconds = watch.cpuSeconds();
}

void BenchModel::createLists(BuildFigures& figures) {
    Stopwatch watch;
    BatchedTransaction batch(m_store, listsPerTransaction);
    for (const ListPlan& plan : BenchPlan::lists()) {
        createList(plan, batch, figures);
    }
    batch.finish();
    figures.relationSeconds = watch.seconds();
    figures.relationCpuSeconds = watch.cpuSeconds();
}

void BenchModel::createList(const ListPlan& plan, BatchedTransaction& batch, BuildFigures& figures) {
    const std::vector<Long>& owners = m_ids[plan.ownerType];
    const std::vector<Long>& pool = m_ids[plan.itemType];
    std::vector<Long> items;
    for (std::size_t owner = 0; owner < owners.size(); ++owner) {
        const std::vector<std::size_t> positions = BenchPlan::itemsOf(plan, owner, pool.size(), m_random);
        if (positions.empty()) {
            continue;
        }
        items.clear();
        for (std::size_t position : positions) {
            items.push_back(pool[position]);
        }
        m_store.setListItems(owners[owner], plan.property, items);
        figures.relations += static_cast<std::int64_t>(items.size());
        batch.step();
    }
}

void BenchModel::createDescriptions(BuildFigures& figures) {
    Stopwatch watch;
    BatchedTransaction batch(m_store, definitionsPerTransaction);
    std::int64_t number = 0;
    for (Long id : m_ids[application]) {
        m_store.setProperty(id, "Description",
                            "Application " + std::to_string(++number) + " of the bench landscape, in production.");
        ++figures.properties;
        batch.step();
    }
    batch.finish();
    figures.propertySeconds = watch.seconds();
    figures.propertyCpuSeconds = watch.cpuSeconds();
}

void BenchModel::createLandscape(BuildFigures& figures) {
    Stopwatch watch;
    BenchLandscape landscape(m_store, m_ids[domain], m_ids[component], m_ids[application]);
    figures.symbols = landscape.build(landscapeName, landscapeType, LandscapeShape::forSymbols(m_symbols));
    figures.symbolSeconds = watch.seconds();
    figures.symbolCpuSeconds = watch.cpuSeconds();
}

} // namespace km::bench
