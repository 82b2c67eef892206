#include "DispatchMembers.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"

namespace KM_SLN_SOA {

namespace {

constexpr int memberNotFound = 438;
constexpr int wrongArgumentCount = 450;

} // namespace

void DispatchMembers::add(std::string name, std::size_t minArguments, std::size_t maxArguments, Handler handler) {
    m_members.push_back({std::move(name), minArguments, maxArguments, std::move(handler)});
}

std::string DispatchMembers::invoke(const std::string& member, const Arguments& arguments) const {
    for (const Member& candidate : m_members) {
        if (!km::rt::equalsNoCase(candidate.name, member)) {
            continue;
        }
        if (arguments.size() < candidate.minArguments || arguments.size() > candidate.maxArguments) {
            throw km::rt::RuntimeError(wrongArgumentCount,
                                       "Wrong number of arguments or invalid property assignment: " + candidate.name +
                                           " takes " + std::to_string(candidate.minArguments) +
                                           (candidate.maxArguments == candidate.minArguments
                                                ? std::string()
                                                : " to " + std::to_string(candidate.maxArguments)) +
                                           " arguments, " + std::to_string(arguments.size()) + " given.");
        }
        return candidate.handler(arguments);
    }
    throw km::rt::RuntimeError(memberNotFound, "Object doesn't support this property or method: " + member);
}

std::vector<std::string> DispatchMembers::names() const {
    std::vector<std::string> names;
    for (const Member& member : m_members) {
        names.push_back(member.name);
    }
    return names;
}

std::string DispatchMembers::booleanText(bool value) {
    return value ? "True" : "False";
}

bool DispatchMembers::booleanFromText(const std::string& text) {
    std::string trimmed = km::rt::Trim(text);
    if (km::rt::equalsNoCase(trimmed, "true")) {
        return true;
    }
    if (km::rt::equalsNoCase(trimmed, "false")) {
        return false;
    }
    if (km::rt::IsNumeric(trimmed)) {
        return km::rt::CDbl(trimmed) != 0;
    }
    throw km::rt::RuntimeError(km::rt::ErrorNumber::TypeMismatch, "Type mismatch: \"" + text + "\" is not a Boolean.");
}

km::rt::Long DispatchMembers::longFromText(const std::string& text) {
    return km::rt::CLng(std::string_view(text));
}

std::string DispatchMembers::optionalArgument(const Arguments& arguments, std::size_t index,
                                              const std::string& fallback) {
    return index < arguments.size() ? arguments[index] : fallback;
}

} // namespace KM_SLN_SOA
