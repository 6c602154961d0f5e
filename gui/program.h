// The program: its start window and the event loop.
#pragma once

namespace dunax::gui {

// Shows the start window and runs the event loop until the last window closes (the program
// normally ends earlier, through the host's endProgram). Needs a QApplication and a QtHost.
int runProgram();

}  // namespace dunax::gui
