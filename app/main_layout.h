#pragma once
// The main window's fixed layout in twips, and the control identifiers of
// its child windows (the end-to-end tests find the controls by them).
#include <windows.h>

#include <array>

#include "core/game/fields.h"
#include "form/dpi_scale.h"

namespace tarnwick::main_layout {

inline constexpr wchar_t kCaption[] = L"Tarnwick";
inline constexpr int kClientWidth = 7710;   // twips
inline constexpr int kClientHeight = 4380;  // twips
// Pure green: the back colour and the colour key of the layered window.
inline constexpr COLORREF kBackColour = 0x0000FF00;

// Control identifiers. They stay clear of IDOK and IDCANCEL, which the
// dialog manager sends for Enter and Escape.
constexpr int FieldId(int index) { return 100 + index; }
inline constexpr int kConfirmButtonId = 200;     // "确认"
inline constexpr int kExitButtonId = 201;        // "退出"
inline constexpr int kRestoreButtonId = 202;     // "还原"
inline constexpr int kHiddenFieldId = 300;     // 验证: hidden and empty, nothing reads it

// Labels 移动 and 信息.
inline constexpr Box kDragBand{0, 240, 7695, 855};
inline constexpr Box kStatus{480, 1440, 6975, 375};

inline constexpr int kFieldWidth = 735;
inline constexpr int kFieldHeight = 300;
inline constexpr int kFieldLabelHeight = 375;
// A field's label stands this far to the left of the field and this much
// lower, so its right end lies under the field's left edge.
inline constexpr int kFieldLabelOffsetX = -600;
inline constexpr int kFieldLabelOffsetY = 45;

struct GridPoint {
    int left;
    int top;
};
// Top-left corners of the fifteen value fields: four columns 1560 twips apart, five
// rows; the second row holds only field 4.
inline constexpr std::array<GridPoint, kFieldCount> kFieldCorners{{
    {1080, 1800}, {2640, 1800}, {4200, 1800}, {5760, 1800},
    {1080, 2160},
    {1080, 2640}, {2640, 2640}, {4200, 2640}, {5760, 2640},
    {1080, 3000}, {2640, 3000}, {4200, 3000}, {5760, 3000},
    {1080, 3360}, {2640, 3360},
}};

constexpr Box FieldBox(int index) {
    return {kFieldCorners[index].left, kFieldCorners[index].top, kFieldWidth, kFieldHeight};
}
constexpr Box FieldLabelBox(int index) {
    return {kFieldCorners[index].left + kFieldLabelOffsetX, kFieldCorners[index].top + kFieldLabelOffsetY,
            kFieldWidth, kFieldLabelHeight};
}

inline constexpr Box kConfirmButtonBox{3360, 3720, 1335, 375};
inline constexpr Box kRestoreButtonBox{4800, 3720, 1335, 375};
inline constexpr Box kExitButtonBox{6240, 3720, 1335, 375};
inline constexpr Box kHiddenFieldBox{480, 3720, 2055, 375};

}  // namespace tarnwick::main_layout
