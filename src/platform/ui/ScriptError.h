#pragma once
#include "platform/runtime/LocatedError.h"

namespace km::ui {

/// A malformed answers-file line, or a script action that cannot be carried out (unknown control,
/// entry not in the list, disabled button ...). Positions name the answers file (or other source)
/// and the 1-based line, without a column; line 0 for commands typed at the terminal, whose
/// messages carry no position.
class ScriptError : public rt::LocatedError {
public:
    using rt::LocatedError::LocatedError;
};

} // namespace km::ui
