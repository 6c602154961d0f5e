// Makes the module and network windows known to the main window's dispatch.
#pragma once

namespace dunax::gui {
void registerWindows();
}
