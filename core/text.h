// Text routines that take the unit's reply texts apart and check typed numbers, and the one
// set of number-text rules every window uses. They keep no state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dunax::core {

// The text after the first "-", "x" (lower case only) or ":"; s unchanged when it holds no
// such separator, "" when the separator is its last character.
std::string AfterHyphen(std::string_view s);
std::string AfterX(std::string_view s);
std::string AfterColon(std::string_view s);

// The text before the first ":". A text without ":" gives "" as well, so that a reply that is
// not "label:value" never passes for a label.
std::string BeforeColon(std::string_view s);

// s without its first "."; later points stay.
std::string RemovePoint(std::string_view s);

// "0".."9", "A".."F" and "10".."16" give their values; any other text gives 0.
int HexDigitVal(std::string_view s);

// The whole number typed in a box. "" gives 0 silently. A "+", "-" or "." among the first three
// characters, a text that is not a number, or a number outside -32768..32767 after rounding
// shows "Please enter number." and gives 0.
int CheckNumber(std::string_view v);
// The message "Please enter number." (information icon, OK, no title of its own).
void TellEnterNumber();

// Splits a dotted address: part1 gets the text before the first ".", part2 and part3 the next
// parts, part4 everything after the third "." (further points included). Parts missing from a
// shorter text come back empty.
void SplitIP(std::string_view s, std::string& part4, std::string& part3, std::string& part2,
             std::string& part1);

// --- Number texts ---
// A number text is: optional blanks (space or tab), an optional sign, digits with an optional
// decimal point ("5", "5.", ".5"; at least one digit), an optional exponent ("e" or "E", an
// optional sign, at least one digit), optional blanks. Nothing else: no "nan" or "inf", no hex,
// no decimal comma, no blanks inside. The rules do not depend on the locale. A text that passes
// always converts: one whose magnitude is too large for a double is not numeric.
bool IsNumeric(std::string_view s);

// The value of a number text; nullopt when s is not one or its magnitude is too large for a
// double. A magnitude too small for a double reads as 0.
std::optional<double> ToDouble(std::string_view s);

// x rounded to the nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2); nullopt when that lies outside -32768..32767 or x is not a number.
std::optional<std::int16_t> RoundHalfEven16(double x);

// ToDouble followed by RoundHalfEven16.
std::optional<std::int16_t> ToInt16(std::string_view s);

// The shortest decimal text that reads back as the same double. Plain digits for magnitudes
// from 1e-5 to below 1e15 ("12.5", "13", "0.1", "1000000", "0.00001"); beyond those the
// shorter of plain and exponent form, exponent written "e+21"/"e-07" ("1e+21", "1e-07").
// Negative zero gives "0". Reads back through ToDouble for every finite x.
std::string ShortestDecimal(double x);

}  // namespace dunax::core
