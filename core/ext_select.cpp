#include "core/ext_select.h"

#include <string>

#include "core/globals.h"
#include "core/main_window.h"

namespace dunax::core {

using platform::Kind;

platform::FormInstance<ExtSelectWindow> frmExtSelect;

ExtSelectWindow::ExtSelectWindow()
    : Form("frmExtSelect"),
      Label1(add(Kind::Label, "Label1")),
      Label2(add(Kind::Label, "Label2")),
      Command1(add(Kind::CommandButton, "Command1")),
      Command2(add(Kind::CommandButton, "Command2")) {
    setCaption("Extension module type");
    resize(4200, 2100);
    Label1.setCaption("Select the connected").setGeometry(240, 180, 3600, 255);
    Label2.setCaption(" extension module type.").setGeometry(240, 435, 3600, 255);
    Command1.setGeometry(480, 960, 1335, 420);
    Command2.setGeometry(2205, 960, 1335, 420);
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

void ExtSelectWindow::ExtName_Select() {
    if (g.ExtName == "DI") {
        Command1.setCaption("PY16");
        Command2.setCaption("PY8");
    } else if (g.ExtName == "DO") {
        Command1.setCaption("PG16");
        Command2.setCaption("PG8");
    } else {
        Command1.setCaption("");
        Command2.setCaption("");
        g.ExtName = "NONE";
    }
}

void ExtSelectWindow::Command1_Click() {
    choose(16);
}
void ExtSelectWindow::Command2_Click() {
    choose(8);
}

void ExtSelectWindow::choose(int points) {
    MainWindow& main = frmDunax();
    const char* family = g.ExtName == "DI" ? "PY" : g.ExtName == "DO" ? "PG" : nullptr;
    if (family) {
        g.ExtChCount = points;
        g.ExtCaption = family + std::to_string(points);
        main.lblExtName.setCaption("+" + g.ExtCaption);
        main.Frame6.setVisible(true);
    } else {
        g.ExtChCount = 0;
        g.ExtCaption.clear();
        main.lblExtName.setCaption("");
        main.Frame6.setVisible(false);
        g.ExtName = "NONE";
    }
    unload();
}

}  // namespace dunax::core
