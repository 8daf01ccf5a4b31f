#include "style/model/properties.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "tests/support/test_windows.h"

namespace tarnwick {
namespace {

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

}  // namespace
}  // namespace tarnwick
