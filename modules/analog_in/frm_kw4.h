// The window of the four-channel voltage/current input model (model 0: KW4 and KWH4): per
// channel a range from a list of voltage and current ranges and the six scaling parameters;
// for the module Output Hold/Clear and the extension module display.
#pragma once

#include "modules/analog_frame.h"
#include "platform/control.h"

namespace dunax::modules {

class KW4Window : public AnalogWindow {
  public:
    KW4Window();

    // Upload and download.
    void frmKW4_Init();
    void frmKW4_Download();

    void Init() override { frmKW4_Init(); }
    void Download() override { frmKW4_Download(); }
};

extern platform::FormInstance<KW4Window> frmKW4;

}  // namespace dunax::modules
