// A test fixture for window logic against the simulated unit: the scripted host (virtual
// time), fresh global windows and start values, and a simulated unit behind every serial port.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/connection.h"
#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/download_record.h"
#include "core/ext_select.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/text.h"
#include "platform/host.h"
#include "platform/scripted_host.h"
#include "platform/serial.h"
#include "sim/device.h"
#include "sim/profile.h"
#include "sim/unit.h"
#include "support/commands.h"

namespace dunax::testing {

// What the user is told of the simulated unit's port on COM1 when it opens but no unit answers
// as one: nothing answered, something that is not a unit did, the unit stopped answering.
inline const std::string kNoUnitAnswered =
    "Connection Error\r\nCOM1 (simulated unit): no unit answered: check the cable, the unit's "
    "power and the port";
inline const std::string kNotAUnit =
    "Connection Error\r\nCOM1 (simulated unit): the answer is not a unit's: check that the unit "
    "is on this port";
inline const std::string kUnitStoppedAnswering =
    "Connection Error\r\nCOM1 (simulated unit): the unit stopped answering: check the cable, "
    "the unit's power and the port";

// The rows of the main window's buttons (see UnitFixture::row).
inline constexpr const char* kRowLoad = "00001000";
inline constexpr const char* kRowConnected = "10011111";
inline constexpr const char* kRowConnectedAfterDialog = "10010111";  // Setting off
inline constexpr const char* kRowDisconnected = "00101000";          // disconnect_btn_control
inline constexpr const char* kRowConnectFailed = "10101000";         // connect_btn_control
inline constexpr const char* kRowMonitoring = "01010000";
inline constexpr const char* kRowBusy = "00000000";

class UnitFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        core::ClosePort();
        resetCoreWindows();
        useModel("J6P-KW4");
        core::frmDunax();  // loads the main window: start values, port choice, buttons
    }

    void TearDown() override {
        core::ClosePort();
        resetCoreWindows();
        platform::setSerialOpener(nullptr);
        core::SetPortChoice(nullptr);
        platform::collectRetiredForms();
    }

    // Starts over within one test (for table rows): fresh windows, start values, records.
    void restart() {
        TearDown();
        host.messages.clear();
        host.log.clear();
        host.dialogs.clear();
        host.answers.clear();
        host.files.clear();
        host.whileModal.clear();
        host.onMessage = nullptr;
        SetUp();
    }

    // A unit of this model; the profile can be changed through unit->profile() afterwards.
    void useModel(const std::string& modelName, int channels = 4,
                  const std::string& version = " 1.05", const std::string& ext = "VQ") {
        useProfile(sim::makeProfile({modelName, channels, version, ext}));
    }

    void useProfile(sim::Profile profile) {
        unit = std::make_shared<sim::SimUnit>(std::move(profile));
        platform::setSerialOpener(sim::simOpener(unit));
    }

    // Makes every reply to command (without CR) empty: no usable answer.
    void emptyReplyTo(const std::string& command) { unit->faults().replies[command] = ""; }

    // Writes from..to of item in group, every attempt counted, are refused ("CNG").
    void refuseWrites(const std::string& group, const std::string& item, int from, int to) {
        sim::Item* it = unit->profile().find(group, item);
        ASSERT_NE(it, nullptr);
        it->onWrite = [from, to, rule = it->onWrite,
                       n = 0](const std::string& data) mutable -> std::optional<std::string> {
            ++n;
            if (n >= from && n <= to) return std::nullopt;
            return rule ? rule(data) : std::optional<std::string>(data);
        };
    }

    // Applies fault to the unit when the maintenance switch (item 01 of group "00") is written
    // data for the nth time, after that write is answered. After a download whose own switch
    // write was taken, the read-back's is the next one.
    void faultAtSwitchWrite(const std::string& data, int n,
                            std::function<void(sim::Faults&)> fault) {
        sim::Item* item = unit->profile().find("00", "01");
        ASSERT_NE(item, nullptr);
        item->onWrite = [u = unit.get(), data, n, fault, rule = item->onWrite,
                         count = 0](const std::string& d) mutable {
            if (d == data && ++count == n) fault(u->faults());
            return rule ? rule(d) : std::optional<std::string>(d);
        };
    }

    // While the window formName is shown modally, the user clicks control (index for arrays).
    void whenModalClick(const std::string& formName, const std::string& control, int index = -1) {
        host.whileModal[formName] = [control, index](platform::Form& f) {
            platform::Control* c = f.find(control, index);
            ASSERT_NE(c, nullptr) << formName_of(f) << " has no " << control;
            platform::userClick(*c);
        };
    }

    // The link as a connect leaves it, without the identification's commands.
    void connect() {
        core::OpenPort();
        ASSERT_TRUE(core::MSComm1().portOpen());
        core::g.Connected = true;
        unit->clearLog();
    }

    // Connects and leaves the globals as the identification of modelName would: its model
    // number and network, channels in use, and the extension module ext ("VQ": none) shown as
    // extPoints points captioned extCaption.
    void connectAs(const std::string& modelName, int channels, const std::string& ext = "VQ",
                   int extPoints = 16, const std::string& extCaption = "PY16") {
        connect();
        if (HasFatalFailure()) return;
        auto& g = core::g;
        g.ModelName = modelName;
        core::SetModelNum(core::AfterHyphen(modelName));
        core::SetNetType(modelName);
        g.UploadModelNum = g.ModelNum;
        g.ChCount = channels;
        g.ExtName = ext == "VQ" ? "NONE" : ext;
        g.ExtChCount = ext == "VQ" ? 0 : extPoints;
        g.ExtCaption = ext == "VQ" ? "" : extCaption;
    }

    std::vector<std::string> commands() const { return unit->commands(); }
    Cmds sent() const { return unit->commands(); }
    long sentCount(const std::string& cmd) const { return countOf(sent(), cmd); }

    // The loading notice is up.
    static bool loadingUp() { return core::frmLoading.loaded() && core::frmLoading().shown(); }

    // Commands that write data ("D..."), the ones that change the unit.
    std::vector<std::string> writes() const {
        std::vector<std::string> out;
        for (const auto& c : unit->commands()) {
            if (!c.empty() && c[0] == 'D') out.push_back(c);
        }
        return out;
    }

    // Exactly one message was shown, this one.
    void expectOnlyMessage(const std::string& text, const std::string& title,
                           platform::Icon icon = platform::Icon::Critical) const {
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, text);
        EXPECT_EQ(host.messages[0].title, title);
        EXPECT_EQ(host.messages[0].icon, icon);
    }

    // An upload that failed: the one message says so, and the link is closed.
    void expectUploadError() const {
        expectOnlyMessage("Upload Error", "Upload");
        EXPECT_FALSE(core::g.Connected);
    }

    // Enabled state of Start, Stop, Connect, Disconnect, Setting, ComNet, Upload, Download as
    // eight characters, "1" for on.
    std::string row() {
        core::MainWindow& w = core::frmDunax();
        std::string r;
        for (platform::Control* b : {&w.btnStart, &w.btnStop, &w.btnConnect, &w.btnDisconnect,
                                     &w.btnSetting, &w.btnComNet, &w.btnUpload, &w.btnDownload}) {
            r += b->enabled() ? '1' : '0';
        }
        return r;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : host.messages) out.push_back(m.text);
        return out;
    }

    int logCount(const std::string& entry) const {
        int n = 0;
        for (const auto& e : host.log) n += e == entry ? 1 : 0;
        return n;
    }

    static void resetCoreWindows() {
        core::frmExtSelect.reset();
        core::frmComPort.reset();
        core::frmVersion.reset();
        core::frmNONE.reset();
        core::frmNotice.reset();
        core::frmLoading.reset();
        core::frmDunax.reset();
        core::BeginDownload();  // no record of an earlier download
    }

    platform::ScriptedHost host;
    std::shared_ptr<sim::SimUnit> unit;

  private:
    static std::string formName_of(const platform::Form& f) { return f.name(); }
};

}  // namespace dunax::testing
