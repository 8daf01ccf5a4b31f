#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "style/draw/rounding.h"
#include "style/model/control_kind.h"
#include "style/model/properties.h"
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

const ClassCase kClassTable[] = {
    {"#32770", ControlKind::Form},
    {"thunderformdc", ControlKind::Form},
    {"thunderrt6formdc", ControlKind::Form},
    {"form", ControlKind::Form},
    {"thundercommandbutton", ControlKind::PushButton},
    {"thunderrt6commandbutton", ControlKind::PushButton},
    {"button", ControlKind::PushButton},
    {"thundercombobox", ControlKind::ComboBox},
    {"thunderrt6combobox", ControlKind::ComboBox},
    {"combo", ControlKind::ComboBox},
    {"combobox", ControlKind::ComboBox},
    {"thunderdrivelistbox", ControlKind::DriveList},
    {"thunderrt6drivelistbox", ControlKind::DriveList},
    {"thundercheckbox", ControlKind::CheckBox},
    {"thunderrt6checkbox", ControlKind::CheckBox},
    {"thunderoptionbutton", ControlKind::OptionButton},
    {"thunderrt6optionbutton", ControlKind::OptionButton},
    {"progressbar20wndclass", ControlKind::ProgressBar},
    {"progressbarwndclass", ControlKind::ProgressBar},
    {"msvb_lib_header", ControlKind::Header},
    {"sysheader32", ControlKind::Header},
    {"datalistwndclass", ControlKind::DataList},
    {"dblistwndclass", ControlKind::DataList},
    {"combolbox", ControlKind::ComboList},
    {"apexgrid", ControlKind::Grid},
    {"apexgrid80", ControlKind::Grid},
    {"apexgridx", ControlKind::Grid},
};

TEST(ClassifyWindow, EveryTableNameInAnyCase) {
    for (const ClassCase& c : kClassTable) {
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

class PropertiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::TestWindow("Static", "", WS_POPUP, 0, 0, 0, 10, 10);
        ASSERT_TRUE(window_);
    }
    HWND window() const { return window_.get(); }

private:
    test::TestWindow window_;
};

TEST_F(PropertiesTest, AbsentPropertiesReadZero) {
    for (const char* name : {kPropProcAddr, kPropOldStyle, kPropMouseFlag, kPropTimerId, kPropOldState,
                             kPropAlphaLevel, kPropHeaderDownIndex, kPropHeaderHotIndex, kPropStateImageDc[0],
                             kPropStateImageBitmap[3]}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(GetIntProp(window(), name), 0);
        EXPECT_EQ(GetPropA(window(), name), nullptr);
    }
}

TEST_F(PropertiesTest, ValuesRoundTripAsHandleValues) {
    struct Case {
        std::int32_t value;
        UINT_PTR handleValue;
    };
    for (Case c : {Case{-1, 0xFFFFFFFFu}, Case{0, 0}, Case{1, 1}, Case{255, 255}, Case{3, 3},
                   Case{INT_MAX, 0x7FFFFFFFu}, Case{INT_MIN, 0x80000000u}}) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(SetIntProp(window(), kPropHeaderDownIndex, c.value));
        EXPECT_EQ(GetIntProp(window(), kPropHeaderDownIndex), c.value);
        // Any code reading the property directly sees the same bits.
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(window(), "HDINDEX")), c.handleValue);
    }
}

TEST_F(PropertiesTest, StateImageNamesJoinPrefixAndIndex) {
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::string(StateImageDcProp(i)), "HDC" + std::to_string(i));
        EXPECT_EQ(std::string(StateImageBitmapProp(i)), "BMP" + std::to_string(i));
    }
    EXPECT_EQ(StateImageDcProp(-1), nullptr);
    EXPECT_EQ(StateImageBitmapProp(4), nullptr);
}

TEST_F(PropertiesTest, HandlesAreStoredAsTheirValues) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetHandleProp(window(), StateImageDcProp(2), dc);
    EXPECT_EQ(GetHandleProp<HDC>(window(), "HDC2"), dc);
    EXPECT_EQ(static_cast<UINT_PTR>(static_cast<std::uint32_t>(GetIntProp(window(), "HDC2"))),
              reinterpret_cast<UINT_PTR>(dc));
    RemovePropA(window(), "HDC2");
    DeleteDC(dc);
}

TEST(Rounding, TiesGoToEven) {
    struct Case {
        double value;
        std::int32_t rounded;
    };
    for (Case c : {Case{0.5, 0}, Case{1.5, 2}, Case{2.5, 2}, Case{3.5, 4}, Case{5.5, 6}, Case{6.5, 6},
                   Case{7.5, 8}, Case{-0.5, 0}, Case{-1.5, -2}, Case{-2.5, -2}, Case{2.4999, 2},
                   Case{2.5001, 3}, Case{-2.7, -3}, Case{0.0, 0}, Case{100.0, 100}, Case{1e12, INT_MAX},
                   Case{-1e12, INT_MIN}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded);
    }
    for (auto [value, half] : {std::pair{5, 2}, std::pair{3, 2}, std::pair{7, 4}, std::pair{15, 8},
                               std::pair{13, 6}, std::pair{4, 2}, std::pair{0, 0}, std::pair{-3, -2}}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(HalfEven(value), half);
    }
    // Whole expressions stay in floating point and round once.
    int over = 11;  // combo button width 18 minus the arrow's 7
    EXPECT_EQ(RoundHalfEven(over - over / 2.0), 6);
    EXPECT_EQ(RoundHalfEven(200 * (15000 / 30000.0)), 100);
    EXPECT_EQ(RoundHalfEven(5 * (15000 / 30000.0)), 2);
}

}  // namespace
}  // namespace tarnwick
