#include "form/label.h"

#include "win32/gdi_scope.h"

namespace tarnwick {

COLORREF ResolveColour(COLORREF colour) {
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
    return colour;
}

void DrawLabel(HDC dc, const Label& label, HFONT font) {
    RECT box = ToRect(label.box);
    if (!label.transparent) {
        FillRect(dc, &box, GdiObject<HBRUSH>(CreateSolidBrush(ResolveColour(label.backColour))).get());
    }
    if (label.caption.empty()) return;
    ScopedSelectObject selectFont(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, ResolveColour(label.foreColour));
    DrawTextW(dc, label.caption.data(), static_cast<int>(label.caption.size()), &box,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

int LabelAt(std::span<const Label> labels, POINT point) {
    for (int i = static_cast<int>(labels.size()) - 1; i >= 0; --i) {
        if (labels[i].box.Contains(point.x, point.y)) return i;
    }
    return -1;
}

}  // namespace tarnwick
