#include "IniFile.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace km::kemora {

IniFile::IniFile(std::string path) : m_path(std::move(path)) {
    std::ifstream in(m_path);
    std::string text, section;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        std::string trimmed = rt::Trim(text);
        Line line{section, text, {}};
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            section = rt::foldCase(rt::Trim(trimmed.substr(1, trimmed.size() - 2)));
            line.section = section;
        } else if (!trimmed.empty() && trimmed[0] != ';' && trimmed[0] != '#') {
            if (auto equals = trimmed.find('='); equals != std::string::npos) {
                line.key = rt::foldCase(rt::Trim(trimmed.substr(0, equals)));
            }
        }
        m_lines.push_back(std::move(line));
    }
}

std::optional<std::string> IniFile::get(const std::string& section, const std::string& name) const {
    std::string s = rt::foldCase(section), k = rt::foldCase(name);
    for (const Line& line : m_lines) {
        if (line.section == s && line.key == k) {
            return rt::Trim(line.text.substr(line.text.find('=') + 1));
        }
    }
    return std::nullopt;
}

void IniFile::set(const std::string& section, const std::string& name, const std::string& value) {
    std::string s = rt::foldCase(section), k = rt::foldCase(name);
    std::string text = name + "=" + value;
    for (Line& line : m_lines) {
        if (line.section == s && line.key == k) {
            line.text = text;
            return;
        }
    }
    // After the last line of the section, or in a new section at the end.
    auto last = m_lines.end();
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
        if (it->section == s) {
            last = it + 1;
        }
    }
    if (last == m_lines.end() &&
        std::none_of(m_lines.begin(), m_lines.end(), [&](const Line& l) { return l.section == s; })) {
        m_lines.push_back({s, "[" + section + "]", {}});
        last = m_lines.end();
    }
    m_lines.insert(last, Line{s, text, k});
}

bool IniFile::save() const {
    std::error_code error;
    std::filesystem::path target(m_path);
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), error);
    }
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) {
            return false;
        }
        for (const Line& line : m_lines) {
            out << line.text << '\n';
        }
        if (!out.flush()) {
            return false;
        }
    }
    std::filesystem::rename(temporary, target, error);
    return !error;
}

} // namespace km::kemora
