#include "network/frm_devicenet.h"

#include "core/globals.h"
#include "core/text.h"
#include "network/entry_check.h"

namespace dunax::network {

using platform::Kind;

platform::FormInstance<DeviceNetWindow> frmDeviceNet;

namespace {

constexpr int kClientWidth = NetworkSettingsWindow::kMinClientWidth;
constexpr int kFrameHeight = 855;
constexpr int kFrameGap = 120;
// The eight-point discrete input module, whose units have no status setting to show.
constexpr int kModelJR8U = 9;

}  // namespace

DeviceNetWindow::DeviceNetWindow()
    : NetworkSettingsWindow("frmDeviceNet", "DeviceNet Setting"),
      Frame1(add(Kind::Frame, "Frame1")),
      cmbStatus(add(Kind::ComboBox, "cmbStatus", &Frame1)),
      Frame3(add(Kind::Frame, "Frame3")),
      txtSerial(add(Kind::TextBox, "txtSerial", &Frame3)),
      Frame2(add(Kind::Frame, "Frame2")),
      txtTimeout(add(Kind::TextBox, "txtTimeout", &Frame2)),
      Label2(add(Kind::Label, "Label2", &Frame2)) {
    Frame1.setCaption("Status");
    cmbStatus.setAccessibleName("Status");
    Frame3.setCaption("Serial ID");
    txtSerial.setAccessibleName("Serial ID");
    Frame2.setCaption("TimeOut");
    Label2.setCaption("x 0.1 sec");
    txtTimeout.setAccessibleName("TimeOut x 0.1 sec");

    const int frameWidth = kClientWidth - 2 * kMargin;
    layOut(kClientWidth, kContentTop + 3 * kFrameHeight + 2 * kFrameGap + kMargin);
    int top = kContentTop;
    for (auto* frame : {&Frame1, &Frame3, &Frame2}) {
        frame->setGeometry(kMargin, top, frameWidth, kFrameHeight);
        top += kFrameHeight + kFrameGap;
    }
    cmbStatus.setGeometry(240, 360, 1335, 315);
    txtSerial.setGeometry(240, 360, 2055, 315);
    txtTimeout.setGeometry(240, 360, 1335, 315);
    Label2.setGeometry(1695, 390, 1215, 255);

    setInputs({&cmbStatus, &txtSerial, &txtTimeout});
    txtTimeout.onChange = [this] { txtTimeout_Change(); };
}

void DeviceNetWindow::Form_Load() {
    NetworkSettingsWindow::Form_Load();
    // Decided once, by the module of the moment the window is created.
    Frame1.setVisible(core::g.ModelNum != kModelJR8U);
    for (const char* row : {"OFF", "ON", ""}) cmbStatus.addItem(row);
    cmbStatus.setListIndex(2);
}

bool DeviceNetWindow::uploadItems() {
    const std::string status = readItem(kItemStatus);
    if (status.empty()) return false;
    cmbStatus.setListIndex(core::AfterColon(status) == "OFF" ? 0 : 1);
    return readText(kItemSerial, txtSerial) && readText(kItemNetTimeout, txtTimeout);
}

std::optional<std::string> DeviceNetWindow::entryProblem() {
    return timeoutEntryProblem(txtTimeout.text());
}

// The status goes as its list index; a combo box without a selection (an opened file may
// leave one so) has nothing to write, and the unit keeps its status.
bool DeviceNetWindow::downloadItems() {
    const int status = cmbStatus.listIndex();
    if (status >= 0 && !downloadItem(Frame1.caption(), kItemStatus, std::to_string(status)))
        return false;
    return downloadItem(Frame3.caption(), kItemSerial, txtSerial.text()) &&
           downloadItem(Frame2.caption(), kItemNetTimeout, trimmed(txtTimeout.text()));
}

void DeviceNetWindow::txtTimeout_Change() {
    checkTimeoutText(txtTimeout.text());
}

}  // namespace dunax::network
