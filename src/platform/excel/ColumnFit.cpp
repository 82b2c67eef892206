#include "ColumnFit.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/Text.h"
#include <algorithm>

namespace km::excel {

std::string ColumnFit::displayText(const CellValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<double>(&value)) {
        return rt::numberText(*number);
    }
    if (const auto* date = std::get_if<rt::Date>(&value)) {
        return date->shortText();
    }
    return {};
}

double ColumnFit::widthFor(const ExcelCell& cell, const CellStyle& style) {
    std::string text = displayText(cell.value);
    if (text.empty()) {
        return 0;
    }
    rt::Long longest = 0;
    for (const std::string& line : rt::Split(rt::Replace(text, "\r\n", "\n"), "\n")) {
        longest = std::max(longest, rt::Len(line));
    }
    return longest * (style.size / 11.0) * (style.bold ? 1.1 : 1.0) + 1.0;
}

} // namespace km::excel
