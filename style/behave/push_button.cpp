#include "style/behave/push_button.h"

#include "style/behave/fade.h"
#include "style/behave/hover.h"
#include "style/draw/primitives.h"
#include "style/model/button_properties.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "win32/gdi_scope.h"
#include "win32/surface.h"

namespace tarnwick {
namespace {

// Corner ellipse of a push button's rounded region.
constexpr int kButtonCornerSize = 3;
// BM_SETSTYLE changes only the low word of the style (the BS_ bits); the
// high word holds WS_VISIBLE, WS_DISABLED and the like, which the tool may
// change while the button is attached.
constexpr DWORD kButtonStyleBits = 0x0000FFFF;

// Puts a new bitmap of width x height, to be copied onto `reference`, into the
// image of `state` and frees the bitmap it displaces. When no bitmap can be
// made the image keeps the one it has.
void ReplaceStateImageBitmap(const PushButtonProperties& button, VisualState state, HDC reference, int width,
                             int height) {
    HDC image = button.StateImage(state);
    HBITMAP bitmap = CreateSurfaceBitmap(reference, width, height);
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
    button.SetStateBitmap(state, bitmap);
}

// The rounded outline: a region of the window box's size with 3 x 3 corner
// ellipses; the window owns the region from then on.
void SetRoundedButtonRegion(HWND button, const Box& box) {
    HRGN region = CreateRoundRectRgn(0, 0, box.width + 1, box.height + 1, kButtonCornerSize, kButtonCornerSize);
    if (region != nullptr && !SetWindowRgn(button, region, TRUE)) DeleteObject(region);
}

// Four memory DCs compatible with the button's window DC, one per
// VisualState, each holding a bitmap of the whole window's size; then the
// four looks are drawn into them.
void CreateButtonStateImages(const PushButtonProperties& button) {
    ScopedWindowDC windowDc(button.window());
    const Box box = GetWindowBox(button.window());
    for (VisualState state : kEveryVisualState) {
        button.SetStateImage(state, CreateCompatibleDC(windowDc.get()));
        ReplaceStateImageBitmap(button, state, windowDc.get(), box.width, box.height);
    }
    RenderButtonStates(button.window());
}

void FreeButtonStateImages(const PushButtonProperties& button) {
    for (VisualState state : kEveryVisualState) {
        // Deleting the DC first leaves the bitmap unselected, so it can go.
        if (HDC image = button.StateImage(state)) DeleteDC(image);
        if (HBITMAP bitmap = button.StateBitmap(state)) DeleteObject(bitmap);
        RemovePropA(button.window(), StateImageDcProp(ToInt(state)));
        RemovePropA(button.window(), StateImageBitmapProp(ToInt(state)));
    }
}

// Blends the image of the state the button shows at the opacity of the
// next blend; a disabled button shows its disabled image, whatever state
// it had. Only owner-drawn buttons are blended onto. `target` null: the
// window DC.
void BlendShownImage(PushButtonProperties& button, HDC target) {
    const bool ownerDrawn = IsOwnerDrawnButtonStyle(button.OldStyle());
    VisualState state = button.State();
    if (state != VisualState::Disabled && !IsWindowEnabled(button.window())) {
        state = VisualState::Disabled;
        button.SetState(state);
    }
    const int alpha = button.Alpha();
    // The image is read only when it can be drawn.
    if (ownerDrawn && alpha > 0) BlendButtonImage(button.window(), target, button.StateImage(state), alpha);
}

// The shown state's image opaque, at once: a running fade stops and the
// opacity stays 255, so a later blend without a new fade is opaque too.
void ShowStateImageNow(PushButtonProperties& button, HDC target) {
    StopFadeTimer(button);
    button.SetAlpha(255);
    BlendShownImage(button, target);
}

// The normal image fades in from `level`; the next mouse move counts as
// entering again.
void ReleaseButtonWithFade(HWND window, int level) {
    MarkMouseOutside(window);
    PushButtonProperties button(window);
    button.SetState(VisualState::Normal);
    FadeInFrom(button, level);
    button.Store();
}

}  // namespace

void AttachPushButton(HWND window) {
    PushButtonProperties button(window);
    CreateButtonStateImages(button);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    // Check boxes, radio buttons and group boxes keep the platform's drawing.
    if (IsOwnerDrawnButtonStyle(style)) {
        // lParam -1 asks for a redraw.
        SendMessageA(window, BM_SETSTYLE, BS_OWNERDRAW, -1);
    }
    button.SetOldStyle(style);
    MarkMouseOutside(window);
    button.SetTimerId(0);
    button.SetState(IsWindowEnabled(window) ? VisualState::Normal : VisualState::Disabled);
    button.SetAlpha(0);
    button.Store();
    SetRoundedButtonRegion(window, GetWindowBox(window));
}

void DetachPushButton(HWND window) {
    // Nothing is stored: the properties go.
    PushButtonProperties button(window);
    FreeButtonStateImages(button);
    StopFadeTimer(button);
    const DWORD oldStyle = static_cast<DWORD>(button.OldStyle());
    const DWORD current = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    SetWindowLongA(window, GWL_STYLE,
                   static_cast<LONG>((current & ~kButtonStyleBits) | (oldStyle & kButtonStyleBits)));
    for (const char* name : {kPropOldStyle, kPropMouseFlag, kPropTimerId, kPropOldState, kPropAlphaLevel}) {
        RemovePropA(window, name);
    }
    SetWindowRgn(window, nullptr, TRUE);
}

LRESULT PaintPushButton(const StyleMessage& message) {
    PushButtonProperties button(message.window);
    if (!IsOwnerDrawnButtonStyle(button.OldStyle())) {
        return message.Forward();  // the platform draws check boxes, radios, group boxes
    }
    PaintDC dc(message.window, message.PaintDc());
    ShowStateImageNow(button, dc.get());
    button.Store();
    return 0;
}

void TickPushButtonFade(HWND window) {
    // One blend; the level is all the tick changes, and the fade's end.
    PushButtonProperties button(window);
    BlendShownImage(button, nullptr);
    const FadeStep step = NextFadeLevel(button.Alpha());
    if (step.finished) StopFadeTimer(button);
    button.SetAlpha(step.level);
    button.Store();
}

WPARAM KeepPushButtonOwnerDrawn(HWND window, WPARAM style) {
    PushButtonProperties button(window);
    const LONG oldStyle = button.OldStyle();
    if (!IsOwnerDrawnButtonStyle(oldStyle)) return style;
    const LONG type = static_cast<LONG>(style) & BS_TYPEMASK;
    button.SetOldStyle((oldStyle & ~BS_TYPEMASK) | type);
    button.Store();
    // A type the engine draws stays owner-draw on the screen; a check box or
    // radio type (never asked for by the dialog manager) is the platform's.
    return IsOwnerDrawnButtonStyle(type) ? ((style & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW) : style;
}

void ReleasePushButtonClick(HWND button) { ReleaseButtonWithFade(button, kReleaseFadeStart); }

void ReleasePushButtonSpace(HWND button) { ReleaseButtonWithFade(button, 0); }

void ResizePushButton(HWND window) {
    const PushButtonProperties button(window);
    const Box box = GetWindowBox(window);
    {
        ScopedWindowDC windowDc(window);
        for (VisualState state : kEveryVisualState) {
            ReplaceStateImageBitmap(button, state, windowDc.get(), box.width, box.height);
        }
        RenderButtonStates(window);
    }
    SetRoundedButtonRegion(window, box);
}

void RefocusPushButton(HWND window) {
    // The images carry the focus rectangle only while focused.
    RenderButtonStates(window);
    PushButtonProperties button(window);
    FadeInFrom(button, 0);
    button.Store();
}

void EnablePushButton(HWND window, bool enabled) {
    // Opaque, not at the current level: a finished fade leaves it at 0, at
    // which the new state would not show at all.
    PushButtonProperties button(window);
    button.SetState(enabled ? VisualState::Normal : VisualState::Disabled);
    ShowStateImageNow(button, nullptr);
    button.Store();
}

void PressPushButton(HWND window) {
    PushButtonProperties button(window);
    button.SetState(VisualState::Pressed);
    ShowStateImageNow(button, nullptr);
    // The level goes back to 0 for the fade that follows the release.
    button.SetAlpha(0);
    button.Store();
}

void PressPushButtonAt(HWND button, POINT) { PressPushButton(button); }

void HoverPushButton(HWND window, POINT, bool) {
    if (EnterWindow(window)) {
        // The hot image fades in.
        PushButtonProperties button(window);
        button.SetState(VisualState::Hot);
        FadeInFrom(button, 0);
        button.Store();
        return;
    }
    // The button holds the mouse captured during a press and the cursor has
    // left it: the current image at once, opaque.
    if (WindowUnderCursor() != window) {
        PushButtonProperties button(window);
        ShowStateImageNow(button, nullptr);
        button.Store();
    }
}

void LeavePushButton(HWND window) {
    MarkMouseOutside(window);
    // One blend of the hot image at 140, then the normal image fades in
    // over it.
    PushButtonProperties button(window);
    button.SetState(VisualState::Hot);
    button.SetAlpha(kLeaveBlendLevel);
    BlendShownImage(button, nullptr);
    button.SetState(VisualState::Normal);
    FadeInFrom(button, 0);
    button.Store();
}

}  // namespace tarnwick
