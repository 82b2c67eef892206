#pragma once
#include <string>

namespace KM_SLN_SOA {

/// One member of a colour group: a symbol, identified by its repository id as decimal text.
class clsColourMgrType {
public:
    clsColourMgrType() = default;
    explicit clsColourMgrType(std::string strSymbolDDID);

    std::string strParentSymbolDDID;
};

} // namespace KM_SLN_SOA
