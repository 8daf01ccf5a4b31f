// WM_PAINT and WM_NCPAINT of attached windows, picked by control kind.
#include "style/paint_handlers.h"

#include "style/colours.h"
#include "style/control_kind.h"
#include "style/dispatch.h"
#include "style/fade.h"
#include "style/paint_handler_parts.h"
#include "style/paint_parts.h"
#include "style/painters.h"
#include "style/primitives.h"
#include "style/properties.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// An owner-drawn push button shows its current state image opaque: a fade
// in progress ends here.
void PaintPushButton(HWND button, WPARAM wParam) {
    PaintDC dc(button, reinterpret_cast<HDC>(wParam));
    ShowStateImageNow(button, dc.get());
}

// An editable combo box is drawn wholly by the engine: white face, one
// outline and the drop-down button in the state it was drawn in last. Its
// edit field is a child window and paints itself.
void PaintEditableCombo(HWND combo, WPARAM wParam) {
    VisualState state = static_cast<VisualState>(GetIntProp(combo, kPropOldState));
    const Box box = GetWindowBox(combo);
    PaintDC dc(combo, reinterpret_cast<HDC>(wParam));
    FillSolid(dc.get(), 0, 0, box.width, box.height, White);
    FrameSolid(dc.get(), 0, 0, box.width, box.height, FrameColour(combo));
    PaintComboButton(combo, dc.get(), state, true);
}

// Over what the combo box's own procedure painted: the double frame and
// the drop-down button in the state it was drawn in last.
void PaintComboOverlay(HWND combo) {
    VisualState state = static_cast<VisualState>(GetIntProp(combo, kPropOldState));
    ScopedWindowDC dc(combo);
    DrawDoubleFrame(combo, dc.get());
    PaintComboButton(combo, dc.get(), state, true);
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
                PaintEditableCombo(window, wParam);
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
            PaintProgressClient(window, wParam);
            return 0;
        case ControlKind::Header:
            PaintHeader(window, wParam);
            return 0;
        case ControlKind::Grid: {
            const LRESULT result = forward();
            if (GetWindowLongA(window, GWL_STYLE) & WS_BORDER) {
                const Box box = GetWindowBox(window);
                ScopedWindowDC dc(window);
                FrameSolid(dc.get(), 0, 0, box.width, box.height, FrameColour(window));
            }
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
