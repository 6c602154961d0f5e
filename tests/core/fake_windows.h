// Stand-ins for a module window and a network window: they record what the main window asks
// of them, in order, and do what the test tells them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/ext_display.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"

namespace dunax::testing {

// What the fake module window does and what it was asked; shared by every instance, so that
// a window created anew keeps the script.
struct FakeModuleScript {
    std::vector<std::string> calls;
    bool checkOk = true;
    int dataErrorNo = 0;  // set by CheckData, as the encoder counter window does
    bool txtAble2 = false;
    bool preset = false;
    bool cmdset = false;
    // Whether a monitoring pass reads from the unit (a window with no channel in use and no
    // extension module asks it nothing).
    bool readsUnit = true;
    // Extra work of each operation, after it is recorded.
    std::function<void()> onInit;
    std::function<void()> onReadingData;
    std::function<void()> onDownload;
};

inline FakeModuleScript& fakeModule() {
    static FakeModuleScript s;
    return s;
}

class FakeModuleWindow : public core::ModuleWindow {
  public:
    FakeModuleWindow() : ModuleWindow("frmFake") {
        for (int n = 0; n < 16; ++n) {
            add(platform::Kind::TextBox, "txtChData", n, nullptr, txtChData);
        }
        add(platform::Kind::Label, "lblExtIndex", 0, nullptr, lblExtIndex);
        add(platform::Kind::Label, "lblV_Ext");
    }

    void Init() override {
        record("Init");
        core::ExtDisplayInit(*this);
        if (s().onInit) s().onInit();
    }
    void Download() override {
        record("Download");
        if (s().onDownload) s().onDownload();
    }
    void ReadingData() override {
        record("ReadingData");
        // A monitoring pass reads from the unit, as the real windows do when they have
        // something to show.
        if (s().readsUnit) core::SelectReadRetry(3, "00", "21");
        if (s().onReadingData) s().onReadingData();
    }
    bool CheckData() override {
        record("CheckData");
        if (s().dataErrorNo != 0) core::g.DataErrorNo = s().dataErrorNo;
        return s().checkOk;
    }
    void txt_able(bool f) override { record(std::string("txt_able(") + (f ? "1)" : "0)")); }
    bool hasTxtAble2() const override { return s().txtAble2; }
    void txt_able2(bool f) override { record(std::string("txt_able2(") + (f ? "1)" : "0)")); }
    bool hasPresetAble() const override { return s().preset; }
    bool preset_able(bool f) override {
        record(std::string("preset_able(") + (f ? "1)" : "0)"));
        return true;
    }
    bool hasCmdset() const override { return s().cmdset; }
    void cmdset_disable() override { record("cmdset_disable"); }
    void cmdset_enable() override { record("cmdset_enable"); }

    platform::ControlArray txtChData;
    platform::ControlArray lblExtIndex;

  private:
    static FakeModuleScript& s() { return fakeModule(); }
    static void record(std::string call) { s().calls.push_back(std::move(call)); }
};

inline platform::FormInstance<FakeModuleWindow> frmFake;

struct FakeNetworkScript {
    std::vector<std::string> calls;
};

inline FakeNetworkScript& fakeNetwork() {
    static FakeNetworkScript s;
    return s;
}

class FakeNetworkWindow : public core::NetworkWindow {
  public:
    FakeNetworkWindow()
        : NetworkWindow("frmFakeNet"), btnExit(add(platform::Kind::CommandButton, "btnExit")) {
        btnExit.onClick = [this] {
            fakeNetwork().calls.push_back("btnExit_Click");
            hide();
            core::frmDunax().btnConnect_Click();
        };
    }
    void btnUpload_Click() override { fakeNetwork().calls.push_back("btnUpload_Click"); }
    void btnDownload_Click() override { fakeNetwork().calls.push_back("btnDownload_Click"); }

    platform::Control& btnExit;
};

inline platform::FormInstance<FakeNetworkWindow> frmFakeNet;

}  // namespace dunax::testing
