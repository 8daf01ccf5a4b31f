#include "form/message_font.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "form/message_lines.h"
#include "form/ui_font.h"
#include "form/work_area.h"
#include "win32/box.h"
#include "win32/subclass.h"
#include "win32/surface.h"
#include "win32/window_text.h"

namespace tarnwick {
namespace {

// The fitter whose box this thread opens next.
thread_local MessageFontFitter* pendingFitter = nullptr;

// Property of a box holding its fitter.
constexpr wchar_t kFitterProp[] = L"TARNWICKMESSAGEFONT";

bool IsWhiteSpace(wchar_t c) { return c == L' ' || c == L'\x3000' || c == L'\xA0'; }

// The characters a font must draw: no line ends, tabs or other controls.
std::wstring Printable(std::wstring_view text) {
    std::wstring printable;
    for (wchar_t c : text) {
        if (c >= L' ' && printable.find(c) == std::wstring::npos) printable += c;
    }
    return printable;
}

// True when the character, drawn in black on white, darkens a pixel of
// the 32-bit DIB surface `dc` whose pixels are `bits`.
bool LeavesAMark(HDC dc, const DWORD* bits, int size, wchar_t c) {
    PatBlt(dc, 0, 0, size, size, WHITENESS);
    TextOutW(dc, size / 4, size / 4, &c, 1);
    GdiFlush();
    return std::any_of(bits, bits + size * size, [](DWORD pixel) { return (pixel & 0xFFFFFF) != 0xFFFFFF; });
}

HWND TextControl(HWND box) {
    // The static control with the longest text; the icon's has none.
    HWND found = nullptr;
    size_t longest = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        const size_t length = GetWindowTextString(child).size();
        if (lstrcmpiW(name, L"Static") == 0 && length > longest) found = child, longest = length;
    }
    return found;
}

// The width of each character of `text` in `font`, as the control lays it
// out; a line end has no width of its own. Empty when it cannot be told.
std::vector<int> Advances(HDC dc, HFONT font, const std::wstring& text) {
    if (text.empty()) return {};
    ScopedSelectObject select(dc, font);
    std::vector<int> ends(text.size());
    SIZE size{};
    if (!GetTextExtentExPointW(dc, text.c_str(), static_cast<int>(text.size()), 0, nullptr, ends.data(), &size))
        return {};
    std::vector<int> advances(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        advances[i] = (text[i] == L'\n' || text[i] == L'\r') ? 0 : ends[i] - (i > 0 ? ends[i - 1] : 0);
    }
    return advances;
}

int Sum(const std::vector<int>& values) {
    int sum = 0;
    for (int value : values) sum += value;
    return sum;
}

Box ChildBox(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

bool DrawsEveryCharacter(HFONT font, std::wstring_view text) {
    const std::wstring printable = Printable(text);
    if (printable.empty()) return true;
    OwnedDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return false;
    ScopedSelectObject selectFont(dc.get(), font);
    std::vector<WORD> indices(printable.size());
    if (GetGlyphIndicesW(dc.get(), printable.c_str(), static_cast<int>(printable.size()), indices.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
        std::find(indices.begin(), indices.end(), WORD{0xFFFF}) != indices.end()) {
        return false;
    }

    // A square twice the character's height, on a surface of known pixels.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    const int size = std::max<int>(16, 2 * metrics.tmHeight);
    DWORD* bits = nullptr;
    OwnedSurface surface(CreatePixelSurface(size, size, &bits));
    if (!surface) return false;
    ScopedSelectObject selectSurfaceFont(surface.get(), font);
    SetTextColor(surface.get(), RGB(0, 0, 0));
    SetBkMode(surface.get(), TRANSPARENT);
    return std::all_of(printable.begin(), printable.end(), [&](wchar_t c) {
        return IsWhiteSpace(c) || LeavesAMark(surface.get(), bits, size, c);
    });
}

MessageFontFitter::MessageFontFitter(std::wstring_view text) : text_(text), outer_(pendingFitter) {
    hook_ = SetWindowsHookExW(WH_CBT, &MessageFontFitter::OnCbtEvent, nullptr, GetCurrentThreadId());
    pendingFitter = this;
}

MessageFontFitter::~MessageFontFitter() {
    pendingFitter = outer_;
    if (hook_) UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK MessageFontFitter::OnCbtEvent(int code, WPARAM wParam, LPARAM lParam) {
    // The box lays itself out for its own font while it handles
    // WM_INITDIALOG (Wine activates it halfway through), so it is
    // subclassed as it is made and fitted once that message is handled.
    if (code == HCBT_CREATEWND && pendingFitter && !pendingFitter->boxProc_) {
        auto box = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(box, name, 16);
        if (lstrcmpW(name, L"#32770") == 0 && SetPropW(box, kFitterProp, pendingFitter)) {
            pendingFitter->boxProc_ = ReplaceWindowProc(box, &MessageFontFitter::BoxProc);
            // The box is found: the hook is not needed for the rest of its
            // making, where every window and every activation would call it.
            if (pendingFitter->hook_ && UnhookWindowsHookEx(pendingFitter->hook_)) pendingFitter->hook_ = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MessageFontFitter::BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* fitter = static_cast<MessageFontFitter*>(GetPropW(box, kFitterProp));
    if (!fitter) return DefaultWindowProc(box, message, wParam, lParam);
    const LRESULT result = CallSavedProc(fitter->boxProc_, box, message, wParam, lParam);
    if (message == WM_INITDIALOG) fitter->Fit(box);
    if (message == WM_NCDESTROY) RemovePropW(box, kFitterProp);
    return result;
}

void MessageFontFitter::Fit(HWND box) {
    HWND text = TextControl(box);
    if (!text) return;
    auto own = reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0));
    if (!own) own = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    if (!DrawsEveryCharacter(own, text_)) ChooseFont(own);
    const HFONT font = font_ ? font_.get() : own;

    // The lines broken where a reader expects, for the width the box gave
    // its text; the box's own breaks may fall inside a file name.
    const Box old = ChildBox(text);
    const std::wstring shown = GetWindowTextString(text);
    std::wstring broken = shown;
    int width = old.width;
    {
        ScopedWindowDC dc(text, ScopedWindowDC::Area::Client);
        std::vector<int> advances = Advances(dc.get(), font, shown);
        if (!advances.empty()) {
            // The box made its room for the text in its own font, which may
            // have measured characters it lacks narrower than the chosen
            // font draws them (Chinese on a Western system): the room grows
            // by as much as the text, so the text takes as many lines as the
            // box made for it, within the screen.
            if (font_) {
                const int wide = Sum(advances), ownWide = Sum(Advances(dc.get(), own, shown));
                const int most = std::max(old.width, WorkArea().width * 3 / 4);
                if (ownWide > 0 && wide > ownWide) width = std::min(most, old.width * wide / ownWide + 1);
            }
            broken = BreakMessageLines(shown, advances, width);
        }
    }
    if (!font_ && broken == shown) return;
    Resize(box, text, old, width, font, broken);
}

void MessageFontFitter::ChooseFont(HFONT own) {
    LOGFONTW description{};
    GetObjectW(own, sizeof description, &description);
    std::vector<LOGFONTW> candidates;
    if (GetObjectW(UiFont(), sizeof(LOGFONTW), &candidates.emplace_back()) != sizeof(LOGFONTW)) candidates.pop_back();
    for (int step : {1, -1, 2, -2}) {
        LOGFONTW other = description;
        const LONG magnitude = std::abs(description.lfHeight) + step;
        if (description.lfHeight == 0 || magnitude <= 0) continue;
        other.lfHeight = description.lfHeight < 0 ? -magnitude : magnitude;
        other.lfWidth = 0;
        candidates.push_back(other);
    }
    for (const LOGFONTW& candidate : candidates) {
        GdiObject<HFONT> font(CreateFontIndirectW(&candidate));
        if (font && DrawsEveryCharacter(font.get(), text_)) {
            font_ = std::move(font);
            break;
        }
    }
}

void MessageFontFitter::Resize(HWND box, HWND text, const Box& old, int width, HFONT font,
                               const std::wstring& shown) {
    // The room the text takes in its font, wrapped as the control wraps
    // it at `width`, no narrower than the control is now.
    RECT needed{0, 0, width, 0};
    {
        ScopedWindowDC dc(text, ScopedWindowDC::Area::Client);
        ScopedSelectObject select(dc.get(), font);
        UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
        if (GetWindowLongW(text, GWL_STYLE) & SS_NOPREFIX) format |= DT_NOPREFIX;
        DrawTextW(dc.get(), shown.c_str(), -1, &needed, format);
    }
    const int grow = std::max(0, static_cast<int>(needed.bottom) - old.height);
    const int widen = std::max(0, static_cast<int>(needed.right) - old.width);
    if (grow || widen) {
        // The text grows down and to the right; what lies below it (the
        // buttons) moves down and stays centred, what lies beside it (an
        // icon) stays; the box grows around its centre.
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const Box b = ChildBox(child);
            if (child == text) {
                SetWindowPos(child, nullptr, 0, 0, b.width + widen, b.height + grow,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else if (b.top > old.top + old.height / 2) {
                SetWindowPos(child, nullptr, b.left + widen / 2, b.top + grow, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        RECT outer{};
        GetWindowRect(box, &outer);
        // Grown around its centre, but never beyond the work area's top
        // left corner.
        const Box grown = KeptInside({outer.left - widen / 2, outer.top - grow / 2, outer.right - outer.left + widen,
                                      outer.bottom - outer.top + grow},
                                     WorkArea());
        SetWindowPos(box, nullptr, grown.left, grown.top, grown.width, grown.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (font_) SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetWindowTextW(text, shown.c_str());
}

}  // namespace tarnwick
