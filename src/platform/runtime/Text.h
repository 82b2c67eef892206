#pragma once
#include "Types.h"
#include <string>
#include <string_view>
#include <vector>

namespace km::rt {

// Character-based text operations on UTF-8 strings: lengths and positions count characters
// (code points), not bytes, as the platform's string functions do. Invalid UTF-8 bytes count as
// one character each.

/// Number of characters.
Long Len(std::string_view text);
/// The first \p count characters (all of them when count exceeds the length); error 5 for count < 0.
std::string Left(std::string_view text, Long count);
/// The last \p count characters; error 5 for count < 0.
std::string Right(std::string_view text, Long count);
/// Characters from 1-based \p start, \p count of them (to the end when count < 0, i.e. omitted);
/// empty when start is past the end; error 5 for start < 1.
std::string Mid(std::string_view text, Long start, Long count = -1);
/// 1-based character position of \p what in \p text at or after \p start; 0 when not found.
Long InStr(std::string_view text, std::string_view what, Long start = 1);

/// Upper and lower case of ASCII and Latin letters (Latin-1, Latin Extended-A, Greek, Cyrillic).
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
/// The case-folded form used to compare names and keys without regard to case.
std::string foldCase(std::string_view text);
/// Compares without regard to case: <0, 0, >0.
int compareNoCase(std::string_view a, std::string_view b);
bool equalsNoCase(std::string_view a, std::string_view b);
/// Compares exactly, as the platform orders texts: by UTF-16 code units, so that characters above
/// U+FFFF (surrogate pairs) come before U+E000..U+FFFF. <0, 0, >0. From an invalid UTF-8 byte on,
/// the rest compares byte by byte.
int compareUtf16(std::string_view a, std::string_view b);
/// compareUtf16(a, b) < 0, for sorting.
bool lessUtf16(std::string_view a, std::string_view b);

/// Replaces every occurrence (case-sensitive); an empty \p what leaves the text unchanged.
std::string Replace(std::string_view text, std::string_view what, std::string_view with);
/// Splits at every occurrence of \p separator; an empty text gives an empty list (as the add-in
/// expects of an empty property), a non-empty separator-less text one element.
std::vector<std::string> Split(std::string_view text, std::string_view separator);
/// Removes leading and trailing blanks (spaces only, as the platform's Trim does).
std::string Trim(std::string_view text);

/// The text without a leading UTF-8 byte-order mark (EF BB BF), which editors put before scripts.
std::string_view withoutByteOrderMark(std::string_view text);

/// The text in single quotes for a POSIX shell, so that blanks and quotes in it stay one word.
std::string shellQuoted(std::string_view text);

inline constexpr std::string_view vbCrLf = "\r\n";
inline constexpr std::string_view vbLf = "\n";

} // namespace km::rt
