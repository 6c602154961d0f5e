// Handing Download and Monitoring to the module window of the identified model, placing
// module windows, and the progress window.
#pragma once

#include <string>

#include "platform/control.h"

namespace dunax::core {

// Writes the maintenance switch and then has the module window of UploadModelNum write its
// settings, as one download record (core/download_record.h). When the unit did not take the
// maintenance write, nothing else is written.
void DownloadModule();
// Runs monitoring passes of the module window of UploadModelNum until Monitoring is cleared
// (Stop, Disconnect) or the link has gone.
void MonitorLoop();
// Places a module window at the top left of the main window's document area and shows it.
void ShowModuleForm(platform::Form& frm);
// Shows the progress window with a bar from 0 to ChCount + 1.
void ShowLoading(const std::string& caption);

// The progress window.
class LoadingWindow : public platform::Form {
  public:
    LoadingWindow();
    platform::Control& lblLoading;
    platform::Control& pgBarLoading;
};
extern platform::FormInstance<LoadingWindow> frmLoading;

}  // namespace dunax::core
