#pragma once
// Real controls for painting tests: the common controls loaded at run time,
// superclasses registered under other class names, a visible host window,
// window captures, and a small subclass that hands WM_PAINT and WM_NCPAINT
// to functions under test.
#include <windows.h>

#include <memory>

#include "tests/support/pixels.h"

namespace tarnwick::test {

// Loads comctl32 and registers its window classes ("msctls_progress32",
// "SysHeader32", ...). True when they are available.
bool LoadCommonControls();

// Registers `name` as a class of this module with the window procedure,
// extra bytes and styles of the system class `base` (e.g. "ThunderRT6CheckBox"
// from "Button"). True when it is registered now or was already.
bool RegisterSuperclass(const char* name, const char* base);

// A visible top-level window, without frame and not activated, to put test
// controls in.
HWND CreateHostWindow(int x, int y, int width, int height);

// The window's whole area (GetWindowDC, origin at its outer top-left), as
// shown now.
std::unique_ptr<DibCanvas> CaptureWindow(HWND window);

// The window's client area (GetDC), as shown now.
std::unique_ptr<DibCanvas> CaptureClient(HWND window);

// A function that takes a message in place of a window procedure, given
// the procedure it replaces (the shape of the engine's handlers).
using MessageHook = LRESULT (*)(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Subclasses the window so that WM_PAINT goes to `paint` and WM_NCPAINT to
// `ncPaint` (either may be null: the message then goes on as before); every
// other message goes to the previous procedure. The subclass removes itself
// at WM_NCDESTROY.
void RoutePaintMessages(HWND window, MessageHook paint, MessageHook ncPaint);

// The previous procedure that RoutePaintMessages saved (null when the window
// is not routed).
WNDPROC RoutedPreviousProc(HWND window);

// Invalidates the whole window, frame included, and has it repainted at
// once (WM_NCPAINT, WM_ERASEBKGND, WM_PAINT), children too.
void RepaintNow(HWND window);

}  // namespace tarnwick::test
