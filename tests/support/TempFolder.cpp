#include "TempFolder.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace km::test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kmsoa-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    std::string path = file(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace km::test
