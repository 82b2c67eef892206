#pragma once
#include "ReportQuery.h"
#include <string_view>

namespace km::kemora {

/// The comparisons of WHERE "field" op value. Two numeric texts compare as numbers; any other
/// pair compares as texts without regard to case. LIKE matches a pattern without regard to case,
/// where '*' stands for any run of characters and '?' for one character. An empty (unset) value
/// matches no ordering comparison (<, >, <=, >=).
class ReportMatcher {
public:
    static bool matches(std::string_view actual, CompareOp op, std::string_view expected);
    /// Pattern match of LIKE on texts already folded to one case.
    static bool like(std::string_view text, std::string_view pattern);
};

} // namespace km::kemora
