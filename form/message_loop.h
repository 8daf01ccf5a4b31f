#pragma once
// The tool's message loop.
#include <windows.h>

namespace tarnwick {

// Runs the message loop until no form of the tool is left. Tab and
// Shift+Tab move the focus within the form that holds it.
int RunMessageLoop();

// While the loop runs, a signalled `handle` (a change notification, say)
// is sent to `window` as `message` with the handle as wParam; the window
// must reset or stop watching it before it returns, or it is sent again.
// A handle is watched once; watching it again changes its window and
// message. Up to MAXIMUM_WAIT_OBJECTS - 1 handles.
bool WatchHandle(HANDLE handle, HWND window, UINT message);
void StopWatchingHandle(HANDLE handle);

}  // namespace tarnwick
