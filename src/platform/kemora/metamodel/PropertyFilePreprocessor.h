#pragma once
#include "DiagnosticCollector.h"
#include "Metamodel.h"
#include "PropertyFileLexer.h"
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace km::kemora {

/// Reads a property file and the files it includes as one stream of tokens, leaving out what
/// #ifdef / #ifndef switch off. Missing, cyclic, too deeply nested or oversized includes and
/// unbalanced conditionals are reported and skipped; reading always comes to an end.
class PropertyFilePreprocessor {
public:
    static constexpr size_t maxIncludeDepth = 32;
    static constexpr size_t maxFileSize = 4 * 1024 * 1024;
    static constexpr size_t maxFilesTried = 256;
    static constexpr size_t maxTotalSize = 16 * 1024 * 1024;
    static constexpr size_t maxConditionalDepth = 64;

    /// \p switches holds the declared switch names, case-folded.
    PropertyFilePreprocessor(FileReader files, std::set<std::string> switches, DiagnosticCollector& diagnostics);
    ~PropertyFilePreprocessor();

    /// Starts with the named file; false (and a diagnostic) when it cannot be read.
    bool start(const std::string& fileName);
    /// The next token that is switched on, across included files; End after the last file.
    PropertyFileToken next();
    /// The name of the file the last token came from (stable for the life of the preprocessor).
    const std::string& fileOfLastToken() const { return *m_lastFile; }

    /// Reads a file through \p files, turning a failing reader into a diagnostic at \p at.
    static std::optional<std::string> readFile(const FileReader& files, const std::string& name,
                                               const rt::SourcePosition& at, DiagnosticCollector& diagnostics);

private:
    struct Conditional {
        bool condition;    ///< the switch test of the #ifdef / #ifndef
        bool parentActive; ///< whether the section around it is switched on
        bool inElse = false;
        int line, column;
    };
    struct Frame;

    bool active() const;
    bool open(const std::string& fileName, const rt::SourcePosition& at);
    void closeFrame();
    void handleDirective(const PropertyFileToken& directive);
    void include(const PropertyFileToken& directive);
    std::string includeChain(const std::string& fileName) const;
    void report(const PropertyFileToken& at, const std::string& message);

    FileReader m_files;
    std::set<std::string> m_switches;
    DiagnosticCollector& m_diagnostics;
    std::vector<std::unique_ptr<Frame>> m_frames;
    std::deque<std::string> m_fileNames; // stable storage for fileOfLastToken
    const std::string* m_lastFile;
    size_t m_filesTried = 0;
    size_t m_bytesRead = 0;
    PropertyFileToken m_end;
};

} // namespace km::kemora
