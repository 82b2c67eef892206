#include "SourceText.h"
#include <algorithm>

namespace km::kemora {

void SourceText::indexLines() const {
    if (!m_lineStarts.empty()) {
        return;
    }
    m_lineStarts.push_back(0);
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == '\n') {
            m_lineStarts.push_back(i + 1);
        }
    }
}

rt::SourcePosition SourceText::position(std::size_t offset) const {
    indexLines();
    offset = std::min(offset, m_text.size());
    auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    std::size_t line = static_cast<std::size_t>(next - m_lineStarts.begin());
    std::size_t start = m_lineStarts[line - 1];
    // Columns count characters: UTF-8 continuation bytes do not start one.
    int column = 1;
    for (std::size_t i = start; i < offset; ++i) {
        if ((static_cast<unsigned char>(m_text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return {m_name, static_cast<int>(line), column};
}

std::string SourceText::locate(std::size_t offset, const std::string& message) const {
    return rt::formatLocated(position(offset), message);
}

void SourceText::fail(std::size_t offset, const std::string& message, host::HostErrorCode code) const {
    throw host::HostError(code, locate(offset, message));
}

} // namespace km::kemora
