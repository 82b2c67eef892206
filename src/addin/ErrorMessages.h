#pragma once
// The message forms the add-in's error handlers show (all through goStatusMgr.KMMsgBox).
#include <exception>
#include <string>

namespace KM_SLN_SOA {

/// The standard error message: localised string 1, CR LF, the error's description; style 16,
/// title "Kemora for SOA". Shows nothing when goStatusMgr is not set.
void ShowStandardError(const std::exception& error, const std::string& title = "Kemora for SOA");

/// "Unknown Error (" + description + ") in procedure " + procedure + " of Class Module " + module
/// (or " of Form " + module when \p isForm); style 16 with the given title.
void ShowProcedureError(const std::exception& error, const std::string& procedure, const std::string& module,
                        bool isForm = false, const std::string& title = "Kemora for SOA");

/// The error's description as handlers show it.
std::string ErrorDescription(const std::exception& error);

} // namespace KM_SLN_SOA
