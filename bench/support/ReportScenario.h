#pragma once
#include "platform/runtime/Types.h"
#include <string>

namespace km::bench {

using rt::Long;

/// A per-definition report as the add-in runs them: one definition by identity, one join over a
/// named relation, and the related definitions' identity, class, type and name as legends.
struct ReportScenario {
    std::string title;
    Long ownerType = 0;
    std::string relation;     ///< the relation name the script follows
    std::string listProperty; ///< the list property that stores it
    bool forward = true;      ///< true: owner -> items; false: item -> owners (reverse name)
    Long targetType = 0;

    /// The report script for one owner, laid out as the add-in writes it.
    std::string script(Long ownerId) const;
};

} // namespace km::bench
