// Hands the main window the discrete module windows.
#pragma once

namespace dunax::modules {

// Models 5 (frmMX16), 6 (frmJR16), 9 (frmJR8U), 16 (frmBV8), 20 (frmMXJ16), 25 (frmJR4T) and
// 27 (frmJR8Y).
void RegisterDiscreteWindows();

}  // namespace dunax::modules
