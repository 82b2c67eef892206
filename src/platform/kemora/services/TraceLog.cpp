#include "TraceLog.h"
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>

namespace km::kemora {

std::string TraceLog::fileNameFor(const std::string& title) const {
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string safe;
    for (char c : title.substr(0, 60)) {
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    }
    char number[16];
    std::snprintf(number, sizeof number, "%03zu", m_logs.size() + 1);
    return m_folder + "/" + stamp + "-" + number + "-" + (safe.empty() ? "log" : safe) + ".log";
}

void TraceLog::start(const std::string& title) {
    stop();
    Log log;
    log.title = title;
    if (!m_folder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(m_folder, error);
        log.file = fileNameFor(title);
        m_file = std::make_unique<std::ofstream>(log.file, std::ios::binary);
        if (!*m_file) {
            // A log that cannot be written to disk is still kept in memory.
            m_file.reset();
            log.file.clear();
        }
    }
    m_logs.push_back(std::move(log));
    if (m_echo) {
        *m_echo << "=== " << title << " ===\n" << std::flush;
    }
}

void TraceLog::write(const std::string& text) {
    if (m_logs.empty() || !m_logs.back().open) {
        start("");
    }
    m_logs.back().text += text;
    if (m_file) {
        *m_file << text;
        m_file->flush();
    }
    if (m_echo) {
        std::string plain;
        for (char c : text) {
            if (c != '\r') {
                plain += c;
            }
        }
        *m_echo << plain << std::flush;
    }
}

void TraceLog::stop() {
    if (!m_logs.empty()) {
        m_logs.back().open = false;
    }
    m_file.reset();
}

std::string TraceLog::textOf(const std::string& title) const {
    for (auto it = m_logs.rbegin(); it != m_logs.rend(); ++it) {
        if (it->title == title) {
            return it->text;
        }
    }
    return {};
}

} // namespace km::kemora
