#pragma once
#include "BenchPlan.h"
#include "platform/kemora/storage/IStore.h"
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace km::bench {

class BatchedTransaction;

/// What building the bench model wrote and how long each part took.
struct BuildFigures {
    std::int64_t definitions = 0;
    std::int64_t relations = 0; ///< list entries
    std::int64_t properties = 0;
    std::int64_t symbols = 0;
    // Wall-clock and processor seconds of each part.
    double definitionSeconds = 0, definitionCpuSeconds = 0;
    double relationSeconds = 0, relationCpuSeconds = 0;
    double propertySeconds = 0, propertyCpuSeconds = 0;
    double symbolSeconds = 0, symbolCpuSeconds = 0;
    double totalSeconds() const { return definitionSeconds + relationSeconds + propertySeconds + symbolSeconds; }
    double totalCpuSeconds() const {
        return definitionCpuSeconds + relationCpuSeconds + propertyCpuSeconds + symbolCpuSeconds;
    }
};

/// Builds the bench model (BenchPlan) through IStore in big transactions: the definitions, their
/// lists, a description on every application, and one landscape diagram of nested symbols
/// (LandscapeShape). The same sizes always give the same model.
class BenchModel {
public:
    static constexpr const char* landscapeName = "Bench Landscape";
    static constexpr Long landscapeType = 140;

    /// The store must hold the property files with the solution switched on (SolutionFiles).
    BenchModel(kemora::IStore& store, std::int64_t definitions, std::int64_t symbols);

    BuildFigures build();

private:
    void createDefinitions(BuildFigures& figures);
    void createLists(BuildFigures& figures);
    void createList(const ListPlan& plan, BatchedTransaction& batch, BuildFigures& figures);
    void createDescriptions(BuildFigures& figures);
    void createLandscape(BuildFigures& figures);

    kemora::IStore& m_store;
    std::int64_t m_definitions;
    std::int64_t m_symbols;
    std::map<Long, std::vector<Long>> m_ids; ///< by type, in creation order
    std::mt19937_64 m_random{20240611};
};

} // namespace km::bench
