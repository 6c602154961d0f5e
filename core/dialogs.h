// The small windows around the main window: the port dialog, the version box, the window shown
// in place of a module window for a model the program does not know, and the notice to restart
// the unit after its network settings were changed.
#pragma once

#include "platform/control.h"

namespace dunax::core {

// Port dialog: COM1..COM8; OK reopens the port on the choice and connects.
class ComPortWindow : public platform::Form {
  public:
    ComPortWindow();

    void Form_Load();
    void btnExit_Click();

    platform::Control& Frame1;
    platform::ControlArray optCom;  // optCom(1)..optCom(8), the index is the port number
    platform::Control& btnExit;

  private:
    platform::Control& addPortsAndOk();
};
extern platform::FormInstance<ComPortWindow> frmComPort;

// The port the dialog's options name: the first set option of optCom(1)..optCom(8) becomes
// ComPortNo and the main window's port label. OpenPort asks it (SetPortChoice); reading the
// options creates the dialog, which starts on ComPortNo, when it is not loaded.
void ReadPortChoice();

class VersionWindow : public platform::Form {
  public:
    VersionWindow();

    void Form_Load();
    void cmdOK_Click();

    platform::Control& lblTitle;
    platform::ControlArray lblName;  // lblName(0) "Version", lblName(1) the version text
    platform::Control& Line1;
    platform::Control& cmdOK;
};
extern platform::FormInstance<VersionWindow> frmVersion;

inline constexpr const char* kProgramVersion = "0.50";

// Shown at the module window's place when the identified model has no window.
class NoneWindow : public platform::Form {
  public:
    NoneWindow();

    platform::Control& Frame1;
    platform::Control& Label1;
    platform::Control& Label2;
};
extern platform::FormInstance<NoneWindow> frmNONE;

// The power-cycle notice; OK disconnects.
class NoticeWindow : public platform::Form {
  public:
    NoticeWindow();

    void OKButton_Click();

    platform::Control& Label2;
    platform::Control& Label1;
    platform::Control& OKButton;
};
extern platform::FormInstance<NoticeWindow> frmNotice;

}  // namespace dunax::core
