#include "HelpRequest.h"

namespace km::ui {

std::string HelpRequest::text() const {
    std::string line = "Help: " + file;
    if (!topic.empty()) {
        line += ", topic " + topic;
    }
    if (!installed) {
        line += " (the file is not installed)";
    }
    return line;
}

} // namespace km::ui
