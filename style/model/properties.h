#pragma once
// The engine's per-window state: named window properties set with the ANSI
// property functions. Every value is 32 bits wide and stored as the
// property's handle value, so any code (and any tool that lists a window's
// properties) reads the same numbers; a property that is absent reads 0.
//
// Which window kinds carry which property, and who sets it:
//   PROCADDR         every attached window: the window procedure in place
//                    before attaching; non-zero means attached.
//   OLDSTYLE         push buttons: GWL_STYLE as it was before attaching.
//   MOUSEFLAG        push buttons, combo boxes, drive lists, check boxes,
//                    option buttons, headers: 1 while the mouse is inside and
//                    a leave notification is requested.
//   TIMERID          push buttons: identifier of the running fade timer, 0.
//   OLDSTATE         push buttons: the VisualState whose image is shown;
//                    combo boxes, drive lists, check boxes, option buttons:
//                    the state their painter drew last.
//   ALPHALEVEL       push buttons: opacity 0..255 of the next blend.
//   HDC0..HDC3       push buttons: memory DC of the image of state 0..3.
//   BMP0..BMP3       push buttons: the bitmap selected into HDC0..HDC3.
//   HDINDEX          headers: item the left button went down on, -1 none.
//   HMINDEX          headers: hot item, -1 none.
// Note that an absent HDINDEX/HMINDEX reads 0, which is item 0: attaching
// sets them to -1.
#include <windows.h>

#include <cstdint>

namespace tarnwick {

inline constexpr char kPropProcAddr[] = "PROCADDR";
inline constexpr char kPropOldStyle[] = "OLDSTYLE";
inline constexpr char kPropMouseFlag[] = "MOUSEFLAG";
inline constexpr char kPropTimerId[] = "TIMERID";
inline constexpr char kPropOldState[] = "OLDSTATE";
inline constexpr char kPropAlphaLevel[] = "ALPHALEVEL";
inline constexpr char kPropHeaderDownIndex[] = "HDINDEX";
inline constexpr char kPropHeaderHotIndex[] = "HMINDEX";

// Names of the four state-image properties: prefix and decimal index with
// no separator ("HDC0".."HDC3", "BMP0".."BMP3").
inline constexpr const char* kPropStateImageDc[4] = {"HDC0", "HDC1", "HDC2", "HDC3"};
inline constexpr const char* kPropStateImageBitmap[4] = {"BMP0", "BMP1", "BMP2", "BMP3"};

// Property names for state 0..3; nullptr for any other index.
const char* StateImageDcProp(int state);
const char* StateImageBitmapProp(int state);

// The property's value as a signed 32-bit number; 0 when absent. The handle
// value 0xFFFFFFFF reads back as -1.
std::int32_t GetIntProp(HWND window, const char* name);

// Sets (creates or replaces) the property; returns the SetPropA result.
BOOL SetIntProp(HWND window, const char* name, std::int32_t value);

// True while the window carries "PROCADDR": it is attached.
bool IsAttached(HWND window);

// Handles kept in properties (DCs, bitmaps, procedures) are the same 32-bit
// values seen as handles.
template <class Handle>
Handle GetHandleProp(HWND window, const char* name) {
    return reinterpret_cast<Handle>(GetPropA(window, name));
}

template <class Handle>
BOOL SetHandleProp(HWND window, const char* name, Handle value) {
    return SetPropA(window, name, reinterpret_cast<HANDLE>(value));
}

}  // namespace tarnwick
