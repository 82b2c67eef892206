#pragma once
#include "host/ClassNumbers.h"
#include "platform/runtime/Types.h"
#include <string>
#include <vector>

namespace km::kemora {

/// An object listed by a list property.
struct ResultRelated {
    rt::Long id = 0;
    std::string name;
};

/// One selected field of an item.
struct ResultProperty {
    std::string name;  ///< KMPrpName
    std::string value; ///< KMPrpValue
    std::vector<ResultRelated> related;
};

/// One object of a level, with the objects of the next level related to it.
struct ResultItem {
    std::string name;
    rt::Long id = 0;
    int classNumber = static_cast<int>(host::ObjectClass::Definition);
    std::vector<ResultProperty> properties;
    std::vector<ResultItem> children;
};

/// What a report yields: the objects of its first level.
struct ReportResult {
    std::vector<ResultItem> items;
};

} // namespace km::kemora
