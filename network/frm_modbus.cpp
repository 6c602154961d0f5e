#include "network/frm_modbus.h"

#include <tuple>
#include <utility>

#include "core/text.h"
#include "network/entry_check.h"

namespace dunax::network {

using platform::Kind;

platform::FormInstance<ModbusWindow> frmModbus;

namespace {

constexpr int kClientWidth = NetworkSettingsWindow::kMinClientWidth;
constexpr int kRowHeight = 420;
constexpr int kComHeight = 300 + 4 * kRowHeight + 120;
constexpr int kTimeoutHeight = 855;
constexpr int kFrameGap = 120;

// The parity row a value selects; a value other than the three names shows as "NONE".
int parityIndex(const std::string& value) {
    if (value == "ODD") return 1;
    if (value == "EVEN") return 2;
    return 0;
}

}  // namespace

ModbusWindow::ModbusWindow()
    : NetworkSettingsWindow("frmModbus", "Modbus Setting"),
      Frame1(add(Kind::Frame, "Frame1")),
      Label1(add(Kind::Label, "Label1", &Frame1)),
      cmbMode(add(Kind::ComboBox, "cmbMode", &Frame1)),
      Label3(add(Kind::Label, "Label3", &Frame1)),
      txtDataBit(add(Kind::TextBox, "txtDataBit", &Frame1)),
      Label4(add(Kind::Label, "Label4", &Frame1)),
      cmbParity(add(Kind::ComboBox, "cmbParity", &Frame1)),
      Label5(add(Kind::Label, "Label5", &Frame1)),
      txtStop(add(Kind::TextBox, "txtStop", &Frame1)),
      Frame2(add(Kind::Frame, "Frame2")),
      txtTimeout(add(Kind::TextBox, "txtTimeout", &Frame2)),
      Label2(add(Kind::Label, "Label2", &Frame2)) {
    Frame1.setCaption("Com");
    Frame2.setCaption("TimeOut");
    Label2.setCaption("x 0.1 sec");
    txtTimeout.setAccessibleName("TimeOut x 0.1 sec");

    const int frameWidth = kClientWidth - 2 * kMargin;
    layOut(kClientWidth, kContentTop + kComHeight + kFrameGap + kTimeoutHeight + kMargin);
    Frame1.setGeometry(kMargin, kContentTop, frameWidth, kComHeight);
    int top = 300;
    for (auto [label, box, caption] :
         {std::tuple{&Label1, &cmbMode, "Mode"}, std::tuple{&Label3, &txtDataBit, "Data Bit"},
          std::tuple{&Label4, &cmbParity, "Parity"}, std::tuple{&Label5, &txtStop, "Stop Bit"}}) {
        label->setCaption(caption);
        box->setAccessibleName(caption);
        label->setGeometry(240, top + 30, 1095, 255);
        box->setGeometry(1455, top, 1455, 315);
        top += kRowHeight;
    }
    Frame2.setGeometry(kMargin, kContentTop + kComHeight + kFrameGap, frameWidth, kTimeoutHeight);
    txtTimeout.setGeometry(240, 360, 1335, 315);
    Label2.setGeometry(1695, 390, 1215, 255);

    setInputs({&cmbMode, &cmbParity, &txtTimeout});
    txtTimeout.onChange = [this] { txtTimeout_Change(); };
}

void ModbusWindow::Form_Load() {
    NetworkSettingsWindow::Form_Load();
    // Data bits and stop bits are shown only: locked for good.
    lockInput(txtDataBit);
    lockInput(txtStop);
    for (const char* row : {"RTU", "ASCII", ""}) cmbMode.addItem(row);
    cmbMode.setListIndex(2);
    for (const char* row : {"NONE", "ODD", "EVEN", ""}) cmbParity.addItem(row);
    cmbParity.setListIndex(3);
}

bool ModbusWindow::uploadItems() {
    const std::string mode = readItem(kItemMode);
    if (mode.empty()) return false;
    cmbMode.setListIndex(core::AfterColon(mode) == "RTU" ? 0 : 1);
    if (!readText(kItemDataBit, txtDataBit)) return false;
    const std::string parity = readItem(kItemParity);
    if (parity.empty()) return false;
    cmbParity.setListIndex(parityIndex(core::AfterColon(parity)));
    return readText(kItemStop, txtStop) && readText(kItemNetTimeout, txtTimeout);
}

std::optional<std::string> ModbusWindow::entryProblem() {
    return timeoutEntryProblem(txtTimeout.text());
}

// Mode and parity go as their list indexes, named by their labels; a combo box without a
// selection (an opened file may leave one so) has nothing to write, and the unit keeps its
// value.
bool ModbusWindow::downloadItems() {
    for (auto [item, label, box] :
         {std::tuple{kItemMode, &Label1, &cmbMode}, std::tuple{kItemParity, &Label4, &cmbParity}}) {
        const int index = box->listIndex();
        if (index >= 0 && !downloadItem(label->caption(), item, std::to_string(index)))
            return false;
    }
    return downloadItem(Frame2.caption(), kItemNetTimeout, trimmed(txtTimeout.text()));
}

void ModbusWindow::txtTimeout_Change() {
    checkTimeoutText(txtTimeout.text());
}

}  // namespace dunax::network
