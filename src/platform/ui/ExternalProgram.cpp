#include "ExternalProgram.h"
#include "platform/runtime/Text.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace km::ui {

namespace {

// A temporary file of our own, made with O_EXCL so that nobody can slip a link in its place.
std::optional<std::filesystem::path> newTemporaryFile(const std::string& text) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kemora-edit-XXXXXX").string();
    int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        return std::nullopt;
    }
    ::close(descriptor);
    std::ofstream out(pattern, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        std::error_code error;
        std::filesystem::remove(pattern, error);
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
}

std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::optional<std::string> ExternalProgram::editText(const std::string& editor, const std::string& text) {
    std::optional<std::filesystem::path> file = newTemporaryFile(text);
    if (!file) {
        return std::nullopt;
    }
    std::string command = editor + " " + rt::shellQuoted(file->string());
    std::optional<std::string> edited;
    if (std::system(command.c_str()) == 0) {
        edited = fileText(*file);
    }
    std::error_code error;
    std::filesystem::remove(*file, error);
    return edited;
}

bool ExternalProgram::startHelpViewer(const std::string& viewer, const HelpRequest& request) {
    return startViewer(viewer, request.file, request.topic);
}

bool ExternalProgram::startViewer(const std::string& viewer, const std::string& file, const std::string& topic) {
    std::string command =
        rt::Replace(rt::Replace(viewer, "{file}", rt::shellQuoted(file)), "{topic}", rt::shellQuoted(topic));
    if (viewer.find("{file}") == std::string::npos) {
        command += " " + rt::shellQuoted(file);
    }
    return std::system((command + " >/dev/null 2>&1 &").c_str()) == 0;
}

} // namespace km::ui
