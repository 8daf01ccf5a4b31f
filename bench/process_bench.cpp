#include "bench/process_bench.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/stored/notice_switch.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick::bench {
namespace {

using test::TempFolder;
using test::ToolProcess;

// Both programs open their main window at this outer size.
constexpr int kMainWidth = 514;
constexpr int kMainHeight = 292;
constexpr char kToolClass[] = "ThunderRT6FormDC";
constexpr char kBaselineClass[] = "TarnwickBenchBaseline";
constexpr char kLayoutClass[] = "TarnwickBenchLayout";
constexpr int kConfirmId = 200;  // "确认"
constexpr char kButtonEnvironment[] = "TARNWICK_BENCH_BUTTON";
constexpr wchar_t kCopyEnvironment[] = L"TARNWICK_BENCH_COPY";
constexpr double kGiveUpSeconds = 15;

// A game folder with a synthetic 1.07 game file; the notice switched off
// when asked.
std::unique_ptr<TempFolder> MakeGameFolder(bool noticeOff) {
    auto folder = std::make_unique<TempFolder>();
    test::WriteFileBytes(*folder / L"meteor.exe", test::MakeSyntheticGame(GameVersion::V1_07));
    if (noticeOff) WriteHintFile(GameFolder{folder->Path()}, kSwitchOff);
    return folder;
}

bool IsMainWindow(HWND window, const char* className) {
    RECT box{};
    return IsWindowVisible(window) && test::ClassName(window) == className && GetWindowRect(window, &box) &&
           box.right - box.left == kMainWidth && box.bottom - box.top == kMainHeight;
}

HWND FindMainWindow(DWORD processId, const char* className) {
    for (HWND window : test::TopLevelWindows(processId)) {
        if (IsMainWindow(window, className)) return window;
    }
    return nullptr;
}

// Polls every millisecond until the main window is shown; null on time-out.
HWND WaitForMainWindow(DWORD processId, const char* className, double since) {
    for (;;) {
        if (HWND window = FindMainWindow(processId, className)) return window;
        if (Now() - since > kGiveUpSeconds) return nullptr;
        Sleep(1);
    }
}

std::vector<std::wstring> NumberedEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = entry.cFileName;
        if (!name.empty() && name.find_first_not_of(L"0123456789") == std::wstring::npos) names.push_back(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return names;
}

// Under Wine, GetProcessTimes reports another process's CPU time in 10 ms
// steps, too coarse for a few tens of milliseconds of fading. Where the
// Linux /proc is visible (Wine's drive Z:), the Linux process behind the
// program is found by the program's path in its command line, and the
// schedstat files of its threads give the time in nanoseconds.
std::wstring LinuxProcessFolder(const std::wstring& exe) {
    std::string wanted;
    for (wchar_t c : exe) wanted += static_cast<char>(c < 0x80 ? std::tolower(c) : '?');
    std::wstring found;
    unsigned long newest = 0;
    for (const std::wstring& pid : NumberedEntries(L"Z:\\proc")) {
        std::string commandLine = fileio::ReadUntilEnd(L"Z:\\proc\\" + pid + L"\\cmdline", 1u << 16);
        for (char& c : commandLine) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const unsigned long number = std::wcstoul(pid.c_str(), nullptr, 10);
        if (commandLine.find(wanted) != std::string::npos && number > newest) {
            newest = number;
            found = L"Z:\\proc\\" + pid;
        }
    }
    return found;
}

double LinuxCpuSeconds(const std::wstring& processFolder) {
    double total = 0;
    bool any = false;
    for (const std::wstring& thread : NumberedEntries(processFolder + L"\\task")) {
        const std::string stat =
            fileio::ReadUntilEnd(processFolder + L"\\task\\" + thread + L"\\schedstat", 1u << 16);
        if (stat.empty()) continue;
        total += std::strtod(stat.c_str(), nullptr) / 1e9;
        any = true;
    }
    return any ? total : -1;
}

struct StartFigures {
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = -1;  // of the program's own process, -1 when unknown
    double privateBytes = 0;
    double peakPagefileBytes = 0;
};

// Starts the program in the folder and times it until its main window is
// shown and the process waits for input; then reads its memory counters
// and the CPU time its process took so far, and ends it.
StartFigures StartOnce(const std::wstring& exe, const std::wstring& folder, const char* className) {
    StartFigures figures;
    const double start = Now();
    ToolProcess process(exe, folder);  // returns once the process is idle for input
    if (!process.Started()) return figures;
    if (!WaitForMainWindow(process.Id(), className, start)) return figures;
    figures.seconds = Now() - start;

    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.Id());
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (handle != nullptr &&
        GetProcessMemoryInfo(handle, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        // Wine leaves PrivateUsage at 0 for another process; PagefileUsage
        // is the same commit charge on Windows (Wine fills it from the
        // process's anonymous resident memory).
        figures.privateBytes = static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage
                                                                         : counters.PagefileUsage);
        figures.peakPagefileBytes = static_cast<double>(counters.PeakPagefileUsage);
    }
    if (handle != nullptr) CloseHandle(handle);
    // Unlike the time until the window shows, which waits on whatever else
    // the machine runs, the process's own CPU time stays nearly the same on
    // a busy machine.
    const std::wstring linuxProcess = LinuxProcessFolder(exe);
    if (!linuxProcess.empty()) figures.cpuSeconds = LinuxCpuSeconds(linuxProcess);
    figures.ok = true;
    return figures;
}

double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    return Seconds(kernel) + Seconds(user);
}

struct CursorLoopFigures {
    double cpuSeconds = -1;
    int samples = 0;
    int fadingSamples = 0;  // samples that found the button's fade timer running
    bool nanosecondClock = false;  // CPU time from Linux schedstat, not GetProcessTimes
};

// Moves the cursor onto the button and off it again, one move every step,
// for the given time, and returns the CPU time the process used meanwhile.
CursorLoopFigures CursorLoop(const std::wstring& exe, DWORD processId, HWND button, const Settings& settings) {
    CursorLoopFigures figures;
    RECT buttonBox{};
    GetWindowRect(button, &buttonBox);
    const int width = buttonBox.right - buttonBox.left;
    // The cursor crosses the button from left to right in kMovesPerPass
    // moves, then goes back along a bare strip of the same window just
    // above it (in the tool, between the last value field and the button),
    // and so on: a move every step, on and off the button every pass.
    // Passes of several moves matter under Wine, which notices that the
    // cursor has left a tracked window by polling the cursor a few times a
    // second: a cursor that went on and off at every step was found on the
    // button at nearly every poll, so the leave was seldom reported and the
    // fade seldom ran (its timer in 12% of samples instead of 99%).
    constexpr int kMovesPerPass = 5;
    auto position = [&](int step) {
        const int pass = step / kMovesPerPass, move = step % kMovesPerPass;
        const bool onButton = pass % 2 == 0;
        const int along = onButton ? move : kMovesPerPass - 1 - move;
        return POINT{buttonBox.left + width * (1 + along) / (kMovesPerPass + 1),
                     onButton ? (buttonBox.top + buttonBox.bottom) / 2 : buttonBox.top - 12};
    };
    const POINT off = position(kMovesPerPass);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) return figures;
    const std::wstring linux = LinuxProcessFolder(exe);
    figures.nanosecondClock = !linux.empty() && LinuxCpuSeconds(linux) >= 0;
    auto cpuSeconds = [&] { return figures.nanosecondClock ? LinuxCpuSeconds(linux) : CpuSeconds(process); };

    SetCursorPos(off.x, off.y);
    Sleep(300);  // let start-up work and the first move settle
    const double cpuBefore = cpuSeconds();
    const double start = Now();
    for (int step = 0;; ++step) {
        const double due = start + step * settings.cursorStepSeconds;
        if (due >= start + settings.fadeSeconds) break;
        const double wait = due - Now();
        if (wait > 0) Sleep(static_cast<DWORD>(wait * 1000));
        const POINT target = position(step);
        SetCursorPos(target.x, target.y);
        ++figures.samples;
        if (GetPropA(button, "TIMERID") != nullptr) ++figures.fadingSamples;
    }
    const double rest = start + settings.fadeSeconds - Now();
    if (rest > 0) Sleep(static_cast<DWORD>(rest * 1000));
    const double cpuAfter = cpuSeconds();
    CloseHandle(process);
    if (cpuBefore >= 0 && cpuAfter >= 0) figures.cpuSeconds = cpuAfter - cpuBefore;
    return figures;
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The median of a series with its lowest and highest run; absent when no
// run succeeded.
Figure MakeFigure(const std::vector<double>& runs, double scale, const std::string& name = "") {
    Figure figure;
    figure.name = name;
    figure.present = !runs.empty();
    if (!figure.present) return figure;
    figure.median = Median(runs) * scale;
    figure.low = *std::min_element(runs.begin(), runs.end()) * scale;
    figure.high = *std::max_element(runs.begin(), runs.end()) * scale;
    return figure;
}

Row MakeRow(const std::string& measure, const std::string& unit, Figure tool, Figure layout, Figure bare,
            double goal) {
    Row row;
    row.measure = measure;
    row.unit = unit;
    row.tool = std::move(tool);
    row.layout = std::move(layout);
    row.bare = std::move(bare);
    row.goal = goal;
    row.valid = row.tool.present;
    return row;
}

// "left,top,width,height" of a child window in its parent's client area.
std::string ClientBoxText(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
           std::to_string(r.bottom - r.top);
}

// Clicks the button runs + 1 times and times each click until a message
// box of the process is on the screen; the first click is a warm-up (for
// the tool it creates the folders and the first backup) and is not kept.
// Every box is answered. Returns what went wrong, or "".
std::string TimeClicksToMessageBox(DWORD processId, HWND mainWindow, HWND button, const std::wstring& text,
                                   int runs, std::vector<double>& seconds) {
    std::string note;
    for (int run = 0; run <= runs; ++run) {
        test::Sync(mainWindow);
        const double start = Now();
        test::Click(button);
        std::optional<double> shownAfter;
        while (Now() - start < kGiveUpSeconds) {
            bool shown = false;
            for (HWND window : test::TopLevelWindows(processId)) {
                if (IsWindowVisible(window) && test::ClassName(window) == "#32770") shown = true;
            }
            if (shown) {
                shownAfter = Now() - start;
                break;
            }
            Sleep(1);
        }
        std::optional<test::MessageBoxSeen> box = test::FindMessageBox(processId);
        if (!shownAfter || !box) return "no message box";
        if (box->text != text) note = "unexpected message";
        test::AnswerMessageBox(*box);
        if (run > 0) seconds.push_back(*shownAfter);
    }
    return note;
}

}  // namespace

std::vector<Row> MeasureStartUp(const Programs& programs, const Settings& settings) {
    auto noticeShown = MakeGameFolder(false);
    auto noticeOff = MakeGameFolder(true);
    auto baselineFolder = std::make_unique<TempFolder>();
    std::vector<double> shownSeconds, offSeconds, layoutSeconds, bareSeconds;
    std::vector<double> shownCpu, offCpu, layoutCpu, bareCpu;
    std::vector<double> toolPrivate, offPrivate, toolPeak, layoutPrivate, layoutPeak, barePrivate, barePeak;
    int failures = 0;
    // Run 0 warms the file cache and Wine's own start-up and is not counted;
    // the four starts take turns so that all see the same machine.
    for (int run = 0; run <= settings.runs; ++run) {
        StartFigures shown = StartOnce(programs.tool, noticeShown->Path(), kToolClass);
        Sleep(100);
        StartFigures off = StartOnce(programs.tool, noticeOff->Path(), kToolClass);
        Sleep(100);
        StartFigures layout = StartOnce(programs.layout, baselineFolder->Path(), kLayoutClass);
        Sleep(100);
        StartFigures bare = StartOnce(programs.baseline, baselineFolder->Path(), kBaselineClass);
        Sleep(100);
        if (!shown.ok || !off.ok || !layout.ok || !bare.ok) ++failures;
        if (run == 0) continue;
        if (shown.ok) {
            shownSeconds.push_back(shown.seconds);
            toolPrivate.push_back(shown.privateBytes);
            toolPeak.push_back(shown.peakPagefileBytes);
        }
        if (off.ok) {
            offSeconds.push_back(off.seconds);
            offPrivate.push_back(off.privateBytes);
        }
        if (shown.ok && shown.cpuSeconds >= 0) shownCpu.push_back(shown.cpuSeconds);
        if (off.ok && off.cpuSeconds >= 0) offCpu.push_back(off.cpuSeconds);
        if (layout.ok && layout.cpuSeconds >= 0) layoutCpu.push_back(layout.cpuSeconds);
        if (bare.ok && bare.cpuSeconds >= 0) bareCpu.push_back(bare.cpuSeconds);
        if (layout.ok) {
            layoutSeconds.push_back(layout.seconds);
            layoutPrivate.push_back(layout.privateBytes);
            layoutPeak.push_back(layout.peakPagefileBytes);
        }
        if (bare.ok) {
            bareSeconds.push_back(bare.seconds);
            barePrivate.push_back(bare.privateBytes);
            barePeak.push_back(bare.peakPagefileBytes);
        }
    }
    const std::string note = failures ? std::to_string(failures) + " run(s) failed to start" : "";
    constexpr double kMiB = 1.0 / (1024 * 1024);
    std::vector<Row> rows;
    rows.push_back(MakeRow("Start-up, notice shown (first start)", "ms", MakeFigure(shownSeconds, 1e3),
                           MakeFigure(layoutSeconds, 1e3), MakeFigure(bareSeconds, 1e3), 1.05));
    rows.push_back(MakeRow("Start-up, notice switched off", "ms", MakeFigure(offSeconds, 1e3),
                           MakeFigure(layoutSeconds, 1e3), MakeFigure(bareSeconds, 1e3), 1.05));
    rows.push_back(MakeRow("Start-up CPU of the process, notice shown", "ms", MakeFigure(shownCpu, 1e3),
                           MakeFigure(layoutCpu, 1e3), MakeFigure(bareCpu, 1e3), 0));
    rows.push_back(MakeRow("Start-up CPU of the process, notice switched off", "ms", MakeFigure(offCpu, 1e3),
                           MakeFigure(layoutCpu, 1e3), MakeFigure(bareCpu, 1e3), 0));
    rows.push_back(MakeRow("Private bytes after start-up", "MiB", MakeFigure(toolPrivate, kMiB),
                           MakeFigure(layoutPrivate, kMiB), MakeFigure(barePrivate, kMiB), 1.05));
    rows.push_back(MakeRow("Private bytes after start-up, notice switched off", "MiB", MakeFigure(offPrivate, kMiB),
                           MakeFigure(layoutPrivate, kMiB), MakeFigure(barePrivate, kMiB), 1.05));
    rows.push_back(MakeRow("Peak pagefile use after start-up", "MiB", MakeFigure(toolPeak, kMiB),
                           MakeFigure(layoutPeak, kMiB), MakeFigure(barePeak, kMiB), 0));
    for (Row& row : rows) row.note = note;
    return rows;
}

namespace {

// Starts a baseline program whose "确认" copies `copy` ("source|destination")
// and returns its click times, or why there are none.
std::string TimeBaselineClicks(const std::wstring& exe, const char* className, const std::wstring& folder,
                               const std::string& buttonBox, const std::wstring& copy, int runs,
                               std::vector<double>& seconds) {
    if (!buttonBox.empty()) SetEnvironmentVariableA(kButtonEnvironment, buttonBox.c_str());
    SetEnvironmentVariableW(kCopyEnvironment, copy.c_str());
    const double start = Now();
    ToolProcess baseline(exe, folder);
    SetEnvironmentVariableA(kButtonEnvironment, nullptr);
    SetEnvironmentVariableW(kCopyEnvironment, nullptr);
    HWND mainWindow = baseline.Started() ? WaitForMainWindow(baseline.Id(), className, start) : nullptr;
    if (!mainWindow) return "baseline not started";
    HWND button = buttonBox.empty() ? GetDlgItem(mainWindow, kConfirmId) : GetWindow(mainWindow, GW_CHILD);
    if (!button) return "baseline has no button";
    return TimeClicksToMessageBox(baseline.Id(), mainWindow, button, L"恭喜您修改成功", runs, seconds);
}

}  // namespace

std::vector<Row> MeasureApply(const Programs& programs, const Settings& settings) {
    auto game = MakeGameFolder(true);
    std::vector<double> toolSeconds, layoutSeconds, bareSeconds, copySeconds;
    std::string note;
    std::string box;  // where the bare baseline gets its button: where "确认" is
    {
        ToolProcess tool(programs.tool, game->Path());
        HWND mainWindow = tool.Started() ? WaitForMainWindow(tool.Id(), kToolClass, Now()) : nullptr;
        HWND confirm = mainWindow ? GetDlgItem(mainWindow, kConfirmId) : nullptr;
        if (confirm) {
            box = ClientBoxText(confirm, mainWindow);
            note = TimeClicksToMessageBox(tool.Id(), mainWindow, confirm, L"恭喜您修改成功", settings.runs,
                                          toolSeconds);
        } else {
            note = "tool not started";
        }
    }

    // The floor of the copy alone: one copy of the same game file over an
    // existing backup.
    TempFolder copies;
    const std::wstring source = copies / L"meteor.exe", backup = copies / L"meteor.bak";
    test::WriteFileBytes(source, test::MakeSyntheticGame(GameVersion::V1_07));
    for (int run = 0; run <= settings.runs; ++run) {
        const double start = Now();
        const bool copied = CopyFileW(source.c_str(), backup.c_str(), FALSE);
        const double seconds = Now() - start;
        if (copied && run > 0) copySeconds.push_back(seconds);
    }

    // The same click in the baselines: in the same layout the copy, a flush
    // and a plain message box; in the bare window the copy and the box.
    const std::wstring copy = source + L"|" + backup;
    std::string baselineNote;
    if (!box.empty()) {
        baselineNote = TimeBaselineClicks(programs.layout, kLayoutClass, copies.Path(), "", copy, settings.runs,
                                          layoutSeconds);
        const std::string bareNote = TimeBaselineClicks(programs.baseline, kBaselineClass, copies.Path(), box, copy,
                                                        settings.runs, bareSeconds);
        if (baselineNote.empty()) baselineNote = bareNote;
    }

    std::vector<Row> rows;
    rows.push_back(MakeRow("Apply: click on confirm to message box", "ms", MakeFigure(toolSeconds, 1e3),
                           MakeFigure(layoutSeconds, 1e3, "copy, flush, plain MessageBox"),
                           MakeFigure(bareSeconds, 1e3, "copy, plain MessageBox"), 1.5));
    rows.back().note = note.empty() ? baselineNote : note;
    rows.push_back(MakeRow("Apply, against one copy of the game file", "ms", MakeFigure(toolSeconds, 1e3), Figure{},
                           MakeFigure(copySeconds, 1e3, "one CopyFileW"), 0));
    rows.back().note = note;
    return rows;
}

namespace {

// One fade run: the program is started, its button found, and the cursor
// moved on and off it. Returns why it failed, or "".
std::string FadeRun(const std::wstring& exe, const char* className, const std::wstring& folder,
                    const std::string& buttonBox, const Settings& settings, std::vector<double>& cpu,
                    std::string* confirmBox, CursorLoopFigures* loop) {
    if (!buttonBox.empty()) SetEnvironmentVariableA(kButtonEnvironment, buttonBox.c_str());
    const double start = Now();
    ToolProcess process(exe, folder);
    SetEnvironmentVariableA(kButtonEnvironment, nullptr);
    HWND mainWindow = process.Started() ? WaitForMainWindow(process.Id(), className, start) : nullptr;
    HWND button = !mainWindow ? nullptr
                  : buttonBox.empty() ? GetDlgItem(mainWindow, kConfirmId)
                                      : GetWindow(mainWindow, GW_CHILD);
    if (!button) return std::string(className) + " not started";
    CursorLoopFigures figures = CursorLoop(exe, process.Id(), button, settings);
    if (figures.cpuSeconds >= 0) cpu.push_back(figures.cpuSeconds);
    if (confirmBox) *confirmBox = ClientBoxText(button, mainWindow);
    if (loop) *loop = figures;
    return "";
}

}  // namespace

Row MeasureFade(const Programs& programs, const Settings& settings) {
    auto game = MakeGameFolder(true);
    auto baselineFolder = std::make_unique<TempFolder>();
    std::vector<double> toolCpu, layoutCpu, bareCpu;
    int samples = 0, fadingSamples = 0, coarseRuns = 0;
    std::string note;
    for (int run = 0; run < settings.runs; ++run) {
        std::string box;
        CursorLoopFigures loop;
        std::string problem = FadeRun(programs.tool, kToolClass, game->Path(), "", settings, toolCpu, &box, &loop);
        samples += loop.samples;
        fadingSamples += loop.fadingSamples;
        if (!loop.nanosecondClock) ++coarseRuns;
        Sleep(100);
        if (problem.empty())
            problem = FadeRun(programs.layout, kLayoutClass, baselineFolder->Path(), "", settings, layoutCpu, nullptr,
                              nullptr);
        Sleep(100);
        // The bare baseline gets its one button where "确认" is.
        if (problem.empty())
            problem = FadeRun(programs.baseline, kBaselineClass, baselineFolder->Path(), box, settings, bareCpu,
                              nullptr, nullptr);
        Sleep(100);
        if (!problem.empty()) note = problem;
    }
    Row row = MakeRow("Fade: CPU while the cursor moves on and off a button for " +
                          Format("%.0f", settings.fadeSeconds) + " s",
                      "ms", MakeFigure(toolCpu, 1e3), MakeFigure(layoutCpu, 1e3, "plain buttons"),
                      MakeFigure(bareCpu, 1e3, "one plain button"), 0);
    if (note.empty() && samples > 0) {
        row.note = "fade timer running in " + Format("%.0f", 100.0 * fadingSamples / samples) + "% of samples; " +
                   (coarseRuns == 0 ? "CPU time from Linux schedstat"
                                    : "CPU time from GetProcessTimes (10 ms steps under Wine) in " +
                                          std::to_string(coarseRuns) + " runs");
    } else {
        row.note = note;
    }
    return row;
}

Row MeasureBinarySize(const Programs& programs) {
    auto size = [](const std::wstring& path) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::vector<double>{};
        return std::vector<double>{static_cast<double>(data.nFileSizeLow)};
    };
    return MakeRow("Binary size", "KiB", MakeFigure(size(programs.tool), 1.0 / 1024),
                   MakeFigure(size(programs.layout), 1.0 / 1024), MakeFigure(size(programs.baseline), 1.0 / 1024),
                   0);
}

}  // namespace tarnwick::bench
