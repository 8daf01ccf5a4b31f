#pragma once
// A message to an attached window as StyleWndProc received it, with the
// procedure it goes on to: what the engine's message handlers take.
#include <windows.h>

#include "win32/subclass.h"

namespace tarnwick {

struct StyleMessage {
    WNDPROC saved;  // the window's procedure from before attaching ("PROCADDR")
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    // Hands the message to the saved procedure with its own parameters.
    LRESULT Forward() const { return CallSavedProc(saved, window, message, wParam, lParam); }
    // The DC a WM_PAINT came with, when a caller asks for a painting into
    // its own DC (as with WM_PRINTCLIENT); null for a plain WM_PAINT.
    HDC PaintDc() const { return reinterpret_cast<HDC>(wParam); }
};

}  // namespace tarnwick
