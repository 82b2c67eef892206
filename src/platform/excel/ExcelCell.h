#pragma once
#include "StyleTable.h"
#include "platform/runtime/Date.h"
#include <string>
#include <variant>

namespace km::excel {

/// What a cell holds: nothing, a text, a number or a date.
using CellValue = std::variant<std::monostate, std::string, double, rt::Date>;

/// One cell of a worksheet: its value and the number of its style.
struct ExcelCell {
    CellValue value;
    StyleTable::Id style = 0;
};

} // namespace km::excel
