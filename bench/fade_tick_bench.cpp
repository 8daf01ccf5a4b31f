#include "bench/fade_tick_bench.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "bench/bench_measure.h"
#include "bench/call_counter.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/skin.h"
#include "tests/support/engine_windows.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/test_windows.h"
#include "win32/system_library.h"

namespace tarnwick::bench {
namespace {

// The tool's "确认": 1335 x 375 twips, at 3360, 3720 twips in its window.
constexpr int kButtonLeft = 224, kButtonTop = 248, kButtonWidth = 89, kButtonHeight = 25;

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool CreatesGdiObject(const CallCount& count) {
    return count.library != "(run time)" &&
           (StartsWith(count.name, "Create") || StartsWith(count.name, "ExtCreate") ||
            count.name == "LoadImageA" || count.name == "LoadBitmapA" || count.name == "CopyImage");
}

bool TakesWindowDc(const CallCount& count) {
    return count.name == "GetWindowDC" || count.name == "GetDC" || count.name == "GetDCEx";
}

void InstallCounters() {
    CountImports("gdi32.dll", [](const char* name) {
        return std::strncmp(name, "Create", 6) == 0 || std::strncmp(name, "ExtCreate", 9) == 0;
    });
    CountImports("user32.dll", [](const char* name) {
        for (const char* watched : {"GetWindowDC", "GetDC", "GetDCEx", "LoadImageA", "LoadBitmapA", "CopyImage"}) {
            if (std::strcmp(name, watched) == 0) return true;
        }
        return false;
    });
    CountRunTimeLookups({"AlphaBlend"});
}

// The mouse enters the button: the hot image starts fading in. The leave
// notification that tracking queues at once (the real cursor is parked
// elsewhere) is thrown away.
void Enter(HWND button) {
    SendMessageA(button, WM_MOUSEMOVE, 0, test::MousePoint(kButtonWidth / 2, kButtonHeight / 2));
    test::DiscardInput();
}

void Leave(HWND button) {
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    test::DiscardInput();
}

bool Fading(HWND button) { return GetPropA(button, kPropTimerId) != nullptr; }

struct TickTally {
    std::vector<double> seconds;
    int oneBlend = 0;     // ticks that called AlphaBlend once
    int noBlend = 0;      // ticks that drew nothing
    int moreBlends = 0;   // ticks that called it more than once
    long created = 0;     // GDI object creations in all ticks
    long windowDcs = 0;   // window DCs taken in all ticks
};

// Ticks the running fade to its end, timing and counting each tick.
void TickFadeToEnd(HWND button, TickTally& tally) {
    for (int guard = 0; Fading(button) && guard < 1000; ++guard) {
        ResetCallCounts();
        const double start = Now();
        SendMessageA(button, WM_TIMER, 1, 0);
        tally.seconds.push_back(Now() - start);
        const long blends = CallsOf("AlphaBlend");
        (blends == 0 ? tally.noBlend : blends == 1 ? tally.oneBlend : tally.moreBlends) += 1;
        tally.created += CallsWhere(CreatesGdiObject);
        tally.windowDcs += CallsWhere(TakesWindowDc);
    }
    test::DiscardInput();
}

}  // namespace

FadeTickFigures MeasureFadeTicks(int fadeCycles) {
    FadeTickFigures figures;
    InstallCounters();
    if (!test::EnsureEngineTestClasses()) {
        figures.problem = "window classes not registered";
        return figures;
    }
    test::ParkCursor();
    test::TestWindow form(test::CreateTestForm(40, 40, 514, 292));
    HWND button = test::CreateTestChild(form.get(), "Button", "确认", BS_PUSHBUTTON | WS_TABSTOP, 0, kButtonLeft,
                                        kButtonTop, kButtonWidth, kButtonHeight);
    // Attaching creates the sprites and the button's state images: the
    // count shows that the creation counters see the engine's calls.
    ResetCallCounts();
    const bool attached = form && button && SkinWindow(form.get());
    figures.objectsCreatedByAttach = CallsWhere(CreatesGdiObject);
    if (!attached) {
        figures.problem = "form not attached";
        return figures;
    }
    test::PumpMessages();
    test::DiscardInput();

    // Warm-up: one fade in and one out, so caches the platform fills on
    // first use are filled before counting.
    TickTally warmUp;
    Enter(button);
    TickFadeToEnd(button, warmUp);
    Leave(button);
    TickFadeToEnd(button, warmUp);

    // The entering move and the leave draw too (the leave blends the hot
    // image once); only the ticks are counted.
    const test::GdiObjectCounts before = test::CountGdiObjects();
    TickTally tally;
    for (int cycle = 0; cycle < fadeCycles; ++cycle) {
        Enter(button);
        TickFadeToEnd(button, tally);
        Leave(button);
        TickFadeToEnd(button, tally);
    }
    const test::GdiObjectCounts after = test::CountGdiObjects();
    const std::vector<double>& tickSeconds = tally.seconds;

    // The floor: the one blend a tick has to draw, bare, onto the same
    // window from the same image.
    AlphaBlendProc alphaBlend = nullptr;
    if (HMODULE msimg32 = LoadLibraryA("msimg32.dll"))
        alphaBlend = reinterpret_cast<AlphaBlendProc>(GetProcAddress(msimg32, "AlphaBlend"));
    HDC image = reinterpret_cast<HDC>(GetPropA(button, StateImageDcProp(1)));
    std::vector<double> blendSeconds;
    if (alphaBlend != nullptr && image != nullptr) {
        for (size_t i = 0; i < tickSeconds.size(); ++i) {
            const double start = Now();
            HDC windowDc = GetWindowDC(button);
            alphaBlend(windowDc, 0, 0, kButtonWidth, kButtonHeight, image, 0, 0, kButtonWidth, kButtonHeight,
                       BLENDFUNCTION{AC_SRC_OVER, 0, static_cast<BYTE>(i % 256), 0});
            ReleaseDC(button, windowDc);
            blendSeconds.push_back(Now() - start);
        }
    }

    figures.ticks = static_cast<int>(tickSeconds.size());
    figures.tickMicroseconds = Median(tickSeconds) * 1e6;
    figures.blendMicroseconds = Median(blendSeconds) * 1e6;
    figures.ticksWithOneBlend = tally.oneBlend;
    figures.ticksWithNoBlend = tally.noBlend;
    figures.ticksWithMoreBlends = tally.moreBlends;
    figures.objectsCreated = tally.created;
    figures.windowDcs = tally.windowDcs;
    figures.liveObjectsBefore = before.Total();
    figures.liveObjectsAfter = after.Total();
    figures.liveBefore = before.Describe();
    figures.liveAfter = after.Describe();
    figures.ok = figures.ticks > 0 && !blendSeconds.empty();
    if (!figures.ok) figures.problem = figures.ticks == 0 ? "no fade ticks" : "AlphaBlend not found";
    return figures;
}

}  // namespace tarnwick::bench
