#include "ExchangeFileWriter.h"
#include "BenchPlan.h"
#include <fstream>
#include <map>
#include <stdexcept>

namespace km::bench {

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

/// The lists of one owner: property name and item names.
using OwnerLists = std::vector<std::pair<const char*, std::vector<std::string>>>;

OwnerLists listsOf(Long type, std::size_t owner, const std::map<Long, std::int64_t>& counts, std::mt19937_64& random) {
    OwnerLists lists;
    for (const ListPlan& plan : BenchPlan::lists()) {
        if (plan.ownerType != type) {
            continue;
        }
        std::vector<std::string> names;
        const auto items = static_cast<std::size_t>(counts.at(plan.itemType));
        for (std::size_t position : BenchPlan::itemsOf(plan, owner, items, random)) {
            names.push_back(
                BenchPlan::definitionName(BenchPlan::nounOf(plan.itemType), static_cast<std::int64_t>(position) + 1));
        }
        if (!names.empty()) {
            lists.emplace_back(plan.property, std::move(names));
        }
    }
    return lists;
}

} // namespace

ExchangeFileFigures ExchangeFileWriter::write(const std::string& path, std::int64_t definitions) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    std::map<Long, std::int64_t> counts;
    for (const TypeShare& share : BenchPlan::types()) {
        counts[share.type] = BenchPlan::countOf(share, definitions);
    }
    std::mt19937_64 random(20240611);
    ExchangeFileFigures figures;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<model format=\"1\">\n";
    for (const TypeShare& share : BenchPlan::types()) {
        for (std::int64_t number = 1; number <= counts[share.type]; ++number) {
            out << "  <definition type=\"" << share.type << "\" name=\""
                << escaped(BenchPlan::definitionName(share.noun, number)) << "\">\n";
            if (share.type == 309) {
                out << "    <property name=\"Description\">Application " << number
                    << " of the bench landscape, in production.</property>\n";
                ++figures.properties;
            }
            for (const auto& [property, names] :
                 listsOf(share.type, static_cast<std::size_t>(number - 1), counts, random)) {
                out << "    <list name=\"" << property << "\">";
                for (const std::string& name : names) {
                    out << "<item>" << escaped(name) << "</item>";
                }
                out << "</list>\n";
                figures.relations += static_cast<std::int64_t>(names.size());
            }
            out << "  </definition>\n";
            ++figures.definitions;
        }
    }
    out << "</model>\n";
    figures.bytes = static_cast<std::int64_t>(out.tellp());
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
    return figures;
}

} // namespace km::bench
