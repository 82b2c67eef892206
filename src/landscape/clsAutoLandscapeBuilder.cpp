#include "clsAutoLandscapeBuilder.h"

namespace KM_SLN_SOA {

void clsAutoLandscapeBuilder::BuildLAA() {}

} // namespace KM_SLN_SOA
