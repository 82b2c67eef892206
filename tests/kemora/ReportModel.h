#pragma once
// A small encyclopedia for report tests: an in-memory store with a hand-built metamodel of
// applications, service components, services, projects and their plans, analytics and
// landscape templates, and one landscape diagram that uses some of them.
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/report/ReportEngine.h"
#include "platform/kemora/storage/SqliteStore.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace km::kemora::test {

inline PropertyDecl textProperty(const std::string& name, EditType type = EditType::Text) {
    PropertyDecl decl;
    decl.name = name;
    decl.editType = type;
    return decl;
}

inline PropertyDecl listProperty(const std::string& name, Long listType, const std::string& relation,
                                 const std::string& reverse) {
    PropertyDecl decl = textProperty(name, EditType::List);
    decl.listType = listType;
    decl.relation = relation;
    decl.reverse = reverse;
    return decl;
}

inline Metamodel reportMetamodel() {
    Metamodel meta;
    auto type = [&](Long number, const std::string& name, std::vector<PropertyDecl> properties) {
        DefinitionType defType;
        defType.number = number;
        defType.name = name;
        defType.properties = std::move(properties);
        meta.definitionTypes.push_back(std::move(defType));
    };
    const PropertyDecl provides = listProperty("Provides Services", 765, "provides", "provided by");
    type(309, "Application",
         {textProperty("Commission Date", EditType::Date), textProperty("Decommission Date", EditType::Date), provides,
          textProperty("Description"), textProperty("Cost", EditType::Number)});
    type(618, "Service Component", {provides});
    type(619, "Service Domain", {listProperty("Comprises", 618, "comprises", "comprised by")});
    type(765, "Service", {textProperty("Description")});
    type(624, "Project/Service Plan",
         {textProperty("Start Date", EditType::Date), textProperty("Completion Date", EditType::Date),
          textProperty("Project Complete", EditType::Boolean), listProperty("Application", 309, "", ""),
          listProperty("Adds", 765, "adds", "is added to"),
          listProperty("Removes", 765, "removes", "is removed from")});
    type(662, "Project",
         {textProperty("Start Date", EditType::Date), textProperty("Completion Date", EditType::Date),
          listProperty("Service Plans", 624, "uses", "used by")});
    type(798, "Analytic", {listProperty("Parameters", 799, "has parameter", "parameter of")});
    type(799, "Analytic Parameter", {textProperty("Default Value")});
    meta.definitionTypes.back().qualified = true;
    type(625, "Application Landscape Report", {textProperty("Content", EditType::MultiLine)});
    DiagramType landscape;
    landscape.number = 140;
    landscape.name = "Application Landscape";
    meta.diagramTypes.push_back(landscape);
    meta.diagramProperties = {listProperty("Analytics To Run", 798, "uses", "used by"),
                              listProperty("Landscape Reports", 625, "uses", "used by"), textProperty("Description")};
    meta.index();
    return meta;
}

/// The model. Ids are given in creation order, starting at 1, and listed in the comments.
class ReportModel {
public:
    ReportModel() : store(":memory:", OpenMode::Create), metamodel(reportMetamodel()) {
        Transaction transaction(store);
        for (const char* name : {"Billing", "Invoicing", "payments", "Archive"}) { // 1-4
            add(765, name);
        }
        add(618, "Finance Core");           // 5
        add(618, "Empty Component");        // 6
        add(619, "Finance Domain");         // 7
        add(309, "Ledger");                 // 8
        add(309, "Biller");                 // 9
        add(309, "Old Ledger");             // 10
        add(662, "Modernise");              // 11
        add(624, "Plan A");                 // 12
        add(624, "Plan B");                 // 13
        add(798, "Red Apps");               // 14
        add(798, "Blue Apps");              // 15
        add(798, "Amber");                  // 16
        add(799, "\"Red Apps\".Threshold"); // 17
        add(625, "Services");               // 18
        add(625, "Apps of Component");      // 19
        diagram("Landscape");               // 20
        diagram("Empty Landscape");         // 21
        list("Finance Core", "Provides Services", {"Invoicing", "Billing"});
        list("Finance Domain", "Comprises", {"Finance Core", "Empty Component"});
        list("Ledger", "Provides Services", {"Billing", "Invoicing"});
        list("Biller", "Provides Services", {"Billing"});
        list("Old Ledger", "Provides Services", {"Invoicing"});
        set("Ledger", "Commission Date", "20200101");
        set("Ledger", "Decommission Date", "20251231");
        set("Ledger", "Cost", "1200");
        set("Biller", "Commission Date", "20210301");
        set("Biller", "Cost", "300");
        set("Old Ledger", "Decommission Date", "20220630");
        set("Old Ledger", "Description", "Kept <until> \"2022\" & retired");
        set("Modernise", "Start Date", "20220101");
        set("Modernise", "Completion Date", "20231231");
        list("Modernise", "Service Plans", {"Plan B", "Plan A"});
        set("Plan A", "Start Date", "20220101");
        set("Plan A", "Completion Date", "20220630");
        set("Plan A", "Project Complete", "T");
        list("Plan A", "Application", {"Biller"});
        list("Plan A", "Adds", {"Billing"});
        set("Plan B", "Start Date", "20230101");
        set("Plan B", "Completion Date", "20231231");
        list("Plan B", "Application", {"Old Ledger", "Ledger"});
        list("Plan B", "Removes", {"Invoicing"});
        list("Red Apps", "Parameters", {"\"Red Apps\".Threshold"});
        list("Landscape", "Analytics To Run", {"Red Apps", "Amber"});
        list("Landscape", "Landscape Reports", {"Services", "Apps of Component"});
        transaction.commit();
    }

    Long id(const std::string& name) const { return ids.at(name); }

    Long add(Long type, const std::string& name) {
        ObjectRow row;
        row.cls = StoredClass::Definition;
        row.type = type;
        row.name = name;
        return ids[name] = inTransaction(store, [&] { return store.insertObject(row); });
    }
    Long diagram(const std::string& name) {
        ObjectRow row;
        row.cls = StoredClass::Diagram;
        row.type = 140;
        row.name = name;
        return ids[name] = inTransaction(store, [&] { return store.insertObject(row); });
    }
    void list(const std::string& owner, const std::string& property, const std::vector<std::string>& items) {
        std::vector<Long> itemIds;
        for (const std::string& item : items) {
            itemIds.push_back(id(item));
        }
        inTransaction(store, [&] { store.setListItems(id(owner), property, itemIds); });
    }
    void set(const std::string& owner, const std::string& property, const std::string& value) {
        inTransaction(store, [&] { store.setProperty(id(owner), property, value); });
    }

    std::string run(const std::string& script, size_t limit = ReportEngine::defaultItemLimit) {
        return ReportEngine(store, metamodel, limit).run(script);
    }

    SqliteStore store;
    Metamodel metamodel;
    std::map<std::string, Long> ids;
};

} // namespace km::kemora::test
