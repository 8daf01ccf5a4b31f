#pragma once
// Replacing a window's procedure and calling the procedure it replaced, in
// the window's own character set. A Unicode window subclassed through the
// ANSI functions has every text message converted through the system's code
// page on its way to the new procedure and back again, and loses whatever
// that code page lacks (every Chinese character on an English system). So a
// Unicode window is handled only through the wide functions and an ANSI
// window only through the ANSI ones, and no text is converted.
#include <windows.h>

namespace tarnwick {

// Installs `procedure` as the window's procedure; returns the one it
// replaces (a value for CallSavedProc, not necessarily a callable address).
inline WNDPROC ReplaceWindowProc(HWND window, WNDPROC procedure) {
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(IsWindowUnicode(window) ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

// Hands the message to a procedure that ReplaceWindowProc returned.
inline LRESULT CallSavedProc(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? CallWindowProcW(saved, window, message, wParam, lParam)
                                   : CallWindowProcA(saved, window, message, wParam, lParam);
}

// The platform's default handling, for a window whose saved procedure is gone.
inline LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarnwick
