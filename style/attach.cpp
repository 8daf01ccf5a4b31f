#include "style/attach.h"

#include "style/button_painter.h"
#include "style/control_kind.h"
#include "style/dispatch.h"
#include "style/engine_state.h"
#include "style/fade.h"
#include "style/primitives.h"
#include "style/properties.h"
#include "style/sprites.h"
#include "win32/gdi_scope.h"
#include "win32/subclass.h"

namespace tarnwick {
namespace {

// Corner ellipse of a push button's rounded region.
constexpr int kButtonCornerSize = 3;
// BM_SETSTYLE changes only the low word of the style (the BS_ bits); the
// high word holds WS_VISIBLE, WS_DISABLED and the like, which the tool may
// change while the button is attached.
constexpr DWORD kButtonStyleBits = 0x0000FFFF;

bool BelongsToThisThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

BOOL CALLBACK AttachChild(HWND child, LPARAM) {
    AttachWindow(child);
    return TRUE;  // always visit every descendant
}

BOOL CALLBACK DetachChild(HWND child, LPARAM) {
    DetachWindow(child);
    return TRUE;
}

// Four memory DCs compatible with the button's window DC, one per
// VisualState, each holding a bitmap of the whole window's size; then the
// four looks are drawn into them.
void CreateButtonStateImages(HWND button) {
    ScopedWindowDC windowDc(button);
    const Box box = GetWindowBox(button);
    for (int state = 0; state < 4; ++state) {
        HDC image = CreateCompatibleDC(windowDc.get());
        SetHandleProp(button, StateImageDcProp(state), image);
        ReplaceStateImageBitmap(button, state, windowDc.get(), box.width, box.height);
    }
    RenderButtonStates(button);
}

void FreeButtonStateImages(HWND button) {
    for (int state = 0; state < 4; ++state) {
        // Deleting the DC first leaves the bitmap unselected, so it can go.
        if (HDC image = GetHandleProp<HDC>(button, StateImageDcProp(state))) DeleteDC(image);
        if (HBITMAP bitmap = GetHandleProp<HBITMAP>(button, StateImageBitmapProp(state))) DeleteObject(bitmap);
        RemovePropA(button, StateImageDcProp(state));
        RemovePropA(button, StateImageBitmapProp(state));
    }
}

void PrepareButton(HWND button) {
    CreateButtonStateImages(button);
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    // Check boxes, radio buttons and group boxes keep the platform's drawing.
    if (IsOwnerDrawnButtonStyle(style)) {
        // lParam -1 asks for a redraw.
        SendMessageA(button, BM_SETSTYLE, BS_OWNERDRAW, -1);
    }
    SetIntProp(button, kPropOldStyle, style);
    SetIntProp(button, kPropMouseFlag, 0);
    SetIntProp(button, kPropTimerId, 0);
    SetIntProp(button, kPropOldState, IsWindowEnabled(button) ? ToInt(VisualState::Normal)
                                                              : ToInt(VisualState::Disabled));
    SetIntProp(button, kPropAlphaLevel, 0);
    SetRoundedButtonRegion(button, GetWindowBox(button));
}

void UndoButton(HWND button) {
    FreeButtonStateImages(button);
    StopFadeTimer(button);
    const DWORD oldStyle = static_cast<DWORD>(GetIntProp(button, kPropOldStyle));
    const DWORD current = static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE));
    SetWindowLongA(button, GWL_STYLE,
                   static_cast<LONG>((current & ~kButtonStyleBits) | (oldStyle & kButtonStyleBits)));
    for (const char* name : {kPropOldStyle, kPropMouseFlag, kPropTimerId, kPropOldState, kPropAlphaLevel}) {
        RemovePropA(button, name);
    }
    SetWindowRgn(button, nullptr, TRUE);
}

// Draws the frame at once through the procedure now in place, and queues
// a paint of the whole window.
void RepaintWholeWindow(HWND window) {
    SendMessageA(window, WM_NCPAINT, 1, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
}

void ResetEngine() {
    EngineState& engine = Engine();
    engine.attachCount = 0;
    DeleteSprites();  // the DCs and the bitmaps they hold
    engine.initialised = false;
}

}  // namespace

void ReplaceStateImageBitmap(HWND button, int state, HDC reference, int width, int height) {
    HDC image = GetHandleProp<HDC>(button, StateImageDcProp(state));
    HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
    HGDIOBJ displaced = image != nullptr && bitmap != nullptr ? SelectObject(image, bitmap) : nullptr;
    if (displaced == nullptr || displaced == HGDI_ERROR) {
        // Not selected: keep the image as it is rather than lose track of
        // the bitmap it holds.
        if (bitmap != nullptr) DeleteObject(bitmap);
        return;
    }
    // The displaced bitmap is the previous image (or the stock 1 x 1 bitmap
    // of a new DC, which DeleteObject leaves alone).
    DeleteObject(displaced);
    SetHandleProp(button, StateImageBitmapProp(state), bitmap);
}

void SetRoundedButtonRegion(HWND button, const Box& box) {
    HRGN region = CreateRoundRectRgn(0, 0, box.width + 1, box.height + 1, kButtonCornerSize, kButtonCornerSize);
    // The window owns the region from here on.
    if (region != nullptr && !SetWindowRgn(button, region, TRUE)) DeleteObject(region);
}

bool AttachWindow(HWND window) {
    if (window == nullptr) return false;
    if (GetIntProp(window, kPropProcAddr) != 0) return false;
    if (!BelongsToThisThread(window)) return false;

    switch (ClassifyWindowHandle(window)) {
        case ControlKind::Form:
            EnumChildWindows(window, AttachChild, 0);
            break;
        case ControlKind::PushButton:
            PrepareButton(window);
            break;
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            SetIntProp(window, kPropMouseFlag, 0);
            SetIntProp(window, kPropOldState, 0);
            break;
        case ControlKind::Header:
            SetIntProp(window, kPropMouseFlag, 0);
            SetIntProp(window, kPropHeaderDownIndex, -1);
            SetIntProp(window, kPropHeaderHotIndex, -1);
            break;
        default:
            break;
    }

    ++Engine().attachCount;
    const WNDPROC previous = ReplaceWindowProc(window, &StyleWndProc);
    SetHandleProp(window, kPropProcAddr, previous);

    RepaintWholeWindow(window);
    return true;
}

bool DetachWindow(HWND window) {
    if (window == nullptr) return false;
    const auto saved = GetHandleProp<WNDPROC>(window, kPropProcAddr);
    if (saved == nullptr) return false;

    switch (ClassifyWindowHandle(window)) {
        case ControlKind::Form:
            EnumChildWindows(window, DetachChild, 0);
            break;
        case ControlKind::PushButton:
            UndoButton(window);
            break;
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            RemovePropA(window, kPropMouseFlag);
            RemovePropA(window, kPropOldState);
            break;
        case ControlKind::Header:
            RemovePropA(window, kPropMouseFlag);
            RemovePropA(window, kPropHeaderDownIndex);
            RemovePropA(window, kPropHeaderHotIndex);
            break;
        default:
            break;
    }

    RemovePropA(window, kPropProcAddr);
    ReplaceWindowProc(window, saved);
    RepaintWholeWindow(window);

    if (--Engine().attachCount <= 0) ResetEngine();
    return true;
}

}  // namespace tarnwick
