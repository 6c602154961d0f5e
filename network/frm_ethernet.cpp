#include "network/frm_ethernet.h"

#include <array>
#include <tuple>

#include "core/connection.h"
#include "core/download_record.h"
#include "core/link.h"
#include "core/text.h"
#include "network/entry_check.h"
#include "platform/host.h"

namespace dunax::network {

using platform::Control;
using platform::ControlArray;
using platform::Kind;

platform::FormInstance<EthernetWindow> frmEthernet;

namespace {

const std::string kGroupCommon = "00";

constexpr int kClientWidth = 6360;
constexpr int kRowStep = 420;
constexpr int kSocketRowStep = 390;
constexpr int kSocketFrameHeight = 300 + 4 * kSocketRowStep + 120;
constexpr int kTimeoutHeight = 855;

const std::string kEnterAddress = "Please enter 0 to 255.";
const std::string kEnterTimer = "Please enter 0 to 32767.";

std::string itemRead(const std::string& item) {
    return core::ItemReadRetry(kRetries, item);
}

// A write of the running download in the group the maintenance write selected; false when the
// unit stopped answering.
bool itemWrite(const std::string& name, const std::string& item, const std::string& data) {
    core::DownloadItemWrite(name, item, data);
    return !core::DownloadUnitGone();
}

// The dotted text of an address: box 3, box 2, box 1, box 0, each without blanks around it.
std::string joined(const ControlArray& boxes) {
    return trimmed(boxes(3).text()) + "." + trimmed(boxes(2).text()) + "." +
           trimmed(boxes(1).text()) + "." + trimmed(boxes(0).text());
}

// Puts the value of an address reply into its four boxes, box 0 first. A value with fewer than
// three dots fills the leading boxes and empties the others, so that a refused read ("CNG")
// shows as such and the download check stops it.
void showAddress(const std::string& reply, ControlArray& boxes) {
    std::array<std::string, 4> parts;
    core::SplitIP(core::AfterColon(reply), parts[0], parts[1], parts[2], parts[3]);
    for (int i = 0; i < 4; ++i) boxes(i).setText(parts[static_cast<std::size_t>(i)]);
}

std::optional<std::string> addressProblem(const ControlArray& boxes,
                                          const std::string& enterNumber) {
    for (int i = 0; i < 4; ++i) {
        if (auto p = wholeNumberProblem(boxes(i).text(), 255, enterNumber, kEnterAddress)) {
            return p;
        }
    }
    return std::nullopt;
}

}  // namespace

ControlArray EthernetWindow::addArray(Kind kind, const std::string& name,
                                      std::initializer_list<int> indexes, Control* container) {
    ControlArray arr;
    for (int i : indexes) add(kind, name, i, container, arr);
    return arr;
}

// Controls are added in reading order: each address row left to right (boxes 3, 2, 1, 0).
EthernetWindow::EthernetWindow()
    : NetworkSettingsWindow("frmEthernet", "Ethernet Setting"),
      Label5(add(Kind::Label, "Label5")),
      txtIP(addArray(Kind::TextBox, "txtIP", {3, 2, 1, 0})),
      Label3(add(Kind::Label, "Label3")),
      txtSNM(addArray(Kind::TextBox, "txtSNM", {3, 2, 1, 0})),
      Label1(add(Kind::Label, "Label1")),
      txtDGW(addArray(Kind::TextBox, "txtDGW", {3, 2, 1, 0})),
      Label10(add(Kind::Label, "Label10")),
      lblMac(addArray(Kind::Label, "lblMac", {0, 1})),
      Frame4(add(Kind::Frame, "Frame4")),
      Label6(add(Kind::Label, "Label6", &Frame4)),
      Label7(add(Kind::Label, "Label7", &Frame4)),
      Label8(add(Kind::Label, "Label8", &Frame4)),
      Label9(add(Kind::Label, "Label9", &Frame4)),
      txtPort(addArray(Kind::TextBox, "txtPort", {1, 2, 3, 4}, &Frame4)),
      Label4(addArray(Kind::Label, "Label4", {1, 2, 3, 4, 5, 0, 6, 7, 8})),
      Frame2(add(Kind::Frame, "Frame2")),
      txtTimeout([this] {
          ControlArray arr;
          for (int i = 1; i <= 4; ++i) add(Kind::TextBox, "txtTimeout", i, nullptr, arr);
          add(Kind::TextBox, "txtTimeout", 0, &Frame2, arr);
          return arr;
      }()),
      Label2(add(Kind::Label, "Label2", &Frame2)) {
    const int rowsLeft = kMargin;
    const int boxesLeft = rowsLeft + 1695;
    constexpr int kBoxWidth = 615;
    constexpr int kBoxStep = 735;

    layOut(kClientWidth,
           kContentTop + 4 * kRowStep + 120 + kSocketFrameHeight + 120 + kTimeoutHeight + kMargin);

    // Address rows and the MAC address.
    int top = kContentTop;
    const std::string names[] = {"IP Address", "Subnet Mask", "Default Gateway"};
    int row = 0;
    for (auto [label, boxes, caption] :
         {std::tuple{&Label5, &txtIP, "IP Address"}, std::tuple{&Label3, &txtSNM, "Subnet  Mask"},
          std::tuple{&Label1, &txtDGW, "Default Gateway"}}) {
        label->setCaption(caption);
        label->setGeometry(rowsLeft, top + 30, 1575, 255);
        for (int i = 0; i < 4; ++i) {
            Control& box = (*boxes)(i);
            box.setGeometry(boxesLeft + (3 - i) * kBoxStep, top, kBoxWidth, 315);
            box.setAccessibleName(names[row] + " " + std::to_string(4 - i));
        }
        top += kRowStep;
        ++row;
    }
    Label10.setCaption("MAC Address");
    Label10.setGeometry(rowsLeft, top + 30, 1575, 255);
    lblMac(0).setGeometry(boxesLeft, top + 30, 1335, 255);
    lblMac(1).setGeometry(boxesLeft + 1455, top + 30, 1335, 255);
    top += kRowStep + 120;

    // The sockets: ports in their frame on the left, linger timers beside it.
    Frame4.setCaption("TCP Socket");
    Frame4.setGeometry(rowsLeft, top, 2640, kSocketFrameHeight);
    const int lingerLeft = rowsLeft + 2640 + 240;
    Label4(1).setCaption("Linger Timer");
    Label4(1).setGeometry(lingerLeft, top + 60, 2880, 255);
    const int unitLabels[] = {0, 6, 7, 8};
    for (int k = 1; k <= 4; ++k) {
        const std::string n = std::to_string(k);
        Control& portLabel = *std::array{&Label6, &Label7, &Label8, &Label9}[k - 1];
        const int y = 300 + (k - 1) * kSocketRowStep;
        portLabel.setCaption("Port" + n);
        portLabel.setGeometry(240, y + 30, 735, 255);
        txtPort(k).setGeometry(1035, y, 1335, 315);
        txtPort(k).setAccessibleName("TCP Socket Port" + n);
        // Shown only: the unit reports the ports and a download writes them back.
        txtPort(k).setEnabled(false);
        txtPort(k).setBackColor(platform::color::ButtonFace);

        Label4(k + 1).setCaption(n);
        Label4(k + 1).setGeometry(lingerLeft, top + y + 30, 255, 255);
        txtTimeout(k).setGeometry(lingerLeft + 360, top + y, 1095, 315);
        txtTimeout(k).setAccessibleName("Linger Timer " + n + " x 0.1sec");
        Control& unit = Label4(unitLabels[k - 1]);
        unit.setCaption("     x 0.1sec");
        unit.setGeometry(lingerLeft + 1455, top + y + 30, 1455, 255);
    }
    top += kSocketFrameHeight + 120;

    Frame2.setCaption("TimeOut");
    Frame2.setGeometry(rowsLeft, top, 3480, kTimeoutHeight);
    txtTimeout(0).setGeometry(240, 360, 1335, 315);
    txtTimeout(0).setAccessibleName("TimeOut x 0.1 Sec");
    Label2.setCaption("x 0.1 Sec");
    Label2.setGeometry(1695, 390, 1215, 255);

    for (int i = 0; i <= 4; ++i) txtTimeout(i).onChange = [this, i] { txtTimeout_Change(i); };
    for (int i = 0; i < 4; ++i) {
        txtIP(i).onChange = [this, i] { addressChange(txtIP, i); };
        txtSNM(i).onChange = [this, i] { addressChange(txtSNM, i); };
        txtDGW(i).onChange = [this, i] { addressChange(txtDGW, i); };
    }
    for (int i = 1; i <= 4; ++i) txtPort(i).onChange = [this, i] { txtPort_Change(i); };
}

void EthernetWindow::ctrl_able(bool flag) {
    const platform::Color look =
        flag ? platform::color::WindowBackground : platform::color::ButtonFace;
    setButtons(flag, flag, flag);
    txtTimeout(0).setEnabled(flag);
    for (int i = 1; i <= 4; ++i) {
        for (Control* box : {&txtTimeout(i), &txtIP(i - 1), &txtSNM(i - 1), &txtDGW(i - 1)}) {
            box->setEnabled(flag);
        }
        txtPort(i).setBackColor(platform::color::ButtonFace);
    }
    txtTimeout(0).setBackColor(look);
    for (int i = 1; i <= 4; ++i) {
        for (Control* box : {&txtTimeout(i), &txtIP(i - 1), &txtSNM(i - 1), &txtDGW(i - 1)}) {
            box->setBackColor(look);
        }
    }
}

// Every button and box stays off until the first upload, which the main window runs on every
// connect.
void EthernetWindow::Form_Load() {
    ctrl_able(false);
}

bool EthernetWindow::gatewayGate(const std::string& versionReply) {
    const std::string head = core::AfterColon(versionReply).substr(0, 2);
    const bool shown = versionReply != "CNG" && head != "1." && head != "0.";
    Label1.setVisible(shown);
    for (int i = 0; i < 4; ++i) txtDGW(i).setVisible(shown);
    return shown;
}

bool EthernetWindow::gatewayShown() const {
    return Label1.visible();
}

void EthernetWindow::btnUpload_Click() {
    ctrl_able(false);
    if (!writeItem("01", "F") || !uploadItems()) {
        uploadFailed();
        ctrl_able(true);
        return;
    }
    ctrl_able(true);
}

// Items after the maintenance write, each into its box before the next is read.
bool EthernetWindow::uploadItems() {
    const std::string version = itemRead(kItemVersion);
    if (version.empty()) return false;
    if (gatewayGate(version)) {
        const std::string gateway = itemRead(kItemGateway);
        if (gateway.empty()) return false;
        showAddress(gateway, txtDGW);
    }
    if (!readText(kItemNetTimeout, txtTimeout(0))) return false;
    const std::string ip = readItem(kItemIP);
    if (ip.empty()) return false;
    showAddress(ip, txtIP);
    const std::string mask = itemRead(kItemSubnetMask);
    if (mask.empty()) return false;
    showAddress(mask, txtSNM);
    for (int k = 0; k < 2; ++k) {
        const std::string mac = itemRead(std::to_string(27 + k));
        if (mac.empty()) return false;
        lblMac(k).setCaption(core::AfterColon(mac));
    }
    for (int k = 1; k <= 4; ++k) {
        const std::string port = itemRead(std::to_string(30 + k));
        if (port.empty()) return false;
        txtPort(k).setText(core::AfterColon(port));
    }
    // The linger replies carry the socket before their value: "LINGER:1:50".
    for (int k = 1; k <= 4; ++k) {
        const std::string linger = itemRead(std::to_string(40 + k));
        if (linger.empty()) return false;
        txtTimeout(k).setText(core::AfterColon(core::AfterColon(linger)));
    }
    return true;
}

// The maintenance write comes first; when the unit does not take it, nothing else is written.
void EthernetWindow::btnDownload_Click() {
    ctrl_able(false);
    core::BeginDownload();
    const bool prologueTaken =
        !core::DownloadWrite(core::kMaintenanceSwitchName, kGroupCommon, "01", "F").empty();
    if (prologueTaken) {
        if (const auto problem = entryProblem()) {
            platform::host().messageBox(*problem, platform::Icon::Information,
                                        platform::Buttons::OK, "");
            ctrl_able(true);
            return;
        }
    }
    endDownload(prologueTaken ? downloadItems() : true);
}

void EthernetWindow::openAfterDownload() {
    ctrl_able(true);
}

// Every value must be one the unit takes: the numbers of an address 0..255, ports 0..65535,
// timers 0..32767, each in plain digits. The gateway is checked while it is shown.
std::optional<std::string> EthernetWindow::entryProblem() {
    if (auto p = addressProblem(txtIP, "Please enter number in IP Address.")) return p;
    if (auto p = addressProblem(txtSNM, "Please enter number in Subnet Mask.")) return p;
    if (gatewayShown()) {
        if (auto p = addressProblem(txtDGW, "Please enter number in Default Gateway.")) return p;
    }
    static const std::string kEnterPort = "Please enter number in TCP Port No.";
    for (int k = 1; k <= 4; ++k) {
        if (auto p = wholeNumberProblem(txtPort(k).text(), 65535, kEnterPort, kEnterPort)) {
            return p;
        }
    }
    if (auto p = timeoutEntryProblem(txtTimeout(0).text())) return p;
    for (int k = 1; k <= 4; ++k) {
        if (auto p = wholeNumberProblem(txtTimeout(k).text(), 32767,
                                        "Please enter number in Linger Timer.", kEnterTimer)) {
            return p;
        }
    }
    return std::nullopt;
}

// Writes in the group the maintenance write selected, each setting named as the window shows
// it; false when the unit stopped answering (a write or the version read left unanswered).
bool EthernetWindow::downloadItems() {
    if (!itemWrite(Frame2.caption(), kItemNetTimeout, trimmed(txtTimeout(0).text())) ||
        !itemWrite(Label5.caption(), kItemIP, joined(txtIP)) ||
        !itemWrite(Label3.caption(), kItemSubnetMask, joined(txtSNM))) {
        return false;
    }
    const std::string version = itemRead(kItemVersion);
    if (version.empty()) return false;
    // The version may show a gateway that was hidden when the entries were checked; its boxes
    // are written only when they hold an address.
    if (gatewayGate(version) && !addressProblem(txtDGW, "")) {
        if (!itemWrite(Label1.caption(), kItemGateway, joined(txtDGW))) return false;
    }
    const std::array<const Control*, 4> portLabels{&Label6, &Label7, &Label8, &Label9};
    for (int k = 1; k <= 4; ++k) {
        const std::string name = Frame4.caption() + " " + portLabels[k - 1]->caption();
        if (!itemWrite(name, std::to_string(30 + k), trimmed(txtPort(k).text()))) return false;
    }
    for (int k = 1; k <= 4; ++k) {
        const std::string name = Label4(1).caption() + " " + std::to_string(k);
        if (!itemWrite(name, std::to_string(40 + k), trimmed(txtTimeout(k).text()))) return false;
    }
    return true;
}

void EthernetWindow::txtTimeout_Change(int index) {
    if (index == 0) {
        checkTimeoutText(txtTimeout(0).text());
    } else {
        core::CheckNumber(txtTimeout(index).text());
    }
}

// An address number has at most three digits: a longer text is cut, and the change that the
// cut raises checks the shortened text, once.
void EthernetWindow::addressChange(ControlArray& boxes, int index) {
    Control& box = boxes(index);
    if (box.text().size() > 3) {
        box.setText(box.text().substr(0, 3));
        return;
    }
    const int n = core::CheckNumber(box.text());
    if (n != 0 && (n > 255 || n < 0)) {
        platform::host().messageBox(kEnterAddress, platform::Icon::Information,
                                    platform::Buttons::OK, "");
    }
}

void EthernetWindow::txtPort_Change(int index) {
    core::CheckNumber(txtPort(index).text());
}

}  // namespace dunax::network
