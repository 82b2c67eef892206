#pragma once
#include "DiagnosticCollector.h"
#include "Metamodel.h"
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace km::kemora {

/// The switches of an encyclopedia's declarations file, one per line:
///     DECLARE "KMForSOA" DEFINED
///     DECLARE "Other" UNDEFINED
/// Blank lines and // comments are allowed; a later line about the same name overrides an
/// earlier one. A malformed line is reported and ignored.
class DeclarationFile {
public:
    static constexpr const char* storedName = "KMDECLAR.CFG";

    static DeclarationFile parse(const std::string& fileName, std::string_view text, DiagnosticCollector& diagnostics);

    /// Whether the switch is declared DEFINED (names compared without regard to case).
    bool isDefined(const std::string& name) const;
    /// The folded names of the switches declared DEFINED.
    const std::set<std::string>& definedSwitches() const { return m_defined; }

private:
    std::set<std::string> m_defined;
};

} // namespace km::kemora
