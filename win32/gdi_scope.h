#pragma once
// Small owners for GDI handles, so that every DC, bitmap, brush, palette or
// region a function creates is released on every path out of it.
//
// Ownership is in the type: GdiObject and OwnedDC delete what they hold,
// ScopedWindowDC gives back a borrowed window DC (and leaves a lent one
// alone), PaintDC ends the painting it began, and the Scoped Select helpers
// put the previous object back. Off-screen surfaces (surface.h) are owned
// the same way. Declare the owner of
// an object before the helper that selects it, so the selection is undone
// before the owner deletes the object (a selected bitmap cannot be deleted).
#include <windows.h>

#include <utility>

namespace tarnwick {

// Owns one handle and hands it to `Free` when it goes away (or is reset).
// Move-only; null is never freed.
template <class Handle, void (*Free)(Handle)>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership without freeing.
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        Handle old = std::exchange(handle_, handle);
        if (old != nullptr) {
            Free(old);
        }
    }

private:
    Handle handle_ = nullptr;
};

template <class Handle>
void DeleteGdiObject(Handle handle) {
    DeleteObject(handle);
}

inline void DeleteDcHandle(HDC dc) { DeleteDC(dc); }

// Owns a GDI object (bitmap, brush, pen, font, palette, region) and hands it
// to DeleteObject when it goes away.
template <class Handle>
using GdiObject = OwnedHandle<Handle, &DeleteGdiObject<Handle>>;

// Owns a DC made by CreateDCA or CreateCompatibleDC and deletes it with
// DeleteDC. A bitmap still selected into it is not freed by that: select it
// out first (ScopedSelectObject) or use an owned surface.
using OwnedDC = OwnedHandle<HDC, &DeleteDcHandle>;

// A window's DC borrowed with GetWindowDC (whole window, origin at its outer
// top-left corner) or GetDC (client area), given back with ReleaseDC; or a
// DC that the caller lends for the window, used unchanged and not released.
class ScopedWindowDC {
public:
    enum class Area { Window, Client };

    explicit ScopedWindowDC(HWND window, Area area = Area::Window)
        : window_(window), dc_(area == Area::Window ? GetWindowDC(window) : GetDC(window)), borrowed_(true) {}
    // The lent DC; when it is null, the window's whole-area DC.
    ScopedWindowDC(HWND window, HDC lent)
        : window_(window), dc_(lent != nullptr ? lent : GetWindowDC(window)), borrowed_(lent == nullptr) {}
    ~ScopedWindowDC() {
        if (borrowed_ && dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
    bool borrowed_;
};

// The DC a WM_PAINT draws on: the DC that came with the message, when a
// caller asks for a painting into its own DC (as with WM_PRINTCLIENT), else
// BeginPaint's, ended with EndPaint.
class PaintDC {
public:
    PaintDC(HWND window, HDC lent)
        : window_(window), begun_(lent == nullptr), dc_(lent != nullptr ? lent : BeginPaint(window, &paint_)) {}
    ~PaintDC() {
        if (begun_) {
            EndPaint(window_, &paint_);
        }
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    bool begun_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and selects the previous one back when it goes
// away. Does nothing when the DC or the object is null or the selection
// fails, so it is safe on the null handles of a failed allocation.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {
        if (previous_ == HGDI_ERROR) {
            previous_ = nullptr;
        }
    }
    ~ScopedSelectObject() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

    // The object that was selected before (null when nothing was selected).
    HGDIOBJ previous() const { return previous_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects a palette into a DC and realises it; when it goes away it selects
// the previous palette back (forced to background or not, as the caller
// asks) and realises that.
class ScopedSelectPalette {
public:
    ScopedSelectPalette(HDC dc, HPALETTE palette, bool forceBackground, bool restoreForceBackground)
        : dc_(dc), restoreForceBackground_(restoreForceBackground),
          previous_(dc != nullptr && palette != nullptr ? SelectPalette(dc, palette, forceBackground) : nullptr) {
        if (previous_ != nullptr) {
            RealizePalette(dc_);
        }
    }
    ~ScopedSelectPalette() {
        if (previous_ != nullptr) {
            SelectPalette(dc_, previous_, restoreForceBackground_);
            RealizePalette(dc_);
        }
    }
    ScopedSelectPalette(const ScopedSelectPalette&) = delete;
    ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;

    HPALETTE previous() const { return previous_; }

private:
    HDC dc_;
    bool restoreForceBackground_;
    HPALETTE previous_;
};

}  // namespace tarnwick
