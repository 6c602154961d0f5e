// What the tests of the network settings windows share: a connected link to a simulated unit,
// the window's buttons and box looks as short texts, and the messages shown.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/globals.h"
#include "core/link.h"
#include "network/register.h"
#include "platform/color.h"
#include "platform/control.h"
#include "platform/host.h"
#include "sim/profile_kw4.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

inline const std::string kInfo =
    "|" + std::to_string(static_cast<int>(platform::Icon::Information)) + "|";
inline const std::string kCritical =
    "|" + std::to_string(static_cast<int>(platform::Icon::Critical)) + "|";
inline const std::string kUploadFailed = "Uploading incomplete" + kCritical + "Uploading";
inline const std::string kDownloadFailed = "Downloading incomplete" + kCritical + "Downloading";

class NetworkWindowTest : public UnitFixture {
  protected:
    void SetUp() override {
        UnitFixture::SetUp();
        network::RegisterNetworkWindows();
    }

    // A KW4 unit on the network that the model name's prefix names.
    void useUnit(const std::string& modelName) {
        sim::KW4Unit u;
        u.modelName = modelName;
        useProfile(sim::makeKW4Unit(u));
    }

    // "1" or "0" for each of Upload, Download, Exit.
    static std::string buttons(platform::Form& w) {
        std::string s;
        for (const char* name : {"btnUpload", "btnDownload", "btnExit"}) {
            s += w.find(name)->enabled() ? '1' : '0';
        }
        return s;
    }
    // A locked-style box: "open" (editable, white), "locked" (grey) or "mixed".
    static std::string look(const platform::Control& c) {
        if (!c.locked() && c.backColor() == platform::color::WindowBackground) return "open";
        if (c.locked() && c.backColor() == platform::color::ButtonFace) return "locked";
        return "mixed";
    }
    // The messages shown, as "text|icon|title" with the icon's number.
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages) {
            out.push_back(m.text + "|" + std::to_string(static_cast<int>(m.icon)) + "|" + m.title);
        }
        return out;
    }
    static std::vector<std::string> one(const std::string& m) { return {m}; }

    std::string unitValue(const std::string& item) const {
        return unit->profile().value("00", item);
    }

    // Every control lies inside its container, or inside the window's inner area.
    static void expectInside(const platform::Form& w, int borderWidth, int borderHeight) {
        const int clientW = w.width() - borderWidth;
        const int clientH = w.height() - borderHeight;
        for (const auto& c : w.controls()) {
            const platform::Control* box = c->container();
            EXPECT_TRUE(c->left() >= 0 && c->top() >= 0 &&
                        c->left() + c->width() <= (box ? box->width() : clientW) &&
                        c->top() + c->height() <= (box ? box->height() : clientH))
                << c->designName();
        }
    }
};

}  // namespace dunax::testing
