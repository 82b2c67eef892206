#pragma once
#include "ReportResult.h"
#include <string>

namespace km::kemora {

/// Writes a report result as XML: KMReport > KMLevel > KMItem (Name, DDID, Class) holding one
/// KMProperty (KMPrpName, KMPrpValue) per selected field, a KMRelatedItem (DDID, the name as
/// text) per object a list property lists, and a KMLevel with the related items of the next
/// level when there are any.
class ReportXmlWriter {
public:
    static std::string write(const ReportResult& result);
};

} // namespace km::kemora
