#pragma once
// The one rectangle type of the tool: left, top, width and height, for
// window layouts (in twips or pixels), window rectangles and sprite cells
// alike. The platform's RECT (left, top, right, bottom) appears only where
// a platform call takes or gives one.
#include <windows.h>

namespace tarnwick {

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
    friend bool operator==(const Box&, const Box&) = default;
};

// The platform's rectangle of the box.
constexpr RECT ToRect(const Box& box) { return RECT{box.left, box.top, box.Right(), box.Bottom()}; }

}  // namespace tarnwick
