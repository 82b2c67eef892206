#pragma once

namespace KM_SLN_SOA {

/// The service roadmap report. FIXME: not written yet; RunReport does nothing.
class clsReportServiceRoadmap {
public:
    void RunReport();
};

} // namespace KM_SLN_SOA
