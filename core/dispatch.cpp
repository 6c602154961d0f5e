#include "core/dispatch.h"

#include <cstdint>

#include "core/download_record.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "platform/host.h"

namespace dunax::core {

using platform::Kind;

platform::FormInstance<LoadingWindow> frmLoading;

namespace {
// Size of a module window in the main window's document area, in twips.
constexpr int kModuleWidth = 9650;
constexpr int kModuleHeight = 7400;
}  // namespace

void DownloadModule() {
    BeginDownload();
    if (DownloadWrite(kMaintenanceSwitchName, "00", "01", "F").empty()) return;
    if (ModuleWindow* w = ModuleWindowFor(g.UploadModelNum)) w->Download();
}

void MonitorLoop() {
    while (g.Monitoring && g.Connected) {
        platform::host().doEvents();
        // Stop or Disconnect ran between two passes: no further pass, no monitoring lamp.
        if (!g.Monitoring || !g.Connected) break;
        frmDunax().shpLamp.setFillColor(kLampMonitoring);
        ModuleWindow* w = ModuleWindowFor(g.UploadModelNum);
        if (!w) break;
        const std::int64_t passStart = platform::host().nowMs();
        {
            SilenceWatch watch;
            w->ReadingData();
        }
        // A unit gone silent ends monitoring and the link, also after Stop, and is told once:
        // a window that told its own failure of the pass has disconnected already.
        if (HasUnitStoppedAnswering()) {
            if (g.Connected) frmDunax().UnitStoppedAnswering();
            break;
        }
        // Every command takes at least its pause; a pass that asked the unit nothing (no
        // channel in use, no extension module) waits for events until that long has passed,
        // so that monitoring never spins.
        const std::int64_t passEnd = passStart + kCommandPauseMs;
        if (platform::host().nowMs() < passEnd) platform::host().waitForInput(nullptr, passEnd);
    }
}

void ShowModuleForm(platform::Form& frm) {
    frm.hide();
    frm.setGeometry(0, 0, kModuleWidth, kModuleHeight);
    frm.show();
    g.ModuleFormShown = true;
}

LoadingWindow::LoadingWindow()
    : Form("frmLoading"),
      lblLoading(add(Kind::Label, "lblLoading")),
      pgBarLoading(add(Kind::ProgressBar, "pgBarLoading")) {
    setCaption("DUNAX");
    resize(4800, 1560);
    lblLoading.setAlignment(2).setGeometry(240, 180, 4200, 255);
    pgBarLoading.setGeometry(240, 540, 4200, 315);
}

void ShowLoading(const std::string& caption) {
    LoadingWindow& w = frmLoading();
    w.pgBarLoading.setMin(0);
    w.pgBarLoading.setMax(g.ChCount + 1);
    w.pgBarLoading.setProgress(0);
    w.lblLoading.setCaption(caption);
    w.show();
}

}  // namespace dunax::core
