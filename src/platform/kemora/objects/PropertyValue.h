#pragma once
#include "platform/kemora/metamodel/Metamodel.h"
#include <string>

namespace km::kemora {

/// The stored form of property values by edit type.
class PropertyValue {
public:
    /// Largest property value accepted (report scripts included).
    static constexpr size_t maxLength = 16 * 1024 * 1024;

    /// The value as it is stored: dates as "yyyymmdd" (from that form or any recognised date
    /// text), Booleans as "T" or "F" (from T/F, True/False, Yes/No, 1/0 in any case), numbers as
    /// numeric text, other texts unchanged. HostError BadValue for a value the property cannot
    /// take (an impossible date, a non-numeric number, an oversized text).
    static std::string normalise(const PropertyDecl& property, const std::string& value);
};

} // namespace km::kemora
