// What the tool loads: the probe for an entry takes a library that is
// not loaded yet only from the system folder and lets it go again, and the
// tool's exe imports only libraries that Windows always takes from its
// system folder, so a DLL of the same name in the game folder is never
// loaded in their place.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "tests/support/pe_imports.h"
#include "tests/support/tool_driver.h"
#include "win32/system_library.h"

namespace tarnwick {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

TEST(ProcExists, AnswersFromTheLibrarysExports) {
    const struct {
        const char* name;
        const char* library;
        bool exists;
    } rows[] = {
        {"TrackMouseEvent", "User32", true},
        {"TrackMouseEvent", "user32.dll", true},
        {"NoSuchEntryAnywhere", "User32", false},
        {"_TrackMouseEvent", "comctl32", true},
        {"GetFileVersionInfoSizeA", "version", true},
        {"TrackMouseEvent", "no_such_library_tw", false},
        // Asked for by base name, wherever the system recorded them.
        {"GetFinalPathNameByHandleW", "kernel32.dll", true},
        {"NtQueryInformationFile", "NTDLL.DLL", true},
        {"NtQueryInformationFile", "ntdll", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.library) + "!" + row.name);
        EXPECT_EQ(ProcExists(row.name, row.library), row.exists);
    }
}

TEST(ProcExists, ReleasesALibraryItLoadedAndLeavesLoadedOnesAlone) {
    // sensapi.dll is loaded by nothing else in the test program.
    ASSERT_EQ(GetModuleHandleA("sensapi.dll"), nullptr);
    EXPECT_TRUE(ProcExists("IsNetworkAlive", "sensapi"));
    EXPECT_EQ(GetModuleHandleA("sensapi.dll"), nullptr) << "loaded for the probe only";

    HMODULE held = LoadLibraryA("sensapi.dll");
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(ProcExists("IsNetworkAlive", "sensapi"));
    EXPECT_EQ(GetModuleHandleA("sensapi.dll"), held) << "a loaded library stays loaded";
    FreeLibrary(held);
    EXPECT_EQ(GetModuleHandleA("sensapi.dll"), nullptr);
}

TEST(ProcExists, LibraryPathsAreInTheSystemFolder) {
    const std::string folder = Lower(SystemFolder());
    const struct {
        const char* library;
        const char* file;
    } rows[] = {{"User32", "user32.dll"}, {"comctl32.dll", "comctl32.dll"}, {"msimg32", "msimg32.dll"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.library);
        EXPECT_EQ(Lower(SystemLibraryPath(row.library)), folder + "\\" + row.file);
    }
}

TEST(ExeImports, OnlyLibrariesThatWindowsTakesFromItsSystemFolder) {
    // Known DLLs: Windows loads these from the system folder whatever lies
    // beside the exe. msimg32 and comctl32 are not among them, so the engine
    // loads AlphaBlend and _TrackMouseEvent at run time by full path.
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll",
                                           "oleaut32.dll", "advapi32.dll", "msvcrt.dll"};
    const test::PeImports imports = test::ReadPeImports(test::WinePathFromUnix(TARNWICK_EXE_PATH));
    ASSERT_TRUE(imports.valid) << "cannot read " << TARNWICK_EXE_PATH;
    ASSERT_FALSE(imports.libraries.empty());
    std::set<std::string> seen;
    for (const std::string& library : imports.libraries) {
        SCOPED_TRACE(library);
        seen.insert(Lower(library));
        EXPECT_EQ(allowed.count(Lower(library)), 1u) << "imported from a library outside the known set";
    }
    EXPECT_EQ(seen.count("user32.dll"), 1u);
    EXPECT_EQ(seen.count("msimg32.dll"), 0u);
    EXPECT_EQ(seen.count("comctl32.dll"), 0u);
    // Loaded at run time, and only for a command line with arguments: the
    // window's start does without it.
    EXPECT_EQ(seen.count("shell32.dll"), 0u);
    for (const std::string& library : imports.delayLoaded) {
        ADD_FAILURE() << "delay-loaded library " << library << " would be searched for beside the exe";
    }
}

}  // namespace
}  // namespace tarnwick
