#include "network/network_settings_window.h"

#include <utility>

#include "core/connection.h"
#include "core/download_record.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/text.h"
#include "network/entry_check.h"
#include "platform/host.h"

namespace dunax::network {

using platform::Control;
using platform::Kind;

namespace {

const std::string kGroupCommon = "00";
const std::string kItemMaintenanceSwitch = "01";

void showInformation(const std::string& text) {
    platform::host().messageBox(text, platform::Icon::Information, platform::Buttons::OK, "");
}

bool plainDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

// The buttons are the window's first controls, so they stand in a row at its top: the order
// of the controls is the tab order, and it follows the order of reading.
NetworkSettingsWindow::NetworkSettingsWindow(std::string name, std::string caption)
    : NetworkWindow(std::move(name)),
      btnUpload(add(Kind::CommandButton, "btnUpload")),
      btnDownload(add(Kind::CommandButton, "btnDownload")),
      btnExit(add(Kind::CommandButton, "btnExit")) {
    setCaption(std::move(caption));
    btnUpload.setCaption("Upload");
    btnDownload.setCaption("Download");
    btnExit.setCaption("Exit");
    btnUpload.onClick = [this] { btnUpload_Click(); };
    btnDownload.onClick = [this] { btnDownload_Click(); };
    btnExit.onClick = [this] { btnExit_Click(); };
    // The close box leaves the window as Exit does, so that the user is never held in the
    // modal window, even where Exit is still off because nothing has been uploaded into it
    // yet (the Ethernet window keeps every button off until its first upload); while an
    // exchange runs it does nothing.
    onCloseBox = [this] {
        if (!platform::exchangeRunning()) btnExit_Click();
    };
    // Runs once the window is complete: the global instance loads it after construction.
    onLoad = [this] { Form_Load(); };
}

void NetworkSettingsWindow::lockInput(Control& c) {
    c.setLocked(true);
    c.setBackColor(platform::color::ButtonFace);
}

void NetworkSettingsWindow::openInput(Control& c) {
    c.setLocked(false);
    c.setBackColor(platform::color::WindowBackground);
}

void NetworkSettingsWindow::lockInputs() {
    for (Control* c : inputs_) lockInput(*c);
}

void NetworkSettingsWindow::openInputs() {
    for (Control* c : inputs_) openInput(*c);
}

void NetworkSettingsWindow::setButtons(bool upload, bool download, bool exit) {
    btnUpload.setEnabled(upload);
    btnDownload.setEnabled(download);
    btnExit.setEnabled(exit);
}

void NetworkSettingsWindow::layOut(int clientWidth, int clientHeight) {
    resize(clientWidth + kBorderWidth, clientHeight + kBorderHeight);
    const int row = 3 * kButtonWidth + 2 * kButtonGap;
    int left = (clientWidth - row) / 2;
    for (Control* b : {&btnUpload, &btnDownload, &btnExit}) {
        b->setGeometry(left, kMargin, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kButtonGap;
    }
}

void NetworkSettingsWindow::Form_Load() {
    btnDownload.setEnabled(false);
    lockInputs();
}

std::string NetworkSettingsWindow::readItem(const std::string& item) {
    return core::SelectReadRetry(kRetries, kGroupCommon, item);
}

bool NetworkSettingsWindow::readText(const std::string& item, Control& box) {
    const std::string reply = readItem(item);
    if (reply.empty()) return false;
    // "CNG" and "NEEDLESS" hold no colon and are shown as they are.
    box.setText(core::AfterColon(reply));
    return true;
}

bool NetworkSettingsWindow::writeItem(const std::string& item, const std::string& data) {
    return !core::SelectWriteRetry(kRetries, kGroupCommon, item, data).empty();
}

bool NetworkSettingsWindow::downloadItem(const std::string& name, const std::string& item,
                                         const std::string& data) {
    core::DownloadWrite(name, kGroupCommon, item, data);
    return !core::DownloadUnitGone();
}

void NetworkSettingsWindow::uploadFailed() {
    core::ReportLinkFailure("Uploading incomplete", "Uploading");
    core::Disconnect();
    // The inputs keep their look and what was already read into them.
    setButtons(true, downloadAfterUploadFailure(), true);
}

void NetworkSettingsWindow::downloadFailed() {
    core::ReportLinkFailure("Downloading incomplete", "Downloading");
    core::Disconnect();
    openAfterDownload();
}

void NetworkSettingsWindow::openAfterDownload() {
    openInputs();
    setButtons(true, true, true);
}

void NetworkSettingsWindow::endDownload(bool answered) {
    if (!answered || core::DownloadUnitGone()) return downloadFailed();
    openAfterDownload();
    btnUpload_Click();  // read back what the unit now holds, also after a refusal
    if (core::DownloadIncomplete()) core::ShowDownloadIncomplete();
}

void NetworkSettingsWindow::btnUpload_Click() {
    setButtons(false, false, false);
    if (readItem(kItemMaintenanceSwitch).empty()) return uploadFailed();
    if (const auto data = uploadPrologueData()) {
        if (!writeItem(kItemMaintenanceSwitch, *data)) return uploadFailed();
    }
    if (!uploadItems()) return uploadFailed();
    openInputs();
    setButtons(true, true, true);
}

void NetworkSettingsWindow::btnDownload_Click() {
    lockInputs();
    setButtons(false, false, false);
    if (readItem(kItemMaintenanceSwitch).empty()) return downloadFailed();
    if (const auto problem = entryProblem()) {
        showInformation(*problem);
        openInputs();
        setButtons(true, true, true);
        return;
    }
    // Nothing else is written when the unit does not take the maintenance write.
    core::BeginDownload();
    const bool prologueTaken = !core::DownloadWrite(core::kMaintenanceSwitchName, kGroupCommon,
                                                    kItemMaintenanceSwitch, downloadPrologueData())
                                    .empty();
    endDownload(prologueTaken ? downloadItems() : true);
}

void NetworkSettingsWindow::btnExit_Click() {
    hide();
    core::frmDunax().btnConnect_Click();
}

void NetworkSettingsWindow::checkTimeoutText(const std::string& text) {
    const int n = core::CheckNumber(text);
    if (n != 0 && (n < 0 || n > 32767)) showInformation("Please enter 0 to 32767.");
}

std::optional<std::string> NetworkSettingsWindow::timeoutEntryProblem(const std::string& entry) {
    static const std::string kEnterNumber = "Please enter number in TimeOut Box.";
    static const std::string kEnterRange = "Please enter 0 to 32767.";
    const std::string text = trimmed(entry);
    if (plainDigits(text)) {
        const auto first = text.find_first_not_of('0');
        const std::string digits = first == std::string::npos ? "0" : text.substr(first);
        if (digits.size() > 5 || std::stol(digits) > 32767) return kEnterRange;
        return std::nullopt;
    }
    // A number in another form: say so when it lies outside the range, else ask for a plain
    // whole number, as the unit takes nothing else.
    if (const auto v = core::ToDouble(text); v && (*v < 0.0 || *v > 32767.0)) return kEnterRange;
    return kEnterNumber;
}

}  // namespace dunax::network
