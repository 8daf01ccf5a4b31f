#include "style/behave/push_button.h"

#include "style/behave/fade.h"
#include "style/behave/hover.h"
#include "style/draw/primitives.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"
#include "style/paint/button_painter.h"
#include "win32/gdi_scope.h"

namespace tarnwick {
namespace {

// Corner ellipse of a push button's rounded region.
constexpr int kButtonCornerSize = 3;
// BM_SETSTYLE changes only the low word of the style (the BS_ bits); the
// high word holds WS_VISIBLE, WS_DISABLED and the like, which the tool may
// change while the button is attached.
constexpr DWORD kButtonStyleBits = 0x0000FFFF;

// Puts a new bitmap of width x height, compatible with `reference`, into the
// state image `state` ("HDC" + state) and frees the bitmap it displaces;
// "BMP" + state names the new one. When no bitmap can be made the image
// keeps the one it has.
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

// The rounded outline: a region of the window box's size with 3 x 3 corner
// ellipses; the window owns the region from then on.
void SetRoundedButtonRegion(HWND button, const Box& box) {
    HRGN region = CreateRoundRectRgn(0, 0, box.width + 1, box.height + 1, kButtonCornerSize, kButtonCornerSize);
    if (region != nullptr && !SetWindowRgn(button, region, TRUE)) DeleteObject(region);
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

// The current state image ("OLDSTATE") opaque, at once: a running fade
// stops and "ALPHALEVEL" stays 255, so a later blend without a new fade is
// opaque too. `target` null: the window DC. `known` is what the caller has
// read or written of the look in this message already.
void ShowStateImageNow(HWND button, HDC target, KnownLook known = {}) {
    StopFadeTimer(button);
    SetIntProp(button, kPropAlphaLevel, 255);
    known.alpha = 255;
    BlendButtonLook(button, target, ReadButtonLook(button, known));
}

// The normal image fades in from `startLevel`; the next mouse move counts
// as entering again.
void ReleaseButtonWithFade(HWND button, int startLevel) {
    SetIntProp(button, kPropMouseFlag, 0);
    SetIntProp(button, kPropOldState, ToInt(VisualState::Normal));
    SetIntProp(button, kPropAlphaLevel, startLevel);
    StartFadeTimer(button);
}

}  // namespace

void AttachPushButton(HWND button) {
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

void DetachPushButton(HWND button) {
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

LRESULT PaintPushButton(const StyleMessage& message) {
    const LONG oldStyle = GetIntProp(message.window, kPropOldStyle);
    if (!IsOwnerDrawnButtonStyle(oldStyle)) {
        return message.Forward();  // the platform draws check boxes, radios, group boxes
    }
    PaintDC dc(message.window, message.PaintDc());
    ShowStateImageNow(message.window, dc.get(), {.oldStyle = oldStyle});
    return 0;
}

void TickPushButtonFade(HWND button) {
    // The button's properties are read once for the tick and the level is
    // the only one written.
    const ButtonLook look = ReadButtonLook(button);
    BlendButtonLook(button, nullptr, look);
    const FadeStep step = NextFadeLevel(look.alpha);
    if (step.finished) StopFadeTimer(button);
    if (step.level != look.alpha) SetIntProp(button, kPropAlphaLevel, step.level);
}

WPARAM KeepPushButtonOwnerDrawn(HWND button, WPARAM style) {
    const LONG oldStyle = GetIntProp(button, kPropOldStyle);
    if (!IsOwnerDrawnButtonStyle(oldStyle)) return style;
    const LONG type = static_cast<LONG>(style) & BS_TYPEMASK;
    SetIntProp(button, kPropOldStyle, (oldStyle & ~BS_TYPEMASK) | type);
    // A type the engine draws stays owner-draw on the screen; a check box or
    // radio type (never asked for by the dialog manager) is the platform's.
    return IsOwnerDrawnButtonStyle(type) ? ((style & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW) : style;
}

void ReleasePushButtonClick(HWND button) { ReleaseButtonWithFade(button, kReleaseFadeStart); }

void ReleasePushButtonSpace(HWND button) { ReleaseButtonWithFade(button, 0); }

void ResizePushButton(HWND button) {
    const Box box = GetWindowBox(button);
    {
        ScopedWindowDC windowDc(button);
        for (int state = 0; state < 4; ++state) {
            ReplaceStateImageBitmap(button, state, windowDc.get(), box.width, box.height);
        }
        RenderButtonStates(button);
    }
    SetRoundedButtonRegion(button, box);
}

void RefocusPushButton(HWND button) {
    // The images carry the focus rectangle only while focused.
    RenderButtonStates(button);
    SetIntProp(button, kPropAlphaLevel, 0);
    StartFadeTimer(button);
}

void EnablePushButton(HWND button, bool enabled) {
    // Opaque, not at the current level: a finished fade leaves it at 0, at
    // which the new state would not show at all.
    const int state = ToInt(enabled ? VisualState::Normal : VisualState::Disabled);
    SetIntProp(button, kPropOldState, state);
    ShowStateImageNow(button, nullptr, {.state = state});
}

void PressPushButton(HWND button) {
    // The level goes back to 0 for the fade that follows the release.
    SetIntProp(button, kPropOldState, ToInt(VisualState::Pressed));
    ShowStateImageNow(button, nullptr, {.state = ToInt(VisualState::Pressed)});
    SetIntProp(button, kPropAlphaLevel, 0);
}

void PressPushButtonAt(HWND button, POINT) { PressPushButton(button); }

void HoverPushButton(HWND button, POINT, bool) {
    if (EnterWindow(button)) {
        // The hot image fades in.
        SetIntProp(button, kPropOldState, ToInt(VisualState::Hot));
        SetIntProp(button, kPropAlphaLevel, 0);
        StartFadeTimer(button);
        return;
    }
    // The button holds the mouse captured during a press and the cursor has
    // left it: the current image at once, opaque.
    if (WindowUnderCursor() != button) ShowStateImageNow(button, nullptr);
}

void LeavePushButton(HWND button) {
    SetIntProp(button, kPropMouseFlag, 0);
    // One blend of the hot image at 140, then the normal image fades in
    // over it.
    SetIntProp(button, kPropOldState, ToInt(VisualState::Hot));
    SetIntProp(button, kPropAlphaLevel, kLeaveBlendLevel);
    BlendButtonLook(button, nullptr,
                    ReadButtonLook(button, {.state = ToInt(VisualState::Hot), .alpha = kLeaveBlendLevel}));
    SetIntProp(button, kPropOldState, ToInt(VisualState::Normal));
    SetIntProp(button, kPropAlphaLevel, 0);
    StartFadeTimer(button);
}

}  // namespace tarnwick
