#pragma once
// A crash of the command line ends the process with ExitCode::InternalError
// at once: no crash dialog waits for a click in front of a script (nor
// Wine's debugger), and the shell never sees an exception code whose low
// byte would read as one of the documented codes (0xC0000005 reads as 5
// under a Unix shell), nor abort()'s 3.
#include <windows.h>

namespace tarnwick::cli {

// Installs the unhandled-exception filter, the abort and terminate
// handlers, and the error mode that keeps the system's own boxes ("no
// disk in the drive") away. For the command line only: the window keeps
// the system's crash report.
void EndWithInternalErrorOnCrash();

}  // namespace tarnwick::cli
