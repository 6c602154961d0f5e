// The unit fixture with the stand-in windows registered for every model number and network
// type, and a short way to read the main window's button row.
#pragma once

#include <string>

#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "fake_windows.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

class CoreFixture : public UnitFixture {
  protected:
    void SetUp() override {
        fakeModule() = {};
        fakeNetwork() = {};
        for (int n = 0; n < 28; ++n)
            core::RegisterModuleWindow(n, []() -> core::ModuleWindow& { return frmFake(); });
        for (int t = 0; t < 8; ++t)
            core::RegisterNetworkWindow(t, []() -> core::NetworkWindow& { return frmFakeNet(); });
        UnitFixture::SetUp();
    }

    void TearDown() override {
        UnitFixture::TearDown();
        for (int n = 0; n < 28; ++n) core::RegisterModuleWindow(n, {});
        for (int t = 0; t < 8; ++t) core::RegisterNetworkWindow(t, {});
        frmFake.reset();
        frmFakeNet.reset();
    }

    core::MainWindow& main() { return core::frmDunax(); }

    // Enabled state of Start, Stop, Connect, Disconnect, Setting, ComNet, Upload, Download as
    // eight characters, "1" for on.
    std::string row() {
        core::MainWindow& w = main();
        std::string r;
        for (platform::Control* b : {&w.btnStart, &w.btnStop, &w.btnConnect, &w.btnDisconnect,
                                     &w.btnSetting, &w.btnComNet, &w.btnUpload, &w.btnDownload}) {
            r += b->enabled() ? '1' : '0';
        }
        return r;
    }

    std::vector<std::string>& calls() { return fakeModule().calls; }
};

// The rows of the button table.
inline constexpr const char* kRowLoad = "00001000";
inline constexpr const char* kRowConnected = "10011111";
inline constexpr const char* kRowConnectedAfterDialog = "10010111";  // Setting off
inline constexpr const char* kRowDisconnected = "00101000";          // disconnect_btn_control
inline constexpr const char* kRowConnectFailed = "10101000";         // connect_btn_control
inline constexpr const char* kRowStoppedOffline = "10100000";        // stop_btn_control
inline constexpr const char* kRowMonitoring = "01010000";
inline constexpr const char* kRowBusy = "00000000";

}  // namespace dunax::testing
