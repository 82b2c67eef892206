#pragma once
#include <string>

namespace km::excel {

/// A cell's comment: its text and whether it is shown all the time (true) or only while the
/// pointer rests on the cell (false, the default).
class ExcelComment {
public:
    bool Visible() const { return m_visible; }
    void Visible(bool visible) { m_visible = visible; }
    const std::string& Text() const { return m_text; }
    /// Replaces the text; answers it.
    const std::string& Text(std::string text);

private:
    std::string m_text;
    bool m_visible = false;
};

} // namespace km::excel
