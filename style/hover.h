#pragma once
// Hover tracking and fades: what attached controls do when the mouse enters,
// moves over and leaves them, and the fade timer's tick that blends a push
// button's current state image onto it in steps.
//
// Push buttons fade: entering fades the hot image in from opacity 0, leaving
// blends the hot image once at 140 and then fades the normal image in. The
// other interactive kinds switch to their hot look at once; headers light
// the item under the cursor. A control learns that the mouse left from one
// WM_MOUSELEAVE that it requests when the mouse enters ("MOUSEFLAG" 1).
#include <windows.h>

#include <vector>

namespace tarnwick {

// WM_MOUSEMOVE, WM_MOUSELEAVE and WM_TIMER of attached windows. All three
// forward first and return the forward's result.
LRESULT HandleMouseMove(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleMouseLeave(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleFadeTick(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The opacity after one fade tick from `level`, and whether the fade ends
// with it (the step took it past 255; the level then goes back to 0).
struct FadeStep {
    int level;
    bool finished;
};
FadeStep NextFadeLevel(int level);

// Whether (x, y), in window coordinates, lies on the drop-down button of an
// editable combo box of the given window size: width - b - 2 <= x <=
// width - 2 and 2 <= y <= height - 2, b being the scroll-bar width.
bool InDropButtonArea(int x, int y, int width, int height, int scrollBarWidth);

// The first of the item spans [left, right] (both ends inclusive) that
// holds x, or -1. A point on the line between two items belongs to the
// lower index.
int ItemAt(const std::vector<RECT>& items, int x);

// The header item under x, from the header's own item rectangles; -1 when
// none is, or the header has no items.
int HeaderItemAt(HWND header, int x);

// Marks the mouse as inside the window: when "MOUSEFLAG" is 0, sets it and
// asks for one WM_MOUSELEAVE. Returns true when the mouse entered just now.
bool EnterWindow(HWND window);

}  // namespace tarnwick
