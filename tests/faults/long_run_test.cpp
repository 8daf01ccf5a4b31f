// Long runs in process: ten thousand apply and restore cycles in two game
// folders, and ten thousand hover-and-fade cycles on a skinned button. After
// a warm-up, together they may leave no live GDI objects or kernel handles
// behind and no more than a small bound of private memory, and the game
// file, its backup and the button's look must come out exact.
//
// Under Wine each loop takes about a minute on its own: the file cycles
// move some 11 MB through the file system each, and every fade tick makes
// several round trips to the Wine server. They run side by side, the file
// cycles on two more threads (one per folder), so that the cores share
// the work.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "core/operations/apply.h"
#include "core/operations/restore.h"
#include "style/behave/fade.h"
#include "style/model/engine_state.h"
#include "style/model/properties.h"
#include "style/skin.h"
#include "tests/core/expected_bytes.h"
#include "tests/faults/fault_folders.h"
#include "tests/support/engine_windows.h"
#include "tests/support/gdi_probe.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "words/operation_text.h"

namespace tarnwick::test {
namespace {

constexpr int kCycles = 10000;
constexpr int kWarmUpCycles = 50;
// Committed memory moves by whole pages as the heap settles; a leak of 32
// bytes a cycle in either loop would pass this over ten thousand cycles.
constexpr std::int64_t kMemoryBound = 256 * 1024;
// Blends of a fade that starts at opacity 0: 0, 3, ..., 255.
constexpr int kFadeBlends = 86;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Values that change from cycle to cycle and use every slot length.
FieldTexts ValuesForCycle(int cycle) {
    FieldTexts values;
    for (int i = 0; i < kFieldCount; ++i) {
        const int digits = 1 + (cycle + i) % kFields[i].slotDigits;
        unsigned state = static_cast<unsigned>(cycle * 31 + i * 7 + 1);
        for (int d = 0; d < digits; ++d) {
            values[i] += static_cast<wchar_t>(L'0' + state % 10);
            state = state * 1103515245u + 12345u;
        }
    }
    return values;
}

// Apply and restore cycles; runs on its own thread, so it records what went
// wrong for the test's thread to report (GoogleTest's assertions are not
// thread-safe in this build).
struct FileCycles {
    GameFolder folder;
    Bytes pristine;
    int failures = 0;
    std::string firstFailure;
    double seconds = 0;

    void Run(int first, int count) {
        const auto start = Clock::now();
        for (int n = first; n < first + count && failures == 0; ++n) {
            try {
                Cycle(n);
            } catch (const std::exception& error) {
                Fail(n, error.what());
            }
        }
        seconds = SecondsSince(start);
    }

    void Fail(int cycle, const std::string& what) {
        if (++failures == 1) firstFailure = "cycle " + std::to_string(cycle) + ": " + what;
    }

    void Cycle(int n) {
        const FieldTexts values = ValuesForCycle(n);
        const OperationResult applied = ApplyPatch(folder, GameVersion::V1_08, values);
        if (!applied.Succeeded()) return Fail(n, "apply: " + testing::PrintToString(OperationText(applied)));
        // Now and then the files themselves, between the two halves.
        if (n % 2500 == 1234) {
            if (ReadFileBytes(folder.GameFile()) != PatchedGame(pristine, GameVersion::V1_08, values)) {
                return Fail(n, "patched bytes differ");
            }
            if (ReadFileBytes(folder.BackupFile()) != pristine) return Fail(n, "the backup is not the pristine file");
        }
        const OperationResult restored = RestoreGameFile(folder);
        if (!restored.Succeeded()) return Fail(n, "restore: " + testing::PrintToString(OperationText(restored)));
    }
};

// Hover cycles on one push button: the mouse enters, a few ticks of the
// hot fade, the mouse leaves (one blend at 140), then the normal image
// fades in to its end.
struct FadeCycles {
    HWND button = nullptr;
    int wrongFades = 0;  // fades out that did not take kFadeBlends ticks
    long ticks = 0;
    double seconds = 0;

    void Run(int first, int count) {
        const auto start = Clock::now();
        for (int n = first; n < first + count; ++n) Cycle(n);
        seconds = SecondsSince(start);
    }

    void Cycle(int n) {
        SendMessageA(button, WM_MOUSEMOVE, 0, MousePoint(5 + n % 40, 5 + n % 10));
        for (int i = 0; i < 1 + n % 5; ++i) SendMessageA(button, WM_TIMER, kFadeTimerId, 0);
        SendMessageA(button, WM_MOUSELEAVE, 0, 0);
        // The fade's length is known; the property is read only at its end.
        int fade = 0;
        for (; fade < kFadeBlends - 1; ++fade) SendMessageA(button, WM_TIMER, kFadeTimerId, 0);
        fade += TickFadeToEnd(button, 2 * kFadeBlends);
        if (fade != kFadeBlends) ++wrongFades;
        ticks += fade;
        // Real ticks of the running timer and the real leave notification
        // are thrown away: the loop alone drives the button.
        DiscardInput();
    }
};

// What this process holds at one moment.
struct Holdings {
    GdiObjectCounts gdi;
    DWORD handles = 0;
    std::uint64_t privateBytes = 0;
    const char* memorySource = "";
};

Holdings TakeHoldings() {
    Holdings h;
    h.gdi = CountGdiObjects();
    h.handles = KernelHandleCount();
    h.privateBytes = PrivateBytes(&h.memorySource);
    return h;
}

// Pixels inside the button that differ from its image of `state`.
int PixelsDifferingFromImage(HWND button, int state) {
    RECT box{};
    GetWindowRect(button, &box);
    HDC screen = GetWindowDC(button);
    HDC image = reinterpret_cast<HDC>(GetPropA(button, StateImageDcProp(state)));
    int differing = 0;
    // The rounded corners lie outside the window's region.
    for (int y = 2; y < box.bottom - box.top - 2; ++y) {
        for (int x = 2; x < box.right - box.left - 2; ++x) {
            if (GetPixel(screen, x, y) != GetPixel(image, x, y)) ++differing;
        }
    }
    ReleaseDC(button, screen);
    return differing;
}

TEST(LongRun, TenThousandFileCyclesAndTenThousandFadeCyclesSideBySide) {
    std::string where;
    FolderUnder root(QuickFolderRoot(&where));
    // Two game folders at once, each with half of the cycles: the checksums
    // of the backups keep a core busy, and two share the work.
    FileCycles files[2];
    for (int i = 0; i < 2; ++i) {
        files[i].folder.base = root / (L"game" + std::to_wstring(i));
        CreateDirectoryW(files[i].folder.base.c_str(), nullptr);
        files[i].pristine = MakeSyntheticGame(GameVersion::V1_08, 11 + i);
        WriteFileBytes(files[i].folder.GameFile(), files[i].pristine);
    }

    ASSERT_TRUE(EnsureEngineTestClasses());
    ParkCursor();
    HWND form = CreateTestForm(30, 30, 200, 100);
    FadeCycles fades;
    fades.button = CreateTestChild(form, "Button", "确认", BS_PUSHBUTTON, 0, 20, 20, 97, 25);
    ASSERT_EQ(SkinWindow(form), 1);
    DiscardInput();

    // The warm-up takes the same path as the run, a second thread included:
    // what a thread leaves behind when it ends is then counted before too.
    auto sideBySide = [&](int first, int count) {
        std::thread one([&] { files[0].Run(first, count / 2); });
        std::thread other([&] { files[1].Run(first + count / 2, count - count / 2); });
        fades.Run(first, count);
        one.join();
        other.join();
    };
    sideBySide(0, kWarmUpCycles);
    for (const FileCycles& cycles : files) ASSERT_EQ(cycles.failures, 0) << cycles.firstFailure;
    const Holdings before = TakeHoldings();

    fades.ticks = 0;
    const auto start = Clock::now();
    sideBySide(kWarmUpCycles, kCycles);
    const double seconds = SecondsSince(start);
    const Holdings after = TakeHoldings();

    std::printf("    side by side in %.1f s:\n", seconds);
    const double fileSeconds = std::max(files[0].seconds, files[1].seconds);
    std::printf("    %d apply and restore cycles in two folders at once on %s: %.1f s, %.2f ms a cycle\n", kCycles,
                where.c_str(), fileSeconds, fileSeconds * 1000 / kCycles);
    std::printf("    %d hover and fade cycles, %ld ticks: %.1f s, %.0f us a tick\n", kCycles, fades.ticks,
                fades.seconds, fades.seconds * 1e6 / (fades.ticks > 0 ? fades.ticks : 1));
    const std::int64_t grown =
        static_cast<std::int64_t>(after.privateBytes) - static_cast<std::int64_t>(before.privateBytes);
    std::printf("    GDI objects %d -> %d, kernel handles %lu -> %lu, private bytes (%s) %llu -> %llu (%+lld)\n",
                before.gdi.Total(), after.gdi.Total(), static_cast<unsigned long>(before.handles),
                static_cast<unsigned long>(after.handles), after.memorySource,
                static_cast<unsigned long long>(before.privateBytes),
                static_cast<unsigned long long>(after.privateBytes), static_cast<long long>(grown));

    // The files: every cycle succeeded and the last restore left the
    // pristine file, no backup, no temporary file.
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const FileCycles& cycles = files[i];
        EXPECT_EQ(cycles.failures, 0) << cycles.firstFailure;
        EXPECT_TRUE(ReadFileBytes(cycles.folder.GameFile()) == cycles.pristine) << "not the pristine game file";
        EXPECT_FALSE(BackupExists(cycles.folder));
        const int lastCycle = i == 0 ? kWarmUpCycles + kCycles / 2 - 1 : kWarmUpCycles + kCycles - 1;
        EXPECT_EQ(ReadFileText(cycles.folder.SettingsCacheFile()), ExpectedCache(ValuesForCycle(lastCycle)));
        EXPECT_EQ(LeftoverTemporaryFiles(cycles.folder.base), 0);
    }

    // The button: every fade out ran its full length and ended resting in
    // the normal image.
    EXPECT_EQ(fades.wrongFades, 0);
    EXPECT_EQ(fades.ticks, static_cast<long>(kFadeBlends) * kCycles);
    EXPECT_EQ(Prop(fades.button, kPropMouseFlag), 0);
    EXPECT_EQ(Prop(fades.button, kPropTimerId), 0);
    EXPECT_EQ(Prop(fades.button, kPropAlphaLevel), 0);
    EXPECT_EQ(Prop(fades.button, kPropOldState), 0);
    EXPECT_EQ(PixelsDifferingFromImage(fades.button, 0), 0) << "the normal image is on the screen";

    // The process: nothing piled up.
    EXPECT_EQ(after.gdi.Total(), before.gdi.Total())
        << "before: " << before.gdi.Describe() << "; after: " << after.gdi.Describe();
    EXPECT_LE(after.handles, before.handles);
    EXPECT_LE(grown, kMemoryBound);

    DestroyWindow(form);
    DiscardInput();
    EXPECT_EQ(Engine().attachCount, 0);
}

}  // namespace
}  // namespace tarnwick::test
