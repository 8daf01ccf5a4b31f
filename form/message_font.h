#pragma once
// The font of a message box's text, chosen so that every character of the
// text shows. The box's own font, the system's message font, can lack some:
// a Western font has no Chinese characters, and the bitmaps a font carries
// for one small size may leave a character out (the Chinese font of a
// usual Wine setup draws no "-" at 12 pixels, though it has the glyph).
#include <windows.h>

#include <string>
#include <string_view>

#include "win32/box.h"
#include "win32/gdi_scope.h"

namespace tarnwick {

// True when the font has a glyph for every character of the text (its
// glyph index is not marked missing) and draws every one that is not white
// space with at least one pixel.
bool DrawsEveryCharacter(HFONT font, std::wstring_view text);

// While it lives, the next message box this thread opens shows its text
// with its lines broken where a reader expects (form/message_lines.h), in
// the first of these fonts that draws every character of it: the box's own
// font, the tool's UI font, the box's font one or two pixels larger or
// smaller. The box grows when the text needs more room in that font, and
// keeps its own font when none of them does better. Fitters nest: a box
// opened while another is open gets its own.
class MessageFontFitter {
public:
    explicit MessageFontFitter(std::wstring_view text);
    ~MessageFontFitter();
    MessageFontFitter(const MessageFontFitter&) = delete;
    MessageFontFitter& operator=(const MessageFontFitter&) = delete;

private:
    static LRESULT CALLBACK OnCbtEvent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    void Fit(HWND box);
    void ChooseFont(HFONT own);
    void Resize(HWND box, HWND text, const Box& old, int width, HFONT font, const std::wstring& shown);

    std::wstring text_;
    HHOOK hook_ = nullptr;
    MessageFontFitter* outer_ = nullptr;  // the fitter of the box this one's box opens over
    WNDPROC boxProc_ = nullptr;           // the procedure of this fitter's box, once it is made
    GdiObject<HFONT> font_;  // the font chosen for the box, while it is open
};

}  // namespace tarnwick
