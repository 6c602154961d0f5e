// The check of a number box before its text is written to the unit.
#pragma once

#include <optional>
#include <string>

namespace dunax::network {

// The text of an entry without the blanks (spaces, tabs) around it: a value the unit sent as
// "TMO: 100" shows " 100", and it is checked and written as "100".
std::string trimmed(const std::string& text);

// Why the text of a box may not be written as a whole number 0..max, or nothing when it is one
// in plain digits (leading zeros allowed; blanks around it left out), the only form the unit
// takes. A number in another form that lies outside the range gives enterRange; any other
// text enterNumber.
std::optional<std::string> wholeNumberProblem(const std::string& text, long max,
                                              const std::string& enterNumber,
                                              const std::string& enterRange);

}  // namespace dunax::network
