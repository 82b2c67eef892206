#pragma once
#include <string>

namespace km::kemora {

/// Where the workbench keeps its own things.
///   configDir: settings (kemora.ini). KEMORA_CONFIG_DIR, else $XDG_CONFIG_HOME/kemora, else
///              ~/.config/kemora.
///   dataDir:   host data files (matrix.xml, kmframework.xml) and logs of sessions without an
///              encyclopedia. KEMORA_DATA_DIR, else $XDG_DATA_HOME/kemora, else ~/.local/share/kemora.
///   exeDir:    the folder of the running program (the host's program folder).
struct WorkbenchPaths {
    std::string configDir;
    std::string dataDir;
    std::string exeDir;

    /// The paths from the environment, as described above.
    static WorkbenchPaths fromEnvironment();
    /// Folder of the running executable.
    static std::string executableFolder();
};

} // namespace km::kemora
