#include "core/dialogs.h"

#include <string>

#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"

namespace dunax::core {

using platform::Kind;

platform::FormInstance<ComPortWindow> frmComPort;
platform::FormInstance<VersionWindow> frmVersion;
platform::FormInstance<NoneWindow> frmNONE;
platform::FormInstance<NoticeWindow> frmNotice;

namespace {
constexpr int kPorts = 8;

std::string portName(int n) {
    return "COM" + std::to_string(n);
}
}  // namespace

// --- Port dialog ---

ComPortWindow::ComPortWindow()
    : Form("frmComPort"), Frame1(add(Kind::Frame, "Frame1")), btnExit(addPortsAndOk()) {
    setCaption("Com Setting");
    resize(3360, 2940);
    Frame1.setCaption("Port No.").setGeometry(240, 120, 2760, 1800);
    btnExit.setCaption("OK").setGeometry(1020, 2100, 1215, 375);
    btnExit.onClick = [this] { btnExit_Click(); };
    onLoad = [this] { Form_Load(); };
}

platform::Control& ComPortWindow::addPortsAndOk() {
    // Two columns of four ports, COM1..COM4 on the left; OK after them in the tab order.
    for (int n = 1; n <= kPorts; ++n) {
        const int col = (n - 1) / 4;
        const int row = (n - 1) % 4;
        add(Kind::OptionButton, "optCom", n, &Frame1, optCom)
            .setCaption(portName(n))
            .setGeometry(240 + col * 1320, 300 + row * 360, 1080, 300);
    }
    return add(Kind::CommandButton, "btnExit");
}

void ComPortWindow::Form_Load() {
    if (optCom.has(g.ComPortNo)) optCom(g.ComPortNo).setValue(true);
    frmDunax().lblComPortNo.setCaption(portName(g.ComPortNo));
}

void ComPortWindow::btnExit_Click() {
    ClosePort();
    OpenPort();  // reads this dialog's options, so it runs while the dialog is loaded
    unload();
    frmDunax().btnConnect_Click();
}

void ReadPortChoice() {
    ComPortWindow& dlg = frmComPort();
    for (int n = 1; n <= kPorts; ++n) {
        if (dlg.optCom(n).value()) {
            g.ComPortNo = n;
            frmDunax().lblComPortNo.setCaption(portName(n));
            return;
        }
    }
}

// --- Version box ---

VersionWindow::VersionWindow()
    : Form("frmVersion"),
      lblTitle(add(Kind::Label, "lblTitle")),
      Line1(add(Kind::Line, "Line1")),
      cmdOK(add(Kind::CommandButton, "cmdOK")) {
    setCaption("Version DUNAX ");
    resize(4080, 2580);
    lblTitle.setCaption("DUNAX").setFontSize(18).setFontBold(true).setGeometry(360, 240, 3240, 495);
    add(Kind::Label, "lblName", 0, nullptr, lblName);
    add(Kind::Label, "lblName", 1, nullptr, lblName);
    lblName(0).setCaption("Version").setGeometry(360, 900, 1200, 255);
    lblName(1).setGeometry(1680, 900, 1920, 255);
    Line1.setGeometry(360, 1320, 3240, 15);
    cmdOK.setCaption("OK").setGeometry(1380, 1560, 1215, 375);
    cmdOK.onClick = [this] { cmdOK_Click(); };
    onLoad = [this] { Form_Load(); };
}

void VersionWindow::Form_Load() {
    lblName(1).setCaption(kProgramVersion);
}

void VersionWindow::cmdOK_Click() {
    unload();
}

// --- Unrecognised model ---

NoneWindow::NoneWindow()
    : Form("frmNONE", platform::WindowKind::MdiChild),
      Frame1(add(Kind::Frame, "Frame1")),
      Label1(add(Kind::Label, "Label1", &Frame1)),
      Label2(add(Kind::Label, "Label2", &Frame1)) {
    setCaption("Form1");
    Frame1.setGeometry(480, 480, 8400, 1800);
    Label1.setCaption("Please download the latest version.")
        .setFontSize(12)
        .setGeometry(360, 420, 7680, 375);
    Label2.setCaption("This version of the program does not support the connected module.")
        .setGeometry(360, 1020, 7680, 375);
}

// --- Power-cycle notice ---

NoticeWindow::NoticeWindow()
    : Form("frmNotice"),
      Label2(add(Kind::Label, "Label2")),
      Label1(add(Kind::Label, "Label1")),
      OKButton(add(Kind::CommandButton, "OKButton")) {
    setCaption("Notice");
    resize(5160, 2280);
    Label2.setCaption("If you change the settings").setGeometry(360, 300, 4440, 255);
    Label1.setCaption("please turn off the power, and restart the J6.")
        .setGeometry(360, 600, 4440, 255);
    OKButton.setCaption("OK").setGeometry(1980, 1200, 1215, 375);
    OKButton.onClick = [this] { OKButton_Click(); };
}

void NoticeWindow::OKButton_Click() {
    frmDunax().btnDisconnect_Click();
    unload();
}

}  // namespace dunax::core
