#include "network/frm_mechatro.h"

#include "network/entry_check.h"

namespace dunax::network {

using platform::Kind;

platform::FormInstance<MechatroWindow> frmMechatro;

namespace {

constexpr int kClientWidth = NetworkSettingsWindow::kMinClientWidth;
constexpr int kSettingHeight = 1335;
constexpr int kTimeoutHeight = 855;
constexpr int kFrameGap = 120;

const std::string kModeError = "MODE SWITCH ERROR";

struct ModeRow {
    const char* reply;  // the whole reply, letter case included
    const char* generation;
    const char* size;
};
// Tried in this order.
constexpr ModeRow kModes[] = {
    {"MODE:M-II/32Byte", "MECHATROLINK - II", "32 Byte Mode"},
    {"MODE:M-II/17byte", "MECHATROLINK - II", "17 Byte Mode"},
    {"MODE:M-I/17byte", "MECHATROLINK - I", "17 Byte Mode"},
};

}  // namespace

MechatroWindow::MechatroWindow()
    : NetworkSettingsWindow("frmMechatro", "MECHATROLINK Setting"),
      Frame1(add(Kind::Frame, "Frame1")),
      lblMode(add(Kind::Label, "lblMode", &Frame1)),
      lblByte(add(Kind::Label, "lblByte", &Frame1)),
      lblAddress(add(Kind::Label, "lblAddress", &Frame1)),
      Frame2(add(Kind::Frame, "Frame2")),
      txtTimeout(add(Kind::TextBox, "txtTimeout", &Frame2)),
      Label2(add(Kind::Label, "Label2", &Frame2)) {
    Frame1.setCaption("Setting");
    lblMode.setCaption("MECHATROLINK - I");
    lblByte.setCaption("17 Byte Mode");
    lblAddress.setCaption("Address : 0x60");
    Frame2.setCaption("TimeOut");
    Label2.setCaption("x 0.1 sec");
    txtTimeout.setAccessibleName("TimeOut x 0.1 sec");

    const int frameWidth = kClientWidth - 2 * kMargin;
    layOut(kClientWidth, kContentTop + kSettingHeight + kFrameGap + kTimeoutHeight + kMargin);
    Frame1.setGeometry(kMargin, kContentTop, frameWidth, kSettingHeight);
    lblMode.setGeometry(240, 300, frameWidth - 480, 255);
    lblByte.setGeometry(240, 630, frameWidth - 480, 255);
    lblAddress.setGeometry(240, 960, frameWidth - 480, 255);
    Frame2.setGeometry(kMargin, kContentTop + kSettingHeight + kFrameGap, frameWidth,
                       kTimeoutHeight);
    txtTimeout.setGeometry(240, 360, 1335, 315);
    Label2.setGeometry(1695, 390, 1215, 255);

    setInputs({&txtTimeout});
    txtTimeout.onChange = [this] { txtTimeout_Change(); };
}

bool MechatroWindow::uploadItems() {
    const std::string mode = readItem(kItemMode);
    if (mode.empty()) return false;
    const ModeRow* row = nullptr;
    for (const auto& r : kModes) {
        if (mode == r.reply) {
            row = &r;
            break;
        }
    }
    lblMode.setCaption(row ? row->generation : kModeError);
    lblByte.setCaption(row ? row->size : kModeError);

    // The address is the last two characters of the whole reply.
    const std::string address = readItem(kItemAddress);
    if (address.empty()) return false;
    lblAddress.setCaption("Address : 0x" +
                          address.substr(address.size() < 2 ? 0 : address.size() - 2));

    return readText(kItemNetTimeout, txtTimeout);
}

std::optional<std::string> MechatroWindow::entryProblem() {
    return timeoutEntryProblem(txtTimeout.text());
}

bool MechatroWindow::downloadItems() {
    return downloadItem(Frame2.caption(), kItemNetTimeout, trimmed(txtTimeout.text()));
}

void MechatroWindow::txtTimeout_Change() {
    checkTimeoutText(txtTimeout.text());
}

}  // namespace dunax::network
