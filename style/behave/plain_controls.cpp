#include "style/behave/plain_controls.h"

#include "style/paint/frame_painter.h"
#include "style/paint/progress_painter.h"
#include "win32/gdi_scope.h"

namespace tarnwick {

LRESULT PaintProgressBar(const StyleMessage& message) {
    PaintProgressClient(message.window, message.PaintDc());
    return 0;
}

LRESULT PaintProgressBarFrame(const StyleMessage& message) {
    PaintProgressFrame(message.window);
    return 0;
}

LRESULT PaintListFrame(const StyleMessage& message) {
    const LRESULT result = message.Forward();
    ScopedWindowDC dc(message.window);
    DrawDoubleFrame(message.window, dc.get());
    return result;
}

LRESULT PaintGridFrame(const StyleMessage& message) {
    const LRESULT result = message.Forward();
    if (GetWindowLongA(message.window, GWL_STYLE) & WS_BORDER) DrawOutline(message.window);
    return result;
}

}  // namespace tarnwick
