// The resources compiled into Tarnwick.exe, read back the way the system
// reads them: picture, icon group, version information and manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "app/version_text.h"
#include "res/resource_ids.h"
#include "tests/res/res_files.h"

namespace tarnwick::test {
namespace {

// Tarnwick.exe loaded as a data file: its resources without running it.
class ExeResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot load " << TARNWICK_EXE_PATH;
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    // The bytes of one resource; empty when it is missing.
    std::vector<std::uint8_t> Resource(LPCSTR type, LPCSTR name) const {
        HRSRC found = FindResourceA(module_, name, type);
        if (!found) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
        if (!data) return {};
        return std::vector<std::uint8_t>(data, data + SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ExeResources, BackgroundBitmapIsTheCommittedPicture) {
    const std::vector<std::uint8_t> file = ReadWholeFile(SourceFile("res/background.bmp"));
    ASSERT_EQ(file.size(), 450904u);
    const std::vector<std::uint8_t> resource = Resource(RT_BITMAP, MAKEINTRESOURCEA(IDB_BACKGROUND));
    // A bitmap resource is the file without its 14-byte file header.
    ASSERT_EQ(resource.size(), file.size() - 14);
    EXPECT_TRUE(std::equal(resource.begin(), resource.end(), file.begin() + 14));

    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(module_, MAKEINTRESOURCEA(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 514);
    EXPECT_EQ(dib.dsBm.bmHeight, 292);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    // Top-left pixel is the key green, the middle of the panel is not.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 5, 1), RGB(0, 255, 0)) << "rounded corner";
    EXPECT_NE(GetPixel(dc, 256, 160), RGB(0, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST_F(ExeResources, IconGroupHoldsBothImagesOfTheCommittedIcon) {
    const std::vector<std::uint8_t> ico = ReadWholeFile(SourceFile("res/tarnwick.ico"));
    ASSERT_GT(ico.size(), 38u);
    const std::vector<std::uint8_t> group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_TARNWICK));
    ASSERT_GE(group.size(), 6u + 2 * 14);
    EXPECT_EQ(Le16(group, 2), 1);
    ASSERT_EQ(Le16(group, 4), 2);
    const int sizes[] = {32, 64};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(testing::Message() << sizes[i] << " x " << sizes[i]);
        const std::size_t entry = 6 + 14 * static_cast<std::size_t>(i);  // GRPICONDIRENTRY
        EXPECT_EQ(group[entry], sizes[i]);
        EXPECT_EQ(group[entry + 1], sizes[i]);
        EXPECT_EQ(Le16(group, entry + 6), 24);
        const std::uint16_t id = Le16(group, entry + 12);
        const std::vector<std::uint8_t> image = Resource(RT_ICON, MAKEINTRESOURCEA(id));
        const std::size_t ico_entry = 6 + 16 * static_cast<std::size_t>(i);
        const std::uint32_t bytes = Le32(ico, ico_entry + 8);
        const std::uint32_t offset = Le32(ico, ico_entry + 12);
        ASSERT_EQ(image.size(), bytes);
        ASSERT_LE(offset + bytes, ico.size());
        EXPECT_TRUE(std::equal(image.begin(), image.end(), ico.begin() + offset));

        // The system picks this image when asked for the size.
        HICON icon = static_cast<HICON>(
            LoadImageA(module_, MAKEINTRESOURCEA(IDI_TARNWICK), IMAGE_ICON, sizes[i], sizes[i], 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, sizes[i]);
        EXPECT_EQ(colour.bmHeight, sizes[i]);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// The version functions come from version.dll, which the test program does
// not link; they are looked up at run time.
struct VersionApi {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    HMODULE dll = LoadLibraryA("version.dll");
    SizeFn size = dll ? reinterpret_cast<SizeFn>(GetProcAddress(dll, "GetFileVersionInfoSizeW")) : nullptr;
    InfoFn info = dll ? reinterpret_cast<InfoFn>(GetProcAddress(dll, "GetFileVersionInfoW")) : nullptr;
    QueryFn query = dll ? reinterpret_cast<QueryFn>(GetProcAddress(dll, "VerQueryValueW")) : nullptr;
    ~VersionApi() {
        if (dll) FreeLibrary(dll);
    }
};

// MAJOR.MINOR.PATCH of the generated version text as the resource's two
// DWORDs, MAJOR << 16 | MINOR and PATCH << 16 (the fourth number is 0).
std::pair<DWORD, DWORD> VersionDwords(const std::wstring& text) {
    DWORD numbers[3] = {};
    std::size_t at = 0;
    for (DWORD& number : numbers) {
        const std::size_t end = text.find(L'.', at);
        number = static_cast<DWORD>(std::stoul(text.substr(at, end - at)));
        at = end + 1;
    }
    return {numbers[0] << 16 | numbers[1], numbers[2] << 16};
}

// The version resource says the project's version, the one kTarnwickVersion
// carries from project() to the command line and the zip's name; the
// console twin says the same of itself and has the tool's icon, so that
// beside Tarnwick.exe it shows as the same tool.
TEST(ExeVersion, VersionInformationNamesTheToolInChineseWithTheProjectVersion) {
    VersionApi api;
    ASSERT_TRUE(api.size && api.info && api.query);
    const struct {
        std::wstring path;
        const wchar_t* originalName;
        const wchar_t* description;
    } programs[] = {
        {ExePath(), L"Tarnwick.exe", L"流星蝴蝶剑房间设置修改工具"},
        {WinePath(TARNWICK_COM_PATH), L"Tarnwick.com", L"流星蝴蝶剑房间设置修改工具（命令行）"},
    };
    for (const auto& program : programs) {
        SCOPED_TRACE(testing::PrintToString(program.path));
        const std::wstring exe = program.path;
        HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDI_TARNWICK), RT_GROUP_ICON), nullptr) << "no icon";
        if (module) FreeLibrary(module);
        DWORD handle = 0;
        const DWORD size = api.size(exe.c_str(), &handle);
        ASSERT_GT(size, 0u) << "no version information";
        std::vector<std::uint8_t> block(size);
        ASSERT_TRUE(api.info(exe.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(api.query(block.data(), L"\\", reinterpret_cast<LPVOID*>(&fixed), &length));
        ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
        EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        const std::wstring version = kTarnwickVersion;
        ASSERT_EQ(std::count(version.begin(), version.end(), L'.'), 2) << "not MAJOR.MINOR.PATCH";
        const auto [high, low] = VersionDwords(version);
        EXPECT_EQ(fixed->dwFileVersionMS, high);
        EXPECT_EQ(fixed->dwFileVersionLS, low);
        EXPECT_EQ(fixed->dwProductVersionMS, high);
        EXPECT_EQ(fixed->dwProductVersionLS, low);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

        WORD* translation = nullptr;
        ASSERT_TRUE(api.query(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&translation),
                              &length));
        ASSERT_GE(length, 4u);
        EXPECT_EQ(translation[0], 0x0804) << "Chinese (simplified)";
        EXPECT_EQ(translation[1], 936) << "code page";

        struct Text {
            const wchar_t* name;
            const wchar_t* value;
        };
        const Text texts[] = {
            {L"CompanyName", L"Tarnwick"},
            {L"FileDescription", program.description},
            {L"FileVersion", kTarnwickVersion},
            {L"OriginalFilename", program.originalName},
            {L"ProductName", L"Tarnwick"},
            {L"ProductVersion", kTarnwickVersion},
        };
        for (const Text& text : texts) {
            SCOPED_TRACE(testing::Message() << static_cast<const void*>(text.name));
            const std::wstring path = std::wstring(L"\\StringFileInfo\\080403a8\\") + text.name;
            wchar_t* value = nullptr;
            ASSERT_TRUE(api.query(block.data(), path.c_str(), reinterpret_cast<LPVOID*>(&value), &length));
            EXPECT_TRUE(std::wstring(value) == text.value)
                << "got " << testing::PrintToString(std::wstring(value));
        }
    }
}

TEST_F(ExeResources, ManifestRunsAsInvokerOnEverySystemWithClassicControlsAndSystemDpi) {
    const std::vector<std::uint8_t> bytes = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(bytes.empty()) << "no manifest (type 24, id 1)";
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    struct Phrase {
        const char* text;
        bool present;
    };
    const Phrase phrases[] = {
        {"level=\"asInvoker\"", true},
        {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", true},  // Vista
        {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", true},  // 7
        {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", true},  // 8
        {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", true},  // 8.1
        {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", true},  // 10 and 11
        {"Microsoft.Windows.Common-Controls", false},
        {"<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">", true},  // passed over by XP
        {"SMI/2005/WindowsSettings\">true</dpiAware>", true},  // system-aware
        {"requireAdministrator", false},
    };
    for (const Phrase& phrase : phrases) {
        SCOPED_TRACE(phrase.text);
        EXPECT_EQ(text.find(phrase.text) != std::string::npos, phrase.present);
    }
    EXPECT_NE(text.find("</assembly>"), std::string::npos) << "complete document";
    const std::wstring version = std::wstring(L"version=\"") + kTarnwickVersion + L".0\"";
    EXPECT_NE(text.find(std::string(version.begin(), version.end())), std::string::npos)
        << "the manifest's assemblyIdentity has the project's version";
}

}  // namespace
}  // namespace tarnwick::test
