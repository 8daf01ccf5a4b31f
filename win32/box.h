#pragma once
// A rectangle given as left, top, width and height.
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

}  // namespace tarnwick
