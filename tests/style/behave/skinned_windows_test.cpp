// The engine live in the real tool: Tarnwick.exe started in a game folder
// (and in a folder without the game), its windows found from this process,
// and every window and control checked for its kind and its attachment: the
// main window, the notice window, the message dialog and the message box
// that "确认" opens. Window properties, styles and regions are readable
// across processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_layout.h"
#include "form/form.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick::test {
namespace {

BOOL CALLBACK CollectDescendant(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    EnumChildWindows(window, CollectDescendant, reinterpret_cast<LPARAM>(&all));
    return all;
}

bool HasRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(window, region) != ERROR;
    DeleteObject(region);
    return has;
}

// Checks that the form and every descendant are attached, and that each is
// of the kind the tool means it to be. Returns how many of each kind it
// saw, for the caller's totals.
struct KindCounts {
    int buttons = 0;
    int checkBoxes = 0;
    int edits = 0;
    int others = 0;
};

KindCounts ExpectSkinned(HWND form) {
    KindCounts counts;
    EXPECT_EQ(ClassifyWindow(ToLowerAscii(ClassName(form))), ControlKind::Form) << ClassName(form);
    EXPECT_NE(GetPropA(form, kPropProcAddr), nullptr) << "form not attached";
    for (HWND child : Descendants(form)) {
        const std::string name = ClassName(child);
        SCOPED_TRACE(name);
        EXPECT_NE(GetPropA(child, kPropProcAddr), nullptr) << "control not attached";
        switch (ClassifyWindow(ToLowerAscii(name))) {
            case ControlKind::PushButton:
                ++counts.buttons;
                EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
                    << "the tool's buttons are push buttons, drawn by the engine";
                EXPECT_TRUE(HasRegion(child)) << "rounded corners";
                EXPECT_NE(GetPropA(child, "HDC0"), nullptr);
                break;
            case ControlKind::CheckBox:
                ++counts.checkBoxes;
                break;
            case ControlKind::Other:
                if (lstrcmpiA(name.c_str(), "Edit") == 0) {
                    ++counts.edits;
                    EXPECT_NE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << "framed by the engine";
                } else {
                    ++counts.others;
                }
                break;
            default:
                ADD_FAILURE() << "a window of an unexpected kind";
                break;
        }
    }
    return counts;
}

TEST(SkinnedWindows, MainWindowNoticeAndMessageBoxAreDrawnByTheEngine) {
    TempFolder folder;
    WriteFileBytes(folder / L"meteor.exe", MakeSyntheticGame(GameVersion::V1_07));
    ToolProcess tool(ToolExePath(), folder.Path());
    ASSERT_TRUE(tool.Started());
    HWND main = WaitForTopLevel(tool.Id(), kFormClassName, L"Tarnwick");
    ASSERT_NE(main, nullptr);
    HWND notice = WaitForTopLevel(tool.Id(), kFormClassName, L"系统信息");
    ASSERT_NE(notice, nullptr);

    {
        SCOPED_TRACE("main window");
        const KindCounts counts = ExpectSkinned(main);
        EXPECT_EQ(counts.buttons, 3);
        EXPECT_EQ(counts.edits, 16) << "fifteen value fields and the hidden probe field";
        EXPECT_EQ(counts.checkBoxes + counts.others, 0);
    }
    {
        SCOPED_TRACE("notice window");
        const KindCounts counts = ExpectSkinned(notice);
        EXPECT_EQ(counts.checkBoxes, 1);
        EXPECT_EQ(counts.edits, 1);
        EXPECT_EQ(counts.buttons + counts.others, 0);
        HWND check = GetWindow(notice, GW_CHILD);
        while (check != nullptr && ClassName(check) != kCheckBoxClassName) check = GetWindow(check, GW_HWNDNEXT);
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(GetWindowLongA(check, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX)
            << "a check box keeps its style; the engine paints its box";
    }

    // "确认" patches the game file and reports it in a message box, which
    // the engine attaches when it becomes active.
    Click(GetDlgItem(main, main_layout::kConfirmButtonId));
    std::optional<MessageBoxSeen> box = WaitForMessageBox(tool.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, L"恭喜您修改成功");
    {
        SCOPED_TRACE("message box");
        const KindCounts counts = ExpectSkinned(box->window);
        EXPECT_EQ(counts.buttons, 1);
    }
    EXPECT_TRUE(AnswerMessageBox(*box));
}

TEST(SkinnedWindows, MessageDialogIsDrawnByTheEngine) {
    TempFolder folder;  // no game file
    ToolProcess tool(ToolExePath(), folder.Path());
    ASSERT_TRUE(tool.Started());
    HWND dialog = WaitForTopLevel(tool.Id(), kFormClassName, L"系统信息");
    ASSERT_NE(dialog, nullptr);
    const KindCounts counts = ExpectSkinned(dialog);
    EXPECT_EQ(counts.buttons, 1);
    EXPECT_EQ(counts.edits + counts.checkBoxes + counts.others, 0);
    Click(GetDlgItem(dialog, 100));
    EXPECT_TRUE(tool.WaitForExit());
}

}  // namespace
}  // namespace tarnwick::test
