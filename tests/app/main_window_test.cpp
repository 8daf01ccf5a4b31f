// The main window driven inside the test process: layout, start-up, the
// field handlers and the hand-over to the message dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/main_layout.h"
#include "app/main_window.h"
#include "app/message_dialog.h"
#include "app/unseen_mapped_drive.h"
#include "form/form.h"
#include "notice/notice_window.h"
#include "core/game/version.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/window_test_util.h"
#include "words/messages.h"

namespace tarnwick {
namespace {

using namespace main_layout;
using test::ClassOf;
using test::PumpUntil;
using test::PumpUntilIdle;
using test::TestGameFolder;
using test::TextOf;

Box ChildBox(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Type(HWND field, const std::string& keys) {
    for (char key : keys) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(key), 1);
}

TEST(MainWindow, LayoutCreatesEveryItemAtItsPlace) {
    TestGameFolder game;
    MainWindow window(game.folder);
    ASSERT_TRUE(window.CreateLayout());
    const double tpp = ScreenTwipsPerPixel();
    HWND form = window.Handle();

    EXPECT_EQ(ClassOf(form), "ThunderRT6FormDC");
    EXPECT_EQ(TextOf(form), L"Tarnwick");
    LONG style = GetWindowLongA(form, GWL_STYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT client, outer;
    GetClientRect(form, &client);
    GetWindowRect(form, &outer);
    EXPECT_EQ(client.right, TwipsToPixels(kClientWidth, tpp));
    EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeight, tpp));
    EXPECT_EQ(outer.right - outer.left, client.right) << "no frame";
    EXPECT_NEAR(outer.left * 2 + client.right, GetSystemMetrics(SM_CXSCREEN), 1) << "centred";
    EXPECT_NEAR(outer.top * 2 + client.bottom, GetSystemMetrics(SM_CYSCREEN), 1) << "centred";

    for (int i = 0; i < kFieldCount; ++i) {
        SCOPED_TRACE(i);
        HWND field = window.Field(i);
        EXPECT_EQ(ClassOf(field), "Edit");
        EXPECT_EQ(GetDlgCtrlID(field), FieldId(i));
        EXPECT_EQ(ChildBox(field), TwipsToPixels(FieldBox(i), tpp));
        EXPECT_TRUE(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_EQ(window.Labels()[MainWindow::FieldLabel(i)].box, TwipsToPixels(FieldLabelBox(i), tpp));
        EXPECT_EQ(TextOf(field), kFields[i].defaultText);
    }
    struct Button {
        HWND window;
        int id;
        Box box;
        const wchar_t* text;
    } buttons[] = {{window.ConfirmButton(), kConfirmButtonId, kConfirmButtonBox, L"确认"},
                   {window.ExitButton(), kExitButtonId, kExitButtonBox, L"退出"},
                   {window.RestoreButton(), kRestoreButtonId, kRestoreButtonBox, L"还原"}};
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.id);
        EXPECT_EQ(ClassOf(b.window), "Button");
        EXPECT_EQ(GetDlgCtrlID(b.window), b.id);
        EXPECT_EQ(ChildBox(b.window), TwipsToPixels(b.box, tpp));
        EXPECT_EQ(TextOf(b.window), b.text);
        EXPECT_TRUE(IsWindowEnabled(b.window));
    }
    HWND hiddenField = GetDlgItem(window.Handle(), kHiddenFieldId);
    ASSERT_TRUE(hiddenField);
    EXPECT_EQ(ChildBox(hiddenField), TwipsToPixels(kHiddenFieldBox, tpp));
    EXPECT_FALSE(IsWindowVisible(hiddenField));

    // Before start-up the labels are empty and opaque.
    ASSERT_EQ(window.Labels().size(), 2u + kFieldCount);
    EXPECT_EQ(window.Labels()[MainWindow::kDragBandLabel].box, TwipsToPixels(kDragBand, tpp));
    EXPECT_EQ(window.Labels()[MainWindow::kStatusLabel].box, TwipsToPixels(kStatus, tpp));
    for (size_t i = 1; i < window.Labels().size(); ++i) {
        EXPECT_TRUE(window.Labels()[i].caption.empty());
        EXPECT_FALSE(window.Labels()[i].transparent);
    }
}

TEST(MainWindow, TabVisitsFieldsThenConfirmExitRestore) {
    TestGameFolder game;
    MainWindow window(game.folder);
    ASSERT_TRUE(window.CreateLayout());
    std::vector<HWND> expected;
    for (int i = 0; i < kFieldCount; ++i) expected.push_back(window.Field(i));
    expected.push_back(window.ConfirmButton());
    expected.push_back(window.ExitButton());
    expected.push_back(window.RestoreButton());
    HWND item = expected.back();
    for (size_t step = 0; step < expected.size(); ++step) {
        SCOPED_TRACE(step);
        item = GetNextDlgTabItem(window.Handle(), item, FALSE);
        EXPECT_EQ(item, expected[step]);
    }
    // Backwards from the first field wraps round to "还原"; a disabled
    // "还原" is skipped.
    EXPECT_EQ(GetNextDlgTabItem(window.Handle(), window.Field(0), TRUE), window.RestoreButton());
    EnableWindow(window.RestoreButton(), FALSE);
    EXPECT_EQ(GetNextDlgTabItem(window.Handle(), window.ExitButton(), FALSE), window.Field(0));
}

TEST(MainWindow, StartUpLabelsLimitsAndColourKey) {
    for (bool backup : {false, true}) {
        SCOPED_TRACE(backup ? "backup present" : "no backup");
        TestGameFolder game;
        if (backup) {
            CreateDirectoryW(game.folder.DataFolder().c_str(), nullptr);
            CreateDirectoryW(game.folder.BackupFolder().c_str(), nullptr);
            ASSERT_TRUE(test::WriteBytes(game.folder.BackupFile(), {1, 2, 3}));
        }
        MainWindow window(game.folder);
        ASSERT_TRUE(window.Start());
        PumpUntilIdle();
        ASSERT_TRUE(window.Handle());
        EXPECT_TRUE(IsWindowVisible(window.Handle()));
        EXPECT_EQ(IsWindowEnabled(window.RestoreButton()) != 0, backup);
        EXPECT_TRUE(IsWindowEnabled(window.ConfirmButton()));

        // A file that matches no version.
        EXPECT_EQ(window.Labels()[MainWindow::kStatusLabel].caption, L"无法识别您当前所使用的版本请谨慎使用");
        EXPECT_TRUE(window.Labels()[MainWindow::kStatusLabel].transparent);
        for (int i = 0; i < kFieldCount; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(window.Labels()[MainWindow::FieldLabel(i)].caption, kFields[i].caption);
            EXPECT_TRUE(window.Labels()[MainWindow::FieldLabel(i)].transparent);
            EXPECT_EQ(SendMessageA(window.Field(i), EM_GETLIMITTEXT, 0, 0), (i >= 1 && i <= 4) ? 3 : 2);
        }

        EXPECT_TRUE(GetWindowLongA(window.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window.Handle(), &key, &alpha, &flags));
        EXPECT_EQ(key, 0x0000FF00u);
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    }
}

TEST(MainWindow, TextsPassThroughTheSkinnedWindowsUnconverted) {
    // Thai, a character outside the basic plane and Chinese: no ANSI code
    // page holds them all, so a window subclassed through the ANSI functions
    // (by the key filter or the style engine) would give back question marks.
    const std::wstring text = L"\u0E20\u0E32\u0E29\u0E32 \U0001F98B \u786E\u8BA4";
    TestGameFolder game;
    MainWindow window(game.folder);
    ASSERT_TRUE(window.Start());
    for (HWND item : {window.Handle(), window.Field(0), window.ConfirmButton(),
                       GetDlgItem(window.Handle(), kHiddenFieldId)}) {
        SCOPED_TRACE(ClassOf(item));
        EXPECT_TRUE(IsWindowUnicode(item));
        ASSERT_TRUE(SetWindowTextW(item, text.c_str()));
        EXPECT_EQ(TextOf(item), text);
    }
}

TEST(MainWindow, FieldsTakeOnlyDigitsAndBackspaceWhenTyped) {
    TestGameFolder game;
    MainWindow window(game.folder);
    ASSERT_TRUE(window.Start());
    struct Case {
        int field;
        const char* start;
        std::string keys;
        const wchar_t* text;
    } cases[] = {
        {0, "", "12a", L"12"},
        {5, "", ".-/ +e", L""},
        {6, "", "7\r\t9", L"79"},
        {2, "", "1\b", L""},
        {14, "", "4\b\b5", L"5"},
        {0, "", "123", L"12"},     // typed-length limit 2
        {1, "", "1234", L"123"},   // limit 3 for fields 1 to 4
        {4, "", "9999", L"999"},
        // Ctrl+B dropped; Ctrl+C and Ctrl+X with nothing selected change nothing.
        {3, "", std::string("\x02\x03\x18", 3) + "8", L"8"},
        {0, "12", "\x01" "3", L"3"},  // Ctrl+A selects the whole text
        {9, "", "\xB0\xA1", L""},  // a double-byte character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " keys " << testing::PrintToString(c.keys));
        HWND field = window.Field(c.field);
        SetWindowTextA(field, c.start);
        SendMessageA(field, EM_SETSEL, 0, 0);
        Type(field, c.keys);
        EXPECT_EQ(TextOf(field), c.text);
    }
}

TEST(MainWindow, ConfirmIsEnabledExactlyWhileNoFieldIsEmpty) {
    TestGameFolder game;
    MainWindow window(game.folder);
    ASSERT_TRUE(window.Start());
    for (int i = 0; i < kFieldCount; ++i) {
        SCOPED_TRACE(i);
        HWND field = window.Field(i);
        std::wstring before = TextOf(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        Type(field, "\b");
        EXPECT_FALSE(IsWindowEnabled(window.ConfirmButton()));
        Type(field, "7");
        EXPECT_TRUE(IsWindowEnabled(window.ConfirmButton()));
        SetWindowTextW(field, before.c_str());
    }
    for (int i = 0; i < kFieldCount; ++i) SetWindowTextA(window.Field(i), "");
    EXPECT_FALSE(IsWindowEnabled(window.ConfirmButton()));
    SetWindowTextA(window.Field(7), "1");
    EXPECT_FALSE(IsWindowEnabled(window.ConfirmButton()));
}

BOOL CALLBACK CountForm(HWND window, LPARAM forms) {
    if (test::ClassOf(window) == kFormClassName) ++*reinterpret_cast<int*>(forms);
    return TRUE;
}

// The forms of this thread, hidden ones too: what the message loop waits for.
int FormWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountForm, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(MainWindow, WithoutTheGameFileOnlyTheMessageDialogShows) {
    TestGameFolder game(false);
    int formsBefore = FormWindowsOfThisThread();
    MainWindow window(game.folder);
    ASSERT_TRUE(window.Start());
    PumpUntilIdle();
    EXPECT_EQ(window.Handle(), nullptr) << "the main window is closed unshown";
    EXPECT_EQ(window.Notice(), nullptr);
    ASSERT_NE(window.Dialog(), nullptr);
    HWND dialog = window.Dialog()->Handle();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(FormWindowsOfThisThread(), formsBefore + 1);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(ClassOf(dialog), "ThunderRT6FormDC");
    EXPECT_EQ(TextOf(dialog), L"系统信息");
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 273);
    EXPECT_EQ(client.bottom, 80);
    HWND button = window.Dialog()->ConfirmButton();
    EXPECT_EQ(TextOf(button), L"确认");
    EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & WS_TABSTOP);
    ASSERT_EQ(window.Dialog()->Labels().size(), 1u);
    EXPECT_EQ(window.Dialog()->Labels()[0].caption, L"程序必须在流星蝴蝶剑的安装目录下才能运行");
    EXPECT_TRUE(window.Dialog()->Labels()[0].transparent);

    // "确认" closes it; no form of the tool is left, so the loop would end.
    SendMessageA(button, BM_CLICK, 0, 0);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(FormWindowsOfThisThread(), formsBefore);
}

TEST(MainWindow, NoticeShowsUnlessTheSwitchFileSaysOff) {
    struct Case {
        const char* name;
        const char* hintFile;  // nullptr: no file
        bool shown;
    } cases[] = {
        // How the file is read is the switch file's own business; these two
        // show that the start-up follows it.
        {"no switch file", nullptr, true},
        {"switched off", "[\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC]\r\n\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGameFolder game;
        if (c.hintFile) {
            CreateDirectoryW(game.folder.DataFolder().c_str(), nullptr);
            std::string bytes = c.hintFile;
            ASSERT_TRUE(test::WriteBytes(game.folder.HintFile(), {bytes.begin(), bytes.end()}));
        }
        MainWindow window(game.folder);
        ASSERT_TRUE(window.Start());
        ASSERT_EQ(window.Notice() != nullptr, c.shown);
        if (c.shown) {
            HWND notice = window.Notice()->Handle();
            EXPECT_TRUE(IsWindowVisible(notice));
            EXPECT_EQ(GetWindow(notice, GW_OWNER), nullptr);
            EXPECT_EQ(ClassOf(notice), "ThunderRT6FormDC");
            EXPECT_EQ(TextOf(notice), L"系统信息");
        }
    }
}

TEST(MainWindow, SettingsCacheFillsTheFields) {
    TestGameFolder game;
    CreateDirectoryW(game.folder.DataFolder().c_str(), nullptr);
    // Header, then field 0 with more digits than could be typed, field 1
    // with its label only, the rest with any three characters before the value.
    std::string cache = "[\xC5\xE4\xD6\xC3\xBB\xBA\xB4\xE6]\r\n";
    cache += "\xD1\xAA\xD6\xB5\xA3\xBA" "1234\r\n";
    cache += "\xD1\xAA\xD6\xB5\xA3\xBA\r\n";
    for (int i = 2; i < kFieldCount; ++i) cache += "abc" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(test::WriteBytes(game.folder.SettingsCacheFile(), {cache.begin(), cache.end()}));

    MainWindow window(game.folder);
    ASSERT_TRUE(window.Start());
    EXPECT_EQ(TextOf(window.Field(0)), L"1234");
    EXPECT_EQ(TextOf(window.Field(1)), L"");
    for (int i = 2; i < kFieldCount; ++i) EXPECT_EQ(TextOf(window.Field(i)), std::to_wstring(i)) << i;
    EXPECT_FALSE(IsWindowEnabled(window.ConfirmButton())) << "field 1 is empty";
}

// A drive letter that is not there (a mapped drive the elevated session
// lacks) is unseen; a folder on a drive that is there, even a missing
// one, is not.
TEST(UnseenMappedDrive, FolderOnADriveTheSystemDoesNotKnow) {
    wchar_t unused = 0;
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Z'; letter >= L'D' && !unused; --letter) {
        if (!(drives & (1u << (letter - L'A')))) unused = letter;
    }
    ASSERT_TRUE(unused);
    EXPECT_TRUE(FolderOnUnseenDrive(std::wstring(1, unused) + L":\\Games\\Meteor"));
    EXPECT_FALSE(FolderOnUnseenDrive(L"C:\\no such folder"));
    TestGameFolder game;
    EXPECT_FALSE(FolderOnUnseenDrive(game.folder.base));
}

// No change notification reaches the window here (the test runs no message
// loop that waits on the watch), as none reaches it under Wine for a change
// inside Data or Data\Bak: the window follows the folder by looking at it
// on its own.
TEST(MainWindow, FollowsTheFolderWithoutChangeNotifications) {
    TestGameFolder game;
    const GameFolder& folder = game.folder;
    const std::wstring moved = folder.base + L"-moved";
    auto write = [&](const std::wstring& path, GameVersion version) {
        ASSERT_TRUE(test::WriteBytes(path, test::MakeSyntheticGame(version)));
    };
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    CreateDirectoryW(folder.BackupFolder().c_str(), nullptr);
    write(folder.GameFile(), GameVersion::V1_07);
    write(folder.BackupFile(), GameVersion::V1_07);
    MainWindow window(folder);
    ASSERT_TRUE(window.Start());
    ASSERT_TRUE(window.Notice());
    HWND check = GetDlgItem(window.Notice()->Handle(), notice_layout::kDontShowAgainId);
    const std::wstring v107(VersionTagText(GameVersion::V1_07)), v108(VersionTagText(GameVersion::V1_08));
    const std::string off = "[\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC]\r\n\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\r\n";
    struct Step {
        const char* name;
        std::function<void()> change;
        bool restore;
        std::wstring status;
        bool switchedOff;
    } steps[] = {
        {"backup deleted", [&] { DeleteFileW(folder.BackupFile().c_str()); }, false, v107, false},
        {"backup made again", [&] { write(folder.BackupFile(), GameVersion::V1_07); }, true, v107, false},
        {"1.08 put in place", [&] { write(folder.GameFile(), GameVersion::V1_08); }, true, v108, false},
        {"game file deleted", [&] { DeleteFileW(folder.GameFile().c_str()); }, true, std::wstring(kNoGameFileStatusText),
         false},
        {"a folder of its name", [&] { CreateDirectoryW(folder.GameFile().c_str(), nullptr); }, true,
         std::wstring(kNoGameFileStatusText), false},
        {"game file back", [&] {
             RemoveDirectoryW(folder.GameFile().c_str());
             write(folder.GameFile(), GameVersion::V1_07);
         }, true, v107, false},
        {"another copy switched the notice off",
         [&] { ASSERT_TRUE(test::WriteBytes(folder.HintFile(), {off.begin(), off.end()})); }, true, v107, true},
        {"game folder moved away", [&] { ASSERT_TRUE(MoveFileW(folder.base.c_str(), moved.c_str())); }, false,
         std::wstring(kGameFolderGoneStatusText), true},
        {"game folder back", [&] { ASSERT_TRUE(MoveFileW(moved.c_str(), folder.base.c_str())); }, true, v107, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        auto status = [&] { return window.Labels()[MainWindow::kStatusLabel].caption; };
        EXPECT_TRUE(PumpUntil([&] {
            return (IsWindowEnabled(window.RestoreButton()) != FALSE) == step.restore && status() == step.status &&
                   (SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED) == step.switchedOff;
        })) << testing::PrintToString(status());
    }
}

}  // namespace
}  // namespace tarnwick
