#include "RuntimeError.h"

namespace km::rt {

namespace {
// The number a failing automation call reports when nothing more specific is known.
constexpr int automationErrorNumber = 440;
} // namespace

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), m_number(number) {}

RuntimeError::RuntimeError(ErrorNumber number)
    : RuntimeError(static_cast<int>(number), standardDescription(static_cast<int>(number))) {}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& description)
    : RuntimeError(static_cast<int>(number), description) {}

std::string RuntimeError::standardDescription(int number) {
    switch (static_cast<ErrorNumber>(number)) {
    case ErrorNumber::InvalidCall:
        return "Invalid procedure call or argument";
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::SubscriptOutOfRange:
        return "Subscript out of range";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    case ErrorNumber::TypeMismatch:
        return "Type mismatch";
    case ErrorNumber::PathFileAccess:
        return "Path/File access error";
    case ErrorNumber::ObjectNotSet:
        return "Object variable or With block variable not set";
    case ErrorNumber::KeyInUse:
        return "This key is already associated with an element of this collection";
    }
    return "Application-defined or object-defined error";
}

std::string describe(const std::exception& error) {
    return error.what();
}

int errorNumber(const std::exception& error) {
    if (const auto* runtimeError = dynamic_cast<const RuntimeError*>(&error)) {
        return runtimeError->number();
    }
    return automationErrorNumber;
}

} // namespace km::rt
