#include "BenchPlan.h"
#include <algorithm>

namespace km::bench {

namespace {

constexpr Long service = 765, component = 618, application = 309, domain = 619, project = 662, planType = 624;

const char* const words[] = {"Customer", "Billing",   "Order",   "Payment", "Ledger",  "Claims",   "Policy",
                             "Partner",  "Inventory", "Pricing", "Account", "Channel", "Identity", "Document",
                             "Risk",     "Treasury",  "Catalog", "Sales",   "Service", "Fleet",    "Asset"};
constexpr std::size_t wordCount = sizeof words / sizeof words[0];

} // namespace

const std::vector<TypeShare>& BenchPlan::types() {
    static const std::vector<TypeShare> shares = {{service, "Service", 400},         {component, "Component", 200},
                                                  {application, "Application", 200}, {domain, "Domain", 20},
                                                  {project, "Project", 60},          {planType, "Plan", 120}};
    return shares;
}

const std::vector<ListPlan>& BenchPlan::lists() {
    static const std::vector<ListPlan> plans = {
        {application, "Provides Services", service, 4, false, 1},
        {component, "Provides Services", service, 3, false, 1},
        {domain, "Comprises", component, 10, true, 1},
        {project, "Service Plans", planType, 2, true, 1},
        {planType, "Application", application, 1, false, 1},
        {planType, "Adds Services", service, 1, false, 1},
        {planType, "Removes Services", service, 1, false, 3},
    };
    return plans;
}

std::int64_t BenchPlan::countOf(const TypeShare& share, std::int64_t definitions) {
    std::int64_t count = definitions * share.perMille / 1000;
    if (share.type != service) {
        return count;
    }
    std::int64_t assigned = 0;
    for (const TypeShare& other : types()) {
        assigned += definitions * other.perMille / 1000;
    }
    return count + definitions - assigned;
}

std::string BenchPlan::definitionName(const char* noun, std::int64_t number) {
    const auto n = static_cast<std::size_t>(number);
    return std::string(words[(n * 7 + 3) % wordCount]) + " " + words[(n / wordCount) % wordCount] + " " + noun + " " +
           std::to_string(number);
}

const char* BenchPlan::nounOf(Long type) {
    for (const TypeShare& share : types()) {
        if (share.type == type) {
            return share.noun;
        }
    }
    return "";
}

std::vector<std::size_t> BenchPlan::itemsOf(const ListPlan& plan, std::size_t owner, std::size_t items,
                                            std::mt19937_64& random) {
    std::vector<std::size_t> picked;
    if (items == 0 || owner % static_cast<std::size_t>(plan.everyNth) != 0) {
        return picked;
    }
    const auto perOwner = static_cast<std::size_t>(plan.perOwner);
    if (plan.partition) {
        for (std::size_t i = owner * perOwner; i < std::min(items, (owner + 1) * perOwner); ++i) {
            picked.push_back(i);
        }
        return picked;
    }
    std::uniform_int_distribution<std::size_t> index(0, items - 1);
    while (picked.size() < std::min(perOwner, items)) {
        const std::size_t candidate = index(random);
        if (std::find(picked.begin(), picked.end(), candidate) == picked.end()) {
            picked.push_back(candidate);
        }
    }
    return picked;
}

} // namespace km::bench
