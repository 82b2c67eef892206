#include "ReportQuery.h"
#include "host/HostError.h"
#include "platform/runtime/Text.h"

namespace km::kemora {

void throwReportError(const rt::SourcePosition& pos, const std::string& message) {
    throw host::HostError(host::HostErrorCode::ReportSyntax, rt::formatLocated(pos, message));
}

const FieldDecl* ReportQuery::field(const std::string& label) const {
    for (const FieldDecl& decl : fields) {
        if (rt::equalsNoCase(decl.label, label)) {
            return &decl;
        }
    }
    return nullptr;
}

} // namespace km::kemora
