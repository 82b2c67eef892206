#include "PropertyFilePreprocessor.h"
#include "platform/runtime/Text.h"
#include <exception>

namespace km::kemora {

struct PropertyFilePreprocessor::Frame {
    Frame(const std::string& fileName, std::string text, DiagnosticCollector& diagnostics)
        : name(fileName), content(std::move(text)), lexer(fileName, content, diagnostics) {}

    const std::string& name;
    std::string content;
    PropertyFileLexer lexer;
    std::vector<Conditional> conditionals;
};

PropertyFilePreprocessor::PropertyFilePreprocessor(FileReader files, std::set<std::string> switches,
                                                   DiagnosticCollector& diagnostics)
    : m_files(std::move(files)), m_switches(std::move(switches)), m_diagnostics(diagnostics) {
    m_fileNames.emplace_back();
    m_lastFile = &m_fileNames.back();
}

PropertyFilePreprocessor::~PropertyFilePreprocessor() = default;

std::optional<std::string> PropertyFilePreprocessor::readFile(const FileReader& files, const std::string& name,
                                                              const rt::SourcePosition& at,
                                                              DiagnosticCollector& diagnostics) {
    try {
        return files ? files(name) : std::nullopt;
    } catch (const std::exception& error) {
        diagnostics.add(at, "expected a readable file \"" + name + "\" but found the error: " + error.what());
    } catch (...) {
        diagnostics.add(at, "expected a readable file \"" + name + "\" but found an unknown error");
    }
    return std::nullopt;
}

bool PropertyFilePreprocessor::start(const std::string& fileName) {
    return open(fileName, {fileName, 1, 1});
}

bool PropertyFilePreprocessor::open(const std::string& fileName, const rt::SourcePosition& at) {
    // Every attempt counts, found or not, so that files including each other many times over
    // (without a cycle) still come to an end quickly.
    if (m_filesTried++ >= maxFilesTried) {
        if (m_filesTried == maxFilesTried + 1) {
            m_diagnostics.add(at, "expected at most " + std::to_string(maxFilesTried) +
                                      " files to read in all but found \"" + fileName + "\" as one more");
        }
        return false;
    }
    size_t diagnosticsBefore = m_diagnostics.count();
    std::optional<std::string> text = readFile(m_files, fileName, at, m_diagnostics);
    if (!text) {
        if (m_diagnostics.count() == diagnosticsBefore) {
            m_diagnostics.add(at,
                              "expected a file \"" + fileName + "\" in the encyclopedia's file store but found none");
        }
        return false;
    }
    if (text->size() > maxFileSize) {
        m_diagnostics.add(at, "expected a property file of at most " + std::to_string(maxFileSize) +
                                  " bytes but found " + std::to_string(text->size()) + " bytes in \"" + fileName +
                                  "\"");
        return false;
    }
    if (m_bytesRead + text->size() > maxTotalSize) {
        m_diagnostics.add(at, "expected property files of at most " + std::to_string(maxTotalSize) +
                                  " bytes in all but found \"" + fileName + "\" going beyond");
        return false;
    }
    m_bytesRead += text->size();
    m_fileNames.push_back(fileName);
    m_frames.push_back(std::make_unique<Frame>(m_fileNames.back(), std::move(*text), m_diagnostics));
    m_frames.back()->lexer.setQuiet(!active());
    return true;
}

bool PropertyFilePreprocessor::active() const {
    if (m_frames.empty() || m_frames.back()->conditionals.empty()) {
        return true;
    }
    const Conditional& innermost = m_frames.back()->conditionals.back();
    return innermost.parentActive && (innermost.inElse ? !innermost.condition : innermost.condition);
}

void PropertyFilePreprocessor::report(const PropertyFileToken& at, const std::string& message) {
    m_diagnostics.add({m_frames.back()->name, at.line, at.column}, message);
}

PropertyFileToken PropertyFilePreprocessor::next() {
    while (!m_frames.empty()) {
        Frame& frame = *m_frames.back();
        frame.lexer.setQuiet(!active());
        PropertyFileToken token = frame.lexer.next();
        if (token.kind == TokenKind::End) {
            if (m_frames.size() == 1) {
                m_end = token;
                m_lastFile = &frame.name;
            }
            closeFrame();
            continue;
        }
        if (token.kind == TokenKind::Directive) {
            handleDirective(token);
            continue;
        }
        if (active()) {
            m_lastFile = &frame.name;
            return token;
        }
    }
    return m_end;
}

void PropertyFilePreprocessor::closeFrame() {
    Frame& frame = *m_frames.back();
    for (const Conditional& open : frame.conditionals) {
        m_diagnostics.add({frame.name, open.line, open.column},
                          "expected #endif to close this conditional but found the end of "
                          "the file");
    }
    m_frames.pop_back();
}

void PropertyFilePreprocessor::handleDirective(const PropertyFileToken& directive) {
    std::vector<Conditional>& conditionals = m_frames.back()->conditionals;
    const std::string& name = directive.text;
    if (name == "ifdef" || name == "ifndef") {
        bool declared = m_switches.count(rt::foldCase(directive.argument)) > 0;
        // A malformed test switches its section off, so that its #endif still matches.
        bool condition = directive.valid && (name == "ifdef" ? declared : !declared);
        bool parentActive = active();
        if (conditionals.size() >= maxConditionalDepth) {
            report(directive, "expected conditionals nested at most " + std::to_string(maxConditionalDepth) +
                                  " deep but found one more");
            parentActive = false;
        }
        conditionals.push_back({condition, parentActive, false, directive.line, directive.column});
    } else if (name == "else") {
        if (conditionals.empty()) {
            report(directive, "expected #ifdef or #ifndef before #else but found none");
        } else if (conditionals.back().inElse) {
            report(directive, "expected #endif but found a second #else");
        } else {
            conditionals.back().inElse = true;
        }
    } else if (name == "endif") {
        if (conditionals.empty()) {
            report(directive, "expected #ifdef or #ifndef before #endif but found none");
        } else {
            conditionals.pop_back();
        }
    } else if (name == "includex" && directive.valid && active()) {
        include(directive);
    }
}

std::string PropertyFilePreprocessor::includeChain(const std::string& fileName) const {
    std::string chain;
    for (const auto& frame : m_frames) {
        chain += frame->name + " -> ";
    }
    return chain + fileName;
}

void PropertyFilePreprocessor::include(const PropertyFileToken& directive) {
    const std::string& fileName = directive.argument;
    std::string folded = rt::foldCase(fileName);
    for (const auto& frame : m_frames) {
        if (rt::foldCase(frame->name) == folded) {
            report(directive, "expected an include that does not lead back to its own file but found \"" + fileName +
                                  "\" (" + includeChain(fileName) + ")");
            return;
        }
    }
    if (m_frames.size() >= maxIncludeDepth) {
        report(directive, "expected includes nested at most " + std::to_string(maxIncludeDepth) + " deep but found \"" +
                              fileName + "\" one deeper");
        return;
    }
    open(fileName, {m_frames.back()->name, directive.line, directive.column});
}

} // namespace km::kemora
