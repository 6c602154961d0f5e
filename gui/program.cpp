#include "gui/program.h"

#include <QApplication>

#include "core/main_window.h"
#include "program_windows.h"

namespace dunax::gui {

int runProgram() {
    // The title of message boxes that bring none of their own.
    QApplication::setApplicationName(QStringLiteral("DUNAX"));
    registerWindows();
    // The main window's load sets up the program's tables and start values.
    core::frmDunax().show();
    return QApplication::exec();
}

}  // namespace dunax::gui
