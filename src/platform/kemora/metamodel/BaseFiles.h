#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace km::kemora {

namespace embedded {
/// One file built into the library; the table ends with a null name.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile baseFiles[];
} // namespace embedded

/// The host's base files, built into the library: the property file "kmprops.cfg" with the files
/// it includes and the declarations file "KMDECLAR.CFG". Every new encyclopedia gets them in its
/// file store.
class BaseFiles {
public:
    /// Name and content of every base file, ordered by name.
    static const std::vector<std::pair<std::string, std::string>>& all();
};

} // namespace km::kemora
