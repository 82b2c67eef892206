#include "BaseFiles.h"

namespace km::kemora {

const std::vector<std::pair<std::string, std::string>>& BaseFiles::all() {
    static const std::vector<std::pair<std::string, std::string>> files = [] {
        std::vector<std::pair<std::string, std::string>> table;
        for (const embedded::EmbeddedFile* file = embedded::baseFiles; file->name; ++file) {
            table.emplace_back(file->name, std::string(reinterpret_cast<const char*>(file->data), file->size));
        }
        return table;
    }();
    return files;
}

} // namespace km::kemora
