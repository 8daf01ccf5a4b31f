#include "core/disk/game_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/disk/file_io.h"

namespace tarnwick {
namespace {

// Game folders of about 230 to 260 characters, around where plain paths
// end: every name the tool makes below the folder, a temporary file's
// included, is either short enough to be taken plain (MAX_PATH for a file,
// MAX_PATH - 12 for a folder to be created) or in the \\?\ form.
TEST(GameFolder, EveryNameBelowADeepFolderCanBeReached) {
    const std::wstring temp = L"\\twk0123ABCD.tmp";
    for (std::size_t length = 225; length <= 262; ++length) {
        SCOPED_TRACE(length);
        std::wstring base = L"C:";
        while (base.size() < length) base += L"\\" + std::wstring(std::min<std::size_t>(50, length - base.size() - 1), L'd');
        const GameFolder folder{base};
        const struct {
            std::wstring path;
            std::size_t limit;
        } names[] = {
            {folder.GameFile(), MAX_PATH},
            {folder.BackupFile(), MAX_PATH},
            {folder.BackupRecordFile(), MAX_PATH},
            {folder.BackupAsideFile(), MAX_PATH},
            {folder.LockFile(), MAX_PATH},
            {folder.SettingsCacheFile(), MAX_PATH},
            {folder.HintFile(), MAX_PATH},
            {folder.Root() + temp, MAX_PATH},
            {folder.DataFolder() + temp, MAX_PATH},
            {folder.BackupFolder() + temp, MAX_PATH},
            {folder.DataFolder(), MAX_PATH - 12},
            {folder.BackupFolder(), MAX_PATH - 12},
        };
        for (const auto& [path, limit] : names) {
            const bool prefixed = path.compare(0, 4, L"\\\\?\\") == 0;
            EXPECT_TRUE(prefixed || path.size() < limit) << testing::PrintToString(path) << " of " << path.size();
            EXPECT_EQ(fileio::PlainForm(path).substr(0, base.size()), base);
        }
    }
}

// A folder typed with separators at its end (--game-dir "D:\Games\") is the
// folder without them; a drive's root stays the root.
TEST(GameFolderAt, NamesOneFolderWhateverSeparatorsEndIt) {
    const struct {
        const wchar_t* path;
        const wchar_t* base;
    } rows[] = {
        {L"C:\\windows\\", L"C:\\windows"},
        {L"C:\\windows//", L"C:\\windows"},
        {L"C:\\windows", L"C:\\windows"},
        {L"C:\\", L"C:\\."},
        {L"C:/", L"C:\\."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.path)));
        const GameFolder folder = GameFolderAt(row.path);
        EXPECT_EQ(fileio::FoldCase(folder.base), fileio::FoldCase(row.base));
        EXPECT_EQ(fileio::FoldCase(folder.GameFile()), fileio::FoldCase(std::wstring(row.base) + L"\\meteor.exe"));
    }
}

}  // namespace
}  // namespace tarnwick
