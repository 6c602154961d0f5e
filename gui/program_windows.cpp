#include "program_windows.h"

namespace dunax::gui {

void registerWindows() {}

}  // namespace dunax::gui
