#pragma once
// The engine's dispatch in the shape test::RoutePaintMessages takes, for
// tests that paint a window through the handlers of its kind without
// attaching it.
#include <windows.h>

#include "style/behave/dispatch.h"
#include "style/behave/style_message.h"
#include "tests/support/control_windows.h"

namespace tarnwick::test {

inline LRESULT DispatchToKind(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchByKind(StyleMessage{saved, window, message, wParam, lParam});
}

// WM_PAINT and WM_NCPAINT of the window go through its kind's handlers.
inline void RoutePaintThroughKind(HWND window) { RoutePaintMessages(window, DispatchToKind, DispatchToKind); }

}  // namespace tarnwick::test
