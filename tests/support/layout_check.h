// Layout checks shared by the module window tests: every control inside its container and the
// window, no two controls of one container overlapping, captions that fit, and a name for
// screen readers on every box.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "platform/control.h"

namespace dunax::testing {

// Roughly how wide a caption is drawn in the desktop's 8.25 pt sans font, in twips.
inline int captionWidth(const platform::Control& c) {
    int w = 0;
    for (char ch : c.caption()) w += ch == ' ' ? 45 : 105;
    return static_cast<int>(w * (c.fontSize() / 8.25) * (c.fontBold() ? 1.1 : 1.0));
}

// Whether two controls share part of their place.
inline bool overlap(const platform::Control& a, const platform::Control& b) {
    return !(a.left() + a.width() <= b.left() || b.left() + b.width() <= a.left() ||
             a.top() + a.height() <= b.top() || b.top() + b.height() <= a.top());
}

// A module window of 9650 x 7400 twips with its frame: every control inside its container or
// the window, every box named, every caption fitting its control.
inline void expectControlsFit(const platform::Form& win) {
    using platform::Control;
    using platform::Kind;
    const int clientWidth = 9650 - 120, clientHeight = 7400 - 500;
    for (const auto& c : win.controls()) {
        SCOPED_TRACE(win.name() + "." + c->designName());
        const Control* box = c->container();
        EXPECT_GE(c->left(), 0);
        EXPECT_GE(c->top(), 0);
        EXPECT_LE(c->left() + c->width(), box ? box->width() : clientWidth);
        EXPECT_LE(c->top() + c->height(), box ? box->height() : clientHeight);
        switch (c->kind()) {
            case Kind::TextBox:
            case Kind::ComboBox:
                EXPECT_FALSE(c->accessibleName().empty());
                break;
            case Kind::Label:
            case Kind::CommandButton:
                EXPECT_LE(captionWidth(*c), c->width());
                break;
            case Kind::OptionButton:
            case Kind::Frame:
                EXPECT_LE(captionWidth(*c) + 240, c->width());
                break;
            default:
                break;
        }
    }
}

// No two controls of one container overlapping.
inline void expectControlsApart(const platform::Form& win) {
    using platform::Control;
    using platform::Kind;
    const auto& all = win.controls();
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const Control& a = *all[i];
            const Control& b = *all[j];
            // The two pages share their place; a frame holds what lies on it.
            if (a.container() != b.container() || a.kind() == Kind::Frame ||
                b.kind() == Kind::Frame)
                continue;
            EXPECT_FALSE(overlap(a, b))
                << win.name() << ": " << a.designName() << " / " << b.designName();
        }
    }
}

// A module window laid out tidily: its controls fit and lie apart.
inline void expectTidy(const platform::Form& win) {
    expectControlsFit(win);
    expectControlsApart(win);
}

}  // namespace dunax::testing
