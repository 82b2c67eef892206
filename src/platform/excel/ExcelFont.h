#pragma once
#include "ExcelRange.h"

namespace km::excel {

/// The font of a range's cells.
class ExcelFont {
public:
    explicit ExcelFont(ExcelRange range) : m_range(range) {}
    /// The first cell's setting.
    bool Bold() const;
    void Bold(bool bold) const;
    double Size() const;
    /// Error 1004 for sizes outside 1..409 points.
    void Size(double points) const;

private:
    const CellStyle& firstStyle() const;
    ExcelRange m_range;
};

} // namespace km::excel
