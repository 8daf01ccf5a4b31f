#pragma once
// The fade tick inside one process: a form with a button the size of the
// tool's "确认", attached by the style engine linked into this program,
// faded in and out by sent WM_MOUSEMOVE, WM_MOUSELEAVE and WM_TIMER.
#include <string>

namespace tarnwick::bench {

struct FadeTickFigures {
    bool ok = false;
    std::string problem;  // why not ok
    int ticks = 0;                  // ticks timed and counted
    double tickMicroseconds = 0;    // median of one WM_TIMER tick
    double blendMicroseconds = 0;   // median of one bare blend onto the window
    int ticksWithOneBlend = 0;      // ticks that called AlphaBlend once
    int ticksWithNoBlend = 0;       // ticks that drew nothing (opacity 0)
    int ticksWithMoreBlends = 0;    // ticks that called it more often
    long objectsCreated = 0;        // GDI object creations during the ticks
    long objectsCreatedByAttach = 0;  // the same while the engine attached the form
    long windowDcs = 0;             // GetWindowDC/GetDC calls during the ticks
    int liveObjectsBefore = 0;      // live GDI objects before and after
    int liveObjectsAfter = 0;
    std::string liveBefore;         // the counts by type
    std::string liveAfter;
};

// Must run before anything in this process attaches a window: the call
// counters have to be in place before the engine first looks up AlphaBlend.
FadeTickFigures MeasureFadeTicks(int fadeCycles);

}  // namespace tarnwick::bench
