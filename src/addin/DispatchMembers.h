#pragma once
#include "platform/runtime/Types.h"
#include <functional>
#include <string>
#include <vector>

namespace KM_SLN_SOA {

/// The members of a creatable class as a host macro calls them: by name (without regard to
/// case), with text arguments, some of them optional, answering text.
class DispatchMembers {
public:
    using Arguments = std::vector<std::string>;
    using Handler = std::function<std::string(const Arguments&)>;

    /// Adds a member taking \p minArguments to \p maxArguments arguments; the handler gets the
    /// arguments as given (optional ones left out).
    void add(std::string name, std::size_t minArguments, std::size_t maxArguments, Handler handler);
    /// Calls a member. Error 438 for an unknown member, 450 for a wrong number of arguments.
    std::string invoke(const std::string& member, const Arguments& arguments) const;
    /// The member names, in the order they were added.
    std::vector<std::string> names() const;

    /// "True" or "False".
    static std::string booleanText(bool value);
    /// "True"/"False" in any case, or a number (non-zero is True); error 13 for other texts.
    static bool booleanFromText(const std::string& text);
    /// A whole number with the platform's rounding; error 13 for a non-numeric text, 6 on overflow.
    static km::rt::Long longFromText(const std::string& text);
    /// The argument at \p index, or \p fallback when it was left out.
    static std::string optionalArgument(const Arguments& arguments, std::size_t index, const std::string& fallback);

private:
    struct Member {
        std::string name;
        std::size_t minArguments;
        std::size_t maxArguments;
        Handler handler;
    };
    std::vector<Member> m_members;
};

} // namespace KM_SLN_SOA
