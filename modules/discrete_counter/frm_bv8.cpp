#include "modules/discrete_counter/frm_bv8.h"

#include <algorithm>

#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"

namespace dunax::modules {

platform::FormInstance<BV8Window> frmBV8;

BV8Window::BV8Window() : DiscreteWindow("frmBV8", "BV8") {
    Frame1 = &addFrame("Frame1", "BV8", nullptr, 90, 45, 3300, 3900);
    addStateRows(Frame1, "CH ", 240, 300);
    lblV_Unit = &addModuleCode(nullptr, 3690, 165);
    addLine(nullptr, 3690, 570, 5640, 0);
    Frame4 = &addHold("Frame4", nullptr, 3690, 750);
    addExtension(nullptr, 240, 1440, 4200);
}

// The edits stay off until the states are in: an upload that stops early leaves them off.
void BV8Window::frmBV8_Init() {
    txt_able(false);
    ShowModuleCode();
    core::ExtDisplayInit(*this);
    if (!ReadHold()) return;
    // The design has eight rows; a larger channel count reads no further.
    ReadStates(std::clamp(core::g.ChCount, 0, kStateRows));
    txt_able(true);
}

void BV8Window::frmBV8_Download() {
    WriteHold();
}

// Maintenance switch, extension points, then all eight rows whatever the channel count.
void BV8Window::ReadingData() {
    core::SelectWriteRetry(kRetries, "00", "01", "F");
    RefreshExtension();
    ReadStates(kStateRows);
}

void BV8Window::txt_able(bool flag) {
    optKeepOn->setEnabled(flag);
    optKeepOff->setEnabled(flag);
}

void BV8Window::ReadStates(int rows) {
    for (int i = 1; i <= rows; ++i) {
        ShowChannel(i, core::ItemReadRetry(kRetries, std::to_string(20 + i)));
    }
}

// The value's last character is the input state, its first the output state; "1" is on.
// No answer, a refusal or an item that does not apply leaves the row as it was: they say
// nothing about the channel's state.
void BV8Window::ShowChannel(int i, const std::string& reply) {
    if (reply.empty() || reply == "CNG" || reply == "NEEDLESS") return;
    const std::string v = core::AfterColon(reply);
    const bool di = !v.empty() && v.back() == '1';
    const bool dO = !v.empty() && v.front() == '1';
    ShowState(txtDICh(i), di, platform::color::DarkGreen, platform::color::Red);
    ShowState(txtDOCh(i), dO, platform::color::DarkGreen, platform::color::Red);
}

}  // namespace dunax::modules
