// What the program sets up for its whole run before anything else happens.
#pragma once

namespace dunax::platform {

// Ignores SIGXFSZ, so that a write beyond the file-size limit of the process fails with EFBIG
// where it happens and is handled there instead of ending the program: Save reports it, and
// the settings the window system keeps for itself (the file dialog's last folder) are simply
// not written.
void SetUpProgramSignals();

}  // namespace dunax::platform
