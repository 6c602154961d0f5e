// What the program sets up for its whole run before anything else happens.
#pragma once

namespace dunax::platform {

// Ignores SIGXFSZ, so that a write beyond the file-size limit of the process fails with EFBIG
// where it happens and is handled there instead of ending the program: Save reports it. The
// settings the window system keeps for itself (the file dialog's last folder) are written cut
// off at the limit; that is harmless, and the next run that may write them in full repairs
// them.
void SetUpProgramSignals();

}  // namespace dunax::platform
