#pragma once
#include <stdexcept>
#include <string>

namespace km::rt {

/// The numbered runtime errors of the platform the add-in was written for. Handlers compare
/// numbers, so the values must stay as they are.
enum class ErrorNumber : int {
    InvalidCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    PathFileAccess = 75,
    ObjectNotSet = 91,
    KeyInUse = 457,
};

/// A numbered error with a plain English description, thrown for runtime faults of the add-in's
/// own code (overflow, type mismatch, ...) and, through HostError, for failing host calls, so that
/// every error handler treats both alike.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description);
    /// An error with the standard description of \p number ("Overflow", "Type mismatch", ...).
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const std::string& description);

    int number() const { return m_number; }
    /// The description as an error handler shows it (same text as what()).
    std::string description() const { return what(); }

    /// The standard description of a runtime error number; "Application-defined or object-defined error"
    /// for numbers without one.
    static std::string standardDescription(int number);

private:
    int m_number;
};

/// Description of any exception as the add-in's error handlers show it.
std::string describe(const std::exception& error);
/// Error number of any exception: the RuntimeError's number, else 440 (automation error).
int errorNumber(const std::exception& error);

} // namespace km::rt
