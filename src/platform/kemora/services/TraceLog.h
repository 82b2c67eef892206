#pragma once
#include <fstream>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace km::kemora {

/// The host's trace display: each start opens a new log, written to a file in the log folder
/// (when there is one) and kept in memory; lines can also be echoed to a terminal stream.
class TraceLog {
public:
    struct Log {
        std::string title;
        std::string text;
        std::string file; ///< empty when the log is kept in memory only
        bool open = true;
    };

    /// Logs go to files in \p folder; an empty folder keeps them in memory only.
    void setFolder(std::string folder) { m_folder = std::move(folder); }
    const std::string& folder() const { return m_folder; }
    /// Echoes every line to \p stream (nullptr: no echo).
    void setEcho(std::ostream* stream) { m_echo = stream; }

    void start(const std::string& title);
    /// Appends text to the newest log (opening an untitled one when none was started).
    void write(const std::string& text);
    void stop();

    const std::vector<Log>& logs() const { return m_logs; }
    /// The whole text of the newest log with that title, or empty.
    std::string textOf(const std::string& title) const;

private:
    std::string fileNameFor(const std::string& title) const;

    std::string m_folder;
    std::ostream* m_echo = nullptr;
    std::vector<Log> m_logs;
    std::unique_ptr<std::ofstream> m_file;
};

} // namespace km::kemora
