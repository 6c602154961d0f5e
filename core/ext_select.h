// The dialog that asks which extension module is fitted: the unit reports only whether its
// points are inputs ("DI") or outputs ("DO"); the user chooses 16 or 8 points.
#pragma once

#include "platform/control.h"

namespace dunax::core {

class ExtSelectWindow : public platform::Form {
  public:
    ExtSelectWindow();

    // Captions of the two choices for ExtName; an ExtName other than "DI" and "DO" becomes
    // "NONE" and leaves both blank.
    void ExtName_Select();
    // The first choice (16 points) and the second (8 points); each closes the dialog.
    void Command1_Click();
    void Command2_Click();

    platform::Control& Label1;
    platform::Control& Label2;
    platform::Control& Command1;
    platform::Control& Command2;

  private:
    void choose(int points);
};

extern platform::FormInstance<ExtSelectWindow> frmExtSelect;

}  // namespace dunax::core
