#pragma once
// The whole-control paintings behind HandlePaint and HandleNcPaint, one per
// control kind that the engine draws itself.
#include <windows.h>

namespace tarnwick {

// The DC a WM_PAINT draws on: the DC passed in wParam when a caller asks
// for a painting into its own DC (as for WM_PRINTCLIENT), else BeginPaint's,
// ended with EndPaint on scope exit.
class PaintDC {
public:
    PaintDC(HWND window, WPARAM wParam);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    bool begun_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Progress bars: the client area on WM_PAINT, the whole window (frame and
// client area) on WM_NCPAINT. Both compose off-screen and copy once.
void PaintProgressClient(HWND bar, WPARAM wParam);
void PaintProgressFrame(HWND bar);

// Headers: the background and every item, pressed ("HDINDEX") before hot
// ("HMINDEX") before normal.
void PaintHeader(HWND header, WPARAM wParam);

// A one-pixel outline in the frame colour with a white line inside it, over
// the whole window.
void DrawDoubleFrame(HWND window, HDC windowDc);

// Replaces the sunken edge of a WS_EX_CLIENTEDGE window with a one-pixel
// outline in the frame colour and the client area's background colour
// inside it, over the whole edge.
void ReplaceClientEdge(HWND window);

}  // namespace tarnwick
