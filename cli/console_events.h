#pragma once
// How the console twin (Tarnwick.com) answers the console's events while
// it waits for Tarnwick.exe. Ctrl+C and Ctrl+Break end neither program:
// the window program goes on patching either way (it is not attached to
// the console while it works), and a twin that ended would hand the
// prompt or the batch file the code 0xC000013A, which "if errorlevel 1"
// reads as success because it is negative. The twin keeps waiting and
// ends with the real exit code. Closing the console, logging off and
// shutting down end it as usual.
#include <windows.h>

namespace tarnwick::cli {

// Whether the twin ignores the console event (a CTRL_*_EVENT).
bool ConsoleEventKeepsTwinWaiting(DWORD event);

// The handler for SetConsoleCtrlHandler: TRUE for the events above, so
// that the system's default handler does not end the process.
BOOL WINAPI KeepTwinWaiting(DWORD event);

}  // namespace tarnwick::cli
