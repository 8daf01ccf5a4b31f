#include <gtest/gtest.h>

#include "notice/taskbar.h"

namespace tarnwick {
namespace {

TEST(TaskbarHeight, IsTheStripBelowTheWorkArea) {
    struct Case {
        const char* name;
        int screenPixels;
        RECT workArea;
        bool queryOk;
        double twipsPerPixel;
        int expected;
    } cases[] = {
        {"taskbar at the bottom, 40 px", 1024, {0, 0, 1280, 984}, true, 15, 600},
        {"no taskbar", 1024, {0, 0, 1280, 1024}, true, 15, 0},
        {"taskbar on the left", 1024, {40, 0, 1280, 1024}, true, 15, 0},
        {"taskbar at the top", 1024, {0, 30, 1280, 1024}, true, 15, 0},
        {"120 dpi", 1024, {0, 0, 1280, 994}, true, 12, 360},
        {"fractional twips per pixel", 1000, {0, 0, 800, 997}, true, 1440.0 / 168, 26},  // 25.71
        {"failed query counts as no taskbar", 1024, {0, 0, 0, 0}, false, 15, 0},
        {"empty work area", 1024, {0, 0, 0, 0}, true, 15, 0},
        {"work area below the screen", 1024, {0, 0, 1280, 1100}, true, 15, 0},
        {"as tall as the screen", 1024, {0, -10, 1280, 0}, true, 15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double screenTwips = c.screenPixels * c.twipsPerPixel;
        EXPECT_EQ(TaskbarHeightFromWorkArea(screenTwips, c.queryOk ? &c.workArea : nullptr, c.twipsPerPixel),
                  c.expected);
    }
}

TEST(TaskbarHeight, OfThisScreenFitsTheScreen) {
    int height = GetTaskbarHeight();
    EXPECT_GE(height, 0);
    EXPECT_LT(height, GetSystemMetrics(SM_CYSCREEN) * 15);
}

struct SlideResult {
    double top;
    int ticks;
};

SlideResult SlideIn(double screen, double window, double taskbar) {
    double top = NoticeStartTop(screen, taskbar, window);
    for (int ticks = 1; ticks < 10000; ++ticks) {
        SlideStep step = SlideInTick(top, screen, window, taskbar);
        top = step.top;
        if (step.finished) return {top, ticks};
    }
    return {top, -1};
}

TEST(NoticeSlide, ComesToRestOnTheTaskbar) {
    const double screen = 15360;  // 1024 pixels
    struct Case {
        double taskbar;
        double window;
        int ticks;
    } cases[] = {
        // Starts at screen + 2400; after 108 ticks of 50 its bottom edge meets
        // the screen's bottom edge, then it jumps onto the taskbar.
        {600, 3000, 108},
        {0, 3000, 120},
        {600, 3010, 109},  // 5420 / 50 is not whole: the last step overshoots
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "taskbar " << c.taskbar << " window " << c.window);
        SlideResult result = SlideIn(screen, c.window, c.taskbar);
        EXPECT_EQ(result.ticks, c.ticks);
        EXPECT_DOUBLE_EQ(result.top, screen - c.window - c.taskbar);
    }
}

TEST(NoticeSlide, SlidesOutUntilWhollyBelowTheScreen) {
    const double screen = 15360;
    double top = screen - 3000 - 600;
    int ticks = 0;
    for (;;) {
        SlideStep step = SlideOutTick(top, screen);
        ++ticks;
        top = step.top;
        if (step.finished) break;
        ASSERT_LT(top, screen);
    }
    EXPECT_EQ(ticks, 60);  // 3600 / 60
    EXPECT_DOUBLE_EQ(top, screen);
}

}  // namespace
}  // namespace tarnwick
