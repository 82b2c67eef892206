#include "ExcelFont.h"
#include "platform/runtime/RuntimeError.h"

namespace km::excel {

const CellStyle& ExcelFont::firstStyle() const {
    ExcelWorksheet& sheet = m_range.Worksheet();
    const ExcelCell* cell = sheet.findCell(m_range.Row(), m_range.Column());
    return sheet.styles().style(cell ? cell->style : 0);
}

bool ExcelFont::Bold() const {
    return firstStyle().bold;
}

void ExcelFont::Bold(bool bold) const {
    m_range.restyle([bold](CellStyle& style) { style.bold = bold; });
}

double ExcelFont::Size() const {
    return firstStyle().size;
}

void ExcelFont::Size(double points) const {
    if (points < 1 || points > 409) {
        throw rt::RuntimeError(xl::ObjectDefinedError, "Unable to set the Size property of the Font class");
    }
    m_range.restyle([points](CellStyle& style) { style.size = points; });
}

} // namespace km::excel
