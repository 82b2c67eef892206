#include "StyleTable.h"

namespace km::excel {

StyleTable::StyleTable() {
    intern(CellStyle{});
}

StyleTable::Id StyleTable::intern(const CellStyle& style) {
    auto [at, added] = m_ids.try_emplace(style, static_cast<Id>(m_styles.size()));
    if (added) {
        m_styles.push_back(style);
    }
    return at->second;
}

} // namespace km::excel
