#include "modules/discrete_counter/frm_mxj16.h"

#include <string>
#include <vector>

#include "core/connection.h"
#include "core/download_record.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "platform/host.h"

namespace dunax::modules {

using platform::Control;
using platform::Kind;

platform::FormInstance<MXJ16Window> frmMXJ16;

namespace {

std::vector<std::string> splitAt(const std::string& s, char sep) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

}  // namespace

MXJ16Window::MXJ16Window() : DiscreteWindow("frmMXJ16", "MXJ16") {
    lblV_Unit = &addModuleCode(nullptr, 150, 165);
    Frame6 = &addFrame("Frame6", "Value", nullptr, 90, 570, 3300, 3900);
    addStateRows(Frame6, "CH: ", 240, 300);

    Frame2 = &addHold("Frame2", nullptr, 3690, 570, true);
    // Mode frames two by two beside the state rows.
    auto modeFrame = [this](const char* name, const char* caption, int left, int top,
                            const char* maintained, const char* momentary, Control*& optA,
                            Control*& optB) {
        Control& f = addFrame(name, caption, nullptr, left, top, 2700, 1200);
        optA = &add(Kind::OptionButton, maintained, &f);
        optA->setCaption("Mainteined").setGeometry(240, 330, 2250, 300);
        optB = &add(Kind::OptionButton, momentary, &f);
        optB->setCaption("Momentary").setGeometry(240, 720, 2250, 300);
        return &f;
    };
    Frame1 = modeFrame("Frame1", "CH 0/1 Output Mode", 3690, 2010, "optOut1", "optOut2", optOut1,
                       optOut2);
    Frame3 = modeFrame("Frame3", "CH 2/3 Output Mode", 6570, 2010, "optOut3", "optOut4", optOut3,
                       optOut4);
    Frame4 = modeFrame("Frame4", "CH 4/5 Output Mode", 3690, 3270, "optOut5", "optOut6", optOut5,
                       optOut6);
    Frame5 = modeFrame("Frame5", "CH 6/7 Output Mode", 6570, 3270, "optOut7", "optOut8", optOut7,
                       optOut8);

    addExtension(nullptr, 240, 1440, 4710);
}

std::array<MXJ16Window::Pair, 4> MXJ16Window::pairs() const {
    return {{{"16", optOut1, optOut2},
             {"17", optOut3, optOut4},
             {"18", optOut5, optOut6},
             {"19", optOut7, optOut8}}};
}

// Module code, extension points, the hold, then the modes of pairs 0/1 to 6/7; the chain stops
// at the first read the unit leaves unanswered.
void MXJ16Window::frmMXJ16_Init() {
    ShowModuleCode();
    core::ExtDisplayInit(*this);
    if (!ReadHold()) return;
    for (const Pair& p : pairs()) {
        const std::string reply = core::SelectReadRetry(kRetries, "00", p.item);
        if (reply.empty()) return;
        const bool maintained = core::AfterColon(reply) == "0";
        p.maintained->setValue(maintained);
        p.momentary->setValue(!maintained);
    }
}

// The hold, then the modes ("0" maintained, "1" momentary), each mode named by its frame. A
// refusal is recorded and the download goes on; nothing is sent once the unit stops answering.
void MXJ16Window::frmMXJ16_Download() {
    WriteHold();
    for (const Pair& p : pairs()) {
        core::DownloadWrite(p.maintained->container()->caption(), "00", p.item,
                            p.maintained->value() ? "0" : "1");
    }
}

// Maintenance switch, then the states "DI;DO" of rows 1..8. A row the unit leaves unanswered
// ends monitoring with "Uploading incomplete"; a value that is not two fields ends the pass.
void MXJ16Window::ReadingData() {
    core::SelectWriteRetry(kRetries, "00", "01", "F");
    for (int i = 1; i <= kStateRows; ++i) {
        const std::string reply = core::ItemReadRetry(kRetries, std::to_string(20 + i));
        if (reply.empty()) {
            if (core::g.Connected) {
                platform::host().messageBox("Uploading incomplete", platform::Icon::Critical,
                                            platform::Buttons::OK, "Uploading");
                core::Disconnect();
            }
            return;
        }
        const auto fields = splitAt(core::AfterColon(reply), ';');
        if (fields.size() != 2) return;
        ShowState(txtDICh(i), fields[0] == "1", platform::color::Red, platform::color::DarkGreen);
        ShowState(txtDOCh(i), fields[1] == "1", platform::color::Red, platform::color::DarkGreen);
    }
}

void MXJ16Window::txt_able(bool flag) {
    optKeepOn->setEnabled(flag);
    optKeepOff->setEnabled(flag);
    for (Control* c : {optOut1, optOut2, optOut3, optOut4, optOut5, optOut6, optOut7, optOut8})
        c->setEnabled(flag);
}

}  // namespace dunax::modules
