#pragma once
// Set-ups for painter tests that stand in for attaching: the sprites built
// for the length of a test, and a push button's four state images made the
// way attaching makes them. Header-only, so that only the test programs that
// link the style engine use it.
#include <windows.h>

#include <vector>

#include "style/draw/primitives.h"
#include "style/draw/sprites.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "tests/support/pixels.h"

namespace tarnwick::test {

// Builds the sprites on construction and frees them on destruction.
class SpriteScope {
public:
    SpriteScope() { BuildSprites(); }
    ~SpriteScope() { DeleteSprites(); }
    SpriteScope(const SpriteScope&) = delete;
    SpriteScope& operator=(const SpriteScope&) = delete;
};

// The button's state images "HDC0".."HDC3" with "BMP0".."BMP3": for each, a
// memory DC compatible with the window DC and a bitmap of the whole window's
// size selected into it (the displaced bitmap deleted). Freed, and the
// properties removed, on destruction.
class ButtonStateImages {
public:
    explicit ButtonStateImages(HWND button) : button_(button) {
        HDC windowDc = GetWindowDC(button);
        Box box = GetWindowBox(button);
        for (int i = 0; i < 4; ++i) {
            HDC dc = CreateCompatibleDC(windowDc);
            HBITMAP bitmap = CreateCompatibleBitmap(windowDc, box.width, box.height);
            DeleteObject(SelectObject(dc, bitmap));
            SetHandleProp(button, StateImageDcProp(i), dc);
            SetHandleProp(button, StateImageBitmapProp(i), bitmap);
        }
        ReleaseDC(button, windowDc);
    }
    ~ButtonStateImages() {
        for (int i = 0; i < 4; ++i) {
            DeleteDC(GetHandleProp<HDC>(button_, StateImageDcProp(i)));
            DeleteObject(GetHandleProp<HBITMAP>(button_, StateImageBitmapProp(i)));
            RemovePropA(button_, StateImageDcProp(i));
            RemovePropA(button_, StateImageBitmapProp(i));
        }
    }
    ButtonStateImages(const ButtonStateImages&) = delete;
    ButtonStateImages& operator=(const ButtonStateImages&) = delete;

    HDC Image(int state) const { return GetHandleProp<HDC>(button_, StateImageDcProp(state)); }
    // The pixels of image `state`, row by row.
    std::vector<COLORREF> Pixels(int state) const {
        Box box = GetWindowBox(button_);
        return ReadPixels(Image(state), 0, 0, box.width, box.height);
    }

private:
    HWND button_;
};

// A pixel of a sprite surface.
inline COLORREF SpritePixel(HDC sprite, int x, int y) { return GetPixel(sprite, x, y); }

}  // namespace tarnwick::test
