#pragma once
#include "CellStyle.h"
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace km::excel {

/// The distinct cell styles of a workbook, each under a number. Number 0 is the default style.
/// Cells keep numbers, so a sheet of many equally formatted cells holds one style.
class StyleTable {
public:
    using Id = std::uint32_t;
    StyleTable();

    /// The number of the style, adding it when it is new.
    Id intern(const CellStyle& style);
    const CellStyle& style(Id id) const { return m_styles[id]; }
    std::size_t size() const { return m_styles.size(); }

private:
    std::vector<CellStyle> m_styles;
    std::unordered_map<CellStyle, Id, CellStyleHash> m_ids;
};

} // namespace km::excel
