#include "clsLandscapeBuilder.h"

namespace KM_SLN_SOA {

void clsLandscapeBuilder::BuildLAA() {}

void clsLandscapeBuilder::RefreshLAA() {}

} // namespace KM_SLN_SOA
