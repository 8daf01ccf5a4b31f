// What the shipped Tarnwick.exe must be, read from its bytes: an exe that
// Windows XP loads (no function XP's system libraries lack), unpacked (the
// section layout the toolchain writes, entry point in .text, nothing
// appended), with a manifest the loader accepts, and within its size.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <string>

#include "tests/support/pe_imports.h"
#include "tests/support/tool_driver.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::test {
namespace {

std::wstring ExePath() { return WinePathFromUnix(TARNWICK_EXE_PATH); }

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Functions of kernel32, user32, gdi32 and msvcrt that Windows XP SP3 does
// not export: an exe importing any of them is refused by XP's loader
// before it runs. The list holds what compilers, their runtimes and
// everyday Win32 code pull in; the rules below catch whole families.
const std::set<std::string> kNotOnXp = {
    // kernel32: Vista and later
    "GetTickCount64", "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared",
    "ReleaseSRWLockExclusive", "ReleaseSRWLockShared", "TryAcquireSRWLockExclusive", "TryAcquireSRWLockShared",
    "InitializeConditionVariable", "SleepConditionVariableCS", "SleepConditionVariableSRW", "WakeConditionVariable",
    "WakeAllConditionVariable", "InitOnceInitialize", "InitOnceExecuteOnce", "InitOnceBeginInitialize",
    "InitOnceComplete", "InitializeCriticalSectionEx", "FlsAlloc", "FlsFree", "FlsGetValue", "FlsSetValue",
    "CreateEventExA", "CreateEventExW", "CreateMutexExA", "CreateMutexExW", "CreateSemaphoreExW",
    "CreateWaitableTimerExW", "GetFileInformationByHandleEx", "SetFileInformationByHandle", "CreateFile2",
    "CopyFile2", "GetFinalPathNameByHandleA", "GetFinalPathNameByHandleW", "CreateSymbolicLinkA",
    "CreateSymbolicLinkW", "QueryFullProcessImageNameA", "QueryFullProcessImageNameW",
    "GetSystemTimePreciseAsFileTime", "GetCurrentProcessorNumber", "GetErrorMode", "GetThreadErrorMode",
    "SetThreadErrorMode", "CancelIoEx", "CancelSynchronousIo", "GetQueuedCompletionStatusEx",
    "SetFileCompletionNotificationModes", "ReOpenFile", "CompareStringEx", "CompareStringOrdinal", "LCMapStringEx",
    "GetLocaleInfoEx", "GetUserDefaultLocaleName", "GetSystemDefaultLocaleName", "LocaleNameToLCID",
    "LCIDToLocaleName", "ResolveLocaleName", "IsValidLocaleName", "EnumSystemLocalesEx", "GetDateFormatEx",
    "GetTimeFormatEx", "GetNumberFormatEx", "GetCurrencyFormatEx", "GetDynamicTimeZoneInformation",
    "GetProductInfo", "GetLogicalProcessorInformationEx", "GetActiveProcessorCount", "SetDefaultDllDirectories",
    "AddDllDirectory", "RemoveDllDirectory", "GetThreadId", "QueryThreadCycleTime", "RaiseFailFastException",
    // user32: Vista and later
    "SetProcessDPIAware", "IsProcessDPIAware", "ChangeWindowMessageFilter", "ChangeWindowMessageFilterEx",
    "GetDpiForWindow", "GetDpiForSystem", "SetProcessDpiAwarenessContext", "SetThreadDpiAwarenessContext",
    "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi", "SystemParametersInfoForDpi", "EnableNonClientDpiScaling",
    "ShutdownBlockReasonCreate", "ShutdownBlockReasonDestroy", "RegisterPowerSettingNotification",
    "AddClipboardFormatListener", "RemoveClipboardFormatListener", "SetWindowDisplayAffinity",
    "UpdateLayeredWindowIndirect", "LogicalToPhysicalPoint", "PhysicalToLogicalPoint",
    "CalculatePopupWindowPosition", "RegisterTouchWindow", "GetTouchInputInfo", "GetGestureInfo",
    // msvcrt: what XP's msvcrt.dll (7.0) lacks
    "strnlen", "wcsnlen", "_fseeki64", "_ftelli64", "_create_locale", "_free_locale", "_get_current_locale",
    "_configthreadlocale", "rand_s", "_get_errno", "_set_errno", "_set_invalid_parameter_handler",
    "_invalid_parameter", "_recalloc", "_initterm_e", "_lock_file", "_unlock_file",
};

// Why a function is not on XP, or nothing.
std::string NotOnXp(const PeImportedFunction& function) {
    const std::string library = Lower(function.library);
    const std::string& name = function.name;
    if (library != "kernel32.dll" && library != "user32.dll" && library != "gdi32.dll" && library != "msvcrt.dll") {
        return {};
    }
    if (kNotOnXp.count(name)) return "Vista or later";
    if (EndsWith(name, "Ex2") || EndsWith(name, "Ex2A") || EndsWith(name, "Ex2W")) return "an Ex2 function";
    if (name.rfind("D3DKMT", 0) == 0) return "a Vista display driver call";
    if (library == "msvcrt.dll" && EndsWith(name, "_s")) return "a checked CRT function (Visual C++ 2005 on)";
    if (library == "msvcrt.dll" && EndsWith(name, "_nolock")) return "a CRT function of Visual C++ 2005 on";
    return {};
}

// Tarnwick.com, the console twin shipped beside the exe, as well.
TEST(ExeImportsOnXp, NoFunctionThatWindowsXpLacks) {
    for (const char* path : {TARNWICK_EXE_PATH, TARNWICK_COM_PATH}) {
        SCOPED_TRACE(path);
        const PeImports imports = ReadPeImports(WinePathFromUnix(path));
        ASSERT_TRUE(imports.valid) << "cannot read " << path;
        ASSERT_GT(imports.functions.size(), 20u);
        for (const PeImportedFunction& function : imports.functions) {
            const std::string why = NotOnXp(function);
            EXPECT_TRUE(why.empty()) << function.library << "!" << function.name << " is " << why
                                     << ": Windows XP would refuse to start the tool";
        }
    }
}

// The same reading of this test program, which links the same runtime
// without the exe's replacement of GetTickCount64, finds that import: the
// check above would see it too.
TEST(ExeImportsOnXp, TheCheckSeesTheRuntimesGetTickCount64) {
    const PeImports imports = ReadPeImports(ThisProgram());
    ASSERT_TRUE(imports.valid);
    const bool found = std::any_of(imports.functions.begin(), imports.functions.end(), [](const auto& function) {
        return Lower(function.library) == "kernel32.dll" && function.name == "GetTickCount64";
    });
    EXPECT_TRUE(found) << "the runtime no longer imports GetTickCount64; the replacement in app/static_runtime.cpp "
                          "may be dropped";
}

TEST(ExeImportsOnXp, EveryImportedFunctionExistsInItsLibrary) {
    const PeImports imports = ReadPeImports(ExePath());
    ASSERT_TRUE(imports.valid);
    for (const PeImportedFunction& function : imports.functions) {
        SCOPED_TRACE(function.library + "!" + function.name);
        ASSERT_FALSE(function.name.empty());
        ASSERT_NE(function.name[0], '#') << "import by ordinal";
        HMODULE library = LoadLibraryA(function.library.c_str());
        ASSERT_NE(library, nullptr);
        EXPECT_NE(GetProcAddress(library, function.name.c_str()), nullptr);
        FreeLibrary(library);
    }
}

TEST(ExeLayout, A32BitGuiExeThatWindowsXpLoads) {
    const PeLayout pe = ReadPeLayout(ExePath());
    ASSERT_TRUE(pe.valid);
    EXPECT_EQ(pe.machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_TRUE(pe.fileCharacteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_FALSE(pe.fileCharacteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(pe.subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    // XP is Windows 5.1; a higher required version makes its loader refuse
    // the exe as "not a valid Win32 application".
    EXPECT_EQ(pe.subsystemMajor * 100 + pe.subsystemMinor, 501);
    EXPECT_EQ(pe.osMajor * 100 + pe.osMinor, 501);
}

// An exe packer (UPX and the like) rewrites the layout: sections of its
// own names, an entry point in its unpacking stub, code sections with no
// bytes in the file, its marker in the headers. Virus scanners distrust
// packed exes, and players would meet warnings for a tool that patches a
// game file.
TEST(ExeLayout, NotPacked) {
    const PeLayout pe = ReadPeLayout(ExePath());
    ASSERT_TRUE(pe.valid);
    const std::set<std::string> standard = {".text", ".data", ".rdata", ".eh_fram", ".bss", ".idata",
                                            ".CRT",  ".tls",  ".rsrc",  ".reloc",   ".edata"};
    const PeSection* text = nullptr;
    std::uint64_t end = pe.sizeOfHeaders;
    for (const PeSection& section : pe.sections) {
        SCOPED_TRACE(section.name);
        EXPECT_EQ(standard.count(section.name), 1u) << "a section name the toolchain does not write";
        EXPECT_EQ(Lower(section.name).find("upx"), std::string::npos);
        const bool executable = section.characteristics & (IMAGE_SCN_MEM_EXECUTE | IMAGE_SCN_CNT_CODE);
        EXPECT_EQ(executable, section.name == ".text") << "code outside .text";
        if (section.name == ".text") text = &section;
        if (section.rawSize != 0) {
            EXPECT_EQ(section.rawOffset, end) << "a gap or overlap before the section's bytes";
            end = static_cast<std::uint64_t>(section.rawOffset) + section.rawSize;
        }
    }
    ASSERT_NE(text, nullptr);
    EXPECT_GE(text->rawSize, text->virtualSize) << "code that exists only after unpacking";
    EXPECT_GE(pe.entryPoint, text->virtualAddress);
    EXPECT_LT(pe.entryPoint, text->virtualAddress + text->virtualSize) << "entry point outside .text";
    EXPECT_EQ(pe.fileSize, end) << "bytes appended after the last section";

    const std::string headers(pe.headerBytes.begin(), pe.headerBytes.end());
    EXPECT_EQ(headers.find("UPX"), std::string::npos) << "UPX marker in the headers";
    const std::vector<std::uint8_t> file = ReadFileBytes(ExePath());
    const std::string whole(file.begin(), file.end());
    EXPECT_EQ(whole.find("UPX!"), std::string::npos);
    EXPECT_EQ(whole.find("This file is packed"), std::string::npos);
}

// The loader reads the manifest into an activation context before the
// first instruction runs; a manifest it cannot parse stops the exe with a
// side-by-side configuration error.
TEST(ExeManifest, TheLoaderAcceptsIt) {
    const std::wstring exe = ExePath();
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE handle = CreateActCtxW(&context);
    EXPECT_NE(handle, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (handle != INVALID_HANDLE_VALUE) ReleaseActCtx(handle);
}

// The same parser refuses a manifest that is not well-formed XML, so the
// test above can fail.
TEST(ExeManifest, TheLoaderRefusesABrokenOne) {
    TempFolder folder;
    const std::wstring path = folder / L"broken.manifest";
    const std::string broken =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
        "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"x86\" name=\"Tarnwick\" type=\"win32\"/>\r\n"
        "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security>\r\n";  // never closed
    WriteFileBytes(path, Bytes(broken.begin(), broken.end()));
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.lpSource = path.c_str();
    HANDLE handle = CreateActCtxW(&context);
    EXPECT_EQ(handle, INVALID_HANDLE_VALUE);
    if (handle != INVALID_HANDLE_VALUE) ReleaseActCtx(handle);
}

// The exe was about 905 KB with -O3, the runtime's demangler and its
// printf; it is about 880 KB of content now, 450 KB of it the background
// picture, laid out on whole pages, about 40 KB of it the command line
// (values files in three encodings, its crash guard), the checks that
// keep links and strangers out of the tool's own files, about 6 KB for
// what real Windows meets (a scanner holding a fresh file, cloud files,
// an invisible desktop, and the messages for them), and about 12 KB for
// the window following its game folder, pastes that keep to what typing
// could put in and message boxes broken where a reader expects; then
// about 12 KB for the backup step that replaces, moves and deletes only
// the files it checked (through their handles, with the backup folder's
// own lock and the held-file checks of real Windows), 3 KB for the command
// line taking a game file's path for its folder and giving a script's
// advice where the window says to click, and about 10 KB for the window
// looking at its folder by its files' attributes, off its thread where
// the folder is on a network drive. Code and
// data leave a few kilobytes for small fixes: the budget is there to catch
// what pulling in iostreams, locales or regex would add, hundreds of
// kilobytes.
TEST(ExeSize, StaysWithinItsBudget) {
    const PeLayout pe = ReadPeLayout(ExePath());
    ASSERT_TRUE(pe.valid);
    std::uint64_t resources = 0, content = 0;
    for (const PeSection& section : pe.sections) {
        // What a section holds, without the padding to the next page.
        const std::uint32_t held = std::min(section.virtualSize, section.rawSize);
        if (section.name == ".rsrc") resources = held;
        content += held;
    }
    std::printf("[release] Tarnwick.exe: %llu bytes, %llu of them section contents, %llu of those resources\n",
                static_cast<unsigned long long>(pe.fileSize), static_cast<unsigned long long>(content),
                static_cast<unsigned long long>(resources));
    EXPECT_LE(pe.fileSize, 928u * 1024) << "the exe grew past its budget; see what the link pulled in (-Wl,-Map)";
    EXPECT_LE(content - resources, 440u * 1024) << "code and data grew past their budget";
}

}  // namespace
}  // namespace tarnwick::test
