#include "StringResource.h"
#include "host/HostError.h"
#include "platform/runtime/Text.h"
#include <fstream>

namespace km::kemora {

namespace {

std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char next = text[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

void StringResource::SetStringtablePath(const std::string& folder) {
    std::string path = folder.empty() || folder.back() == '/' ? folder + fileName : folder + "/" + fileName;
    std::ifstream in(path);
    if (!in) {
        throw host::HostError(host::HostErrorCode::FileStore, "There is no string table \"" + path + "\".");
    }
    m_strings.clear();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        size_t end = line.find_first_not_of("0123456789");
        if (end == 0 || end == std::string::npos) {
            continue;
        }
        m_strings[std::stol(line.substr(0, end))] = unescape(rt::Trim(line.substr(end)));
    }
}

std::string StringResource::GetLocalString(long number) {
    auto found = m_strings.find(number);
    return found == m_strings.end() ? std::string() : found->second;
}

std::string StringResource::FormatLocalString(long number, const std::string& argument) {
    return rt::Replace(GetLocalString(number), "%1", argument);
}

} // namespace km::kemora
