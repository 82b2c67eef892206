#pragma once
#include "support/ReportScripts.h"
// A small service model for report tests; the report scripts come from support/ReportScripts.h.
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
        for (const char* service : {"Archive", "Billing", "Invoicing", "Payments"}) {
            add(service, 765);
        }
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

} // namespace km::test
