#include "clsColourMgrType.h"

namespace KM_SLN_SOA {

clsColourMgrType::clsColourMgrType(std::string strSymbolDDID) : strParentSymbolDDID(std::move(strSymbolDDID)) {}

} // namespace KM_SLN_SOA
