// Feeds arbitrary bytes to the report engine: the parser must answer a query or throw HostError
// ReportSyntax, and a query that parses is planned and run against a small in-memory
// encyclopedia, which must answer XML or throw HostError. Nothing may crash, hang or throw
// anything else.
#include "../tests/kemora/ReportModel.h"
#include "host/HostError.h"
#include "platform/kemora/report/ReportExecutor.h"
#include "platform/kemora/report/ReportParser.h"
#include "platform/kemora/report/ReportPlanner.h"
#include "platform/kemora/report/ReportXmlWriter.h"
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

km::kemora::ReportQuery parse(std::string_view script, bool& parsed) {
    try {
        km::kemora::ReportQuery query = km::kemora::ReportParser(script).parse();
        parsed = true;
        return query;
    } catch (const km::host::HostError& error) {
        if (error.code() != km::host::HostErrorCode::ReportSyntax) {
            __builtin_trap();
        }
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static km::kemora::test::ReportModel model;
    bool parsed = false;
    const km::kemora::ReportQuery query = parse(std::string_view(reinterpret_cast<const char*>(data), size), parsed);
    if (!parsed) {
        return 0;
    }
    if (query.levels.size() > km::kemora::ReportParser::maxLevels) {
        __builtin_trap();
    }
    try {
        const km::kemora::ReportPlan plan = km::kemora::ReportPlanner(model.metamodel).plan(query);
        const auto result = km::kemora::ReportExecutor(model.store, model.metamodel, 10'000).run(plan);
        km::kemora::ReportXmlWriter::write(result);
    } catch (const km::host::HostError&) {
    }
    return 0;
}
