#include "platform/startup.h"

#include <signal.h>

namespace dunax::platform {

void SetUpProgramSignals() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace dunax::platform
