#include "clsReportServiceRoadmap.h"

namespace KM_SLN_SOA {

void clsReportServiceRoadmap::RunReport() {}

} // namespace KM_SLN_SOA
