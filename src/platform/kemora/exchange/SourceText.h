#pragma once
#include "host/HostError.h"
#include "platform/runtime/SourcePosition.h"
#include <cstddef>
#include <string>
#include <vector>

namespace km::kemora {

/// The text of a file being read, with its name, for messages that point into it.
class SourceText {
public:
    SourceText(std::string name, std::string text) : m_name(std::move(name)), m_text(std::move(text)) {}

    const std::string& name() const { return m_name; }
    const std::string& text() const { return m_text; }

    /// The place of a byte offset: this text's name, 1-based line and column (in characters);
    /// offsets past the end point just after the last character.
    rt::SourcePosition position(std::size_t offset) const;
    /// "name:line:column: message" (rt::formatLocated).
    std::string locate(std::size_t offset, const std::string& message) const;
    /// Throws HostError \p code with the located message.
    [[noreturn]] void fail(std::size_t offset, const std::string& message,
                           host::HostErrorCode code = host::HostErrorCode::BadValue) const;

private:
    void indexLines() const;

    std::string m_name;
    std::string m_text;
    mutable std::vector<std::size_t> m_lineStarts; // built on the first lookup
};

} // namespace km::kemora
