#include "core/ext_display.h"

#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "platform/color.h"

namespace dunax::core {

namespace {

constexpr int kBoxes = 16;

// The value of an upper-case hex digit; -1 for anything else.
int upperHexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isHexDigit(char c) {
    return upperHexValue(c) >= 0 || (c >= 'a' && c <= 'f');
}

// A window without an extension display lacks these controls; it is simply not painted.
platform::Control* box(platform::Form& frm, int n) {
    return frm.find("txtChData", n);
}

void showBoxes(platform::Form& frm, int count) {
    for (int n = 0; n < kBoxes; ++n) {
        if (auto* b = box(frm, n)) b->setVisible(n < count);
    }
}

}  // namespace

void ExtDataDisplay(platform::Form& frm, const std::string& hex) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (i >= hex.size()) break;
        const int v = upperHexValue(hex[i]);
        if (v < 0) continue;
        const int k = (3 - static_cast<int>(i)) * 4;
        for (int b = 0; b < 4; ++b) {
            if (auto* c = box(frm, k + b)) {
                c->setBackColor((v >> b) & 1 ? platform::color::Green : platform::color::Red);
            }
        }
    }
}

std::optional<std::string> ExtBitsOf(const std::string& reply) {
    const auto x = reply.find('x');
    if (x == std::string::npos || x + 1 >= reply.size() || !isHexDigit(reply[x + 1])) {
        return std::nullopt;
    }
    return AfterX(reply);
}

bool ExtDataDisplayReply(platform::Form& frm, const std::string& reply) {
    const auto bits = ExtBitsOf(reply);
    if (!bits) return false;
    ExtDataDisplay(frm, *bits);
    return true;
}

void ExtDisplayInit(platform::Form& frm) {
    showBoxes(frm, 0);
    platform::Control* caption = frm.find("lblV_Ext");
    platform::Control* header = frm.find("lblExtIndex", 0);

    if (g.ExtName == "NONE") {
        if (caption) caption->setVisible(false).setCaption("");
        if (header) header->setVisible(false);
        ExtDataDisplay(frm, "0000");
        return;
    }

    if (caption) caption->setCaption(g.ExtCaption).setVisible(true);
    if (header) header->setVisible(true);
    if (g.ExtChCount == 16 || g.ExtChCount == 8) {
        if (header) header->setCaption(g.ExtChCount == 16 ? kExtHeader16 : kExtHeader8);
        showBoxes(frm, g.ExtChCount);
    }

    // A refusal or a reply without a bit image leaves the boxes as they are.
    ExtDataDisplayReply(frm, SelectReadRetry(kRetries, "00", "12"));
}

}  // namespace dunax::core
