// Process start. Started with arguments, the tool answers one command on
// the command line and ends without opening a window. Without, the main
// window runs its start-up and the message loop runs until no window of
// the tool is left.
#include <windows.h>

#include "app/main_window.h"
#include "app/version_text.h"
#include "app/window_game_folder.h"
#include "cli/command_line.h"
#include "cli/exit_code.h"
#include "form/form.h"
#include "form/message_loop.h"
#include "win32/window_station.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::vector<std::wstring> arguments = tarnwick::cli::CommandLineArguments();
    if (!arguments.empty()) return tarnwick::cli::RunCommandLine(arguments, tarnwick::kTarnwickVersion);
    // Where nobody can see the window (a scheduled task run whether the
    // user is logged on or not) it would wait forever: nothing is done.
    if (!tarnwick::WindowStationIsVisible()) return static_cast<int>(tarnwick::cli::ExitCode::UsageErrorOrNoScreen);
    if (!tarnwick::RegisterFormClasses(instance)) return 1;
    tarnwick::MainWindow mainWindow(tarnwick::WindowGameFolder());
    if (!mainWindow.Start()) return 1;
    tarnwick::RunMessageLoop();
    // Windows still open (the notice) go with the process.
    ExitProcess(0);
}
