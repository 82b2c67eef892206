#pragma once

namespace KM_SLN_SOA {

/// The version text window captions carry after their title.
inline constexpr const char* versionText = "11.3.1.3";
/// The title of the add-in's message boxes.
inline constexpr const char* messageTitle = "Kemora for SOA";

} // namespace KM_SLN_SOA
