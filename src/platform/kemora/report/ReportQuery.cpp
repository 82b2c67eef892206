#include "ReportQuery.h"
#include "host/HostError.h"
#include "platform/runtime/Text.h"

namespace km::kemora {

void throwReportError(ReportPos pos, const std::string& message) {
    throw host::HostError(host::HostErrorCode::ReportSyntax, "line " + std::to_string(pos.line) + ", column " +
                                                                 std::to_string(pos.column) + ": " + message);
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
