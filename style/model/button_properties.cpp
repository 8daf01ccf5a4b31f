#include "style/model/button_properties.h"

#include "style/model/properties.h"

namespace tarnwick {

PushButtonProperties::PushButtonProperties(HWND button)
    : button_(button), oldStyle_(kPropOldStyle), state_(kPropOldState), alpha_(kPropAlphaLevel),
      timerId_(kPropTimerId) {}

HDC PushButtonProperties::StateImage(VisualState state) const {
    const char* name = StateImageDcProp(ToInt(state));
    return name != nullptr ? GetHandleProp<HDC>(button_, name) : nullptr;
}

HBITMAP PushButtonProperties::StateBitmap(VisualState state) const {
    const char* name = StateImageBitmapProp(ToInt(state));
    return name != nullptr ? GetHandleProp<HBITMAP>(button_, name) : nullptr;
}

void PushButtonProperties::SetStateImage(VisualState state, HDC image) const {
    SetHandleProp(button_, StateImageDcProp(ToInt(state)), image);
}

void PushButtonProperties::SetStateBitmap(VisualState state, HBITMAP bitmap) const {
    SetHandleProp(button_, StateImageBitmapProp(ToInt(state)), bitmap);
}

void PushButtonProperties::Store() {
    oldStyle_.Store(button_);
    state_.Store(button_);
    alpha_.Store(button_);
    timerId_.Store(button_);
}

std::int32_t PushButtonProperties::Value::Get(HWND window) {
    if (!value_) {
        held_ = GetIntProp(window, name_);
        value_ = held_;
    }
    return *value_;
}

void PushButtonProperties::Value::Store(HWND window) {
    if (!value_ || value_ == held_) return;
    SetIntProp(window, name_, *value_);
    held_ = value_;
}

}  // namespace tarnwick
