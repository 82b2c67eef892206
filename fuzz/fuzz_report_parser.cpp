// Feeds arbitrary bytes to the report script parser: it must answer a query or throw HostError,
// never crash, hang or throw anything else.
#include "host/HostError.h"
#include "platform/kemora/report/ReportParser.h"
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    try {
        const km::kemora::ReportQuery query = km::kemora::ReportParser(script).parse();
        if (query.levels.size() > km::kemora::ReportParser::maxLevels) {
            __builtin_trap();
        }
    } catch (const km::host::HostError& error) {
        if (error.code() != km::host::HostErrorCode::ReportSyntax) {
            __builtin_trap();
        }
    }
    return 0;
}
