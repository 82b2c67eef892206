#pragma once
#include <string>
#include <string_view>

namespace km::rt {

/// A place in a text being read (a property file, a report script, an answers file, an exchange
/// file): the source's name, 1-based line and column; columns count characters, not bytes.
/// An empty name, or a line or column of 0, stands for a part that is not known.
struct SourcePosition {
    std::string source;
    int line = 0;
    int column = 0;
};

/// "source:line:column", leaving out the parts that are not known; empty without a line.
std::string formatPosition(const SourcePosition& position);

/// The one form of every reader's messages: "source:line:column: message", leaving out the parts
/// of the position that are not known; the message alone without a line.
std::string formatLocated(const SourcePosition& position, std::string_view message);

} // namespace km::rt
