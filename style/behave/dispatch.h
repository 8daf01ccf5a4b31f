#pragma once
// The control messages of attached windows, handed to the window's kind:
// StyleWndProc (attach.h) deals with a window's life cycle and passes every
// other message here. The window's kind is read once, from its class name,
// for the messages that depend on it; its row in the kind table says what
// the engine adds before or after the window's own procedure. Every other
// message goes to that procedure alone.
#include <windows.h>

#include "style/behave/style_message.h"

namespace tarnwick {

LRESULT DispatchByKind(const StyleMessage& message);

// WM_PAINT and WM_NCPAINT by the window's kind, for a window whose previous
// procedure is `saved`.
LRESULT HandlePaint(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleNcPaint(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// After every left-button release: redraws the attached check boxes and
// option buttons among the descendants of the window's parent (of the
// window itself when it has none), so that option buttons the click
// switched off show it.
void RepaintTogglesUnderParent(HWND window);

}  // namespace tarnwick
