// WM_PAINT and WM_NCPAINT of attached windows, picked by control kind.
#include "style/paint_handlers.h"

#include "style/combo_painter.h"
#include "style/control_kind.h"
#include "style/dispatch.h"
#include "style/fade.h"
#include "style/frame_painter.h"
#include "style/header_painter.h"
#include "style/progress_painter.h"
#include "style/properties.h"
#include "style/toggle_painters.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// An owner-drawn push button shows its current state image opaque: a fade
// in progress ends here.
void PaintPushButton(HWND button, WPARAM wParam) {
    PaintDC dc(button, reinterpret_cast<HDC>(wParam));
    ShowStateImageNow(button, dc.get());
}

}  // namespace

LRESULT HandlePaint(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto forward = [&] { return Forward(saved, window, message, wParam, lParam); };
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::PushButton:
            if (!IsOwnerDrawnButtonStyle(GetIntProp(window, kPropOldStyle))) {
                return forward();  // the platform draws check boxes, radios, group boxes
            }
            PaintPushButton(window, wParam);
            return 0;
        case ControlKind::ComboBox:
            if (IsEditableComboStyle(GetWindowLongA(window, GWL_STYLE))) {
                PaintEditableCombo(window, reinterpret_cast<HDC>(wParam));
                return 0;
            }
            [[fallthrough]];
        case ControlKind::DriveList: {
            const LRESULT result = forward();
            PaintComboOverlay(window);
            return result;
        }
        case ControlKind::CheckBox: {
            const LRESULT result = forward();
            PaintCheckBox(window, VisualState::Normal, true);
            return result;
        }
        case ControlKind::OptionButton: {
            const LRESULT result = forward();
            PaintOptionButton(window, VisualState::Normal, true);
            return result;
        }
        case ControlKind::DataList:
        case ControlKind::ComboList: {
            const LRESULT result = forward();
            ScopedWindowDC dc(window);
            DrawDoubleFrame(window, dc.get());
            return result;
        }
        case ControlKind::ProgressBar:
            PaintProgressClient(window, reinterpret_cast<HDC>(wParam));
            return 0;
        case ControlKind::Header:
            PaintHeader(window, reinterpret_cast<HDC>(wParam));
            return 0;
        case ControlKind::Grid: {
            const LRESULT result = forward();
            if (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) DrawOutline(window);
            return result;
        }
        case ControlKind::Form:
        case ControlKind::Other:
            break;
    }
    return forward();
}

LRESULT HandleNcPaint(WNDPROC saved, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (ClassifyWindowHandle(window)) {
        case ControlKind::ProgressBar:
            PaintProgressFrame(window);
            return 0;
        case ControlKind::DataList:
            return Forward(saved, window, message, wParam, lParam);
        default:
            break;
    }
    const LRESULT result = Forward(saved, window, message, wParam, lParam);
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
        ReplaceClientEdge(window);
    }
    return result;
}

}  // namespace tarnwick
