#include "FigureTable.h"
#include <algorithm>
#include <iomanip>

namespace km::bench {

void FigureTable::section(const std::string& title) {
    m_rows.push_back({title, {}, {}, {}, true});
}

void FigureTable::add(const std::string& figure, const std::string& value) {
    m_rows.push_back({figure, value, {}, {}, false});
}

void FigureTable::add(const std::string& figure, const std::string& value, const std::string& target, bool met) {
    m_rows.push_back({figure, value, target, met ? "ok" : "MISSED", false});
}

bool FigureTable::allTargetsMet() const {
    return std::none_of(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.verdict == "MISSED"; });
}

void FigureTable::print(std::ostream& out) const {
    std::size_t figureWidth = 6, valueWidth = 5, targetWidth = 6;
    for (const Row& row : m_rows) {
        if (row.isSection) {
            continue;
        }
        figureWidth = std::max(figureWidth, row.figure.size());
        valueWidth = std::max(valueWidth, row.value.size());
        targetWidth = std::max(targetWidth, row.target.size());
    }
    auto line = [&](const std::string& a, const std::string& b, const std::string& c, const std::string& d) {
        out << "  " << std::left << std::setw(static_cast<int>(figureWidth)) << a << "  "
            << std::setw(static_cast<int>(valueWidth)) << b << "  " << std::setw(static_cast<int>(targetWidth)) << c
            << "  " << d << "\n";
    };
    line("Figure", "Value", "Target", "");
    line(std::string(figureWidth, '-'), std::string(valueWidth, '-'), std::string(targetWidth, '-'), "------");
    for (const Row& row : m_rows) {
        if (row.isSection) {
            out << row.figure << "\n";
        } else {
            line(row.figure, row.value, row.target, row.verdict);
        }
    }
    out.flush();
}

} // namespace km::bench
