#pragma once
// Small models for the roadmap tests, written in the model exchange format and imported into the
// test bench's encyclopedia, and the form script that answers the roadmap's dialog.
#include "platform/excel/ExcelApplication.h"
#include "platform/excel/ExcelWorkbook.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "support/AddinTestBench.h"
#include <fstream>
#include <string>
#include <vector>

namespace km::test::roadmap {

inline std::string listOf(const std::string& name, const std::vector<std::string>& items) {
    if (items.empty()) {
        return "";
    }
    std::string xml = "<list name=\"" + name + "\">";
    for (const std::string& item : items) {
        xml += "<item>" + item + "</item>";
    }
    return xml + "</list>";
}

inline std::string property(const std::string& name, const std::string& value) {
    return value.empty() ? "" : "<property name=\"" + name + "\">" + value + "</property>";
}

inline std::string component(const std::string& name, const std::vector<std::string>& services) {
    std::string xml;
    for (const std::string& service : services) {
        xml += "<definition type=\"765\" name=\"" + service + "\"/>";
    }
    return xml + "<definition type=\"618\" name=\"" + name + "\">" + listOf("Provides Services", services) +
           "</definition>";
}

inline std::string application(const std::string& name, const std::string& commission, const std::string& decommission,
                               const std::vector<std::string>& services) {
    return "<definition type=\"309\" name=\"" + name + "\">" + property("Commission Date", commission) +
           property("Decommission Date", decommission) + listOf("Provides Services", services) + "</definition>";
}

struct Plan {
    std::string name;
    std::string start;
    std::string completion;
    std::vector<std::string> applications;
    std::vector<std::string> adds;
    std::vector<std::string> removes;
};

/// A project with its service plans.
inline std::string project(const std::string& name, const std::string& start, const std::string& completion,
                           const std::vector<Plan>& plans) {
    std::string xml;
    std::vector<std::string> names;
    for (const Plan& plan : plans) {
        names.push_back(plan.name);
        xml += "<definition type=\"624\" name=\"" + plan.name + "\">" + property("Start Date", plan.start) +
               property("Completion Date", plan.completion) + listOf("Application", plan.applications) +
               listOf("Adds Services", plan.adds) + listOf("Removes Services", plan.removes) + "</definition>";
    }
    return xml + "<definition type=\"662\" name=\"" + name + "\">" + property("Start Date", start) +
           property("Completion Date", completion) + listOf("Service Plans", names) + "</definition>";
}

/// Imports the definitions into the bench's encyclopedia.
inline void load(AddinTestBench& bench, const std::string& definitions) {
    std::string path = bench.folder().file("model.xml");
    std::ofstream(path) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<model format=\"1\">" << definitions
                        << "</model>\n";
    bench.encyclopedia().setxml(path, false, false);
}

/// Queues the dialog's answers: the two dates and the interval's list text, then OK.
inline void answerDialog(AddinTestBench& bench, const std::string& from, const std::string& to,
                         const std::string& interval) {
    bench.ui().addFormScript("frmReportServiceRoadmap", "date dtpFromDate " + from + "; date dtpToDate " + to +
                                                            "; select cboInterval \"" + interval + "\"; click cmdOK");
}

/// The worksheet the last run wrote.
inline excel::ExcelWorksheet& sheetOf(AddinTestBench& bench) {
    return bench.workbench().lastSpreadsheet->Workbooks().Item(1)->Worksheets().Item(1);
}

} // namespace km::test::roadmap
