#pragma once
#include "platform/runtime/Types.h"
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace km::bench {

using rt::Long;

/// The share of one definition type in the bench model, in thousandths.
struct TypeShare {
    Long type;
    const char* noun; ///< the word in the names of its definitions
    std::int64_t perMille;
};

/// One list property of the bench model: owners of a type list items of another type.
struct ListPlan {
    Long ownerType;
    const char* property;
    Long itemType;
    int perOwner;
    /// True: the i-th owner lists the i-th run of items (each item listed once); false: random items.
    bool partition;
    /// Only every n-th owner has the list.
    int everyNth;
};

/// The shape of the bench model, shared by the store builder and the exchange file writer:
/// services, service components, applications, service domains, projects and service plans in
/// fixed shares, with about two list entries per definition (applications and components provide
/// services, domains comprise components, projects use plans, plans change applications and add
/// or remove services).
class BenchPlan {
public:
    static const std::vector<TypeShare>& types();
    static const std::vector<ListPlan>& lists();
    /// Definitions of a type in a model of \p definitions; services take what rounding leaves.
    static std::int64_t countOf(const TypeShare& share, std::int64_t definitions);
    /// The name of the \p number-th (1-based) definition of a type: varied in length and order,
    /// unique per type.
    static std::string definitionName(const char* noun, std::int64_t number);
    /// The noun of a type of the plan ("" for others).
    static const char* nounOf(Long type);
    /// Positions (0-based) of the items the \p owner-th owner lists, out of \p items definitions
    /// of the item type; empty when that owner has no list.
    static std::vector<std::size_t> itemsOf(const ListPlan& plan, std::size_t owner, std::size_t items,
                                            std::mt19937_64& random);
};

} // namespace km::bench
