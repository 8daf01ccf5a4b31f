#pragma once
// A push button's state as typed values over its window properties
// ("OLDSTYLE", "OLDSTATE", "ALPHALEVEL", "TIMERID" and the state images).
// The properties stay the only record of that state; a view only saves
// requests: every read or write of a property is one to the window manager
// (under Wine a round trip to its server), and a fade tick should cost
// little more than its one blend. So a message handler makes one view,
// which reads each value at most once, when first asked for, and ends with
// Store, which writes back only the values set to something else than the
// property held.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "style/model/control_kind.h"

namespace tarnwick {

class PushButtonProperties {
public:
    explicit PushButtonProperties(HWND button);
    PushButtonProperties(const PushButtonProperties&) = delete;
    PushButtonProperties& operator=(const PushButtonProperties&) = delete;

    HWND window() const { return button_; }

    // "OLDSTYLE": the button's style from before attaching, with the button
    // type last asked for.
    LONG OldStyle() { return oldStyle_.Get(button_); }
    void SetOldStyle(LONG style) { oldStyle_.Set(style); }
    // "OLDSTATE": the state whose image the button shows.
    VisualState State() { return static_cast<VisualState>(state_.Get(button_)); }
    void SetState(VisualState state) { state_.Set(ToInt(state)); }
    // "ALPHALEVEL": the opacity of the next blend, 0..255.
    int Alpha() { return alpha_.Get(button_); }
    void SetAlpha(int alpha) { alpha_.Set(alpha); }
    // "TIMERID": the running fade timer, 0 for none.
    UINT_PTR TimerId() { return static_cast<UINT_PTR>(timerId_.Get(button_)); }
    void SetTimerId(UINT_PTR id) { timerId_.Set(static_cast<std::int32_t>(id)); }

    // The state images ("HDC0".."HDC3" with their bitmaps "BMP0".."BMP3"),
    // read and written at once: they change only at attach, resize and
    // detach.
    HDC StateImage(VisualState state) const;
    HBITMAP StateBitmap(VisualState state) const;
    void SetStateImage(VisualState state, HDC image) const;
    void SetStateBitmap(VisualState state, HBITMAP bitmap) const;

    // Writes the values set since they were read (or, not read, every value
    // set) where they differ from what the property holds.
    void Store();

private:
    class Value {
    public:
        explicit Value(const char* name) : name_(name) {}
        std::int32_t Get(HWND window);
        void Set(std::int32_t value) { value_ = value; }
        void Store(HWND window);

    private:
        const char* name_;
        std::optional<std::int32_t> held_;   // what the property holds, once known
        std::optional<std::int32_t> value_;  // what it is to hold, once read or set
    };

    HWND button_;
    Value oldStyle_;
    Value state_;
    Value alpha_;
    Value timerId_;
};

}  // namespace tarnwick
