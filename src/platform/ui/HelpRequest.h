#pragma once
#include <string>

namespace km::ui {

/// A request to show a help file at a topic, as the host's help library hands it to the front end.
struct HelpRequest {
    /// The help file's path.
    std::string file;
    /// The topic number as text; empty for the file's start page.
    std::string topic;
    /// False when the help file is not there.
    bool installed = true;

    /// Where the help is, in one line: "Help: FILE, topic N (the file is not installed)", with the
    /// topic and the remark only when they apply.
    std::string text() const;
};

} // namespace km::ui
