#include "clsHierarchyBuilder.h"

namespace KM_SLN_SOA {

void clsHierarchyBuilder::BuildServiceHierarchies() {}

} // namespace KM_SLN_SOA
