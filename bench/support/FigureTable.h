#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace km::bench {

/// The figures of one benchmark run, grouped in sections, printed as an aligned table with the
/// target of each figure and whether this run met it.
class FigureTable {
public:
    void section(const std::string& title);
    /// A figure without a target.
    void add(const std::string& figure, const std::string& value);
    /// A figure with its target and whether it was met.
    void add(const std::string& figure, const std::string& value, const std::string& target, bool met);
    void print(std::ostream& out) const;
    bool allTargetsMet() const;

private:
    struct Row {
        std::string figure;
        std::string value;
        std::string target;
        std::string verdict;
        bool isSection = false;
    };
    std::vector<Row> m_rows;
};

} // namespace km::bench
