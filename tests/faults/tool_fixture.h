#pragma once
// The real Tarnwick.exe started in a game folder for the fault tests: the
// folder, the tool's buttons, clicks answered in the "系统信息" box, and
// the state of the game file and its backup afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_layout.h"
#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/game/version.h"
#include "form/form.h"
#include "tests/core/expected_bytes.h"
#include "tests/faults/fault_folders.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

namespace tarnwick::test {

// Whether `text` holds every one of `parts`; the failure message shows the
// whole text.
inline testing::AssertionResult SaysAll(const std::wstring& text, const std::vector<std::wstring>& parts) {
    for (const std::wstring& part : parts) {
        if (text.find(part) == std::wstring::npos) {
            return testing::AssertionFailure() << testing::PrintToString(text) << " lacks "
                                               << testing::PrintToString(part);
        }
    }
    return testing::AssertionSuccess();
}

// Under Wine on a display without a window manager, hiding a framed
// window (every "系统信息" box) waits two seconds for a window manager that
// never answers. While these tests run, Wine is told that no window manager
// handles the tool's windows, as is the case; the tool behaves the same,
// only without the waits. The setting is taken off again afterwards.
class UnmanagedToolWindows {
public:
    UnmanagedToolWindows();
    ~UnmanagedToolWindows();
    UnmanagedToolWindows(const UnmanagedToolWindows&) = delete;
    UnmanagedToolWindows& operator=(const UnmanagedToolWindows&) = delete;

private:
    bool set_ = false;
};

class ToolFixture : public testing::Test {
protected:
    static void SetUpTestSuite() { unmanaged_ = new UnmanagedToolWindows(); }
    static void TearDownTestSuite() {
        delete unmanaged_;
        unmanaged_ = nullptr;
    }
    static inline UnmanagedToolWindows* unmanaged_ = nullptr;

    // A game folder under `root` (by default the system's temporary folder)
    // with a synthetic game file of `version` and the notice switched off.
    void MakeGameFolder(GameVersion version, const std::wstring& root = L"") {
        tool_.reset();
        folder_.reset();
        temp_.reset();
        if (root.empty()) {
            temp_ = std::make_unique<TempFolder>();
        } else {
            folder_ = std::make_unique<FolderUnder>(root);
        }
        version_ = version;
        pristine_ = MakeSyntheticGame(version, 5);
        WriteFileBytes(Path(L"meteor.exe"), pristine_);
        CreateDirectoryW(Path(L"Data").c_str(), nullptr);
        const std::string off = "[\xD0\xC5\xCF\xA2\xD7\xB4\xCC\xAC]\r\n\xD0\xC5\xCF\xA2\xA3\xBA\xCD\xA3\xD3\xC3\r\n";
        hint_ = Bytes(off.begin(), off.end());
        WriteFileBytes(Path(L"Data\\Hint.cfg"), hint_);
    }

    const std::wstring& Folder() const { return temp_ ? temp_->Path() : folder_->Path(); }
    std::wstring Path(const std::wstring& relative) const { return Folder() + L"\\" + relative; }

    // Starts the tool in the game folder (or the same folder seen under
    // another path) and waits for its main window.
    void StartTool(const std::wstring& seenAs = L"") {
        tool_.reset();
        tool_ = std::make_unique<ToolProcess>(ToolExePath(), seenAs.empty() ? Folder() : seenAs);
        ASSERT_TRUE(tool_->Started()) << "cannot start the tool";
        main_ = WaitForTopLevel(tool_->Id(), kFormClassName, L"Tarnwick");
        ASSERT_TRUE(main_) << "no main window";
    }

    HWND Field(int index) const { return GetDlgItem(main_, main_layout::FieldId(index)); }
    HWND Confirm() const { return GetDlgItem(main_, main_layout::kConfirmButtonId); }
    HWND Restore() const { return GetDlgItem(main_, main_layout::kRestoreButtonId); }

    // Clicks the button and answers the "系统信息" box it opens; its text.
    std::wstring ClickAndAnswer(HWND button) { return test::ClickAndAnswer(tool_->Id(), main_, button); }

    // The tool survived and takes the next click.
    void ExpectToolAlive() {
        EXPECT_TRUE(tool_->Running()) << "the tool ended";
        EXPECT_TRUE(Sync(main_)) << "the main window does not answer";
    }

    Bytes Game() const { return ReadFileBytes(Path(L"meteor.exe")); }
    Bytes Backup() const { return ReadFileBytes(Path(L"Data\\bak\\meteor.bak")); }
    // As files: a folder in their place does not count.
    bool BackupThere() const { return fileio::FileExists(Path(L"Data\\bak\\meteor.bak")); }
    bool CacheThere() const { return fileio::FileExists(Path(L"Data\\Slowlysave.cfg")); }
    std::optional<Bytes> CacheBytes() const {
        return CacheThere() ? std::optional<Bytes>(ReadFileBytes(Path(L"Data\\Slowlysave.cfg"))) : std::nullopt;
    }
    Bytes Patched(const FieldTexts& values = DefaultFieldTexts()) const {
        return PatchedGame(pristine_, version_, values);
    }
    static Bytes CacheOf(const FieldTexts& values = DefaultFieldTexts()) {
        const std::string text = ExpectedCache(values);
        return Bytes(text.begin(), text.end());
    }

    // The files a player depends on, byte for byte: the game file, the
    // backup and the settings cache (nullopt: not there as a file) and the
    // notice switch file as MakeGameFolder wrote it; no temporary file.
    void ExpectFiles(const Bytes& game, const std::optional<Bytes>& backup, const std::optional<Bytes>& cache) {
        EXPECT_TRUE(Game() == game) << "the game file";
        EXPECT_EQ(BackupThere(), backup.has_value());
        if (backup && BackupThere()) {
            EXPECT_TRUE(Backup() == *backup) << "the backup";
        }
        EXPECT_EQ(CacheBytes(), cache) << "the settings cache";
        EXPECT_EQ(ReadFileBytes(Path(L"Data\\Hint.cfg")), hint_) << "the notice switch file";
        EXPECT_EQ(LeftoverTemporaryFiles(Folder()), 0);
    }

    std::unique_ptr<TempFolder> temp_;
    std::unique_ptr<FolderUnder> folder_;
    std::unique_ptr<ToolProcess> tool_;  // ended before its folder goes
    HWND main_ = nullptr;
    GameVersion version_ = GameVersion::V1_07;
    Bytes pristine_;
    Bytes hint_;
};

}  // namespace tarnwick::test
