// The program has no command line; Qt reads its own options (-platform, ...) and nothing else
// is looked at.
#include <QApplication>

#include "gui/program.h"
#include "gui/qt_host.h"
#include "platform/startup.h"

int main(int argc, char* argv[]) {
    dunax::platform::SetUpProgramSignals();
    QApplication app(argc, argv);
    dunax::gui::QtHost host;
    dunax::gui::runProgram();
    // Ends at once, as File > Exit does: the windows' global instances are not torn down
    // one by one after the window system has gone.
    host.endProgram();
}
