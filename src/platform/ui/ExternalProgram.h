#pragma once
#include "HelpRequest.h"
#include <optional>
#include <string>

namespace km::ui {

/// The programs a terminal front end hands work to: the user's text editor and the help viewer,
/// both given as shell commands.
class ExternalProgram {
public:
    /// Runs \p editor on a new temporary file holding \p text and waits for it; answers the file's
    /// text once the editor ended successfully, nothing when it failed or the file could not be
    /// made. The file is removed afterwards.
    static std::optional<std::string> editText(const std::string& editor, const std::string& text);
    /// Starts \p viewer in the background with "{file}" and "{topic}" replaced by the request's
    /// file and topic (the file is appended when "{file}" is absent); false when the shell could
    /// not start it.
    static bool startHelpViewer(const std::string& viewer, const HelpRequest& request);
    /// Starts \p viewer in the background on \p file the same way ("{topic}" is \p topic).
    static bool startViewer(const std::string& viewer, const std::string& file, const std::string& topic = {});
};

} // namespace km::ui
