#pragma once
#include "Types.h"
#include <optional>
#include <string>
#include <string_view>

namespace km::rt {

/// Leading-number parse: skips leading blanks, tabs and line breaks, then reads the longest prefix
/// that forms a number (sign, digits, one '.', exponent "e"/"E"; blanks inside the digits are
/// skipped as the platform does; "&H" hexadecimal and "&O" octal prefixes). 0 when there is none.
/// Val("12abc") = 12, Val("") = 0, Val("1e3") = 1000, Val(" 7") = 7.
double Val(std::string_view text);

/// True when the whole text (blanks around it allowed) is a number: "12", "-1.5", "1e3", " 7 ".
/// Empty text is not numeric.
bool IsNumeric(std::string_view text);

/// Rounds half to even ("banker's rounding"), as the platform's integer conversions do:
/// 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
double RoundHalfEven(double value);

/// Converts to a 32-bit integer with half-to-even rounding; error 6 (Overflow) outside its range
/// or for NaN.
Long CLng(double value);
/// Converts to a 16-bit integer with half-to-even rounding; error 6 (Overflow) outside its range.
Integer CInt(double value);

/// Converts a numeric text (IsNumeric) to a number; error 13 (Type mismatch) otherwise.
double CDbl(std::string_view text);
/// CLng of CDbl(text): error 13 for non-numeric text, 6 on overflow.
Long CLng(std::string_view text);

/// Decimal text of a number as the platform's CStr writes it: fifteen significant digits, integers
/// without a decimal point, no leading blank ("12", "0.5", "-3.25", "0.3" for 0.1 + 0.2, "1E+20").
std::string numberText(double value);

} // namespace km::rt
