#include "ExcelWorkbook.h"
#include "ExcelWorkbooks.h"
#include "XlsxWriter.h"

namespace km::excel {

ExcelWorkbook::ExcelWorkbook(ExcelWorkbooks& owner, std::string path, int sheets)
    : m_owner(&owner), m_path(std::move(path)), m_sheets(*this) {
    for (int i = 0; i < sheets; ++i) {
        m_sheets.Add();
    }
    m_active = sheets > 0 ? &m_sheets.Item(1) : nullptr;
}

void ExcelWorkbook::SaveAs(const std::string& path) {
    XlsxWriter::write(*this, path);
    m_path = path;
    m_saved = true;
}

void ExcelWorkbook::Close() {
    if (m_owner) {
        ExcelWorkbooks* owner = m_owner;
        m_owner = nullptr;
        owner->remove(*this);
    }
}

} // namespace km::excel
