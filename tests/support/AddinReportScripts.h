#pragma once
// The report scripts the add-in builds, character for character, and the preparation it applies
// before handing a script to the encyclopedia, so that tests run the engine on exactly what it
// receives.
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

/// The definitions of a type (798 analytics, 625 landscape templates) that a diagram uses, in order.
inline std::string diagramUsesScript(long ddid, long typeNumber) {
    return joinLines({"SETTING { DECIMALSEPARATOR \".\" } ", "SETTING { LISTSEPARATOR \",\" } ",
                      "SETTING { MEASUREMENT METRIC } ", "SETTING { PAGESIZE -1\", 0.00 } ",
                      "SETTING { REPORTFORMAT 0 } ", "TABULAR 1 ", "{ ", "WHERE Class = Diagram ",
                      "WHERE \"Identity\" = " + std::to_string(ddid) + " ", "JOIN WHERE RELATION = \"uses\" JOIN ",
                      "ORDERBY SEQUENCE ", "SELECT \"Identity\" LEGEND \"KMTargetIdentity\", ",
                      "\"Class Number\" LEGEND \"KMTargetClass\", ", "\"Type Number\" LEGEND \"KMTargetType\", ",
                      "\"Name\" LEGEND \"KMTargetName\" ",
                      "WHERE Class = Definition WHERE \"Type Number\" = " + std::to_string(typeNumber) + " ", "}"},
                     "\r\n");
}

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

/// The add-in's preparation: header and page settings dropped, every line before TABULAR 1 that
/// is no setting or field dropped, body lines holding '}' dropped, one '}' appended, and the
/// three default settings put in front when missing.
inline std::string prepared(const std::string& script) {
    std::string out;
    if (!script.empty()) {
        bool body = false;
        size_t start = 0;
        for (;;) {
            const size_t end = script.find('\n', start);
            std::string line = script.substr(start, end == std::string::npos ? std::string::npos : end - start);
            line.erase(0, line.find_first_not_of(" \t") == std::string::npos ? line.size()
                                                                             : line.find_first_not_of(" \t"));
            std::string upper = line;
            for (char& c : upper) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            if (body) {
                if (line.find('}') == std::string::npos) {
                    out += "\n" + line;
                }
            } else if (upper.find("PAGESIZE") != std::string::npos || upper.find("REPORTFORMAT") != std::string::npos) {
            } else if (upper.rfind("SETTING ", 0) == 0 || upper.rfind("FIELD ", 0) == 0) {
                out += "\n" + line;
            } else if (upper.find("TABULAR 1") != std::string::npos) {
                out += "\n" + line;
                body = true;
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
        out += "}";
    }
    if (out.find("MEASUREMENT METRIC") == std::string::npos && out.find("MEASUREMENT English") == std::string::npos) {
        out = "SETTING { MEASUREMENT English } \n" + out;
    }
    if (out.find("LISTSEPARATOR") == std::string::npos) {
        out = "SETTING { LISTSEPARATOR \",\" } \n" + out;
    }
    if (out.find("DECIMALSEPARATOR") == std::string::npos) {
        out = "SETTING { DECIMALSEPARATOR \".\" } \n" + out;
    }
    return out;
}

} // namespace km::kemora::test
