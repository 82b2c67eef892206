#include "NameQuoting.h"

namespace km::kemora {

bool NameQuoting::needsQuotes(std::string_view name, bool quoteBlank) {
    if (name.empty()) {
        return false;
    }
    if (name.front() == ' ' || name.back() == ' ') {
        return true;
    }
    for (char c : name) {
        if (c == '"' || c == '.' || c == ',' || c == '\r' || c == '\n' || c == '\t') {
            return true;
        }
        if (quoteBlank && c == ' ') {
            return true;
        }
    }
    return false;
}

std::string NameQuoting::quoteIfNeeded(std::string_view name, bool quoteBlank) {
    if (!needsQuotes(name, quoteBlank)) {
        return std::string(name);
    }
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string NameQuoting::unquote(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return std::string(text);
    }
    std::string inner;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        inner += text[i];
        if (text[i] == '"' && i + 2 < text.size() && text[i + 1] == '"') {
            ++i;
        }
    }
    return inner;
}

std::vector<std::string> NameQuoting::qualifiedParts(std::string_view qualifiedName) {
    std::vector<std::string> parts;
    std::string current;
    bool quoted = false;
    for (char c : qualifiedName) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == '.' && !quoted) {
            parts.push_back(unquote(current));
            current.clear();
            continue;
        }
        current += c;
    }
    parts.push_back(unquote(current));
    return parts;
}

std::string NameQuoting::qualify(const std::vector<std::string>& parts) {
    std::string name;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            name += '.';
        }
        name += quoteIfNeeded(parts[i], true);
    }
    return name;
}

std::vector<std::string> NameQuoting::listLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            lines.emplace_back(line);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

} // namespace km::kemora
