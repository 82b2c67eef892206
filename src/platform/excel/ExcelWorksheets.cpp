#include "ExcelWorksheets.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"

namespace km::excel {

ExcelWorksheet& ExcelWorksheets::Item(long index) const {
    if (index < 1 || index > Count()) {
        throw rt::RuntimeError(rt::ErrorNumber::SubscriptOutOfRange);
    }
    return *m_sheets[static_cast<std::size_t>(index - 1)];
}

ExcelWorksheet& ExcelWorksheets::Item(const std::string& name) const {
    for (const auto& sheet : m_sheets) {
        if (rt::equalsNoCase(sheet->Name(), name)) {
            return *sheet;
        }
    }
    throw rt::RuntimeError(rt::ErrorNumber::SubscriptOutOfRange);
}

ExcelWorksheet& ExcelWorksheets::Add() {
    m_sheets.push_back(std::make_unique<ExcelWorksheet>(m_workbook, "Sheet" + std::to_string(m_sheets.size() + 1)));
    return *m_sheets.back();
}

} // namespace km::excel
