#include "WorkbenchPaths.h"
#include <cstdlib>
#include <filesystem>

namespace km::kemora {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : "";
}

std::string home() {
    std::string value = environment("HOME");
    return value.empty() ? std::filesystem::temp_directory_path().string() : value;
}

std::string chooseFolder(const char* own, const char* xdg, const std::string& fallback) {
    if (std::string value = environment(own); !value.empty()) {
        return value;
    }
    if (std::string value = environment(xdg); !value.empty()) {
        return value + "/kemora";
    }
    return home() + "/" + fallback;
}

} // namespace

WorkbenchPaths WorkbenchPaths::fromEnvironment() {
    WorkbenchPaths paths;
    paths.configDir = chooseFolder("KEMORA_CONFIG_DIR", "XDG_CONFIG_HOME", ".config/kemora");
    paths.dataDir = chooseFolder("KEMORA_DATA_DIR", "XDG_DATA_HOME", ".local/share/kemora");
    paths.exeDir = executableFolder();
    return paths;
}

std::string WorkbenchPaths::executableFolder() {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::filesystem::current_path().string();
    }
    return exe.parent_path().string();
}

} // namespace km::kemora
