// The extension module's points on a module window: the boxes txtChData(0..15), the header
// lblExtIndex(0) and the caption lblV_Ext, reached by name on the window given.
#pragma once

#include <optional>
#include <string>

#include "platform/control.h"

namespace dunax::core {

// Point-number headers above the boxes.
inline constexpr const char* kExtHeader16 =
    "0  1  2  3                4  5  6  7               8  9  A  B              C  D  E  F";
inline constexpr const char* kExtHeader8 = "0  1  2  3                4  5  6  7";

// Prepares the boxes for the chosen extension module and paints them from item 12.
void ExtDisplayInit(platform::Form& frm);
// Paints boxes 0..15 from up to four hex digits, most significant first; a character that is
// not "0".."9" or "A".."F" leaves its four boxes as they are.
void ExtDataDisplay(platform::Form& frm, const std::string& hex);

// The bit image in a reply of item 12: the text after its "x" when a hex digit follows the
// "x"; nothing for "CNG", "NEEDLESS", an empty reply or any other text without one.
std::optional<std::string> ExtBitsOf(const std::string& reply);
// Paints the boxes from a reply of item 12 when it carries a bit image (ExtBitsOf); returns
// whether it did. The module windows' monitoring passes use it for their extension refresh.
bool ExtDataDisplayReply(platform::Form& frm, const std::string& reply);

}  // namespace dunax::core
