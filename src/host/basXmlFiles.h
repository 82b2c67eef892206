#pragma once
// Reading XML files the add-in did not write itself (the custom settings file, matrix and
// framework files) by the rules of the platform's XML parser, which refuses what is not
// well-formed where pugixml is lenient.
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace KM_SLN_SOA {

/// Loads \p text into \p document when it is well-formed XML; answers "" then. Otherwise the
/// document is left empty and the answer says what is wrong and where ("Duplicate attribute
/// 'value' (line 3, column 4)"). Beyond pugixml's own errors this refuses a second root element,
/// text outside the root element, a misplaced XML declaration, a duplicate attribute, a '<' in an
/// attribute value, "]]>" in text, and entity references other than the five predefined ones and
/// character references of XML characters (declared entities are not expanded, so they are
/// refused too).
std::string LoadWellFormedXml(pugi::xml_document& document, std::string_view text);

/// The same for a file; a file that cannot be read is described as such.
std::string LoadWellFormedXmlFile(pugi::xml_document& document, const std::string& path);

/// Saves the document to \p path through a fresh file beside it that then replaces the old one,
/// so that a write that fails (no rights, a full disk) leaves the old file whole. Answers whether
/// it was saved.
bool SaveXmlFileReplacing(const pugi::xml_document& document, const std::string& path);

/// The text with '&', '<', '>', '"' and '\'' replaced by entity references, so that it can stand
/// in XML text and in attribute values of either quote.
std::string EscapeXmlText(std::string_view text);

} // namespace KM_SLN_SOA
