#include "modules/discrete_counter/frm_mx16.h"

#include "core/download_record.h"
#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/text.h"
#include "platform/host.h"

namespace dunax::modules {

platform::FormInstance<MX16Window> frmMX16;

namespace {

// A refusal is not a delay: it is neither shown nor written back.
bool isValue(const std::string& reply) {
    return !reply.empty() && reply != "CNG" && reply != "NEEDLESS";
}

}  // namespace

bool ReplyDelayValid(const std::string& text) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return std::stoi(text) <= 100;
}

MX16Window::MX16Window() : DiscreteWindow("frmMX16", "MX16") {
    Frame1 = &addLampValueFrame(kPointHeader16);
    addExtension(Frame1, 150, 1440, 1170);

    frmSet1 = &addFrame("frmSet1", "", nullptr, 90, 2100, 9330, 4605);
    Frame2 = &addHold("Frame2", frmSet1, 240, 240);
    Frame3 = &addFrame("Frame3", "Reply Delay Timer", frmSet1, 3480, 240, 3600, 1320);
    Frame3->setVisible(false);
    Text1 = &add(platform::Kind::TextBox, "Text1", Frame3);
    Text1->setAlignment(1).setAccessibleName("Reply Delay Timer").setGeometry(300, 480, 900, 285);
    Text1->onChange = [this] { Text1_Change(); };
    Label2 = &add(platform::Kind::Label, "Label2", Frame3);
    Label2->setCaption("msec ( 0 to 100 )").setGeometry(1320, 510, 2100, 225);
}

// Module code, extension points, the hold; on "J6S-MX16H" the reply delay as well.
void MX16Window::frmMX16_Init() {
    ShowModuleCode();
    core::ExtDisplayInit(*this);
    if (!ReadHold()) return;
    if (core::g.ModelName != kReplyDelayModel) {
        Frame3->setVisible(false);
        return;
    }
    const std::string reply = core::SelectReadRetry(kRetries, "00", "58");
    if (!isValue(reply)) return;
    Frame3->setVisible(true);
    Text1->setText(core::AfterColon(reply));
}

// The hold, then on "J6S-MX16H" the reply delay, shown as the unit echoes it. A refusal is
// recorded and the download goes on; a unit that stopped answering ends it.
void MX16Window::frmMX16_Download() {
    WriteHold();
    if (core::DownloadUnitGone()) return;
    if (core::g.ModelName != kReplyDelayModel) {
        Frame3->setVisible(false);
        return;
    }
    // A box the unit never filled (its read went unanswered) holds no delay to write.
    if (!ReplyDelayValid(Text1->text())) return;
    const std::string reply =
        core::DownloadWrite(Text1->accessibleName(), "00", "58", Text1->text());
    if (reply.empty()) return;
    Frame3->setVisible(true);
    Text1->setText(core::AfterColon(reply));
}

void MX16Window::ReadingData() {
    ReadBitImage();
    RefreshExtension();
}

void MX16Window::txt_able(bool flag) {
    optKeepOn->setEnabled(flag);
    optKeepOff->setEnabled(flag);
    Text1->setEnabled(flag);
}

bool MX16Window::CheckData() {
    if (core::g.ModelName != kReplyDelayModel || !Frame3->visible()) return true;
    return ReplyDelayValid(Text1->text());
}

// Warns while the delay is typed; the text stays as it is.
void MX16Window::Text1_Change() {
    const int v = core::CheckNumber(Text1->text());
    if (v != 0 && (v > 100 || v < 0)) {
        platform::host().messageBox("Please enter 0 to 100.", platform::Icon::Information,
                                    platform::Buttons::OK, "");
    }
}

}  // namespace dunax::modules
