// A window station that no screen shows (a service's, a scheduled task's
// run whether the user is logged on or not) gets no window.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/window_station.h"

namespace tarnwick {
namespace {

TEST(WindowStation, WindowsOnlyWhereTheStationIsVisible) {
    const struct {
        const char* name;
        bool read;
        DWORD flags;
        bool shows;
    } rows[] = {
        {"the interactive station", true, WSF_VISIBLE, true},
        {"a service's or a background task's station", true, 0, false},
        {"other flags only", true, ~DWORD{WSF_VISIBLE}, false},
        {"flags that cannot be read", false, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WindowStationShowsWindows(row.read, row.flags), row.shows);
    }
    // The tests run on Wine's interactive station, which shows windows.
    EXPECT_TRUE(WindowStationIsVisible());
}

}  // namespace
}  // namespace tarnwick
