// The real Tarnwick.exe started in temporary game folders and driven
// through its windows: fields, buttons, message boxes, and the files it
// leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/main_layout.h"
#include "app/message_dialog.h"
#include "core/game/version.h"
#include "core/operations/folder_lock.h"
#include "notice/notice_window.h"
#include "tests/core/expected_bytes.h"
#include "tests/support/pixels.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick::test {
namespace {

using namespace main_layout;

const std::string kOffLine = "\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\r\n";  // 信息：停用
const std::string kOnLine = "\xD0\xC5\xCF\xA2\xA3\xBA\xC6\xF4\xD3\xC3\r\n";   // 信息：启用
const std::string kHintHeader = "[\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC]\r\n";     // [信息状态]


// How long a step may take on a machine busy with other work before the
// test gives up on it.
constexpr DWORD kBusyWaitMs = 60000;

// Polls until the file holds `expected`; what it held last ("" if missing,
// or held open by the tool while it writes it).
std::string WaitForFileText(const std::wstring& path, const std::string& expected) {
    std::string text;
    WaitUntil(
        [&] {
            try {
                text = PathExists(path) ? ReadFileText(path) : "";
            } catch (const std::exception&) {
                text.clear();
            }
            return text == expected;
        },
        kBusyWaitMs);
    return text;
}

Bytes Slice(const Bytes& bytes, size_t offset, size_t count) {
    return Bytes(bytes.begin() + offset, bytes.begin() + offset + count);
}

// Whether the thread of the window is in the platform's move loop.
bool InMoveLoop(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
}

// The screen as the player sees it, once the window has painted itself:
// where the main window is see-through it shows what lies beneath.
struct ScreenShot : DibCanvas {
    explicit ScreenShot(HWND window) : DibCanvas(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sync(window);
        HDC screen = GetDC(nullptr);
        CopyFrom(screen, 0, 0);
        ReleaseDC(nullptr, screen);
    }
};

// A game folder in a temporary folder, and the tool started in it.
class ToolTest : public testing::Test {
protected:
    std::wstring Path(const std::wstring& relative) const { return folder_ / relative; }

    // The game file opened for writing without sharing, as an installer or
    // a game update writes it, once: the running tool must not stand in
    // its way.
    HANDLE OpenGameForWriting(DWORD disposition) const {
        return CreateFileW(Path(L"meteor.exe").c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    }

    void WriteGame(GameVersion version) {
        HANDLE file = OpenGameForWriting(CREATE_ALWAYS);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
        const Bytes bytes = MakeSyntheticGame(version);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        CloseHandle(file);
    }

    void WriteHint(const std::string& bytes) {
        CreateDirectoryW(Path(L"Data").c_str(), nullptr);
        WriteFileBytes(Path(L"Data\\Hint.cfg"), Bytes(bytes.begin(), bytes.end()));
    }

    // Starts the tool (at a DPI setting, when one is given) and waits for its
    // main window; fails the test when it does not come.
    void StartTool(int dpi = 0) {
        tool_.reset();  // a tool started before is ended first
        tool_ = std::make_unique<ToolProcess>(ToolExePath(), folder_.Path(), dpi);
        ASSERT_TRUE(tool_->Started()) << "cannot start the tool";
        main_ = WaitForTopLevel(tool_->Id(), kFormClassName, L"Tarnwick");
        ASSERT_TRUE(main_) << "no main window";
    }

    HWND Field(int index) const { return GetDlgItem(main_, FieldId(index)); }
    HWND Confirm() const { return GetDlgItem(main_, kConfirmButtonId); }
    HWND Exit() const { return GetDlgItem(main_, kExitButtonId); }
    HWND Restore() const { return GetDlgItem(main_, kRestoreButtonId); }

    // Clicks the button and answers the message box it opens; its text.
    std::wstring ClickAndAnswer(HWND button) { return test::ClickAndAnswer(tool_->Id(), main_, button); }

    // The notice window: the caption-less form titled "系统信息".
    // Drives the notice's slide with timer ticks until it stops moving;
    // where it came to rest.
    static void SlideNoticeIn(HWND notice, RECT& rest) {
        RECT last{};
        GetWindowRect(notice, &last);
        for (int ticks = 0, still = 0; ticks < 400 && still < 5; ++ticks) {
            ASSERT_TRUE(SendTimerTick(notice, notice_layout::kSlideInTimer));
            GetWindowRect(notice, &rest);
            still = EqualRect(&rest, &last) ? still + 1 : 0;
            last = rest;
        }
    }

    HWND FindNotice(DWORD timeoutMs = kWaitMs) const {
        return WaitForWindow(
            tool_->Id(),
            [](HWND w) {
                return ClassName(w) == kFormClassName && WindowText(w) == L"系统信息" &&
                       !(GetWindowLongA(w, GWL_STYLE) & WS_CAPTION);
            },
            timeoutMs);
    }

    // The main window at a DPI setting: the layout's size, and no pixel
    // round any child window see-through (neither the key green nor what
    // shows through the window's corner).
    void ExpectMainWindowLaidOutAt(int dpi) {
        RECT client{}, window{}, r{};
        GetClientRect(main_, &client);
        EXPECT_EQ(client.right, TwipsToPixels(kClientWidth, TwipsPerPixel(dpi)));
        EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeight, TwipsPerPixel(dpi)));
        const ScreenShot screen(main_);
        GetWindowRect(main_, &window);
        const COLORREF beneath = screen.At(window.left, window.top);
        for (HWND child : Children(main_)) {
            GetWindowRect(child, &r);
            int seeThrough = 0;
            for (int x = r.left - 1; x <= r.right; ++x) {
                for (int y = r.top - 1; y <= r.bottom; ++y) {
                    const bool ring = x < r.left || x == r.right || y < r.top || y == r.bottom;
                    if (ring && (screen.At(x, y) == kBackColour || screen.At(x, y) == beneath)) ++seeThrough;
                }
            }
            if (IsWindowVisible(child)) {
                EXPECT_EQ(seeThrough, 0) << "round control " << GetDlgCtrlID(child);
            }
        }
    }

    // The status line's pixels as the screen shows them.
    std::vector<COLORREF> StatusLinePixels() const {
        const ScreenShot screen(main_);
        POINT origin{0, 0};
        ClientToScreen(main_, &origin);
        const Box status = TwipsToPixels(kStatus, TwipsPerPixel(96));
        std::vector<COLORREF> pixels;
        for (int y = status.top; y < status.Bottom(); ++y) {
            for (int x = status.left; x < status.Right(); ++x) pixels.push_back(screen.At(origin.x + x, origin.y + y));
        }
        return pixels;
    }

    // The status line of the tool started at 96 dpi on a game file of the
    // version, in a folder of its own.
    std::vector<COLORREF> StatusLineFor(GameVersion version) {
        TempFolder other;
        WriteFileBytes(other / L"meteor.exe", MakeSyntheticGame(version));
        CreateDirectoryW((other / L"Data").c_str(), nullptr);
        const std::string hint = kHintHeader + kOffLine;
        WriteFileBytes(other / L"Data\\Hint.cfg", Bytes(hint.begin(), hint.end()));
        ToolProcess tool(ToolExePath(), other.Path(), 96);
        const HWND saved = main_;
        main_ = WaitForTopLevel(tool.Id(), kFormClassName, L"Tarnwick");
        std::vector<COLORREF> pixels = main_ ? StatusLinePixels() : std::vector<COLORREF>{};
        main_ = saved;
        return pixels;
    }

    TempFolder folder_;
    std::unique_ptr<ToolProcess> tool_;
    HWND main_ = nullptr;
};

// Puts the text on the clipboard as Unicode text.
void SetClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    EXPECT_TRUE(SetClipboardData(CF_UNICODETEXT, memory));
    CloseClipboard();
}

std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// A missing locale would silently give another code page than the run asks for.
TEST(ToolEnvironment, RunsOnTheCodePageOfItsLocale) {
    wchar_t expected[16] = {};
    if (!GetEnvironmentVariableW(L"TARNWICK_CODE_PAGE", expected, 16)) GTEST_SKIP() << "the system's own code page";
    EXPECT_EQ(std::to_wstring(GetACP()), expected);
}

// The Chinese texts keep their glyphs whatever the code page: the status
// line has about as many dark pixels as on code page 936 (433 at 96 dpi),
// not the few of the empty boxes that a font without Chinese characters
// draws in their place on an English system.
TEST_F(ToolTest, ChineseTextsAreDrawnWithTheirGlyphsOnEveryCodePage) {
    constexpr int kDarkPixelsOnCodePage936 = 433;
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool(96));
    const ScreenShot screen(main_);
    POINT origin{0, 0};
    ClientToScreen(main_, &origin);
    const Box status = TwipsToPixels(kStatus, TwipsPerPixel(96));
    int dark = 0;
    for (int y = status.top; y < status.Bottom(); ++y) {
        for (int x = status.left; x < status.Right(); ++x) {
            const COLORREF c = screen.At(origin.x + x, origin.y + y);
            dark += GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
        }
    }
    EXPECT_GT(dark, kDarkPixelsOnCodePage936 * 3 / 4);
    EXPECT_LT(dark, kDarkPixelsOnCodePage936 * 5 / 4);

    // The success box shows its text on one line, as on code page 936:
    // one band of dark rows in its text control on the screen.
    Click(Confirm());
    std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->shown, L"恭喜您修改成功");
    HWND text = nullptr;
    for (HWND child : Children(box->window)) {
        if (ClassName(child) == "Static" && !WindowText(child).empty()) text = child;
    }
    ASSERT_TRUE(text);
    // Once the box has painted its text.
    int bands = 0;
    WaitUntil([&] {
        RECT r{};
        GetWindowRect(text, &r);
        const ScreenShot boxShot(box->window);
        bands = 0;
        bool inBand = false;
        for (int y = r.top; y < r.bottom; ++y) {
            bool darkRow = false;
            for (int x = r.left; x < r.right && !darkRow; ++x) {
                const COLORREF c = boxShot.At(x, y);
                darkRow = GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
            }
            if (darkRow && !inBand) ++bands;
            inBand = darkRow;
        }
        return bands > 0;
    });
    EXPECT_EQ(bands, 1) << "lines of text";
    EXPECT_TRUE(AnswerMessageBox(*box));
}

TEST_F(ToolTest, AppliesEachVersionAndRemembersTheValues) {
    struct Case {
        GameVersion version;
        const char* name;
        int dpi;  // each version at another DPI setting
        std::uint32_t t0Offset, t1Offset, t8Offset, t9Offset, codeOffset;
    } cases[] = {
        {GameVersion::V1_07, "1.07", 96, 0x1C743C, 0x1C7434, 0x1C7468, 0x1C7490, 0x3AB5E},
        {GameVersion::V1_08, "1.08", 120, 0x1C744C, 0x1C7444, 0x1C7478, 0x1C74A0, 0x3A89E},
        {GameVersion::V9_07, "9.07", 144, 0x1C743C, 0x1C7434, 0x1C7468, 0x1C7490, 0x3AB5E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " at " << c.dpi << " dpi");
        // The last case's window follows the folder and may be reading the
        // game file just as it is rewritten without sharing: end it first.
        tool_.reset();
        RemoveTree(Path(L"Data"));
        WriteGame(c.version);
        const Bytes original = ReadFileBytes(Path(L"meteor.exe"));
        WriteHint(kHintHeader + kOffLine);
        ASSERT_NO_FATAL_FAILURE(StartTool(c.dpi));
        ExpectMainWindowLaidOutAt(c.dpi);
        EXPECT_FALSE(IsWindowEnabled(Restore())) << "no backup yet";

        // Typed: only digits get in.
        SetText(Field(0), L"");
        TypeChars(Field(0), "a5.");
        SetText(Field(1), L"");
        TypeChars(Field(1), "3-00");
        SetText(Field(8), L"7");
        SetText(Field(9), L"");
        TypeChars(Field(9), "99");
        EXPECT_EQ(WindowText(Field(0)), L"5");
        EXPECT_EQ(WindowText(Field(1)), L"300");

        EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
        EXPECT_TRUE(IsWindowEnabled(Restore()));

        const Bytes patched = ReadFileBytes(Path(L"meteor.exe"));
        ASSERT_EQ(patched.size(), original.size());
        EXPECT_EQ(Slice(patched, c.t0Offset, 4), (Bytes{0x35, 0x25, 0, 0}));
        EXPECT_EQ(Slice(patched, c.t1Offset, 4), (Bytes{0x33, 0x30, 0x30, 0x25}));
        EXPECT_EQ(Slice(patched, c.t8Offset, 4), (Bytes{0x37, 0, 0, 0}));
        EXPECT_EQ(Slice(patched, c.t9Offset, 4), (Bytes{0x39, 0x39, 0, 0}));
        EXPECT_EQ(Slice(patched, c.codeOffset, 2), (Bytes{0x90, 0x90}));
        EXPECT_EQ(ReadFileBytes(Path(L"Data\\bak\\meteor.bak")), original);
        EXPECT_EQ(ReadFileText(Path(L"Data\\bak\\meteor.sum")), ExpectedBackupRecord(original));
        FieldTexts applied = DefaultFieldTexts();
        applied[0] = L"5", applied[1] = L"300", applied[8] = L"7", applied[9] = L"99";
        EXPECT_EQ(ReadFileText(Path(L"Data\\Slowlysave.cfg")), ExpectedCache(applied)) << "code page 936";

        // The next start shows the values that were applied.
        ASSERT_NO_FATAL_FAILURE(StartTool(c.dpi));
        EXPECT_EQ(WindowText(Field(0)), L"5");
        EXPECT_EQ(WindowText(Field(1)), L"300");
        EXPECT_EQ(WindowText(Field(8)), L"7");
        EXPECT_EQ(WindowText(Field(9)), L"99");
        EXPECT_EQ(WindowText(Field(14)), L"16");
        EXPECT_TRUE(IsWindowEnabled(Restore())) << "the backup is there";
    }
}

// The box keeps its first line and says what the player can do.
TEST_F(ToolTest, RefusesAnUnrecognisedGameFile) {
    WriteGame(GameVersion::Unknown);
    const Bytes original = ReadFileBytes(Path(L"meteor.exe"));
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    EXPECT_EQ(ClickAndAnswer(Confirm()),
              L"无法识别您当前所使用的版本\n本工具只认识游戏的 1.07、1.08 和 9.07 版，meteor.exe 不是其中之一。"
              L"游戏文件没有改动。\n请确认这里是游戏的安装目录（meteor.exe 所在的文件夹）；如果 meteor.exe "
              L"被其他工具改过或不完整，请用游戏安装程序中的原版 meteor.exe 替换它（或重新安装游戏），然后再试。");
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), original);
    EXPECT_FALSE(PathExists(Path(L"Data\\bak")));
    EXPECT_FALSE(PathExists(Path(L"Data\\Slowlysave.cfg")));
    EXPECT_TRUE(tool_->Running());
}

// Started from another folder (a shortcut's "起始位置", a launcher, a file
// manager) the tool beside meteor.exe works on its own folder: the values
// go into that game file, and nothing is written where it was started.
TEST_F(ToolTest, WorksOnItsOwnFolderWhenStartedFromAnother) {
    WriteGame(GameVersion::V1_08);
    const Bytes original = ReadFileBytes(Path(L"meteor.exe"));
    WriteHint(kHintHeader + kOffLine);
    ASSERT_TRUE(CopyFileW(ToolExePath().c_str(), Path(L"Tarnwick.exe").c_str(), FALSE));
    TempFolder elsewhere;
    tool_ = std::make_unique<ToolProcess>(Path(L"Tarnwick.exe"), elsewhere.Path());
    ASSERT_TRUE(tool_->Started());
    main_ = WaitForTopLevel(tool_->Id(), kFormClassName, L"Tarnwick");
    ASSERT_TRUE(main_) << "no main window";
    EXPECT_EQ(FindNotice(0), nullptr) << "the game folder's switch file is read";
    ExpectMainWindowLaidOutAt(96);
    SetText(Field(0), L"77");
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    FieldTexts applied = DefaultFieldTexts();
    applied[0] = L"77";
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), PatchedGame(original, GameVersion::V1_08, applied));
    EXPECT_EQ(ReadFileBytes(Path(L"Data\\bak\\meteor.bak")), original);
    EXPECT_EQ(ReadFileText(Path(L"Data\\Slowlysave.cfg")), ExpectedCache(applied));
    EXPECT_FALSE(PathExists(elsewhere / L"Data"));
    EXPECT_TRUE(IsWindowEnabled(Restore()));
}

TEST_F(ToolTest, RestoresTheBackupOnceThenReportsItMissing) {
    WriteGame(GameVersion::V1_07);
    const Bytes original = ReadFileBytes(Path(L"meteor.exe"));
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    ASSERT_NE(ReadFileBytes(Path(L"meteor.exe")), original);

    EXPECT_EQ(ClickAndAnswer(Restore()), L"恭喜您还原成功");
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), original);
    EXPECT_FALSE(PathExists(Path(L"Data\\bak\\meteor.bak")));
    EXPECT_FALSE(IsWindowEnabled(Restore()));

    // Patched again, then the backup removed by hand while "还原" is enabled.
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    const Bytes patched = ReadFileBytes(Path(L"meteor.exe"));
    ASSERT_TRUE(DeleteFileW(Path(L"Data\\bak\\meteor.bak").c_str()));
    EXPECT_EQ(ClickAndAnswer(Restore()), L"还原文件丢失 还原失败");
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), patched);
    EXPECT_FALSE(IsWindowEnabled(Restore()));

    // A second copy started by a double click too many: the backup one
    // copy makes or uses shows in the other's "还原" once that is active.
    ToolProcess second(ToolExePath(), folder_.Path());
    HWND secondMain = WaitForTopLevel(second.Id(), kFormClassName, L"Tarnwick");
    ASSERT_TRUE(secondMain);
    HWND secondRestore = GetDlgItem(secondMain, kRestoreButtonId);
    WriteGame(GameVersion::V1_07);
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    // The other copy follows the folder in the background, too.
    EXPECT_NE(GetForegroundWindow(), secondMain);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(secondRestore); })) << "after the first copy's 确认";
    SetForegroundWindow(secondMain);
    EXPECT_EQ(test::ClickAndAnswer(second.Id(), secondMain, secondRestore), L"恭喜您还原成功");
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), original);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Restore()); })) << "after the second copy's 还原";

    // The command line makes the backup and uses it while both windows
    // stay where they are: neither is activated.
    const HWND active = GetForegroundWindow();
    const CommandResult applied = RunCommand(folder_.Path(), L"apply " + ValueArguments(DefaultFieldTexts()));
    EXPECT_EQ(applied.exitCode, 0u) << applied.output << applied.errors;
    EXPECT_EQ(ReadFileBytes(Path(L"Data\\bak\\meteor.bak")), original);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Restore()) && IsWindowEnabled(secondRestore); }))
        << "after the command line's apply";
    const CommandResult restored = RunCommand(folder_.Path(), L"restore");
    EXPECT_EQ(restored.exitCode, 0u) << restored.output << restored.errors;
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), original);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Restore()) && !IsWindowEnabled(secondRestore); }))
        << "after the command line's restore";
    EXPECT_EQ(GetForegroundWindow(), active);
}

TEST_F(ToolTest, ConfirmIsDisabledWhileAFieldIsEmpty) {
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    EXPECT_TRUE(IsWindowEnabled(Confirm()));
    for (int i : {0, 4, 9, 14}) {
        SCOPED_TRACE(i);
        const std::wstring before = WindowText(Field(i));
        SetText(Field(i), L"1");
        TypeChars(Field(i), "\b");  // the caret is at the start: nothing to delete
        SendMessageA(Field(i), EM_SETSEL, 0, -1);
        TypeChars(Field(i), "\b");
        EXPECT_EQ(WindowText(Field(i)), L"");
        EXPECT_FALSE(IsWindowEnabled(Confirm()));
        TypeChars(Field(i), "x8");
        EXPECT_EQ(WindowText(Field(i)), L"8");
        EXPECT_TRUE(IsWindowEnabled(Confirm()));
        SetText(Field(i), before);
    }
}

TEST_F(ToolTest, SettingsCacheTextIsNotCutToTheTypedLimit) {
    WriteGame(GameVersion::V1_08);
    WriteHint(kHintHeader + kOffLine);
    // Field 1 holds half a million digits: no value the tool wrote, so it
    // keeps its default, and start-up does not hang laying the text out.
    std::string cache = "[\xC5\xE4\xD6\xC3\xBB\xBA\xB4\xE6]\r\n";
    for (int i = 0; i < 15; ++i) {
        cache += "\xD1\xAA\xD6\xB5\xA3\xBA" + (i == 0 ? "1234" : i == 1 ? std::string(500000, '9') : "12") + "\r\n";
    }
    WriteFileBytes(Path(L"Data\\Slowlysave.cfg"), Bytes(cache.begin(), cache.end()));
    const Bytes game = ReadFileBytes(Path(L"meteor.exe"));
    ASSERT_NO_FATAL_FAILURE(StartTool());
    EXPECT_EQ(WindowText(Field(0)), L"1234");
    EXPECT_EQ(WindowText(Field(1)), L"100");
    EXPECT_EQ(SendMessageA(Field(0), EM_GETLIMITTEXT, 0, 0), 2);
    // Typing into the full field adds nothing.
    SendMessageA(Field(0), EM_SETSEL, 4, 4);
    TypeChars(Field(0), "5");
    EXPECT_EQ(WindowText(Field(0)), L"1234");
    // "确认" refuses it, naming the limit it applies: what the slot holds.
    EXPECT_EQ(ClickAndAnswer(Confirm()).find(L"第1个“血值”的数值“1234”太长，最多只能填写3位数字。"), 0u);
    EXPECT_EQ(ReadFileBytes(Path(L"meteor.exe")), game);
    EXPECT_FALSE(PathExists(Path(L"Data\\bak")));
    EXPECT_EQ(ReadFileText(Path(L"Data\\Slowlysave.cfg")), cache);
    EXPECT_EQ(ReadFileText(Path(L"Data\\Hint.cfg")), kHintHeader + kOffLine);
}

TEST_F(ToolTest, NoNoticeWhenSwitchedOff) {
    WriteGame(GameVersion::V1_07);
    WriteHint("[changed]\r\n" + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    // The notice would be created before the main window is shown.
    EXPECT_EQ(FindNotice(0), nullptr);
}

TEST_F(ToolTest, WithoutTheGameFileOnlyTheMessageDialogShowsAndClosingItEnds) {
    for (bool useCloseBox : {false, true}) {
        SCOPED_TRACE(useCloseBox ? "close box, 144 dpi" : "确认, 96 dpi");
        const int dpi = useCloseBox ? 144 : 96;
        ToolProcess tool(ToolExePath(), folder_.Path(), dpi);
        ASSERT_TRUE(tool.Started());
        HWND dialog = WaitForWindow(tool.Id(), [](HWND w) {
            return IsWindowVisible(w) && ClassName(w) == kFormClassName && WindowText(w) == L"系统信息" &&
                   (GetWindowLongA(w, GWL_STYLE) & WS_CAPTION);
        });
        ASSERT_TRUE(dialog);
        for (HWND w : TopLevelWindows(tool.Id())) {
            if (IsWindowVisible(w)) {
                EXPECT_EQ(w, dialog) << "no other window: " << ClassName(w);
            }
        }
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, TwipsToPixels(message_dialog_layout::kClientWidth, TwipsPerPixel(dpi)));  // 273
        EXPECT_EQ(client.bottom, TwipsToPixels(message_dialog_layout::kClientHeight, TwipsPerPixel(dpi)));  // 80
        HWND button = GetDlgItem(dialog, message_dialog_layout::kConfirmButtonId);
        EXPECT_EQ(WindowText(button), L"确认");

        if (useCloseBox) {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            Click(button);
        }
        EXPECT_TRUE(tool.WaitForExit()) << "closing the dialog ends the tool";
    }
    EXPECT_FALSE(PathExists(Path(L"Data"))) << "nothing written";
}

// The notice at each DPI setting.
class NoticeTest : public ToolTest, public testing::WithParamInterface<int> {};
INSTANTIATE_TEST_SUITE_P(Dpi, NoticeTest, testing::Values(96, 120, 144));

TEST_P(NoticeTest, RestsAboveTheTaskbarAndItsCheckBoxWritesTheSwitchFile) {
    const int dpi = GetParam();
    auto pixels = [dpi](double twips) { return TwipsToPixels(twips, TwipsPerPixel(dpi)); };
    WriteGame(GameVersion::V1_07);
    ASSERT_NO_FATAL_FAILURE(StartTool(dpi));
    HWND notice = FindNotice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(GetWindow(notice, GW_OWNER), nullptr);

    // Drive the slide with timer ticks until the window stops moving.
    RECT r{};
    ASSERT_NO_FATAL_FAILURE(SlideNoticeIn(notice, r));
    // Under a bare X server there may be no taskbar: then the work area
    // reaches the screen's bottom edge and the notice rests flush with it.
    // (Wine keeps a work area set with SPI_SETWORKAREA to the process that
    // set it, so the taskbar case is tested inside the app tests.)
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(r.bottom, workArea.bottom);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, pixels(notice_layout::kClientHeight));  // 200 at 96 dpi
    EXPECT_EQ(r.right - r.left, pixels(notice_layout::kClientWidth));   // 333
    // The outline frames the window's outermost pixels below the title bar.
    const ScreenShot screen(notice);
    const COLORREF outline = GetSysColor(COLOR_HIGHLIGHT);
    int missing = 0;
    for (int y = r.top + pixels(375); y < r.bottom; ++y)
        missing += (screen.At(r.left, y) != outline) + (screen.At(r.right - 1, y) != outline);
    for (int x = r.left; x < r.right; ++x) missing += screen.At(x, r.bottom - 1) != outline;
    EXPECT_EQ(missing, 0) << "pixels of the outline";

    HWND check = GetDlgItem(notice, notice_layout::kDontShowAgainId);
    ASSERT_TRUE(check);
    EXPECT_EQ(ClassName(check), kCheckBoxClassName);
    EXPECT_EQ(WindowText(check), L"不再提示此信息");
    const std::wstring hint = Path(L"Data\\Hint.cfg");
    for (const std::string* line : {&kOffLine, &kOnLine, &kOffLine}) {
        // Each click is handled before the box is looked at, and a click
        // the box did not take is given again: the box's state, not a
        // time, ends the step, however busy the machine.
        const LRESULT wanted = line == &kOffLine ? BST_CHECKED : BST_UNCHECKED;
        const auto state = [&] { return SendMessageW(check, BM_GETCHECK, 0, 0); };
        EXPECT_TRUE(WaitUntil([&] { return state() == wanted || (ClickNow(check, kBusyWaitMs) && state() == wanted); },
                              kBusyWaitMs));
        EXPECT_EQ(WaitForFileText(hint, kHintHeader + *line), kHintHeader + *line);
    }

    // "关闭" slides it out, and it closes itself; the main window stays.
    ClickAt(notice, pixels(4560) + 5, pixels(120) + 5);  // inside "关闭" at 4560, 120 twips
    for (int ticks = 0; ticks < 400 && IsWindow(notice); ++ticks) SendTimerTick(notice, notice_layout::kSlideOutTimer);
    EXPECT_FALSE(IsWindow(notice));
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_TRUE(tool_->Running());

    // The last click left the notice switched off.
    ASSERT_NO_FATAL_FAILURE(StartTool(dpi));
    EXPECT_EQ(FindNotice(0), nullptr);
}

// The check box says what Hint.cfg holds: where the click could not be
// saved it is unticked again, and the box names the file in one piece, or
// another copy of the tool when one keeps the game folder for the whole
// wait.
TEST_F(ToolTest, TheNoticeCheckBoxShowsWhatTheSwitchFileHolds) {
    struct Case {
        const char* name;
        bool folder;      // Hint.cfg a folder, else a file switched on
        bool otherCopy;   // another copy holds the game folder (else the file is read-only)
        const wchar_t* message;
    } cases[] = {
        {"read-only", false, false,
         L"保存提示设置失败：文件 data\\Hint.cfg 是只读的。\n请在该文件的“属性”中取消“只读”，然后再试。"},
        {"a folder", true, false,
         L"保存提示设置失败：游戏目录中的 data\\Hint.cfg 应该是文件，现在却是一个同名文件夹。\n"
         L"请把这个文件夹改名或移到别处，然后再试。"},
        {"another copy at work for the whole wait", false, true,
         L"保存提示设置失败：本工具的另一个副本正在保存提示设置或改动这个游戏目录中的文件。\n"
         L"请等它完成，然后再点击“不再提示此信息”。"},
    };
    WriteGame(GameVersion::V1_07);
    const std::wstring hint = Path(L"Data\\Hint.cfg");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveTree(Path(L"Data"));
        if (c.folder) {
            CreateDirectoryW(Path(L"Data").c_str(), nullptr);
            CreateDirectoryW(hint.c_str(), nullptr);
        } else {
            WriteHint(kHintHeader + kOnLine);
            if (!c.otherCopy) SetFileAttributesW(hint.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        ASSERT_NO_FATAL_FAILURE(StartTool(192));
        HWND notice = FindNotice();
        ASSERT_TRUE(notice);
        HWND check = GetDlgItem(notice, notice_layout::kDontShowAgainId);
        std::optional<FolderLock> otherCopy;
        if (c.otherCopy) otherCopy.emplace(GameFolderAt(folder_.Path()));
        Click(check);
        std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id(), kBusyWaitMs);
        otherCopy.reset();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, c.message);
        if (!c.otherCopy) {
            EXPECT_NE(box->shown.find(L"data\\Hint.cfg"), std::wstring::npos) << "the path in one piece";
        }
        for (const wchar_t* lone : {L"\r\n。", L"\r\n，", L"\r\n”", L"\r\n）"}) {
            EXPECT_EQ(box->shown.find(lone), std::wstring::npos) << "closing punctuation at the start of a line";
        }
        EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "while the box is open";
        EXPECT_TRUE(AnswerMessageBox(*box));
        EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        if (!c.folder) {
            EXPECT_EQ(ReadFileText(hint), kHintHeader + kOnLine);
            SetFileAttributesW(hint.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        tool_.reset();
    }
}

// Copies started together, each with its notice ticked at the same moment:
// they take turns, none reports a failure, and the file ends switched off.
TEST_F(ToolTest, CopiesSavingTheNoticeSwitchAtOnceAllSucceed) {
    constexpr int kCopies = 3;
    WriteGame(GameVersion::V1_07);
    std::vector<std::unique_ptr<ToolProcess>> tools;
    std::vector<HWND> checks;
    for (int i = 0; i < kCopies; ++i) {
        tools.push_back(std::make_unique<ToolProcess>(ToolExePath(), folder_.Path()));
        ASSERT_TRUE(tools.back()->Started());
        tool_.reset();
        HWND notice = WaitForWindow(tools.back()->Id(), [](HWND w) {
            return ClassName(w) == kFormClassName && WindowText(w) == L"系统信息" &&
                   !(GetWindowLongA(w, GWL_STYLE) & WS_CAPTION);
        });
        ASSERT_TRUE(notice);
        checks.push_back(GetDlgItem(notice, notice_layout::kDontShowAgainId));
    }
    for (HWND check : checks) Click(check);
    for (int i = 0; i < kCopies; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(WaitUntil([&] { return SendMessageW(checks[i], BM_GETCHECK, 0, 0) == BST_CHECKED; }, kBusyWaitMs));
        EXPECT_TRUE(Sync(GetParent(checks[i])));
        std::optional<MessageBoxSeen> box = FindMessageBox(tools[i]->Id());
        EXPECT_FALSE(box) << testing::PrintToString(box ? box->text : L"");
    }
    EXPECT_EQ(ReadFileText(Path(L"Data\\Hint.cfg")), kHintHeader + kOffLine);
    EXPECT_FALSE(PathExists(Path(L"Tarnwick.lock")));

    // One copy unticks its box: every box shows what the file holds now.
    Click(checks[0]);
    EXPECT_EQ(WaitForFileText(Path(L"Data\\Hint.cfg"), kHintHeader + kOnLine), kHintHeader + kOnLine);
    for (int i = 0; i < kCopies; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(WaitUntil([&] { return SendMessageW(checks[i], BM_GETCHECK, 0, 0) == BST_UNCHECKED; }));
    }
}

// At 144 and 192 dpi every window of the tool keeps its top-left corner
// inside the work area, the main window (1028 x 584 pixels at 192 dpi) and
// the notice (666 x 400) too when the screen is smaller
// (tests/e2e/small_screen.sh runs this on an 800 x 600 screen), and the
// notice stays above the main window, its check box in reach, also after
// the main window is activated and after a plain click (no move) on the
// drag band.
TEST_F(ToolTest, EveryWindowStaysInsideTheWorkAreaWithTheNoticeOnTop) {
    WriteGame(GameVersion::V1_07);
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        ASSERT_NO_FATAL_FAILURE(StartTool(dpi));
        HWND notice = FindNotice();
        ASSERT_TRUE(notice);
        RECT r{};
        ASSERT_NO_FATAL_FAILURE(SlideNoticeIn(notice, r));
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        auto expectInside = [&](HWND window, const char* name) {
            RECT w{};
            GetWindowRect(window, &w);
            SCOPED_TRACE(testing::Message() << name << " at " << w.left << "," << w.top << " " << w.right - w.left
                                            << "x" << w.bottom - w.top << " in " << area.right << "x" << area.bottom);
            EXPECT_GE(w.left, area.left);
            EXPECT_GE(w.top, area.top);
            EXPECT_TRUE(w.right <= area.right || w.left == area.left);
            EXPECT_TRUE(w.bottom <= area.bottom || w.top == area.top);
        };
        // On the screen too: where the windows overlap, the notice's
        // outline shows, just below its title bar.
        auto outlineShows = [&] {
            RECT n{}, m{};
            GetWindowRect(notice, &n);
            GetWindowRect(main_, &m);
            const POINT edge{n.left, n.top + TwipsToPixels(375, TwipsPerPixel(dpi)) + 2};
            return !PtInRect(&m, edge) || ScreenShot(notice).At(edge.x, edge.y) == GetSysColor(COLOR_HIGHLIGHT);
        };
        HWND check = GetDlgItem(notice, notice_layout::kDontShowAgainId);
        auto checkInReach = [&] {
            RECT box{};
            GetWindowRect(check, &box);
            return WindowFromPoint({(box.left + box.right) / 2, (box.top + box.bottom) / 2}) == check;
        };
        auto noticeAbove = [&] {
            const std::vector<HWND> order = TopLevelWindows(tool_->Id());
            return std::find(order.begin(), order.end(), notice) < std::find(order.begin(), order.end(), main_);
        };
        // Within a moment: the main window's look timer puts the notice
        // back above it where Wine raised it silently.
        auto expectNoticeOnTop = [&](const char* when) {
            SCOPED_TRACE(when);
            bool above = false, inReach = false, outline = false;
            WaitUntil([&] {
                above = noticeAbove();
                inReach = checkInReach();
                outline = outlineShows();
                return above && inReach && outline;
            });
            EXPECT_TRUE(above);
            EXPECT_TRUE(inReach);
            EXPECT_TRUE(outline) << "the notice's outline over the main window";
        };
        expectInside(main_, "main window");
        expectInside(notice, "notice");
        expectNoticeOnTop("at start");
        SetForegroundWindow(main_);
        ClickAt(main_, 20, 20);
        Sync(main_);
        expectNoticeOnTop("main window activated");
        // A real click, as the player gives it, in the middle of the band.
        const Box band = TwipsToPixels(kDragBand, TwipsPerPixel(dpi));
        POINT middle{band.left + band.width / 2, band.top + band.height / 2};
        ClientToScreen(main_, &middle);
        // A digit typed after it, through the same queue, into the field
        // that has the keyboard (its text selected): once the field shows
        // it, the click has been handled.
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &thread) && thread.hwndFocus);
        HWND field = thread.hwndFocus;
        SendMessageW(field, EM_SETSEL, 0, -1);
        // The player comes back to the main window from the notice.
        SetForegroundWindow(notice);
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notice; }));
        MoveCursorTo(middle);
        LeftClick();
        INPUT digit[2]{};
        digit[0].type = digit[1].type = INPUT_KEYBOARD;
        digit[0].ki.wVk = digit[1].ki.wVk = '7';
        digit[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, digit, sizeof(INPUT));
        EXPECT_TRUE(WaitUntil([&] { return WindowText(field) == L"7"; })) << "the click and the key after it handled";
        expectNoticeOnTop("a plain click on the drag band");

        Click(Confirm());
        std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"恭喜您修改成功");
        expectInside(box->window, "message box");
        EXPECT_TRUE(AnswerMessageBox(*box));
    }
}

TEST_F(ToolTest, ExitEndsTheToolWhileTheNoticeIsStillSliding) {
    WriteGame(GameVersion::V1_07);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    ASSERT_TRUE(FindNotice());
    Click(Exit());
    EXPECT_TRUE(tool_->WaitForExit());
}


// Presses a mouse button at a screen point, moves by (dx, dy) in steps and
// releases it, every event through the platform's input queue as a user
// gives it, so that they arrive in order (a cursor set directly may reach
// the window after the release). A drag that `moves` the window waits for
// the move loop to start before it moves and for it to end after the
// release. What a drag that moves nothing did shows once a later drag is
// done. The whole window is dragged (ScopedFullWindowDrag), so each step
// shows before the next. Returns how far the cursor went (absolute
// positions are rounded to the screen's pixels).
POINT DragWithButton(HWND window, POINT from, int dx, int dy, DWORD down, DWORD up, bool moves) {
    MoveCursorTo(from);
    POINT start{}, end{};
    EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&start) && std::abs(start.x - from.x) <= 1 && std::abs(start.y - from.y) <= 1; }));
    EXPECT_TRUE(WaitUntil([&] { return GetAncestor(WindowFromPoint(start), GA_ROOT) == window; }))
        << "the press lands on the window";
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = down;
    SendInput(1, &press, sizeof press);
    if (moves) {
        EXPECT_TRUE(WaitUntil([&] { return InMoveLoop(window); })) << "the move loop starts";
    }
    RECT before{};
    GetWindowRect(window, &before);
    for (int step = 1; step <= 5; ++step) {
        MoveCursorTo({from.x + dx * step / 5, from.y + dy * step / 5});
        // The window follows the cursor (the whole window is dragged)
        // before the next step is given.
        if (moves) {
            EXPECT_TRUE(WaitUntil([&] {
                POINT at{};
                RECT now{};
                return GetCursorPos(&at) && GetWindowRect(window, &now) && now.left - before.left == at.x - start.x &&
                       now.top - before.top == at.y - start.y;
            })) << "step " << step;
        }
    }
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = up;
    SendInput(1, &release, sizeof release);
    if (moves) {
        EXPECT_TRUE(WaitUntil([&] { return !InMoveLoop(window); })) << "the move loop ends";
    }
    GetCursorPos(&end);
    return {end.x - start.x, end.y - start.y};
}

// The whole window dragged rather than its outline, for the tools started
// while it lives, as players often have it; the setting is put back.
struct ScopedFullWindowDrag {
    ScopedFullWindowDrag() {
        SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &old, 0);
        SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    }
    ~ScopedFullWindowDrag() { SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, old, nullptr, 0); }
    BOOL old = FALSE;
};

TEST_F(ToolTest, TheTopBandDragsTheWindowWithTheLeftButtonOnly) {
    ScopedFullWindowDrag fullDrag;
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    RECT start;
    GetWindowRect(main_, &start);
    const POINT band{start.left + 250, start.top + 40};  // inside 移动 (rows 16 to 72)
    auto movedBy = [&](POINT by) {
        RECT r{};
        const bool moved = WaitUntil([&] {
            GetWindowRect(main_, &r);
            return r.left - start.left == by.x && r.top - start.top == by.y &&
                   r.right - r.left == start.right - start.left;
        });
        EXPECT_TRUE(moved) << "moved by " << r.left - start.left << "," << r.top - start.top << " for " << by.x
                           << "," << by.y;
    };

    // The right button moves nothing: after it, the left button's drag
    // moves the window by its own distance only.
    DragWithButton(main_, band, 40, 30, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, false);
    const POINT first = DragWithButton(main_, band, 40, 30, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, true);
    EXPECT_LE(std::abs(first.x - 40) + std::abs(first.y - 30), 2);
    movedBy(first);

    // Below the band the status line does not drag: the band's drag back
    // brings the window to where it started.
    const POINT status{start.left + first.x + 250, start.top + first.y + 105};
    DragWithButton(main_, status, 40, 30, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, false);
    const POINT back = DragWithButton(main_, {band.x + first.x, band.y + first.y}, -first.x, -first.y,
                                      MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, true);
    movedBy({first.x + back.x, first.y + back.y});
}

// Presses and releases a key through the platform's input queue.
void PressKey(WORD key, bool shift = false) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (shift) add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift) add(VK_SHIFT, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The focus window of the thread that owns `window`, waiting until it is
// not `previous` (null when it did not change within the time).
HWND FocusOf(HWND window, HWND previous = nullptr) {
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (int i = 0; i < 200; ++i) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus && info.hwndFocus != previous) return info.hwndFocus;
        Sleep(10);
    }
    return nullptr;
}

TEST_F(ToolTest, KeyboardMovesTheFocusInOrderAndTypesDigitsOnly) {
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    HWND focus = FocusOf(main_);
    ASSERT_EQ(focus, Field(0)) << "the first field has the focus at start";

    std::vector<HWND> expected;
    for (int i = 1; i < 15; ++i) expected.push_back(Field(i));
    expected.push_back(Confirm());
    expected.push_back(Exit());  // "还原" is disabled: no backup
    expected.push_back(Field(0));
    for (size_t step = 0; step < expected.size(); ++step) {
        SCOPED_TRACE(step);
        PressKey(VK_TAB);
        focus = FocusOf(main_, focus);
        ASSERT_EQ(focus, expected[step]) << ClassName(focus) << " " << GetDlgCtrlID(focus);
        if (step == 0) {
            // Tab selects the field's whole text, so typing replaces it;
            // typed keys pass the digit filter.
            for (WORD key : {WORD('A'), WORD('4'), WORD(VK_OEM_PERIOD), WORD(VK_SPACE), WORD('2'), WORD('7')})
                PressKey(key);
            for (int i = 0; i < 100 && WindowText(Field(1)) != L"427"; ++i) Sleep(10);
            EXPECT_EQ(WindowText(Field(1)), L"427");
        }
    }
    PressKey(VK_TAB, true);
    EXPECT_EQ(FocusOf(main_, focus), Exit()) << "Shift+Tab goes back";
    EXPECT_TRUE(tool_->Running());
}

// What the buttons show a player who uses the mouse: "确认" after a hover
// fade has run out and a field is emptied and filled again, "确认" while
// the message box of its click is open, and "还原" after a restore and
// another apply. The outline tells enabled from disabled.
TEST_F(ToolTest, ButtonsShowTheirRealStateAfterFadesAndWhileTheirMessageBoxIsOpen) {
    constexpr COLORREF kDisabledOutline = 0x00E8C387, kEnabledOutline = 0x00D58F1B;
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    // x pixels into the window, halfway down the (equally tall) buttons.
    auto at = [&](HWND window, int x) {
        RECT r{}, b{};
        GetWindowRect(window, &r);
        GetWindowRect(Confirm(), &b);
        return POINT{r.left + x, r.top + (b.bottom - b.top) / 2};
    };
    auto moveAway = [&] {
        RECT m{};
        GetWindowRect(main_, &m);
        MoveCursorTo({m.left + 250, m.top + 105});  // onto the status line
    };
    auto fadeRunsOut = [](HWND button) {
        auto fading = [&] { return GetPropA(button, "TIMERID") != nullptr; };
        return WaitUntil(fading) && WaitUntil([&] { return !fading(); });
    };
    auto outlineIs = [&](HWND button, COLORREF colour, const char* when) {
        const bool shown = WaitUntil([&] { return ScreenPixel(at(button, 0)) == colour; }, 3000);
        EXPECT_TRUE(shown) << when << ": " << ColourText(ScreenPixel(at(button, 0))) << " for " << ColourText(colour);
    };
    auto click = [&](HWND button, const wchar_t* text) {
        MoveCursorOnto(button);
        LeftClick();
        std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id());
        EXPECT_EQ(box ? box->text : L"", text);
        return box;
    };

    moveAway();  // from wherever it was, so that moving onto "确认" is a move
    MoveCursorOnto(Confirm());
    ASSERT_TRUE(fadeRunsOut(Confirm())) << "hovered";
    moveAway();
    ASSERT_TRUE(fadeRunsOut(Confirm())) << "left";
    SetText(Field(3), L"");
    outlineIs(Confirm(), kDisabledOutline, "emptied");
    SetText(Field(3), L"50");
    outlineIs(Confirm(), kEnabledOutline, "filled again");

    // While the box is open, "确认" has the released face of "退出".
    std::optional<MessageBoxSeen> box = click(Confirm(), L"恭喜您修改成功");
    ASSERT_TRUE(box);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(at(Confirm(), 1)) == ScreenPixel(at(Exit(), 1)); }, 3000))
        << ColourText(ScreenPixel(at(Confirm(), 1))) << " for " << ColourText(ScreenPixel(at(Exit(), 1)));
    ASSERT_TRUE(AnswerMessageBox(*box));

    box = click(Restore(), L"恭喜您还原成功");
    ASSERT_TRUE(box && AnswerMessageBox(*box));
    outlineIs(Restore(), kDisabledOutline, "restored");
    moveAway();
    ASSERT_TRUE(fadeRunsOut(Restore())) << "left";
    box = click(Confirm(), L"恭喜您修改成功");
    ASSERT_TRUE(box && AnswerMessageBox(*box));
    outlineIs(Restore(), kEnabledOutline, "applied again");
}

TEST_F(ToolTest, FailuresAreReportedAndTheToolKeepsRunning) {
    WriteGame(GameVersion::V1_07);
    // "data" as a file: the switch file cannot be written.
    WriteFileBytes(Path(L"data"), Bytes{'x'});
    ASSERT_NO_FATAL_FAILURE(StartTool());
    HWND notice = FindNotice();
    ASSERT_TRUE(notice);
    Click(GetDlgItem(notice, notice_layout::kDontShowAgainId));
    std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->owner, notice);
    EXPECT_NE(box->text.find(L"保存提示设置失败"), std::wstring::npos) << testing::PrintToString(box->text);
    EXPECT_TRUE(AnswerMessageBox(*box));
    EXPECT_TRUE(tool_->Running());
    EXPECT_TRUE(IsWindow(notice));

    // The same for "确认": the folders cannot be made.
    std::wstring text = ClickAndAnswer(Confirm());
    EXPECT_EQ(text.rfind(L"修改失败", 0), 0u) << testing::PrintToString(text);
    EXPECT_TRUE(tool_->Running());
    EXPECT_TRUE(IsWindowEnabled(Confirm()));
}

TEST_F(ToolTest, AGameFileThatCannotBeReadIsReported) {
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    // Held open without sharing, as a running game may hold it.
    HANDLE held = CreateFileW(Path(L"meteor.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id());
    CloseHandle(held);
    ASSERT_TRUE(box);
    EXPECT_NE(box->text.find(L"meteor.exe"), std::wstring::npos) << testing::PrintToString(box->text);
    EXPECT_TRUE(AnswerMessageBox(*box));
    // Free now: "确认" reads it again and patches it.
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    EXPECT_EQ(Slice(ReadFileBytes(Path(L"meteor.exe")), 0x1C743C, 4), (Bytes{0x35, 0x30, 0x25, 0}));
    EXPECT_TRUE(tool_->Running());
}

// The status line shows the game file as it is now, and "确认" patches
// that: a file held at start-up and freed once its box is answered, and
// another version put in place while the window is open, which shows
// without the window being activated, also when the program writing it
// holds it without sharing for a while (closing it sends no notification),
// longer than ten seconds too. An updater that opens the game file again
// and again without sharing, each time once, never meets the window.
TEST_F(ToolTest, TheStatusLineAndConfirmFollowTheGameFile) {
    struct Case {
        const char* name;
        bool heldAtStart;
        GameVersion atStart, swappedIn, shown;
        std::uint32_t t0Offset;
        DWORD heldAfterWriteMs;
        int updaterOpens;
    } cases[] = {
        {"held at start, then freed", true, GameVersion::V1_07, GameVersion::V1_07, GameVersion::V1_07, 0x1C743C, 0, 0},
        {"1.07 swapped for 1.08", false, GameVersion::V1_07, GameVersion::V1_08, GameVersion::V1_08, 0x1C744C, 0, 0},
        {"1.08 written by a program that holds it", false, GameVersion::V1_07, GameVersion::V1_08, GameVersion::V1_08,
         0x1C744C, 1000, 0},
        {"1.08 written by a program that holds it past ten seconds", false, GameVersion::V1_07, GameVersion::V1_08,
         GameVersion::V1_08, 0x1C744C, 12000, 0},
        {"1.08 put in place by an updater that opens it 300 times", false, GameVersion::V1_07, GameVersion::V1_08,
         GameVersion::V1_08, 0x1C744C, 0, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<COLORREF> expected = StatusLineFor(c.shown);
        ASSERT_FALSE(expected.empty());
        RemoveTree(Path(L"Data"));
        WriteGame(c.atStart);
        WriteHint(kHintHeader + kOffLine);
        HANDLE held = c.heldAtStart ? CreateFileW(Path(L"meteor.exe").c_str(), GENERIC_READ, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr)
                                    : INVALID_HANDLE_VALUE;
        ASSERT_NO_FATAL_FAILURE(StartTool(96));
        if (c.heldAtStart) {
            std::optional<MessageBoxSeen> box = WaitForMessageBox(tool_->Id());
            CloseHandle(held);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->text, L"游戏文件 meteor.exe 正在被使用，无法识别游戏版本。\n请先关闭游戏，然后重新运行本工具。");
            EXPECT_TRUE(AnswerMessageBox(*box));
        } else if (c.updaterOpens > 0) {
            // Each open writes (the whole file first, then its first bytes
            // again), so that the window sees the folder change each time.
            const Bytes bytes = MakeSyntheticGame(c.swappedIn);
            int refused = 0;
            for (int i = 0; i < c.updaterOpens; ++i) {
                HANDLE writer = OpenGameForWriting(i == 0 ? TRUNCATE_EXISTING : OPEN_EXISTING);
                if (writer == INVALID_HANDLE_VALUE) {
                    ++refused;
                    continue;
                }
                DWORD written = 0;
                WriteFile(writer, bytes.data(), i == 0 ? static_cast<DWORD>(bytes.size()) : 64, &written, nullptr);
                CloseHandle(writer);
                Sleep(static_cast<DWORD>(i % 15));  // the updater's own pace, from one file to the next
            }
            EXPECT_EQ(refused, 0) << "opens refused of " << c.updaterOpens;
        } else if (c.heldAfterWriteMs == 0) {
            WriteGame(c.swappedIn);
        } else {
            HANDLE writer = OpenGameForWriting(TRUNCATE_EXISTING);
            ASSERT_NE(writer, INVALID_HANDLE_VALUE);
            const Bytes bytes = MakeSyntheticGame(c.swappedIn);
            DWORD written = 0;
            EXPECT_TRUE(WriteFile(writer, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
            Sleep(c.heldAfterWriteMs);  // the window meets the file held meanwhile
            CloseHandle(writer);
        }
        EXPECT_TRUE(WaitUntil([&] { return StatusLinePixels() == expected; })) << "status line";
        EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
        EXPECT_EQ(Slice(ReadFileBytes(Path(L"meteor.exe")), c.t0Offset, 4), (Bytes{0x35, 0x30, 0x25, 0}));
        EXPECT_EQ(ReadFileBytes(Path(L"Data\\bak\\meteor.bak")), MakeSyntheticGame(c.swappedIn));
    }
}

// The fields take the editing keys of every text field, and each way of
// pasting puts in only what typing could: digits, within the field's
// length (2 for the first field). Each path pastes "１２３" into the empty
// field and then a row's text; a "9" typed after the full-width paste is
// the whole text only when that paste put nothing in.
TEST_F(ToolTest, FieldsTakeTheEditingKeysAndPasteOnlyWhatTypingCould) {
    WriteGame(GameVersion::V1_07);
    WriteHint(kHintHeader + kOffLine);
    ASSERT_NO_FATAL_FAILURE(StartTool());
    HWND field = Field(0);

    // Ctrl+X, Ctrl+Z, Ctrl+C as the field's characters 24, 26 and 3.
    SendMessageW(field, EM_SETSEL, 0, -1);
    TypeChars(field, "\x18");
    EXPECT_EQ(WindowText(field), L"");
    EXPECT_EQ(Clipboard(), L"50");
    TypeChars(field, "\x1A");
    EXPECT_EQ(WindowText(field), L"50");
    SetClipboard(L"");
    SendMessageW(field, EM_SETSEL, 0, -1);
    TypeChars(field, "\x03");
    EXPECT_EQ(Clipboard(), L"50");

    // The first field has the keyboard focus from the start (a click into
    // it could come after the selection and undo it).
    auto selectAll = [&] {
        SetForegroundWindow(main_);
        Sync(main_);
        SendMessageW(field, EM_SETSEL, 0, -1);
    };
    ASSERT_EQ(FocusOf(main_), field);
    auto waitForMenu = [&] {
        return WaitForWindow(tool_->Id(), [](HWND w) { return IsWindowVisible(w) && ClassName(w) == "#32768"; });
    };
    struct PastePath {
        const char* name;
        std::function<void()> paste;
    } paths[] = {
        {"Ctrl+V", [&] { TypeChars(field, "\x16"); }},
        {"WM_PASTE", [&] { SendMessageW(field, WM_PASTE, 0, 0); }},
        {"Shift+Insert", [&] {
             selectAll();
             PressKey(VK_INSERT, true);
         }},
        {"the context menu", [&] {
             selectAll();
             PostMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(-1, -1));
             ASSERT_TRUE(waitForMenu());
             PressKey('P');
         }},
    };
    struct Row {
        const wchar_t* pasted;
        const wchar_t* kept;
    } rows[] = {{L"1a2", L"12"}, {L"123", L"12"}};
    for (const PastePath& path : paths) {
        SCOPED_TRACE(path.name);
        selectAll();
        TypeChars(field, "\b");
        SetClipboard(L"１２３");
        path.paste();
        PressKey('9');  // after the caret: anything the paste put in stays
        EXPECT_TRUE(WaitUntil([&] { return WindowText(field) == L"9"; })) << testing::PrintToString(WindowText(field));
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(row.pasted)));
            selectAll();
            TypeChars(field, "\b");
            SetClipboard(row.pasted);
            path.paste();
            EXPECT_TRUE(WaitUntil([&] { return WindowText(field) == row.kept; }))
                << testing::PrintToString(WindowText(field));
        }
    }
    EXPECT_EQ(ClickAndAnswer(Confirm()), L"恭喜您修改成功");
    EXPECT_EQ(Slice(ReadFileBytes(Path(L"meteor.exe")), 0x1C743C, 4), (Bytes{0x31, 0x32, 0x25, 0}));
}

}  // namespace
}  // namespace tarnwick::test
