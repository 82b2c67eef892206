#include "ExcelWorkbooks.h"
#include "ExcelWorkbook.h"
#include "XlsxWriter.h"
#include "platform/runtime/RuntimeError.h"
#include <algorithm>

namespace km::excel {

std::shared_ptr<ExcelWorkbook> ExcelWorkbooks::Add() {
    std::string path = m_chooser ? m_chooser() : std::string("Book") + std::to_string(m_books.size() + 1) + ".xlsx";
    XlsxWriter::probe(path);
    m_books.push_back(std::make_shared<ExcelWorkbook>(*this, path, 1));
    return m_books.back();
}

std::shared_ptr<ExcelWorkbook> ExcelWorkbooks::Item(long index) const {
    if (index < 1 || index > Count()) {
        throw rt::RuntimeError(rt::ErrorNumber::SubscriptOutOfRange);
    }
    return m_books[static_cast<std::size_t>(index - 1)];
}

void ExcelWorkbooks::remove(const ExcelWorkbook& book) {
    std::erase_if(m_books, [&book](const auto& held) { return held.get() == &book; });
}

} // namespace km::excel
