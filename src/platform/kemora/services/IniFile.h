#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace km::kemora {

/// A settings file of "[Section]" headers and "name=value" lines. Comments (';' or '#') and the
/// order of sections and names are kept when the file is written back. Section and setting
/// names compare without regard to case.
class IniFile {
public:
    /// Reads the file; a missing file is an empty one.
    explicit IniFile(std::string path);

    std::optional<std::string> get(const std::string& section, const std::string& name) const;
    void set(const std::string& section, const std::string& name, const std::string& value);
    /// Writes the file (creating its folder), replacing it in one step; false when it cannot be
    /// written.
    bool save() const;
    const std::string& path() const { return m_path; }

private:
    struct Line {
        std::string section; // folded section the line belongs to
        std::string text;
        std::string key; // folded setting name, empty for other lines
    };
    std::string m_path;
    std::vector<Line> m_lines;
};

} // namespace km::kemora
