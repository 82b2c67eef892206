#pragma once
#include "ExcelRange.h"

namespace km::excel {

/// One edge of a range (xl::EdgeLeft, EdgeTop, EdgeBottom or EdgeRight): setting it draws that
/// edge on the cells along the range's side. Other border indexes raise error 1004.
class ExcelBorder {
public:
    ExcelBorder(ExcelRange range, int borderIndex);
    /// xl::Continuous, xl::Dash, xl::Dot, xl::Double or xl::None.
    void LineStyle(int lineStyle) const;
    /// xl::Hairline, xl::Thin, xl::Medium or xl::Thick.
    void Weight(int weight) const;
    /// A palette index 1..56 or xl::Automatic.
    void ColorIndex(int colorIndex) const;
    /// The edge as the range's first cell on that side has it.
    BorderLine line() const;

private:
    template <class Change> void change(Change&& change) const;
    ExcelRange edgeCells() const;

    ExcelRange m_range;
    int m_index;
};

} // namespace km::excel
