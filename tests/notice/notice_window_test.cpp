// The notice window driven inside the test process: its slide, driven by
// timer messages, the hover colours, closing and the check box.
#include <gtest/gtest.h>

#include <string>

#include "form/form.h"
#include "notice/notice_window.h"
#include "notice/taskbar.h"
#include "tests/support/window_test_util.h"

namespace tarnwick {
namespace {

using namespace notice_layout;
using test::PumpUntilIdle;
using test::TestGameFolder;

// Sends one tick of the timer; whether it moved the window (the last tick
// of a slide-out closes it). A timer that is not running moves nothing.
bool TickMoves(NoticeWindow& notice, UINT_PTR timer) {
    HWND window = notice.Handle();
    if (!window) return false;
    RECT before{}, after{};
    GetWindowRect(window, &before);
    SendMessageA(window, WM_TIMER, timer, 0);
    if (!IsWindow(window)) return true;
    GetWindowRect(window, &after);
    return !EqualRect(&before, &after);
}

// Sends ticks of the timer for as long as they move the window; the number
// of ticks that moved it.
int Tick(NoticeWindow& notice, UINT_PTR timer, int limit = 1000) {
    int ticks = 0;
    while (ticks < limit && TickMoves(notice, timer)) ++ticks;
    return ticks;
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

TEST(NoticeWindow, StartsBelowTheScreenAndComesToRestOnTheTaskbar) {
    TestGameFolder game;
    NoticeWindow notice(game.folder);
    ASSERT_TRUE(notice.Create());
    HWND window = notice.Handle();
    EXPECT_FALSE(IsWindowVisible(window)) << "shown by the main window's start-up";
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int taskbar = GetSystemMetrics(SM_CYSCREEN) - WorkArea().bottom;
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 333);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_EQ(r.right, screenWidth) << "at the right edge of the screen";
    EXPECT_EQ(r.top, screenHeight - taskbar + 200) << "one window height below the taskbar";
    EXPECT_FALSE(TickMoves(notice, kSlideOutTimer)) << "no slide-out before a close";

    notice.Show();
    int ticks = Tick(notice, kSlideInTimer);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.bottom, screenHeight - taskbar) << "resting on the taskbar";
    EXPECT_EQ(r.right, screenWidth);
    EXPECT_LE(ticks, 120 + 1);  // 6000 twips at 50 a tick, fewer if the real timer ticked too

    // Ticks of a stopped timer move nothing.
    SendMessageA(window, WM_TIMER, kSlideInTimer, 0);
    SendMessageA(window, WM_TIMER, kSlideOutTimer, 0);
    RECT still;
    GetWindowRect(window, &still);
    EXPECT_TRUE(EqualRect(&r, &still));
}

// Sets the work area for this process and puts the old one back.
class ScopedWorkArea {
public:
    explicit ScopedWorkArea(const RECT& area) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &old_, 0);
        RECT copy = area;
        ok_ = SystemParametersInfoA(SPI_SETWORKAREA, 0, &copy, 0) != 0;
    }
    ~ScopedWorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &old_, 0); }
    bool Ok() const { return ok_; }

private:
    RECT old_{};
    bool ok_ = false;
};

TEST(NoticeWindow, RestsOnATaskbarAtTheBottom) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const char* name;
        RECT workArea;
        int restingBottom;
    } cases[] = {
        {"40 pixels at the bottom", {0, 0, screenWidth, screenHeight - 40}, screenHeight - 40},
        {"on the left", {60, 0, screenWidth, screenHeight}, screenHeight},
        {"at the top", {0, 30, screenWidth, screenHeight}, screenHeight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedWorkArea workArea(c.workArea);
        if (!workArea.Ok()) GTEST_SKIP() << "the work area cannot be set here";
        TestGameFolder game;
        NoticeWindow notice(game.folder);
        ASSERT_TRUE(notice.Create());
        RECT r;
        GetWindowRect(notice.Handle(), &r);
        EXPECT_EQ(r.top, c.restingBottom + 200) << "hidden one window height below the taskbar";
        Tick(notice, kSlideInTimer);
        GetWindowRect(notice.Handle(), &r);
        EXPECT_EQ(r.bottom, c.restingBottom);
        EXPECT_EQ(r.right, screenWidth);
    }
}

TEST(NoticeWindow, CloseSlidesItOutAndClosesIt) {
    TestGameFolder game;
    NoticeWindow notice(game.folder);
    ASSERT_TRUE(notice.Create());
    notice.Show();
    Tick(notice, kSlideInTimer);
    HWND window = notice.Handle();

    const Box close = notice.Labels()[CloseLabel].box;
    LPARAM point = MAKELPARAM(close.left + 5, close.top + 5);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(window, WM_LBUTTONUP, 0, point);
    // A second click changes nothing.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(window, WM_LBUTTONUP, 0, point);

    SendMessageA(window, WM_TIMER, kSlideOutTimer, 0);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.bottom, WorkArea().bottom + 4) << "60 twips down";
    Tick(notice, kSlideOutTimer);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(notice.Handle(), nullptr);
}

TEST(NoticeWindow, PressingOnOneLabelAndReleasingOnAnotherIsNoClick) {
    TestGameFolder game;
    NoticeWindow notice(game.folder);
    ASSERT_TRUE(notice.Create());
    const Box close = notice.Labels()[CloseLabel].box;
    const Box bar = notice.Labels()[TitleBar].box;
    SendMessageA(notice.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.left + 200, bar.top + 3));
    SendMessageA(notice.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(close.left + 5, close.top + 5));
    EXPECT_FALSE(TickMoves(notice, kSlideOutTimer));
}

TEST(NoticeWindow, HoverColoursFollowTheLabelUnderThePointer) {
    TestGameFolder game;
    NoticeWindow notice(game.folder);
    ASSERT_TRUE(notice.Create());
    const auto& labels = notice.Labels();
    auto inside = [&](int label, int dx = 2, int dy = 2) {
        return MAKELPARAM(labels[label].box.left + dx, labels[label].box.top + dy);
    };
    const Box check = TwipsToPixels(kDontShowAgainBox, ScreenTwipsPerPixel());
    struct Step {
        const char* where;
        LPARAM point;
        COLORREF label5, label6, label7;  // text colours afterwards
    } steps[] = {
        {"start", 0, kBlue, kBlue, kGreen},
        {"ContactLink", inside(ContactLink), kGreen, kBlue, kGreen},
        {"ThanksText keeps the link green", inside(ThanksText), kGreen, kBlue, kGreen},
        {"bare surface", MAKELPARAM(300, 150), kBlue, kBlue, kGreen},
        {"WebLink", inside(WebLink), kBlue, kGreen, kGreen},
        {"AdviceText", inside(AdviceText), kBlue, kGreen, kGreen},
        {"below the check box", MAKELPARAM(check.left + 2, check.Bottom() + 2), kBlue, kBlue, kGreen},
        {"CloseLabel", inside(CloseLabel), kBlue, kBlue, kRed},
        {"TitleText", inside(TitleText), kBlue, kBlue, kRed},
        {"the bar between", inside(TitleBar, 200, 3), kBlue, kBlue, kGreen},
        {"CloseLabel again", inside(CloseLabel), kBlue, kBlue, kRed},
        {"bare surface again", MAKELPARAM(300, 150), kBlue, kBlue, kGreen},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.where);
        if (s.point) SendMessageA(notice.Handle(), WM_MOUSEMOVE, 0, s.point);
        EXPECT_EQ(labels[ContactLink].foreColour, s.label5);
        EXPECT_EQ(labels[WebLink].foreColour, s.label6);
        EXPECT_EQ(labels[CloseLabel].foreColour, s.label7);
    }
}

TEST(NoticeWindow, CheckBoxRewritesTheSwitchFileOnEveryClick) {
    TestGameFolder game;  // no Data folder yet: the first click creates it
    NoticeWindow notice(game.folder);
    ASSERT_TRUE(notice.Create());
    HWND check = GetDlgItem(notice.Handle(), kDontShowAgainId);
    HWND switchWord = GetDlgItem(notice.Handle(), kSwitchWordId);
    char name[64] = {};
    GetClassNameA(check, name, sizeof name);
    EXPECT_STREQ(name, kCheckBoxClassName);
    EXPECT_EQ(GetWindowLongA(check, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(test::TextOf(switchWord), L"启用");
    EXPECT_FALSE(IsWindowVisible(switchWord));

    const std::string header = "[\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC]\r\n";
    const std::string off = header + "\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\r\n";
    const std::string on = header + "\xD0\xC5\xCF\xA2\xA3\xBA\xC6\xF4\xD3\xC3\r\n";
    for (const std::string* expected : {&off, &on, &off}) {
        SendMessageA(check, BM_CLICK, 0, 0);
        EXPECT_EQ(test::TextOf(switchWord), (expected == &off ? L"停用" : L"启用"));
        EXPECT_EQ(ReadFileBytes(game.folder.HintFile()), *expected);
    }
}

}  // namespace
}  // namespace tarnwick
