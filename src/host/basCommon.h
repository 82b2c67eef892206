#pragma once
// Free routines over the host that many classes of the add-in share.
#include "platform/runtime/Types.h"
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <string>

namespace km::ui {
class Form;
}
namespace km::host {
class IDefinition;
class IKMObject;
} // namespace km::host

namespace KM_SLN_SOA {

/// The host's program folder (goApp.GetExePath).
std::string GetAppPath();
/// The first character of the host's program folder followed by ":".
std::string GetAppDrive();
/// Applies the host's language resources to a form through a new utility object; errors are
/// ignored.
void KMFormLanguageSetUp(km::ui::Form& form);
/// The only item of a list property, or nothing when the list has none or several (or cannot be
/// read).
std::shared_ptr<km::host::IDefinition> GetSingleProperty(km::host::IKMObject& object, const std::string& name);
/// Host menu command 71: run after symbols were recoloured, resized or removed.
void RunMenuCommand71();
/// Host menu command 75: run after a simple or complex analytic.
void RunMenuCommand75();
/// The system's temporary folder followed by a separator.
std::string GetTempFolder();
/// A path in the temporary folder that no file has yet. Error 75 when 100 fresh names in a row
/// are all taken.
std::string GetTempFilePath();
/// The text between two double-quote characters.
std::string QuoteString(const std::string& text);
/// The text of the node's attribute of that name, or an empty text.
std::string GetAttributeText(const pugi::xml_node& node, const std::string& name);

/// Makes fresh temporary file names (without folder).
using TempNameGenerator = std::function<std::string()>;
/// Replaces the temporary-name generator (tests); an empty one restores the system's.
void SetTempNameGenerator(TempNameGenerator generator);

} // namespace KM_SLN_SOA
