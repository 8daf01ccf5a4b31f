#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/gdi_probe.h"
#include "tests/support/test_windows.h"
#include "win32/window_text.h"

namespace tarnwick {
namespace {

TEST(WindowText, OfAnAnsiWindow) {
    test::TestWindow window("Static", "", WS_POPUP, 0, 0, 0, 50, 20);
    ASSERT_TRUE(window);
    EXPECT_EQ(GetWindowTextString(window.get()), L"");

    struct Case {
        const char* ansi;
        const wchar_t* wide;
    };
    for (Case c : {Case{"OK", L"OK"},
                   Case{"\xC1\xF7\xD0\xC7\xBA\xFB\xB5\xFB\xBD\xA3", L"流星蝴蝶剑"},
                   Case{"\xC8\xB7\xC8\xCF(&Y)", L"确认(&Y)"}}) {
        SCOPED_TRACE(c.ansi);
        ASSERT_TRUE(SetWindowTextA(window.get(), c.ansi));
        std::wstring text = GetWindowTextString(window.get());
        EXPECT_EQ(text, c.wide);
        EXPECT_EQ(text.find(L'\0'), std::wstring::npos);
    }
    // Text set through the wide function reads the same.
    SetWindowTextW(window.get(), L"还原");
    EXPECT_EQ(GetWindowTextString(window.get()), L"还原");
    EXPECT_EQ(GetWindowTextString(nullptr), L"");
}

TEST(WindowText, ReadingLeavesNoGdiObjectsBehind) {
    test::TestWindow window("ListBox", "\xC8\xB7\xC8\xCF", WS_POPUP, 0, 0, 0, 80, 60);
    ASSERT_TRUE(window);
    std::string report;
    EXPECT_EQ(test::GdiGrowthOver(300, [&] { GetWindowTextString(window.get()); }, &report), 0) << report;
}

TEST(WindowText, OfAUnicodeWindowKeepsWhatTheCodePageLacks) {
    // Thai and a character outside the basic plane: code page 936 has
    // neither, so any trip through it would leave question marks.
    const std::wstring text = L"\u0E20\u0E32\u0E29\u0E32 \U0001F98B 系统信息";
    HWND window = CreateWindowExW(0, L"Static", text.c_str(), WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    EXPECT_EQ(GetWindowTextString(window), text);
    DestroyWindow(window);
}

}  // namespace
}  // namespace tarnwick
