#include "style/model/properties.h"

namespace tarnwick {

const char* StateImageDcProp(int state) {
    return state >= 0 && state < 4 ? kPropStateImageDc[state] : nullptr;
}

const char* StateImageBitmapProp(int state) {
    return state >= 0 && state < 4 ? kPropStateImageBitmap[state] : nullptr;
}

std::int32_t GetIntProp(HWND window, const char* name) {
    // Handles are 32 bits wide on this target: the cast keeps every bit, so
    // a stored -1 (0xFFFFFFFF) reads back as -1.
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(GetPropA(window, name)));
}

bool IsAttached(HWND window) { return GetIntProp(window, kPropProcAddr) != 0; }

BOOL SetIntProp(HWND window, const char* name, std::int32_t value) {
    return SetPropA(window, name, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(value)));
}

}  // namespace tarnwick
