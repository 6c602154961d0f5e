#include "modules/discrete_counter/bit_image.h"

#include <array>
#include <stdexcept>

#include "core/ext_display.h"
#include "core/text.h"
#include "platform/color.h"

namespace dunax::modules {

namespace {

constexpr std::array<BitImageVariant, 8> kVariants{{
    {"frmMX16", 1, 4, 16, 16},
    {"frmJR16", 1, 4, 16, 16},
    {"frmJR8U", 1, 4, 16, 8},
    {"frmJR4T", 1, 4, 16, 4},
    {"frmJR8Y", 3, 4, 8, 8},
    {"frmFE16", 1, 4, 16, 16},
    {"frmFE8", 1, 2, 8, 8},
    {"frmJ6UFE8", 1, 2, 8, 8},
}};

// The value of an upper-case hex digit; -1 for anything else.
int upperHexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Groups of four boxes under the four digit groups of the header; boxes of a group stand one
// digit (two blanks) apart. Positions for the desktop's 8.25 pt sans font.
constexpr std::array<int, 4> kGroupLeft{0, 1575, 3090, 4560};
constexpr int kLampPitch = 210;

}  // namespace

std::span<const BitImageVariant> BitImageVariants() {
    return kVariants;
}

const BitImageVariant& BitImageVariantOf(std::string_view form) {
    for (const auto& v : kVariants) {
        if (form == v.form) return v;
    }
    throw std::out_of_range("no bit image for " + std::string(form));
}

void CDataDisplay(const platform::ControlArray& boxes, const BitImageVariant& variant,
                  std::string_view hex) {
    for (int p = variant.firstDigit; p <= variant.lastDigit; ++p) {
        const auto at = static_cast<std::size_t>(p - 1);
        if (at >= hex.size()) break;
        const int v = upperHexValue(hex[at]);
        if (v < 0) continue;
        const int base = 4 * (variant.lastDigit - p);
        for (int k = 0; k < 4; ++k) {
            if (!boxes.has(base + k)) continue;
            boxes(base + k).setBackColor((v >> k) & 1 ? platform::color::Green
                                                      : platform::color::Red);
        }
    }
}

bool CDataDisplayReply(const platform::ControlArray& boxes, const BitImageVariant& variant,
                       const std::string& reply) {
    // The same test as the extension points: an "x" followed by a hex digit.
    const auto bits = core::ExtBitsOf(reply);
    if (!bits) return false;
    CDataDisplay(boxes, variant, *bits);
    return true;
}

int LampOffset(int n) {
    const int i = n < 0 ? 0 : n > 15 ? 15 : n;
    return -30 + kGroupLeft[static_cast<std::size_t>(i / 4)] + (i % 4) * kLampPitch;
}

}  // namespace dunax::modules
