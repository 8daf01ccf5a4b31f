#include "cli/console_events.h"

namespace tarnwick::cli {

bool ConsoleEventKeepsTwinWaiting(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

BOOL WINAPI KeepTwinWaiting(DWORD event) { return ConsoleEventKeepsTwinWaiting(event) ? TRUE : FALSE; }

}  // namespace tarnwick::cli
