#include "core/main_window.h"

#include <array>

#include "core/config_stub.h"
#include "core/connection.h"
#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "core/tables.h"

namespace dunax::core {

using platform::Buttons;
using platform::Icon;
using platform::Kind;

platform::FormInstance<MainWindow> frmDunax;

namespace {

// The messages for a selector that has no window.
constexpr const char* kDebugStart = "Not definced modelnum in frmDunax -> btnStart_Click";
constexpr const char* kDebugStop = "Not definced modelnum in frmDunax -> btnStop_Click";
constexpr const char* kDebugDisconnect = "Not definced modelnum in frmDunax -> btnDisconnect";
constexpr const char* kDebugComNet = "Not definced NetTyp in frmDunax -> btnComNet";
constexpr const char* kDebugUpload = "Not definced modelnum in frmDunax -> btnUpload";
constexpr const char* kDebugDownload = "Not definced modelnum in frmDunax -> btnDownload";

// The line of the data-range message for each failed encoder-counter check.
constexpr std::array<const char*, 15> kDataRangeLines{{
    "",  // no line for 0
    "Non-numeric symbols have been used.",
    "Drop out : 0.10 to 50.00",
    "Max : -2099999999 to 2100000000",
    "Min : -2100000000 to 2099999999",
    "Min < Max",
    "Reset Value :  Min =< Reset Value =< Max",
    "Position Setpoint :  Min =< Position Setpoint =< Max",
    "Position Hys :  0 =< hys ,  hys < Abs(Max - Min) ",
    "Full Scale :  -32000 to 32000 ",
    "Zero Scale :  -32000 to 32000 ",
    "Speed Hys : 0.00 to 115.00",
    "Speed Setpoint :  -15.00 to 115.00",
    "Bias : -320.00 to 320.00",
    "Gain : -3.2000 to 3.2000",
}};

// --- Layout, in twips ---
// The inner area of the window: its size less the borders, the title bar and the menu bar.
constexpr int kClientWidth = MainWindow::kWidth - 120;
constexpr int kClientHeight = MainWindow::kHeight - 765;
constexpr int kStripHeight = MainWindow::kDocumentTop;  // status strip along the top
constexpr int kStripWidth = MainWindow::kDocumentLeft;  // button strip down the left side
constexpr int kButtonLeft = 240;
constexpr int kButtonWidth = 1800;
constexpr int kButtonHeight = 420;
constexpr int kButtonPitch = 510;
constexpr int kFrameLeft = 120;
constexpr int kFrameWidth = 2280;
constexpr int kFirstButtonTop = 300;

int frameHeight(int buttons) {
    return kFirstButtonTop + buttons * kButtonPitch + 30;
}

void placeButton(platform::Control& b, int row) {
    b.setGeometry(kButtonLeft, kFirstButtonTop + row * kButtonPitch, kButtonWidth, kButtonHeight);
}

}  // namespace

std::string DataRangeLine(int dataErrorNo) {
    if (dataErrorNo < 1 || dataErrorNo >= static_cast<int>(kDataRangeLines.size())) return "";
    return kDataRangeLines[static_cast<std::size_t>(dataErrorNo)];
}

std::string DataRangeMessage(int dataErrorNo) {
    const std::string line = DataRangeLine(dataErrorNo);
    const std::string body = line.empty() ? "Check data range." : "Check data range. \r\n" + line;
    return "Data Error \r\n" + body;
}

// Marks the window busy for the length of a long operation (nested ones count).
class MainWindow::BusyScope {
  public:
    explicit BusyScope(MainWindow& w) : w_(w) { ++w_.busy_; }
    ~BusyScope() { --w_.busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    MainWindow& w_;
};

MainWindow::MainWindow()
    : Form("frmDunax", platform::WindowKind::MdiParent),
      Picture1(add(Kind::Frame, "Picture1")),
      Frame4(add(Kind::Frame, "Frame4", &Picture1)),
      shpLamp(add(Kind::Shape, "shpLamp", &Frame4)),
      lblComPortNo(add(Kind::Label, "lblComPortNo", &Frame4)),
      lblConStatus(add(Kind::Label, "lblConStatus", &Frame4)),
      Frame5(add(Kind::Frame, "Frame5", &Picture1)),
      lblMastertype(add(Kind::Label, "lblMastertype", &Frame5)),
      lblVersionNo(add(Kind::Label, "lblVersionNo", &Frame5)),
      Frame6(add(Kind::Frame, "Frame6", &Picture1)),
      lblExtName(add(Kind::Label, "lblExtName", &Frame6)),
      Picture2(add(Kind::Frame, "Picture2")),
      Frame3(add(Kind::Frame, "Frame3", &Picture2)),
      btnSetting(add(Kind::CommandButton, "btnSetting", &Frame3)),
      btnConnect(add(Kind::CommandButton, "btnConnect", &Frame3)),
      btnDisconnect(add(Kind::CommandButton, "btnDisconnect", &Frame3)),
      btnComNet(add(Kind::CommandButton, "btnComNet", &Frame3)),
      Frame1(add(Kind::Frame, "Frame1", &Picture2)),
      btnUpload(add(Kind::CommandButton, "btnUpload", &Frame1)),
      btnDownload(add(Kind::CommandButton, "btnDownload", &Frame1)),
      Frame2(add(Kind::Frame, "Frame2", &Picture2)),
      btnStart(add(Kind::CommandButton, "btnStart", &Frame2)),
      btnStop(add(Kind::CommandButton, "btnStop", &Frame2)),
      Label5(add(Kind::Label, "Label5", &Picture2)),
      mnuFiles(add(Kind::Menu, "mnuFiles")),
      mnuFilesOpen(add(Kind::Menu, "mnuFilesOpen", &mnuFiles)),
      mnuFilesSave(add(Kind::Menu, "mnuFilesSave", &mnuFiles)),
      mnuFilesVar(add(Kind::Menu, "mnuFilesVar", &mnuFiles)),
      mnuFilesEnd(add(Kind::Menu, "mnuFilesEnd", &mnuFiles)),
      mnuHelp(add(Kind::Menu, "mnuHelp")),
      mnuHelpVersion(add(Kind::Menu, "mnuHelpVersion", &mnuHelp)) {
    setCaption("DUNAX");

    // Status strip: link state on the left, then the unit, then the extension module.
    Picture1.setGeometry(0, 0, kClientWidth, kStripHeight);
    Frame4.setGeometry(120, 0, 3240, 735);
    shpLamp.setGeometry(180, 225, 375, 375).setFillColor(kLampDisconnected);
    lblComPortNo.setCaption("COM1").setGeometry(720, 300, 840, 255);
    lblConStatus.setCaption("Disconnected").setGeometry(1620, 300, 1500, 255);
    Frame5.setGeometry(3480, 0, 6480, 735);
    lblMastertype.setCaption("Welcome").setFontSize(12).setFontBold(true);
    lblMastertype.setGeometry(180, 240, 3000, 375);
    lblVersionNo.setGeometry(3300, 300, 3000, 255);
    Frame6.setGeometry(10080, 0, 1980, 735);
    lblExtName.setFontBold(true).setGeometry(180, 300, 1680, 255);

    // Button strip: the link first, then upload and download, then monitoring.
    Picture2.setGeometry(0, kStripHeight, kStripWidth, kClientHeight - kStripHeight);
    int top = 120;
    Frame3.setCaption("Com").setGeometry(kFrameLeft, top, kFrameWidth, frameHeight(4));
    btnSetting.setCaption("Setting");
    btnConnect.setCaption("Connect");
    btnDisconnect.setCaption("Disconnect");
    placeButton(btnSetting, 0);
    placeButton(btnConnect, 1);
    placeButton(btnDisconnect, 2);
    placeButton(btnComNet, 3);
    btnComNet.setVisible(false);  // labelled and shown once the unit's network is known
    top += frameHeight(4) + 120;
    Frame1.setCaption("I/O").setGeometry(kFrameLeft, top, kFrameWidth, frameHeight(2));
    btnUpload.setCaption("Upload");
    btnDownload.setCaption("Download");
    placeButton(btnUpload, 0);
    placeButton(btnDownload, 1);
    top += frameHeight(2) + 120;
    Frame2.setCaption("Monitoring").setGeometry(kFrameLeft, top, kFrameWidth, frameHeight(2));
    btnStart.setCaption("Start");
    btnStop.setCaption("Stop");
    placeButton(btnStart, 0);
    placeButton(btnStop, 1);
    top += frameHeight(2) + 240;
    Label5.setCaption("J6 remote I/O").setAlignment(2);
    Label5.setGeometry(kFrameLeft, top, kFrameWidth, 255);

    mnuFiles.setCaption("File");
    mnuFilesOpen.setCaption("Open");
    mnuFilesSave.setCaption("Save");
    mnuFilesVar.setCaption("-");  // a separator line
    mnuFilesEnd.setCaption("Exit");
    mnuHelp.setCaption("Help");
    mnuHelpVersion.setCaption("Version");

    // These act while an exchange waits for its reply; other clicks wait for its end.
    btnStop.setUrgent(true);
    btnDisconnect.setUrgent(true);
    mnuFilesEnd.setUrgent(true);

    btnStart.onClick = [this] { btnStart_Click(); };
    btnStop.onClick = [this] { btnStop_Click(); };
    btnConnect.onClick = [this] { btnConnect_Click(); };
    btnDisconnect.onClick = [this] { btnDisconnect_Click(); };
    btnSetting.onClick = [this] { btnSetting_Click(); };
    btnComNet.onClick = [this] { btnComNet_Click(); };
    btnUpload.onClick = [this] { btnUpload_Click(); };
    btnDownload.onClick = [this] { btnDownload_Click(); };
    mnuFilesOpen.onClick = [this] { mnuFilesOpen_Click(); };
    mnuFilesSave.onClick = [this] { mnuFilesSave_Click(); };
    mnuFilesEnd.onClick = [this] { mnuFilesEnd_Click(); };
    mnuHelpVersion.onClick = [this] { mnuHelpVersion_Click(); };
    onLoad = [this] { MDIForm_Load(); };
    onUnload = [this] { MDIForm_Unload(); };
    onCloseBox = [this] { mnuFilesEnd_Click(); };
}

// --- Window events ---

void MainWindow::MDIForm_Load() {
    // The program keeps no files beside itself, so the current folder stays the user's: the
    // file dialog starts where the program was started from.
    resize(kWidth, kHeight);
    InitData();
    SetPortChoice(ReadPortChoice);
    SetLineLostHandler([] {
        if (frmDunax.loaded()) frmDunax().LineLost();
    });
    Frame6.setVisible(false);
    lblComPortNo.setCaption("COM" + std::to_string(g.ComPortNo));
    setButtons(false, false, false, false, true, false, false, false);
}

void MainWindow::MDIForm_Unload() {
    mnuFilesEnd_Click();
}

void MainWindow::mnuFilesEnd_Click() {
    if (MSComm1().portOpen()) ClosePort();
    platform::host().endProgram();
}

// --- Buttons ---

void MainWindow::btnStart_Click() {
    if (!g.Connected) {
        btnConnect_Click();
        // No monitoring over a link that did not come up; Connect left its own row.
        if (!g.Connected) return;
    }
    ModuleWindow* w = uploadedWindow(kDebugStart);
    if (!w) return;
    if (w->hasCmdset()) w->cmdset_disable();
    w->txt_able(false);
    if (w->hasTxtAble2()) w->txt_able2(false);
    presetAble(*w, false);

    monitor_btn_control();
    {
        BusyScope busy(*this);
        MonitorLoop();
    }
    // The loop ended without Stop or Disconnect (a window's own Disconnect after a failed
    // read): leave monitoring as Stop does.
    if (btnStop.enabled()) btnStop_Click();
    // A link closed during monitoring, by the window or the line, Stop clicked or not, leaves
    // the buttons of Disconnect, so that they match the link.
    if (!g.Connected) disconnect_btn_control();
}

void MainWindow::btnStop_Click() {
    stop_btn_control();
    ModuleWindow* w = uploadedWindow(kDebugStop);
    if (!w) return;
    if (w->hasCmdset()) w->cmdset_enable();
    w->txt_able(true);
    if (w->hasTxtAble2()) w->txt_able2(true);
    presetAble(*w, true);
    shpLamp.setFillColor(g.Connected ? kLampConnected : kLampDisconnected);
}

void MainWindow::btnConnect_Click() {
    BusyScope busy(*this);
    all_btn_control(false);
    Connect();
    btnUpload_Click();  // also after a failed connection: it reports the closed link
    connect_btn_control();
}

void MainWindow::btnDisconnect_Click() {
    shpLamp.setFillColor(kLampDisconnected);
    Disconnect();
    if (ModuleWindow* w = uploadedWindow(kDebugDisconnect)) {
        w->txt_able(true);
        if (w->hasTxtAble2()) w->txt_able2(true);
    }
    disconnect_btn_control();  // also when nothing was uploaded: Connect stays possible
}

void MainWindow::LineLost() {
    linkFailed(MSComm1().lastError());
}

void MainWindow::UnitStoppedAnswering() {
    linkFailed(MSComm1().describe(std::string("the unit stopped answering: ") + kCheckTheLine));
}

void MainWindow::linkFailed(const std::string& what) {
    btnDisconnect_Click();
    platform::host().messageBox("Connection Error\r\n" + what, Icon::Critical, Buttons::OK,
                                "Connection");
}

void MainWindow::btnSetting_Click() {
    all_btn_control(false);
    frmComPort().showModal(this);  // its OK reopens the port and connects
    dialog_btn_control();
    btnSetting.setEnabled(!g.Connected);
}

void MainWindow::btnComNet_Click() {
    if (g.NetType < 0 || g.NetType > 7) {
        unexpectedSelector(kDebugComNet);
        return;
    }
    NetworkWindow* net = NetworkWindowFor(g.NetType);
    if (!net) {
        platform::host().messageBox(
            "The settings window of this network is not available in this version.",
            Icon::Information, Buttons::OK, "Network");
        return;
    }
    all_btn_control(false);
    {
        // The window was filled by the last upload; its Exit reconnects and uploads again.
        BusyScope busy(*this);
        net->showModal(this);
    }
    dialog_btn_control();
    frmNotice().showModal(this);  // its OK disconnects
    btnSetting.setEnabled(!g.Connected);
}

void MainWindow::btnUpload_Click() {
    BusyScope busy(*this);
    all_btn_control(false);
    UploadUnit();
    // A failed identification has been reported and the link closed: nothing more to read.
    if (UploadIdentified()) {
        ModuleWindow* w = uploadedWindow(kDebugUpload);
        if (!w) {
            if (g.UploadModelNum == -1) io_btn_control(true);
            return;
        }
        // Live values and the network settings, as long as the module upload kept the link.
        if (g.Connected) w->ReadingData();
        if (g.Connected) {
            if (NetworkWindow* net = NetworkWindowFor(g.NetType)) net->btnUpload_Click();
        }
    }
    io_btn_control(true);
}

void MainWindow::btnDownload_Click() {
    BusyScope busy(*this);
    g.DataErrorNo = 0;
    all_btn_control(false);
    if (g.UploadModelNum == -1) {  // nothing uploaded or opened: nothing to write
        io_btn_control(true);
        return;
    }
    ModuleWindow* w = uploadedWindow(kDebugDownload);
    if (!w) return;

    if (!w->CheckData()) {
        platform::host().messageBox(DataRangeMessage(g.DataErrorNo), Icon::Critical, Buttons::OK,
                                    "Data Range Error");
        io_btn_control(true);
        return;
    }
    DownloadModule();
    // A unit that left a write without any answer is not asked anything more.
    if (DownloadUnitGone()) {
        ShowDownloadIncomplete();
        Disconnect();
        disconnect_btn_control();
        return;
    }
    // The values are read back also after a refusal, so that the window shows what the unit
    // holds; the read-back sets the buttons and reports its own failure first. Then the
    // message names what the unit did not take.
    btnUpload_Click();
    if (DownloadIncomplete()) ShowDownloadIncomplete();
}

// --- Menus ---

void MainWindow::mnuFilesOpen_Click() {
    if (busy()) return tellBusy();
    OpenConfigFile();
    if (g.Connected) btnDownload.setEnabled(true);
}

void MainWindow::mnuFilesSave_Click() {
    if (busy()) return tellBusy();
    SaveConfigFile();
}

void MainWindow::mnuHelpVersion_Click() {
    frmVersion().showModal(this);
}

void MainWindow::tellBusy() {
    platform::host().messageBox(
        "This cannot be done while the unit is being uploaded, downloaded or monitored.",
        Icon::Information, Buttons::OK, "DUNAX");
}

// --- Button states ---

void MainWindow::setButtons(bool start, bool stop, bool connect, bool disconnect, bool setting,
                            bool comNet, bool upload, bool download) {
    btnStart.setEnabled(start);
    btnStop.setEnabled(stop);
    btnConnect.setEnabled(connect);
    btnDisconnect.setEnabled(disconnect);
    btnSetting.setEnabled(setting);
    btnComNet.setEnabled(comNet);
    btnUpload.setEnabled(upload);
    btnDownload.setEnabled(download);
}

void MainWindow::all_btn_control(bool b) {
    setButtons(b, b, b, b, b, b, b, b);
}

void MainWindow::io_btn_control(bool b) {
    if (b && !g.Connected) {
        disconnect_btn_control();  // the link has gone: no connected row over a closed port
    } else {
        setButtons(b, false, false, b, b, b, b, b);
    }
    if (g.UploadModelNum >= 0 && HasModuleWindow(g.UploadModelNum)) {
        presetAble(*ModuleWindowFor(g.UploadModelNum), b);
    }
}

void MainWindow::monitor_btn_control() {
    g.Monitoring = true;
    setButtons(false, true, false, true, false, false, false, false);
}

void MainWindow::stop_btn_control() {
    g.Monitoring = false;
    dialog_btn_control();
}

void MainWindow::dialog_btn_control() {
    if (g.Connected) {
        setButtons(true, false, false, true, true, true, true, true);
    } else {
        setButtons(true, false, true, false, false, false, false, false);
    }
}

void MainWindow::connect_btn_control() {
    if (g.Connected) {
        setButtons(true, false, false, true, true, true, true, true);
    } else {
        setButtons(true, false, true, false, true, false, false, false);
    }
}

void MainWindow::disconnect_btn_control() {
    setButtons(false, false, true, false, true, false, false, false);
}

// --- Dispatch ---

ModuleWindow* MainWindow::uploadedWindow(const std::string& debugText) {
    if (g.UploadModelNum == -1) return nullptr;
    if (ModuleWindow* w = ModuleWindowFor(g.UploadModelNum)) return w;
    unexpectedSelector(debugText);
    return nullptr;
}

void MainWindow::unexpectedSelector(const std::string& debugText) {
    platform::host().messageBox(debugText, Icon::Critical, Buttons::OK, "Debug info");
    Disconnect();
    disconnect_btn_control();
}

void MainWindow::presetAble(ModuleWindow& w, bool flag) {
    if (w.hasPresetAble()) w.preset_able(flag && g.Connected);
}

}  // namespace dunax::core
