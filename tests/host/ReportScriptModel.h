#pragma once
// A small service model for report tests, and the report scripts the add-in builds, written out
// line by line exactly as the commands build them.
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/AddinTestBench.h"
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

namespace km::test {

/// Lines joined by a separator, with none after the last.
inline std::string joinLines(std::initializer_list<std::string> lines, const std::string& separator) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : separator) + line;
    return text;
}

/// The model (the solution switched on):
///   services Archive, Billing, Invoicing, Payments;
///   applications Ledger (provides Billing, Invoicing; 2020-01-01 .. 2025-12-31), Old Ledger
///   (provides Billing; from 2015-01-01), PayHub (provides Payments);
///   service components Finance Core (provides Invoicing, Billing - stored in that order),
///   Treasury (Payments), Billing Hub (Billing), Empty Component (nothing);
///   service domain Finance (comprises Treasury, Finance Core - stored in that order);
///   project Modernise (2023-01-01 .. 2024-12-31; service plans Plan B, Plan A) and project Idle
///   (no plans); Plan A (2023-03-01 .. 2023-09-01) adds Billing with Ledger, Plan B
///   (2023-01-01 .. 2024-06-01) removes Billing with Old Ledger;
///   analytics Zeta Check and Alpha Check, templates Top Level and Apps;
///   diagram Landscape (131) running Zeta Check then Alpha Check, with templates Top Level then Apps.
struct ServiceModel {
    explicit ServiceModel(AddinTestBench& bench) : m_bench(bench) {
        for (const char* service : {"Archive", "Billing", "Invoicing", "Payments"})
            add(service, 765);
        add("Ledger", 309,
            {{"Provides Services", "Billing\r\nInvoicing"},
             {"Commission Date", "20200101"},
             {"Decommission Date", "20251231"}});
        add("Old Ledger", 309, {{"Provides Services", "Billing"}, {"Commission Date", "20150101"}});
        add("PayHub", 309, {{"Provides Services", "Payments"}});
        add("Finance Core", 618, {{"Provides Services", "Invoicing\r\nBilling"}});
        add("Treasury", 618, {{"Provides Services", "Payments"}});
        add("Billing Hub", 618, {{"Provides Services", "Billing"}});
        add("Empty Component", 618);
        add("Finance", 619, {{"Comprises", "Treasury\r\nFinance Core"}});
        add("Plan A", 624,
            {{"Start Date", "20230301"},
             {"Completion Date", "20230901"},
             {"Project Complete", "F"},
             {"Application", "Ledger"},
             {"Adds Services", "Billing"}});
        add("Plan B", 624,
            {{"Start Date", "20230101"},
             {"Completion Date", "20240601"},
             {"Project Complete", "T"},
             {"Application", "Old Ledger"},
             {"Removes Services", "Billing"}});
        add("Modernise", 662,
            {{"Start Date", "20230101"}, {"Completion Date", "20241231"}, {"Service Plans", "Plan B\r\nPlan A"}});
        add("Idle", 662);
        add("Zeta Check", 798);
        add("Alpha Check", 798);
        add("Top Level", 625);
        add("Apps", 625);
        landscape = bench.createDiagram("Landscape", 131);
        landscape->setProperty("Analytics To Run", "Zeta Check\r\nAlpha Check");
        landscape->setProperty("Landscape Reports", "Top Level\r\nApps");
        landscape->save();
    }

    km::rt::Long id(const std::string& name) const { return ids.at(name); }
    std::string idText(const std::string& name) const { return std::to_string(id(name)); }

    std::map<std::string, km::rt::Long> ids;
    std::shared_ptr<km::host::IDiagram> landscape;

private:
    void add(const std::string& name, km::rt::Long type, const std::map<std::string, std::string>& properties = {}) {
        ids[name] = m_bench.createDefinition(name, type, properties)->ddid();
    }

    AddinTestBench& m_bench;
};

// The scripts, as the commands build them.
namespace scripts {

/// The analytics of a diagram (CR LF lines; \p type 798), or its landscape templates (type 625).
inline std::string diagramUses(km::rt::Long diagramId, km::rt::Long type) {
    return joinLines({"SETTING { DECIMALSEPARATOR \".\" } ", "SETTING { LISTSEPARATOR \",\" } ",
                      "SETTING { MEASUREMENT METRIC } ", "SETTING { PAGESIZE -1\", 0.00 } ",
                      "SETTING { REPORTFORMAT 0 } ", "TABULAR 1 ", "{ ", "WHERE Class = Diagram ",
                      "WHERE \"Identity\" = " + std::to_string(diagramId) + " ", "JOIN WHERE RELATION = \"uses\" JOIN ",
                      "ORDERBY SEQUENCE ", "SELECT \"Identity\" LEGEND \"KMTargetIdentity\", ",
                      "\"Class Number\" LEGEND \"KMTargetClass\", ", "\"Type Number\" LEGEND \"KMTargetType\", ",
                      "\"Name\" LEGEND \"KMTargetName\" ",
                      "WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(type) + " ", "}"},
                     "\r\n");
}

/// The service hierarchy reports (LF lines): what a domain (619) "comprises" (618), or what a
/// component (618) "provides" (services).
inline std::string hierarchyStep(km::rt::Long fromType, const std::string& relation, km::rt::Long toType) {
    return joinLines({"REPORT \"\" ID 49925 { ",
                      "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT "
                      "English } ",
                      "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } ",
                      "TABULAR 1 { WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(fromType) +
                          " WHERE \"Identity\" = #DDIDS# JOIN WHERE RELATION = \"" + relation +
                          "\" JOIN SELECT  \"Identity\" LEGEND \"KMTargetID\" WHERE Class = Definition WHERE \"Type "
                          "Number\" = " +
                          std::to_string(toType) + " ",
                      " } }"},
                     "\n");
}

inline const std::string kSettingsLine =
    "SETTING { DECIMALSEPARATOR \".\" } SETTING { LISTSEPARATOR \",\" } SETTING { MEASUREMENT English } ";

inline std::string roadmapField(const std::string& property, int length, const std::string& kind) {
    return "FIELD \"" + property + " <-- " + property + "\" { SOURCE PROPERTY \"" + property + "\" LENGTH " +
           std::to_string(length) + " TYPE " + kind + " LEGEND \"" + property + "\" } ";
}

/// The roadmap's components with their services and the applications that provide them.
inline std::string roadmapComponents(km::rt::Long serviceType) {
    return joinLines({"REPORT \"\" ", "ID 29805 ", "{ ", kSettingsLine,
                      "SETTING { PAGESIZE -1\", 0.00 } SETTING { REPORTFORMAT 0 } ",
                      roadmapField("Commission Date", 10, "DATE"), roadmapField("Decommission Date", 10, "DATE"),
                      "TABULAR 1 ", "{ ",
                      "SELECT \"Name\" LEGEND \"Component Name\" PARTIAL WHERE Class = Definition WHERE \"Type "
                      "Number\" = 618",
                      "JOIN WHERE RELATION = \"provides\" JOIN SELECT \"Name\" LEGEND \"Service Name\" WHERE Class = "
                      "Definition WHERE \"Type Number\" = " +
                          std::to_string(serviceType) + " JOIN WHERE RELATION = \"provided by\" JOIN ",
                      "SELECT \"Name\" LEGEND \"Application Name\" ,\"Commission Date <-- Commission Date\", "
                      "\"Decommission Date <-- Decommission Date\" WHERE Class = Definition WHERE \"Type Number\" = "
                      "309 ",
                      "} ", "}"},
                     "\n");
}

/// The roadmap's service plans that add (\p additions) or remove applications, per service.
inline std::string roadmapServicePlans(km::rt::Long serviceType, bool additions) {
    const std::string relation = additions ? "is added to" : "is removed from";
    return joinLines({kSettingsLine, roadmapField("Completion Date", 10, "DATE"),
                      roadmapField("Start Date", 10, "DATE"), roadmapField("Project Complete", 1, "BOOLEAN"),
                      roadmapField("Application", 82, "CHARACTER"), "TABULAR 1 ", "{ ",
                      "SELECT \"Name\" LEGEND \"Service Name\" WHERE Class = Definition WHERE \"Type Number\" = " +
                          std::to_string(serviceType) + " JOIN ",
                      "WHERE RELATION = \"" + relation +
                          "\" JOIN SELECT \"Application <-- Application\", \"Start Date <-- Start Date\", "
                          "\"Completion Date <-- Completion Date\", \"Project Complete <-- Project Complete\" ",
                      "WHERE Class = Definition WHERE Type = \"Project/Service Plan\" JOIN WHERE RELATION = \"used "
                      "by\" JOIN SELECT \"Name\" LEGEND \"Project Name\" WHERE Class = Definition WHERE Type = "
                      "\"Project\" ",
                      "} "},
                     "\n");
}

/// The roadmap's projects with their service plans, for the rules check.
inline std::string roadmapProjects() {
    return joinLines({kSettingsLine,
                      "FIELD \"Start Date\" { SOURCE PROPERTY \"Start Date\" LENGTH 10 TYPE DATE LEGEND \"Start "
                      "Date\" } ",
                      "FIELD \"Completion Date\" { SOURCE PROPERTY \"Completion Date\" LENGTH 10 TYPE DATE LEGEND "
                      "\"Completion Date\" } ",
                      "TABULAR 1 ", "{ ",
                      "SELECT \"Name\" LEGEND \"Project Name\", \"Start Date\", \"Completion Date\" ",
                      "WHERE Class = Definition WHERE \"Type Number\" = 662 JOIN WHERE RELATION = \"uses\" JOIN "
                      "SELECT \"Name\" LEGEND \"Service Plan Name\", \"Start Date\",  ",
                      "\"Completion Date\" WHERE Class = Definition WHERE \"Type Number\" = 624 ", "}"},
                     "\n");
}

} // namespace scripts

} // namespace km::test
