#include "style/model/control_kind.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

// "thunderrt6commandbutton" -> "ThUnDeRrT6CoMmAnDbUtToN"
std::string MixedCase(const std::string& name) {
    std::string mixed = name;
    for (size_t i = 0; i < mixed.size(); i += 2) {
        if (mixed[i] >= 'a' && mixed[i] <= 'z') {
            mixed[i] = static_cast<char>(mixed[i] - 'a' + 'A');
        }
    }
    return mixed;
}

std::string UpperCase(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

struct ClassCase {
    const char* name;
    ControlKind kind;
};

// The class names of the engine's table that no other test makes a window
// of (the attach and dispatch tests cover the rest): a misspelt name here
// would otherwise leave its controls undrawn without any test noticing.
const ClassCase kUnexercisedClassNames[] = {
    {"thunderformdc", ControlKind::Form},
    {"form", ControlKind::Form},
    {"thundercommandbutton", ControlKind::PushButton},
    {"thundercombobox", ControlKind::ComboBox},
    {"combo", ControlKind::ComboBox},
    {"thunderdrivelistbox", ControlKind::DriveList},
    {"thundercheckbox", ControlKind::CheckBox},
    {"thunderoptionbutton", ControlKind::OptionButton},
    {"progressbarwndclass", ControlKind::ProgressBar},
    {"dblistwndclass", ControlKind::DataList},
    {"apexgrid", ControlKind::Grid},
    {"apexgridx", ControlKind::Grid},
};

TEST(ClassifyWindow, TableNamesInAnyCase) {
    for (const ClassCase& c : kUnexercisedClassNames) {
        for (const std::string& spelling : {std::string(c.name), MixedCase(c.name), UpperCase(c.name)}) {
            SCOPED_TRACE(spelling);
            EXPECT_EQ(ClassifyWindow(ToLowerAscii(spelling)), c.kind);
        }
    }
}

TEST(ClassifyWindow, NearMissesAndUnlistedNamesAreOther) {
    for (const char* name : {"xapexgrid", "apexgri", "apex", " apexgrid", "buttons", "xbutton", "combol",
                             "combolbox2", "#3277", "#327700", "thunderrt6", "thunderrt7formdc", "edit",
                             "listbox", "static", "richedit20a", "", "form ", "sys header32"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ClassifyWindow(name), ControlKind::Other);
    }
}

TEST(ClassifyWindow, MatchesOnlyLowerCasedNames) {
    // Callers lower-case first; the table itself holds lower-case names.
    EXPECT_EQ(ClassifyWindow("Button"), ControlKind::Other);
    EXPECT_EQ(ClassifyWindow("ApexGrid80"), ControlKind::Other);
}

TEST(ToLowerAscii, LeavesDoubleByteTextAlone) {
    // "按钮" in code page 936: lead bytes >= 0x81, trail bytes 0x40..0xFE,
    // none of which may be touched.
    std::string gbk = "\xB0\xB4\xC5\xA5" "AbC";
    EXPECT_EQ(ToLowerAscii(gbk), "\xB0\xB4\xC5\xA5" "abc");
}

TEST(ButtonStyle, OwnerDrawnWhenTheTwoTypeBitsAreClear) {
    struct Case {
        LONG style;
        bool ownerDrawn;
    };
    for (Case c : {Case{BS_PUSHBUTTON, true}, Case{BS_DEFPUSHBUTTON, true}, Case{BS_USERBUTTON, true},
                   Case{BS_OWNERDRAW, false}, Case{BS_OWNERDRAW & ~6L, true}, Case{8, true}, Case{9, true},
                   Case{BS_CHECKBOX, false}, Case{BS_AUTOCHECKBOX, false}, Case{BS_RADIOBUTTON, false},
                   Case{BS_GROUPBOX, false}, Case{WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, true}}) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(IsOwnerDrawnButtonStyle(c.style), c.ownerDrawn);
    }
}

// Real windows of registered and system classes.
TEST(GetWindowClassName, ReadsRealWindows) {
    struct Case {
        const char* className;
        bool registerIt;
        ControlKind kind;
    };
    const Case cases[] = {
        {"ThunderRT6CommandButton", true, ControlKind::PushButton},
        {"ThunderRT6FormDC", true, ControlKind::Form},
        {"ApexGrid80", true, ControlKind::Grid},
        {"xApexGrid", true, ControlKind::Other},
        {"DataListWndClass", true, ControlKind::DataList},
        {"Button", false, ControlKind::PushButton},
        {"ComboBox", false, ControlKind::ComboBox},
        {"ComboLBox", false, ControlKind::ComboList},
        {"Edit", false, ControlKind::Other},
        {"ListBox", false, ControlKind::Other},
        {"#32770", false, ControlKind::Form},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        if (c.registerIt) {
            ASSERT_TRUE(test::RegisterTestClass(c.className));
        }
        test::TestWindow window(c.className, "", WS_POPUP, 0, 0, 0, 50, 20);
        ASSERT_TRUE(window);
        EXPECT_EQ(ToLowerAscii(GetWindowClassName(window.get())), ToLowerAscii(c.className));
        EXPECT_EQ(ClassifyWindowHandle(window.get()), c.kind);
    }
}

TEST(GetWindowClassName, NoWindowGivesEmptyName) {
    EXPECT_EQ(GetWindowClassName(nullptr), "");
    HWND gone = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(GetWindowClassName(gone), "");
    EXPECT_EQ(ClassifyWindowHandle(gone), ControlKind::Other);
}

TEST(GetWindowClassName, LongestNamesComeBackWhole) {
    for (size_t length : {254u, 255u}) {
        SCOPED_TRACE(length);
        std::string name(length, 'q');
        name[0] = 'T';
        ASSERT_TRUE(test::RegisterTestClass(name.c_str()));
        test::TestWindow window(name.c_str(), "", WS_POPUP, 0, 0, 0, 10, 10);
        ASSERT_TRUE(window);
        EXPECT_EQ(GetWindowClassName(window.get()), name);
    }
}

}  // namespace
}  // namespace tarnwick
