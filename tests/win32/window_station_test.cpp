#include <windows.h>

#include <gtest/gtest.h>

#include "win32/window_station.h"

namespace tarnwick {
namespace {

// A station no screen shows (a service's, a background task's) gets no window.
TEST(WindowStation, WindowsOnlyWhereTheStationIsVisible) {
    EXPECT_TRUE(WindowStationShowsWindows(true, WSF_VISIBLE));
    EXPECT_FALSE(WindowStationShowsWindows(true, 0));
    EXPECT_FALSE(WindowStationShowsWindows(true, ~DWORD{WSF_VISIBLE}));
    EXPECT_TRUE(WindowStationShowsWindows(false, 0)) << "flags that cannot be read";
    EXPECT_TRUE(WindowStationIsVisible()) << "Wine's interactive station";
}

}  // namespace
}  // namespace tarnwick
