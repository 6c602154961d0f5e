// The main window: the link state (lamp, port, connection text, model, firmware version,
// extension module), the buttons that connect, identify and upload, download, monitor and open
// the port and network settings, and the File and Help menus. Module windows are shown in its
// document area, to the right of the button strip and below the status strip.
#pragma once

#include <string>

#include "platform/color.h"
#include "platform/control.h"
#include "platform/host.h"

namespace dunax::core {

class ModuleWindow;

class MainWindow : public platform::Form {
  public:
    MainWindow();

    // --- Operations other windows call ---
    // Leaves monitoring: buttons by the link state, the module window's edits on again.
    void btnStop_Click();
    // Connects, identifies and uploads everything (the port dialog's OK and every network
    // window's Exit call it too).
    void btnConnect_Click();
    // Closes the link; the module window's edits on again; Connect and Setting available.
    void btnDisconnect_Click();
    void disconnect_btn_control();
    void all_btn_control(bool flag);
    // The row after an upload or a download: the connected row for True, or the
    // disconnected row when the link has gone meanwhile.
    void io_btn_control(bool flag);
    // Closes the port when it is open and ends the program.
    void mnuFilesEnd_Click();
    // The line vanished: the disconnected state as after Disconnect, and one message that
    // names the port and its device.
    void LineLost();
    // The unit stopped answering while monitored: the same, with what to check.
    void UnitStoppedAnswering();

    // --- Event handlers ---
    void MDIForm_Load();
    void MDIForm_Unload();
    void btnStart_Click();
    void btnSetting_Click();
    void btnComNet_Click();
    void btnUpload_Click();
    void btnDownload_Click();
    void mnuFilesOpen_Click();
    void mnuFilesSave_Click();
    void mnuHelpVersion_Click();

    // --- Button states ---
    void monitor_btn_control();
    void stop_btn_control();
    void dialog_btn_control();
    void connect_btn_control();

    // An upload, download, monitoring or network settings window is under way: the File menu
    // must not read or rewrite the windows meanwhile.
    bool busy() const { return busy_ > 0; }

    // Status strip.
    platform::Control& Picture1;
    platform::Control& Frame4;
    platform::Control& shpLamp;
    platform::Control& lblComPortNo;
    platform::Control& lblConStatus;
    platform::Control& Frame5;
    platform::Control& lblMastertype;
    platform::Control& lblVersionNo;
    platform::Control& Frame6;
    platform::Control& lblExtName;
    // Button strip.
    platform::Control& Picture2;
    platform::Control& Frame3;
    platform::Control& btnSetting;
    platform::Control& btnConnect;
    platform::Control& btnDisconnect;
    platform::Control& btnComNet;
    platform::Control& Frame1;
    platform::Control& btnUpload;
    platform::Control& btnDownload;
    platform::Control& Frame2;
    platform::Control& btnStart;
    platform::Control& btnStop;
    platform::Control& Label5;
    // Menus.
    platform::Control& mnuFiles;
    platform::Control& mnuFilesOpen;
    platform::Control& mnuFilesSave;
    platform::Control& mnuFilesVar;
    platform::Control& mnuFilesEnd;
    platform::Control& mnuHelp;
    platform::Control& mnuHelpVersion;

    // The common file dialog of the configuration files.
    platform::FileDialog Dialog1;

    // Outer size of the window, in twips.
    static constexpr int kWidth = 12300;
    static constexpr int kHeight = 9000;
    // The document area where module windows are placed starts here (inner coordinates).
    static constexpr int kDocumentLeft = 2520;
    static constexpr int kDocumentTop = 795;

  private:
    class BusyScope;

    // Start, Stop, Connect, Disconnect, Setting, ComNet, Upload, Download.
    void setButtons(bool start, bool stop, bool connect, bool disconnect, bool setting, bool comNet,
                    bool upload, bool download);
    // The window of UploadModelNum; null when there is none to talk to. A number outside the
    // table (or one whose window does not exist) is reported with debugText and ends in the
    // disconnected state; -1 (nothing uploaded yet) ends quietly.
    ModuleWindow* uploadedWindow(const std::string& debugText);
    void unexpectedSelector(const std::string& debugText);
    // The counter windows' preset buttons: only ever on over a live link.
    void presetAble(ModuleWindow& w, bool flag);
    void tellBusy();
    // Disconnects as the user's Disconnect does, then says what failed in one message.
    void linkFailed(const std::string& what);

    int busy_ = 0;
};

extern platform::FormInstance<MainWindow> frmDunax;

// The status lamp.
inline constexpr platform::Color kLampDisconnected = platform::color::LampNavy;
inline constexpr platform::Color kLampConnected = platform::color::LampGreen;
inline constexpr platform::Color kLampMonitoring = platform::color::LampYellow;

// The data-range line that belongs to a failed encoder-counter check (1..14), "" otherwise.
std::string DataRangeLine(int dataErrorNo);
// The text of the "Data Range Error" box for DataErrorNo.
std::string DataRangeMessage(int dataErrorNo);

}  // namespace dunax::core
