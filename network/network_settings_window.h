// What every network settings window shares: the Upload, Download and Exit buttons, the load,
// upload, download and exit sequences with their failure messages, the two looks of the input
// controls and the check of a time-out box. Each window adds its own controls, says which of
// them are its input controls, and fills in the items it reads and writes; where a window
// departs from a step it overrides the hook that step calls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/link.h"
#include "core/network_window.h"
#include "platform/control.h"

namespace dunax::network {

// Every exchange of a network window: four attempts, only an empty reply is retried.
using core::kRetries;

class NetworkSettingsWindow : public core::NetworkWindow {
  public:
    // Reads the window's settings from the unit (group "00"); the Upload button's handler and
    // the main window's call after every module upload.
    void btnUpload_Click() override;
    // Checks the entries, writes them and reads them back; the Download button's handler.
    void btnDownload_Click() override;
    // Hides the window, which ends its modal display, and has the main window reconnect and
    // upload everything again. The close box does the same.
    void btnExit_Click();

    platform::Control& btnUpload;
    platform::Control& btnDownload;
    platform::Control& btnExit;

    // The two looks of an input control: locked on the button face, or open on the window
    // background.
    static void lockInput(platform::Control& c);
    static void openInput(platform::Control& c);

    // The check of a time-out box on every change of its text: a text that is not a whole
    // number says "Please enter number.", a number outside 0..32767 "Please enter 0 to
    // 32767.". The text itself is kept.
    static void checkTimeoutText(const std::string& text);

    // Why a time-out box may not be written to the unit, or nothing when its text, blanks
    // around it left out, is a whole number 0..32767 of plain digits.
    static std::optional<std::string> timeoutEntryProblem(const std::string& entry);

    // The network time-out of group "00", in 0.1 s on most networks; every window has it.
    static constexpr const char* kItemNetTimeout = "51";

    // Geometry shared by the windows, in twips.
    static constexpr int kMargin = 240;
    static constexpr int kButtonWidth = 1215;
    static constexpr int kButtonHeight = 375;
    static constexpr int kButtonGap = 120;
    // Where a window's own controls start, below the row of buttons.
    static constexpr int kContentTop = kMargin + kButtonHeight + kMargin;
    // Inner width of the row of buttons with its margins: the narrowest a window can be.
    static constexpr int kMinClientWidth = 2 * kMargin + 3 * kButtonWidth + 2 * kButtonGap;
    // What the window's border and title bar add to the inner size.
    static constexpr int kBorderWidth = 120;
    static constexpr int kBorderHeight = 480;

  protected:
    // name: the window's design name ("frmCCLINK"); caption: its title.
    NetworkSettingsWindow(std::string name, std::string caption);

    // The input controls that the steps lock and open together, in the window's order.
    void setInputs(std::vector<platform::Control*> inputs) { inputs_ = std::move(inputs); }
    const std::vector<platform::Control*>& inputs() const { return inputs_; }
    void lockInputs();
    void openInputs();
    void setButtons(bool upload, bool download, bool exit);

    // --- Steps a window fills in or departs from ---

    // Load, once, when the global instance is created: Download off, every input locked.
    virtual void Form_Load();
    // Data written to the maintenance switch before an upload; nothing for a window whose
    // upload writes nothing.
    virtual std::optional<std::string> uploadPrologueData() const { return "1"; }
    // Reads the window's items in its order, each into its control before the next is read;
    // false at the first empty reply.
    virtual bool uploadItems() = 0;
    // Whether Download stays available after a failed upload.
    virtual bool downloadAfterUploadFailure() const { return false; }
    // The message of the first entry that may not be written; nothing when all may.
    virtual std::optional<std::string> entryProblem() = 0;
    // Data written to the maintenance switch before a download.
    virtual std::string downloadPrologueData() const { return "1"; }
    // Writes the window's items in its order with downloadItem (the download record of
    // core/download_record.h notes each refusal); false when the unit stopped answering.
    virtual bool downloadItems() = 0;

    // --- Exchanges, always in group "00" with three retries ---
    static std::string readItem(const std::string& item);
    // Reads item into box as the text after the colon of the reply; false on no reply.
    static bool readText(const std::string& item, platform::Control& box);
    // Writes data to item; false when the unit did not take it.
    static bool writeItem(const std::string& item, const std::string& data);
    // Writes data to item as a step of the running download, recorded under name (the
    // window's own words for the setting); false when the unit stopped answering, and then
    // nothing more is sent.
    static bool downloadItem(const std::string& name, const std::string& item,
                             const std::string& data);

    // The failure ends of an upload and of a download: message, disconnect, buttons.
    void uploadFailed();
    void downloadFailed();
    // The inputs and buttons as a download leaves them, whatever its end.
    virtual void openAfterDownload();
    // The end of a download after its writes (answered: false when the unit stopped answering
    // at a step the download record does not see). A unit that stopped answering ends it with
    // downloadFailed and the link closed. Otherwise the window reads back what the unit holds
    // (the read-back reports its own failure) and, when the unit refused a write, then shows
    // "Downloading incomplete" naming what it did not take; the link stays up.
    void endDownload(bool answered);

    // Sizes the window for an inner area of the given size and centres the row of buttons at
    // its top.
    void layOut(int clientWidth, int clientHeight);

  private:
    std::vector<platform::Control*> inputs_;
};

}  // namespace dunax::network
