#pragma once
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// The encyclopedia's file store: named binary contents, names compared without regard to case.
class IFileStore {
public:
    virtual ~IFileStore() = default;

    virtual bool fileExists(const std::string& name) = 0;
    virtual std::optional<std::string> readFile(const std::string& name) = 0;
    virtual void writeFile(const std::string& name, const std::string& content) = 0; ///< replaces
    virtual void deleteFile(const std::string& name) = 0;
    /// Every name, ordered without regard to case.
    virtual std::vector<std::string> fileNames() = 0;
};

} // namespace km::kemora
