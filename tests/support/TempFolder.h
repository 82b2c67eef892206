#pragma once
#include <string>

namespace km::test {

/// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    /// The path of a file in the folder (not created).
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    /// Writes a file into the folder and answers its path.
    std::string write(const std::string& name, const std::string& content) const;

private:
    std::string m_path;
};

} // namespace km::test
