#include "ReportScenario.h"

namespace km::bench {

std::string ReportScenario::script(Long ownerId) const {
    std::string text = "SETTING { DECIMALSEPARATOR \".\" } \r\nSETTING { LISTSEPARATOR \",\" } \r\n"
                       "SETTING { MEASUREMENT METRIC } \r\nSETTING { PAGESIZE -1\", 0.00 } \r\n"
                       "SETTING { REPORTFORMAT 0 } \r\nTABULAR 1 \r\n{ \r\n";
    text += "WHERE Class = Definition \r\nWHERE \"Type Number\" = " + std::to_string(ownerType) + " \r\n";
    text += "WHERE \"Identity\" = " + std::to_string(ownerId) + " \r\n";
    text += "JOIN WHERE RELATION = \"" + relation + "\" JOIN \r\n";
    if (forward) {
        text += "ORDERBY SEQUENCE \r\n";
    }
    text += "SELECT \"Identity\" LEGEND \"KMTargetIdentity\", \r\n\"Class Number\" LEGEND \"KMTargetClass\", \r\n"
            "\"Type Number\" LEGEND \"KMTargetType\", \r\n\"Name\" LEGEND \"KMTargetName\" \r\n";
    text += "WHERE Class = Definition \r\nWHERE \"Type Number\" = " + std::to_string(targetType) + " \r\n}";
    return text;
}

} // namespace km::bench
