#include <windows.h>

#include <gtest/gtest.h>

#include "core/backup/backup_scan.h"
#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/game/patch_plan.h"
#include "tests/core/expected_bytes.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick {
namespace {

using test::Bytes;

Bytes With(Bytes bytes, std::size_t offset, std::uint8_t value) {
    bytes.at(offset) = value;
    return bytes;
}

Bytes Cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

// The scan reads in chunks what the whole-file functions see at once:
// every backup here must come out as those functions judge it.
TEST(ScanBackup, AgreesWithTheWholeFileFunctions) {
    const Bytes game = test::MakeSyntheticGame(GameVersion::V1_07);
    const PatchTable& table = *PatchTableFor(GameVersion::V1_07);
    const Bytes patched = test::PatchedGame(game, GameVersion::V1_07, DefaultFieldTexts());
    const struct {
        const char* name;
        Bytes backup;
    } rows[] = {
        {"the game's copy", game},
        {"the game patched", patched},
        {"changed at a chunk's first byte", With(game, 65536, game[65536] ^ 1)},
        {"changed in its last byte", With(game, game.size() - 1, game.back() ^ 1)},
        {"one byte short", Cut(game, game.size() - 1)},
        {"cut inside the probe", Cut(game, kProbeOffset + 7)},
        {"cut before the code bytes", Cut(patched, table.codeOffset + 1)},
        {"another version", test::MakeSyntheticGame(GameVersion::V1_08)},
        {"another version patched", test::PatchedGame(test::MakeSyntheticGame(GameVersion::V1_08), GameVersion::V1_08,
                                                      DefaultFieldTexts())},
        {"empty", {}},
    };
    test::TempFolder temp;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::wstring path = temp / L"meteor.bak";
        test::WriteFileBytes(path, row.backup);
        fileio::File file;
        ASSERT_EQ(file.Open(path, GENERIC_READ, FILE_SHARE_READ), 0u);
        BackupScan scan;
        ASSERT_EQ(ScanBackup(file, game, table, scan), 0u);
        EXPECT_EQ(scan.size, row.backup.size());
        EXPECT_EQ(scan.version, RecogniseGameBytes(row.backup));
        const PatchTable* own = PatchTableFor(scan.version);
        EXPECT_EQ(scan.longEnough, own && row.backup.size() >= PatchAreasEnd(*own));
        EXPECT_EQ(scan.patched, own && IsPatched(row.backup, *own));
        EXPECT_EQ(scan.matchesGame, SameOutsidePatchAreas(row.backup, game, table));
        EXPECT_EQ(scan.digest, Sha256Of(row.backup));
    }

    // Far larger than any game file: refused before a byte is read.
    const std::wstring huge = temp / L"huge.bak";
    HANDLE made = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(kMaxGameFileSize) + 1;
    const bool extended = SetFilePointerEx(made, end, nullptr, FILE_BEGIN) && SetEndOfFile(made);
    CloseHandle(made);
    ASSERT_TRUE(extended);
    fileio::File file;
    ASSERT_EQ(file.Open(huge, GENERIC_READ, FILE_SHARE_READ), 0u);
    BackupScan scan;
    EXPECT_EQ(ScanBackup(file, game, table, scan), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
}

}  // namespace
}  // namespace tarnwick
