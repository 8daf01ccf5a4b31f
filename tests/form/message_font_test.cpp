// The tool's message box, opened in the test process: every character of
// its text is drawn in the font the box shows it in, and the text has the
// room it needs in that font.
#include <gtest/gtest.h>

#include <string>

#include "form/message_box.h"
#include "tests/support/pixels.h"

namespace tarnwick {
namespace {

// Pixels a character darkens, drawn black on white in the font.
int DarkPixels(HFONT font, wchar_t c) {
    test::DibCanvas canvas(64, 64, RGB(255, 255, 255));
    HGDIOBJ oldFont = SelectObject(canvas.dc(), font);
    TextOutW(canvas.dc(), 8, 8, &c, 1);
    SelectObject(canvas.dc(), oldFont);
    int dark = 0;
    for (COLORREF pixel : canvas.Pixels()) dark += pixel != RGB(255, 255, 255);
    return dark;
}

struct BoxSeen {
    std::wstring text;
    bool found = false;
    std::wstring undrawn;  // characters of the text the box's font draws nothing for
    LONG height = 0, needed = 0;  // of the text control, and of its text in its font
    LONG textBottom = 0, buttonTop = 0;  // on the screen
};
BoxSeen* seen = nullptr;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Run by the box's modal loop: looks at the text control, then answers.
void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box || seen->found) return;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") != 0 || GetWindowTextLengthW(child) == 0) continue;
        seen->found = true;
        auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        for (wchar_t c : seen->text) {
            if (c > L' ' && DarkPixels(font, c) == 0) seen->undrawn += c;
        }
        RECT client{}, needed{};
        GetClientRect(child, &client);
        needed.right = client.right;
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, font);
        DrawTextW(dc, seen->text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        seen->height = client.bottom;
        seen->needed = needed.bottom;
        RECT text{}, button{};
        GetWindowRect(child, &text);
        GetWindowRect(GetDlgItem(box, IDOK), &button);
        seen->textBottom = text.top + needed.bottom;
        seen->buttonTop = button.top;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(MessageFont, EveryCharacterOfItsTextIsDrawnWithRoomForIt) {
    for (const wchar_t* text : {
             L"恭喜您修改成功",
             L"游戏目录：Z:\\tmp\\game\n游戏版本：1.07\n游戏文件：未修改\n游戏文件中的数值：- - - - - - - - - - - - - - -\n"
             L"（- 表示游戏文件中这个数值的位置存放的不是数字）\n备份文件 Data\\bak\\meteor.bak：没有\n"
             L"设置缓存 Data\\Slowlysave.cfg：没有",
             L"程序必须在流星蝴蝶剑的安装目录下才能运行\nZ:\\work\\wt-players\\build 中没有游戏文件 meteor.exe。……",
         }) {
        BoxSeen box;
        box.text = text;
        seen = &box;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookAtTheBox);
        ShowMessageBox(nullptr, text);
        KillTimer(nullptr, timer);
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_TRUE(box.found);
        EXPECT_EQ(box.undrawn, L"");
        EXPECT_GE(box.height, box.needed);
        EXPECT_GE(box.buttonTop, box.textBottom) << "the button below the text";
    }
}

}  // namespace
}  // namespace tarnwick
