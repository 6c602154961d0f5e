// The bit image of a discrete or pulse counter module: the unit reports the module's points as
// hexadecimal digits, most significant digit first, and the window shows them on a row of lamp
// boxes, txtCData(n) showing bit n (box 0 the least significant bit). Each window reads its own
// digit positions (the variants table); a lamp is green (0xFF00) for a set bit and red (0xFF)
// for a clear one.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/control.h"

namespace dunax::modules {

// How one window reads the image.
struct BitImageVariant {
    const char* form;  // the window, "frmMX16"
    int firstDigit;    // first digit position read, 1 = the leftmost character
    int lastDigit;     // last digit position read; its digit drives boxes 0..3
    int boxes;         // lamp boxes of the design: txtCData(0..boxes - 1)
    int visible;       // boxes 0..visible - 1 are on show; the others are coloured all the same
};

// Every window with a bit image: frmMX16, frmJR16, frmJR8U, frmJR4T, frmJR8Y, frmFE16, frmFE8,
// frmJ6UFE8.
std::span<const BitImageVariant> BitImageVariants();
// The variant of one window; throws std::out_of_range for a window not in the table.
const BitImageVariant& BitImageVariantOf(std::string_view form);

// Colours the boxes from hex. Digit position p (firstDigit..lastDigit) drives boxes
// 4 * (lastDigit - p) to that + 3, bit k of the digit box base + k. A character that is not
// "0".."9" or "A".."F" (upper case only), or a position past the end of hex, leaves its four
// boxes as they are; characters past lastDigit are ignored. Boxes missing from the array are
// skipped.
void CDataDisplay(const platform::ControlArray& boxes, const BitImageVariant& variant,
                  std::string_view hex);

// Paints the boxes from a reply of the unit ("DATA:x12F0") when the reply carries a bit image:
// the text after its "x" beginning with a hex digit. A refusal ("CNG"), "NEEDLESS", an empty
// reply or any other text is no image and paints nothing. Returns whether it painted.
bool CDataDisplayReply(const platform::ControlArray& boxes, const BitImageVariant& variant,
                       const std::string& reply);

// --- Placing lamp boxes under a point-number header (twips) ---
// The header captions ("0  1  2  3                4  5  6  7 ...") set the digits of a group
// two blanks apart and the groups wide apart; a box stands centred under its digit.
inline constexpr int kLampWidth = 165;
inline constexpr int kLampHeight = 240;
inline constexpr int kLampHeaderWidth = 5700;  // a label that holds the 16-point header
inline constexpr int kLampHeaderHeight = 225;
inline constexpr int kLampBelowHeader = 240;  // from the header's top to the boxes' top
// Left edge of box n (0..15) from the header label's left edge.
int LampOffset(int n);

}  // namespace dunax::modules
