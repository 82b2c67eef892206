#pragma once
// Report scripts for tests of the report engine and of the add-in's report runs. Scripts the add-in
// builds come from its own builders, so that tests run the engine on exactly what it receives.
#include "analytics/clsAnalyticMgr.h"
#include "host/clsRGManager.h"
#include <string>
#include <vector>

namespace km::kemora::test {

inline std::string joinLines(const std::vector<std::string>& lines, const std::string& separator) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += (i ? separator : "") + lines[i];
    }
    return text;
}

/// The definitions of a type that a diagram uses, in order: the add-in's list of the analytics
/// (798) a diagram runs; landscape templates (625) are listed by the same script with their type.
inline std::string diagramUsesScript(long ddid, long typeNumber) {
    const std::string analytics = KM_SLN_SOA::clsAnalyticMgr::AnalyticsInOrderScript(static_cast<km::rt::Long>(ddid));
    const std::string analyticType = "\"Type Number\" = 798 ";
    const size_t at = analytics.find(analyticType);
    return analytics.substr(0, at) + "\"Type Number\" = " + std::to_string(typeNumber) + " " +
           analytics.substr(at + analyticType.size());
}

// FIXME: the scripts below are written out as the service hierarchy builder and the service
// roadmap will build them; once those parts exist, take them from their builders as above.

/// The service hierarchy scripts: what a 619 "comprises" (618s) or what a 618 "provides" (services).
inline std::string hierarchyScript(long ownerType, const std::string& relation, long targetType) {
    return joinLines({"REPORT \"\" ID 49925 { ",
                      "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT "
                      "English } ",
                      "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } ",
                      "TABULAR 1 { WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(ownerType) +
                          " WHERE \"Identity\" = #DDIDS# JOIN WHERE RELATION = \"" + relation +
                          "\" JOIN SELECT  \"Identity\" LEGEND \"KMTargetID\" WHERE Class = Definition WHERE \"Type "
                          "Number\" = " +
                          std::to_string(targetType) + " ",
                      " } }"},
                     "\n");
}

inline std::string componentReport(long serviceType) {
    return joinLines(
        {"REPORT \"\" ", "ID 29805 ", "{ ",
         "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } ",
         "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } ",
         "FIELD \"Commission Date <-- Commission Date\" { SOURCE PROPERTY \"Commission Date\" LENGTH 10 TYPE DATE "
         "LEGEND \"Commission Date\" } ",
         "FIELD \"Decommission Date <-- Decommission Date\" { SOURCE PROPERTY \"Decommission Date\" LENGTH 10 TYPE "
         "DATE LEGEND \"Decommission Date\" } ",
         "TABULAR 1 ", "{ ",
         "SELECT \"Name\" LEGEND \"Component Name\" PARTIAL WHERE Class = Definition WHERE \"Type Number\" = 618",
         "JOIN WHERE RELATION = \"provides\" JOIN SELECT \"Name\" LEGEND \"Service Name\" WHERE Class = Definition "
         "WHERE \"Type Number\" = " +
             std::to_string(serviceType) + " JOIN WHERE RELATION = \"provided by\" JOIN ",
         "SELECT \"Name\" LEGEND \"Application Name\" ,\"Commission Date <-- Commission Date\", \"Decommission Date "
         "<-- Decommission Date\" WHERE Class = Definition WHERE \"Type Number\" = 309 ",
         "} ", "}"},
        "\n");
}

inline std::string servicePlanReport(bool additions, long serviceType) {
    const std::string relation = additions ? "is added to" : "is removed from";
    return joinLines(
        {"SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } ",
         "FIELD \"Completion Date <-- Completion Date\" { SOURCE PROPERTY \"Completion Date\" LENGTH 10 TYPE DATE "
         "LEGEND \"Completion Date\" } ",
         "FIELD \"Start Date <-- Start Date\" { SOURCE PROPERTY \"Start Date\" LENGTH 10 TYPE DATE LEGEND \"Start "
         "Date\" } ",
         "FIELD \"Project Complete <-- Project Complete\" { SOURCE PROPERTY \"Project Complete\" LENGTH 1 TYPE "
         "BOOLEAN LEGEND \"Project Complete\" } ",
         "FIELD \"Application <-- Application\" { SOURCE PROPERTY \"Application\" LENGTH 82 TYPE CHARACTER LEGEND "
         "\"Application\" } ",
         "TABULAR 1 ", "{ ",
         "SELECT \"Name\" LEGEND \"Service Name\" WHERE Class = Definition WHERE \"Type Number\" = " +
             std::to_string(serviceType) + " JOIN ",
         "WHERE RELATION = \"" + relation +
             "\" JOIN SELECT \"Application <-- Application\", \"Start Date <-- Start Date\", \"Completion Date <-- "
             "Completion Date\", \"Project Complete <-- Project Complete\" ",
         "WHERE Class = Definition WHERE Type = \"Project/Service Plan\" JOIN WHERE RELATION = \"used by\" JOIN "
         "SELECT \"Name\" LEGEND \"Project Name\" WHERE Class = Definition WHERE Type = \"Project\" ",
         "} "},
        "\n");
}

inline std::string projectReport() {
    return joinLines(
        {"SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } ",
         "FIELD \"Start Date\" { SOURCE PROPERTY \"Start Date\" LENGTH 10 TYPE DATE LEGEND \"Start Date\" } ",
         "FIELD \"Completion Date\" { SOURCE PROPERTY \"Completion Date\" LENGTH 10 TYPE DATE LEGEND \"Completion "
         "Date\" } ",
         "TABULAR 1 ", "{ ", "SELECT \"Name\" LEGEND \"Project Name\", \"Start Date\", \"Completion Date\" ",
         "WHERE Class = Definition WHERE \"Type Number\" = 662 JOIN WHERE RELATION = \"uses\" JOIN SELECT \"Name\" "
         "LEGEND \"Service Plan Name\", \"Start Date\",  ",
         "\"Completion Date\" WHERE Class = Definition WHERE \"Type Number\" = 624 ", "}"},
        "\n");
}

/// Replaces every occurrence of \p what.
inline std::string replaced(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
    return text;
}

/// The add-in's preparation of every script it runs (clsRGManager::PrepareReportString).
inline std::string prepared(const std::string& script) {
    return KM_SLN_SOA::clsRGManager::PrepareReportString(script);
}

} // namespace km::kemora::test
