#include "ExcelComment.h"

namespace km::excel {

const std::string& ExcelComment::Text(std::string text) {
    m_text = std::move(text);
    return m_text;
}

} // namespace km::excel
