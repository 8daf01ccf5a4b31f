#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "core/disk/file_io.h"
#include "core/disk/sha256.h"
#include "core/game/patch_table.h"
#include "core/operations/apply.h"
#include "core/operations/restore.h"
#include "core/stored/settings_cache.h"
#include "tests/core/expected_bytes.h"
#include "tests/core/faulty_patch_io.h"
#include "tests/core/game_folder_fixture.h"
#include "tests/support/unix_files.h"
#include "words/operation_text.h"

namespace tarnwick {
namespace {

using test::Bytes;

const GameVersion kVersions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};

// Values of every length a slot allows.
FieldTexts MixedValues() {
    return {L"5", L"300", L"99", L"100", L"0", L"1", L"1234", L"42", L"7", L"600", L"15", L"21", L"27", L"9999", L"8"};
}

void ExpectSameBytes(const Bytes& actual, const Bytes& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << "first difference at offset " << i << " (0x" << std::hex << i << "): "
                          << int(actual[i]) << " instead of " << int(expected[i]);
            return;
        }
    }
}

class Apply : public test::GameFolderTest {};

TEST_F(Apply, WritesEverySlotAndTheCodeBytesAndNothingElse) {
    for (GameVersion version : kVersions) {
        for (const FieldTexts& values : {DefaultFieldTexts(), MixedValues()}) {
            SCOPED_TRACE(testing::Message() << "version " << static_cast<int>(version) << ", field 0 " << values[0]);
            test::RemoveTree(folder.DataFolder());
            const Bytes before = MakeGame(version);
            // The mixed values as the command line asks: with no version
            // expected, apply patches by the version it reads.
            const bool asCommandLine = values == MixedValues();
            const OperationResult result =
                ApplyPatch(folder, asCommandLine ? std::nullopt : std::optional(version), values);
            ASSERT_TRUE(result.Succeeded()) << OperationText(result);
            EXPECT_EQ(OperationText(result), L"恭喜您修改成功");
            ExpectSameBytes(Game(), test::PatchedGame(before, version, values));
            ExpectSameBytes(Backup(), before);
            EXPECT_EQ(test::ReadFileText(folder.BackupRecordFile()), test::ExpectedBackupRecord(before));
            EXPECT_EQ(test::ReadFileText(folder.SettingsCacheFile()), test::ExpectedCache(values));
            EXPECT_EQ(LeftoverTemporaryFiles(), 0);
        }
    }
}

TEST_F(Apply, ExamplesAtTheirOffsets) {
    const struct {
        GameVersion version;
        int field;
        const wchar_t* value;
        std::uint32_t offset;
        std::array<std::uint8_t, 4> bytes;
        bool gapAfter;  // no other slot follows directly
    } examples[] = {
        {GameVersion::V1_07, 1, L"300", 0x1C7434, {0x33, 0x30, 0x30, 0x25}, true},
        {GameVersion::V1_07, 0, L"5", 0x1C743C, {0x35, 0x25, 0x00, 0x00}, true},
        {GameVersion::V9_07, 0, L"5", 0x1C743C, {0x35, 0x25, 0x00, 0x00}, true},
        {GameVersion::V1_08, 8, L"7", 0x1C7478, {0x37, 0x00, 0x00, 0x00}, false},
        {GameVersion::V1_07, 5, L"1234", 0x1C7474, {0x31, 0x32, 0x33, 0x34}, true},
        {GameVersion::V1_08, 14, L"16", 0x1C7494, {0x31, 0x36, 0x00, 0x00}, true},
    };
    for (const auto& example : examples) {
        SCOPED_TRACE(testing::Message() << "field " << example.field << " offset " << std::hex << example.offset);
        test::RemoveTree(folder.DataFolder());  // each a fresh install, not an update
        const Bytes before = MakeGame(example.version);
        FieldTexts values = DefaultFieldTexts();
        values[example.field] = example.value;
        ASSERT_TRUE(ApplyPatch(folder, example.version, values).Succeeded());
        const Bytes after = Game();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(after[example.offset + i], example.bytes[i]) << i;
        // The byte after a slot is never written.
        if (example.gapAfter) {
            EXPECT_EQ(after[example.offset + 4], before[example.offset + 4]);
        }
        const std::uint32_t code = example.version == GameVersion::V1_08 ? 0x3A89E : 0x3AB5E;
        EXPECT_EQ(after[code], 0x90);
        EXPECT_EQ(after[code + 1], 0x90);
    }
}

TEST_F(Apply, Version907WritesWhat107Writes) {
    const std::size_t probeEnd = kProbeOffset + 2 * 60;
    MakeGame(GameVersion::V1_07, 9);
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, MixedValues()).Succeeded());
    Bytes as107 = Game();
    test::RemoveTree(folder.DataFolder());
    MakeGame(GameVersion::V9_07, 9);
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V9_07, MixedValues()).Succeeded());
    Bytes as907 = Game();
    // The two synthetic files differ only in the probe.
    std::fill(as107.begin() + kProbeOffset, as107.begin() + probeEnd, 0);
    std::fill(as907.begin() + kProbeOffset, as907.begin() + probeEnd, 0);
    ExpectSameBytes(as907, as107);
}

TEST_F(Apply, UnknownVersionIsRefusedWithoutTouchingAnything) {
    const Bytes before = MakeGame(GameVersion::Unknown);
    for (std::optional<GameVersion> expected : {std::optional(GameVersion::Unknown), std::optional<GameVersion>()}) {
        SCOPED_TRACE(expected ? "the tag read back" : "no version expected");
        const OperationResult result = ApplyPatch(folder, expected, DefaultFieldTexts());
        EXPECT_EQ(result.outcome, Outcome::VersionUnknown);
        EXPECT_EQ(OperationText(result).rfind(L"无法识别您当前所使用的版本\n", 0), 0u) << "the first line as it always was";
        EXPECT_FALSE(fileio::FolderExists(folder.DataFolder()));
        ExpectSameBytes(Game(), before);
    }
}

TEST_F(Apply, InvalidValuesAreRefusedNamingTheField) {
    const struct {
        int field;
        const wchar_t* value;
        const wchar_t* name;     // how the message names the field
        const wchar_t* problem;  // part of the message
    } cases[] = {
        {0, L"", L"第1个“血值”", L"没有填写"},
        // The limit named is the one applied: what fits the slot, not what
        // the player can type.
        {0, L"1000", L"第1个“血值”", L"最多只能填写3位数字"},
        {1, L"1234", L"第2个“血值”", L"最多只能填写3位数字"},
        {4, L"30%", L"第5个“血值”", L"只能填写数字"},
        {5, L"12345", L"第1个“时局”", L"最多只能填写4位数字"},
        {9, L"1a", L"“时间”", L"只能填写数字"},
        {10, L" 15", L"第4个“时局”", L"只能填写数字"},
        {13, L"-1", L"第4个“局次”", L"只能填写数字"},
        {14, L"１６", L"“人数”", L"只能填写半角数字"},
    };
    const Bytes before = MakeGame(GameVersion::V1_07);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field);
        FieldTexts values = DefaultFieldTexts();
        values[c.field] = c.value;
        const OperationResult result = ApplyPatch(folder, GameVersion::V1_07, values);
        EXPECT_EQ(result.outcome, Outcome::InvalidValue);
        EXPECT_EQ(result.field, c.field);
        EXPECT_EQ(OperationText(result).find(c.name), 0u) << OperationText(result);
        EXPECT_NE(OperationText(result).find(c.problem), std::wstring::npos) << OperationText(result);
        EXPECT_FALSE(fileio::FolderExists(folder.DataFolder()));
        ExpectSameBytes(Game(), before);
    }
}

TEST_F(Apply, GameFileThatCannotBePatchedIsReportedBeforeAnythingChanges) {
    const struct {
        const char* name;
        void (*spoil)(const GameFolder&);
        Outcome outcome;
        const wchar_t* advice;
    } cases[] = {
        {"held open by the running game", nullptr, Outcome::GameFileInUse, L"请先关闭游戏"},
        {"read-only", [](const GameFolder& f) { test::MakeReadOnly(f.GameFile()); }, Outcome::ReadOnly, L"取消“只读”"},
        {"too short for the version's slots",
         [](const GameFolder& f) { test::WriteFileBytes(f.GameFile(), test::MakeSyntheticGame(GameVersion::V1_08, 1, 1864867)); },
         Outcome::GameFileDamaged, L"重新安装游戏"},
        {"gone", [](const GameFolder& f) { DeleteFileW(f.GameFile().c_str()); }, Outcome::GameFileMissing,
         L"游戏安装目录"},
        // The window's tag says 1.08; the bytes it reads are 1.07's.
        {"of another version than the window shows",
         [](const GameFolder& f) { test::WriteFileBytes(f.GameFile(), test::MakeSyntheticGame(GameVersion::V1_07, 1)); },
         Outcome::GameFileChanged, L"重新运行本工具"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeGame(GameVersion::V1_08);
        std::optional<test::HeldOpen> game;
        if (c.spoil) {
            c.spoil(folder);
        } else {
            game.emplace(folder.GameFile());
            ASSERT_TRUE(game->IsOpen());
        }
        const bool exists = fileio::FileExists(folder.GameFile());
        const Bytes before = exists ? Game() : Bytes();
        const OperationResult result = ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts());
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(OperationText(result).find(L"修改失败："), 0u) << OperationText(result);
        EXPECT_NE(OperationText(result).find(c.advice), std::wstring::npos) << OperationText(result);
        EXPECT_FALSE(fileio::FolderExists(folder.DataFolder()));
        if (exists) ExpectSameBytes(Game(), before);
        game.reset();
        SetFileAttributesW(folder.GameFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(Apply, GameFileExactlyLongEnoughIsPatchedAndNotExtended) {
    const std::size_t end107 = 0x1C7490 + 4;
    const Bytes before = MakeGame(GameVersion::V1_07, 1, end107);
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts()).Succeeded());
    ExpectSameBytes(Game(), test::PatchedGame(before, GameVersion::V1_07, DefaultFieldTexts()));
}

TEST_F(Apply, BackupKeepsTheGameFileFromBeforeAnyPatch) {
    const Bytes pristine = MakeGame(GameVersion::V1_07);
    FieldTexts first = MixedValues();
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, first).Succeeded());
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts()).Succeeded());
    ExpectSameBytes(Backup(), pristine);
    ExpectSameBytes(Game(), test::PatchedGame(pristine, GameVersion::V1_07, DefaultFieldTexts()));

    ASSERT_TRUE(RestoreGameFile(folder).Succeeded());
    ExpectSameBytes(Game(), pristine);
}

// The unpatched game file becomes the backup. The old backup is written
// over only where it is no original (cut to nothing, patched); a whole
// unpatched file of a known version is somebody's original, even with only
// its values edited, and is kept as meteor.old.
TEST_F(Apply, BackupIsReplacedWhenTheGameFileChangedOutsideThePatchedAreas) {
    const struct {
        const char* name;
        Bytes (*oldBackup)(const Bytes& game);
        bool keptAside = true;
    } cases[] = {
        {"one byte differs elsewhere", [](const Bytes& g) { Bytes b = g; b[100] ^= 1; return b; }},
        {"one byte differs right after a slot", [](const Bytes& g) { Bytes b = g; b[0x1C7438] ^= 1; return b; }},
        {"shorter", [](const Bytes& g) { return Bytes(g.begin(), g.end() - 1); }},
        {"longer", [](const Bytes& g) { Bytes b = g; b.push_back(7); return b; }},
        {"empty", [](const Bytes&) { return Bytes(); }, false},
        {"a patched copy of the game file",
         [](const Bytes& g) { return test::PatchedGame(g, GameVersion::V1_07, MixedValues()); }, false},
        // An older build's cut-short apply, a hand edit: only the values.
        {"the game file with values in its slots, its code bytes untouched",
         [](const Bytes& g) {
             Bytes b = test::PatchedGame(g, GameVersion::V1_07, MixedValues());
             const std::uint32_t code = PatchTableFor(GameVersion::V1_07)->codeOffset;
             std::copy_n(g.begin() + code, 2, b.begin() + code);
             return b;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes game = MakeGame(GameVersion::V1_07, 4);
        ASSERT_TRUE(CreateDirectoryW(folder.DataFolder().c_str(), nullptr) || fileio::FolderExists(folder.DataFolder()));
        CreateDirectoryW(folder.BackupFolder().c_str(), nullptr);
        DeleteFileW(folder.BackupAsideFile().c_str());
        test::WriteFileBytes(folder.BackupFile(), c.oldBackup(game));
        const OperationResult result = ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts());
        ASSERT_TRUE(result.Succeeded());
        ExpectSameBytes(Backup(), game);
        EXPECT_EQ(result.backupMovedAside, c.keptAside);
        EXPECT_EQ(fileio::FileExists(folder.BackupAsideFile()), c.keptAside);
        if (c.keptAside) ExpectSameBytes(test::ReadFileBytes(folder.BackupAsideFile()), c.oldBackup(game));
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
    }
}

TEST_F(Apply, OtherFilesInTheWayAreReportedAndOnlyTheBackupStopsThePatch) {
    const struct {
        const char* name;
        const wchar_t* file;  // the message names it
        char spoil;           // 'h' held open, 'r' read-only, 'c' cannot be moved into place
        Outcome outcome;      // Ok: patched; a second line says the values were not remembered
    } cases[] = {
        {"read-only settings cache", L"Data\\Slowlysave.cfg", 'r', Outcome::Ok},
        {"settings cache held open", L"Data\\Slowlysave.cfg", 'h', Outcome::Ok},
        {"settings cache cannot be moved into place", L"Data\\Slowlysave.cfg", 'c', Outcome::Ok},
        {"read-only stale backup", L"Data\\bak\\meteor.bak", 'r', Outcome::ReadOnly},
        {"stale backup held open", L"Data\\bak\\meteor.bak", 'h', Outcome::FileInUse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemoveTree(folder.DataFolder());
        const Bytes before = MakeGame(GameVersion::V1_07);
        CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
        CreateDirectoryW(folder.BackupFolder().c_str(), nullptr);
        const std::wstring path = folder.base + L"\\" + c.file;
        const Bytes old = {'o', 'l', 'd'};
        test::WriteFileBytes(path, old);
        std::optional<test::HeldOpen> held;
        if (c.spoil == 'h') held.emplace(path);
        if (c.spoil == 'r') test::MakeReadOnly(path);
        const OperationResult result =
            test::ApplyPatchWithFaults(folder, GameVersion::V1_07, DefaultFieldTexts(), {.failCacheCommit = c.spoil == 'c'});
        const bool patched = c.outcome == Outcome::Ok;
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_NE(OperationText(result).find(c.file), std::wstring::npos) << OperationText(result);
        EXPECT_EQ(OperationText(result).find(patched ? L"恭喜您修改成功\n但这些数值没能记下来，下次启动时不会自动填入："
                                              : L"修改失败："),
                  0u)
            << OperationText(result);
        if (!patched) {
            EXPECT_NE(OperationText(result).find(L"游戏文件没有改动"), std::wstring::npos) << OperationText(result);
        }
        ExpectSameBytes(Game(), patched ? test::PatchedGame(before, GameVersion::V1_07, DefaultFieldTexts()) : before);
        ExpectSameBytes(test::ReadFileBytes(path), old);
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
        held.reset();
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(Apply, DataNameTakenByAFileIsReported) {
    const Bytes before = MakeGame(GameVersion::V1_07);
    test::WriteFileBytes(folder.DataFolder(), {'x'});
    const OperationResult result = ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts());
    EXPECT_FALSE(result.Succeeded());
    EXPECT_NE(OperationText(result).find(L"Data"), std::wstring::npos) << OperationText(result);
    ExpectSameBytes(Game(), before);
}

TEST_F(Apply, FailureAfterTheFirstWritePutsTheGameFileBack) {
    const struct {
        const char* name;
        test::ApplyFaults faults;
        Outcome outcome;
        const wchar_t* state;  // what the message says about the game file
    } cases[] = {
        {"first write fails", {.failWrite = 1}, Outcome::Failed, L"游戏文件没有改动"},
        {"a value write fails", {.failWrite = 16}, Outcome::Failed, L"游戏文件没有改动"},
        {"the code write fails", {.failWrite = 31}, Outcome::Failed, L"游戏文件没有改动"},
        {"read-back finds a wrong byte", {.corruptReadBack = true}, Outcome::Failed, L"游戏文件没有改动"},
        {"putting the old bytes back fails too", {.failWrite = 20, .failRollback = true}, Outcome::Failed,
         L"游戏文件没有改动"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemoveTree(folder.DataFolder());
        const Bytes before = MakeGame(GameVersion::V1_08, 6);
        const OperationResult result = test::ApplyPatchWithFaults(folder, GameVersion::V1_08, MixedValues(), c.faults);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(OperationText(result).find(L"修改失败："), 0u) << OperationText(result);
        EXPECT_NE(OperationText(result).find(c.state), std::wstring::npos) << OperationText(result);
        EXPECT_TRUE(BackupExists(folder)) << "the backup is there";
        ExpectSameBytes(Game(), before);
        ExpectSameBytes(Backup(), before);
        EXPECT_FALSE(fileio::FileExists(folder.SettingsCacheFile()));
        EXPECT_EQ(LeftoverTemporaryFiles(), 0);
    }
}

// The whole file as it was goes back in one rename when its areas cannot
// be written back: the first patch stays, the pristine backup too.
TEST_F(Apply, FailedSecondApplyWhoseAreasCannotBeWrittenBackIsPutBackWhole) {
    const Bytes pristine = MakeGame(GameVersion::V1_07, 8);
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, MixedValues()).Succeeded());
    const Bytes first = Game();
    const std::string cache = test::ReadFileText(folder.SettingsCacheFile());
    const OperationResult result = test::ApplyPatchWithFaults(folder, GameVersion::V1_07, DefaultFieldTexts(),
                                                        {.failWrite = 5, .failRollback = true});
    EXPECT_FALSE(result.Succeeded());
    EXPECT_NE(OperationText(result).find(L"游戏文件没有改动"), std::wstring::npos) << OperationText(result);
    ExpectSameBytes(Game(), first);
    ExpectSameBytes(Backup(), pristine);
    EXPECT_EQ(test::ReadFileText(folder.SettingsCacheFile()), cache);
}


// After a first patch, the world changes; "确认" again. A patched game file
// never becomes the backup nor replaces one; where no original is kept, the
// message's second line says so.
TEST_F(Apply, APatchedGameFileNeverBecomesTheBackup) {
    const std::wstring noOriginal =
        L"恭喜您修改成功\n但游戏目录中没有原版游戏文件的备份（修改前的游戏文件就已经是改过的），“还原”无法恢复原版；"
        L"如需原版游戏文件，请重新安装游戏。";
    const struct {
        const char* name;
        std::function<void(const GameFolder&)> change;
        std::wstring message;
        bool pristineBackup;  // else the backup is as the change left it, or gone
        bool restores;        // "还原" afterwards brings back the pristine file
    } cases[] = {
        // Told apart from another install's game sharing Data by nothing:
        // the backup is no longer this game file's, and stays untouched.
        {"another tool changed a byte outside the patch areas",
         [](const GameFolder& f) {
             Bytes game = test::ReadFileBytes(f.GameFile());
             game[100] ^= 1;
             test::WriteFileBytes(f.GameFile(), game);
         },
         noOriginal, true, false},
        {"the backup deleted", [](const GameFolder& f) { DeleteFileW(f.BackupFile().c_str()); }, noOriginal, false,
         false},
        {"the backup cut short, unrecorded",
         [](const GameFolder& f) {
             DeleteFileW(f.BackupRecordFile().c_str());
             Bytes backup = test::ReadFileBytes(f.BackupFile());
             backup.resize(backup.size() - 1);
             test::WriteFileBytes(f.BackupFile(), backup);
         },
         noOriginal, false, false},
        // The record's length is right, its hash not: restore would refuse
        // the backup, so it is no original to rely on.
        {"the record's hash differs",
         [](const GameFolder& f) {
             std::string record = test::ReadFileText(f.BackupRecordFile());
             record[record.size() - 3] = record[record.size() - 3] == '0' ? '1' : '0';
             test::WriteFileBytes(f.BackupRecordFile(), Bytes(record.begin(), record.end()));
         },
         noOriginal, true, false},
        {"a patched unrecorded backup",
         [](const GameFolder& f) {
             DeleteFileW(f.BackupRecordFile().c_str());
             test::WriteFileBytes(f.BackupFile(), test::ReadFileBytes(f.GameFile()));
         },
         noOriginal, false, false},
        {"an original unrecorded backup is kept and recorded",
         [](const GameFolder& f) { DeleteFileW(f.BackupRecordFile().c_str()); }, L"恭喜您修改成功", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemoveTree(folder.DataFolder());
        const Bytes pristine = MakeGame(GameVersion::V1_07, 5);
        ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, MixedValues()).Succeeded());
        c.change(folder);
        const Bytes changed = Game();
        const std::optional<Bytes> backup = fileio::FileExists(folder.BackupFile()) ? std::optional(Backup()) : std::nullopt;
        const OperationResult result = ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts());
        EXPECT_EQ(OperationText(result), c.message);
        ExpectSameBytes(Game(), test::PatchedGame(changed, GameVersion::V1_07, DefaultFieldTexts()));
        EXPECT_EQ(fileio::FileExists(folder.BackupFile()), backup.has_value());
        if (backup) ExpectSameBytes(Backup(), c.pristineBackup ? pristine : *backup);
        EXPECT_EQ(fileio::FileExists(folder.BackupRecordFile()), c.pristineBackup);
        EXPECT_EQ(RestoreGameFile(folder).Succeeded(), c.restores);
        if (c.restores) ExpectSameBytes(Game(), pristine);
    }
}

TEST_F(Apply, HardLinkedFilesAreToldApartFromCopies) {
    // The backup another name of the unpatched game file: a real copy is
    // made before the game file is patched.
    const Bytes pristine = MakeGame(GameVersion::V1_08, 2);
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    CreateDirectoryW(folder.BackupFolder().c_str(), nullptr);
    ASSERT_TRUE(CreateHardLinkW(folder.BackupFile().c_str(), folder.GameFile().c_str(), nullptr));
    EXPECT_EQ(OperationText(ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts())), L"恭喜您修改成功");
    ExpectSameBytes(Game(), test::PatchedGame(pristine, GameVersion::V1_08, DefaultFieldTexts()));
    ExpectSameBytes(Backup(), pristine);

    // The game file with a name in another folder: neither is changed.
    ASSERT_TRUE(RestoreGameFile(folder).Succeeded());
    const std::wstring other = folder.base + L"\\other.exe";
    ASSERT_TRUE(CreateHardLinkW(other.c_str(), folder.GameFile().c_str(), nullptr));
    const OperationResult result = ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts());
    EXPECT_EQ(result.outcome, Outcome::GameFileHardLinked);
    EXPECT_EQ(OperationText(result).find(L"修改失败：游戏文件 meteor.exe 和其他位置的文件是同一个文件（硬链接）"), 0u)
        << testing::PrintToString(OperationText(result));
    ExpectSameBytes(test::ReadFileBytes(other), pristine);
    EXPECT_FALSE(fileio::FileExists(folder.BackupFile()));
}

// Killed after any write of a first apply (a crash, a power cut, a café's
// shutdown script), the game file reads as patched, so that with the backup
// lost too the next apply keeps no backup of it and says that no original
// exists, and a restore has nothing to put back.
TEST_F(Apply, AnApplyCutShortAnywhereNeverPassesForTheOriginal) {
    const Bytes pristine = MakeGame(GameVersion::V1_08, 7);
    const PatchTable& table = *PatchTableFor(GameVersion::V1_08);
    for (int write = 1; write <= test::FaultyPatchIo::kLastWrite; ++write) {
        SCOPED_TRACE(write);
        test::RemoveTree(folder.DataFolder());
        test::WriteFileBytes(folder.GameFile(), pristine);
        EXPECT_THROW(test::ApplyPatchWithFaults(folder, GameVersion::V1_08, MixedValues(), {.killAfterWrite = write}),
                     test::Killed);
        const Bytes cut = Game();
        EXPECT_TRUE(IsPatched(cut, table));
        test::RemoveTree(folder.DataFolder());  // the backup lost as well
        const OperationResult result = ApplyPatch(folder, GameVersion::V1_08, DefaultFieldTexts());
        EXPECT_TRUE(result.noOriginalBackup) << testing::PrintToString(OperationText(result));
        ExpectSameBytes(Game(), test::PatchedGame(pristine, GameVersion::V1_08, DefaultFieldTexts()));
        EXPECT_FALSE(fileio::FileExists(folder.BackupFile()));
        EXPECT_EQ(RestoreGameFile(folder).outcome, Outcome::BackupMissing);
    }
}

// The code bytes reach the disk before any value is written, and go back
// last, after every value is on disk again, when a failed apply is undone:
// killed anywhere in the undoing, the file still reads as patched.
TEST_F(Apply, TheCodeBytesAreOnDiskBeforeTheValuesAndGoBackAfterThem) {
    const Bytes pristine = MakeGame(GameVersion::V1_08, 7);
    const PatchTable& table = *PatchTableFor(GameVersion::V1_08);
    std::string log;
    ASSERT_TRUE(test::ApplyPatchWithFaults(folder, GameVersion::V1_08, MixedValues(), {.log = &log}).Succeeded());
    EXPECT_EQ(log.substr(0, 2), "wf") << log;
    const int failed = 16;  // a value write
    log.clear();
    test::RemoveTree(folder.DataFolder());
    test::WriteFileBytes(folder.GameFile(), pristine);
    EXPECT_FALSE(test::ApplyPatchWithFaults(folder, GameVersion::V1_08, MixedValues(), {.failWrite = failed, .log = &log})
                     .Succeeded());
    EXPECT_EQ(log.substr(log.size() - 3), "fwf") << log;
    for (int write = failed + 1; write < failed + 16; ++write) {
        SCOPED_TRACE(write);
        test::RemoveTree(folder.DataFolder());
        test::WriteFileBytes(folder.GameFile(), pristine);
        EXPECT_THROW(test::ApplyPatchWithFaults(folder, GameVersion::V1_08, MixedValues(),
                                                {.failWrite = failed, .killAfterWrite = write}),
                     test::Killed);
        EXPECT_TRUE(IsPatched(Game(), table));
    }
}

// Another program deletes meteor.exe, or puts a fresh copy in its place,
// behind the handle the apply writes through: no success is reported, and
// the backup keeps the original.
TEST_F(Apply, AGameFileReplacedWhileItIsWrittenIsNoSuccess) {
    const std::wstring replacedText =
        L"修改失败：游戏文件 meteor.exe 在写入时被其他程序删除或换掉了，现在的 meteor.exe 不是本工具写入的文件。";
    const struct {
        const char* name;
        bool freshCopy;  // else deleted
    } rows[] = {{"deleted", false}, {"replaced by a fresh copy", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::RemoveTree(folder.DataFolder());
        const Bytes pristine = MakeGame(GameVersion::V1_07, 2);
        const std::wstring fresh = folder.base + L"\\fresh.exe";
        test::WriteFileBytes(fresh, pristine);
        const OperationResult result = test::ApplyPatchWithFaults(
            folder, GameVersion::V1_07, MixedValues(), {.afterLastWrite = [&] {
                ASSERT_TRUE(row.freshCopy ? test::UnixRename(fresh, folder.GameFile()) : test::UnixDelete(folder.GameFile()));
            }});
        EXPECT_EQ(result.outcome, Outcome::GameFileReplaced);
        EXPECT_EQ(OperationText(result).find(replacedText), 0u) << testing::PrintToString(OperationText(result));
        EXPECT_EQ(fileio::FileExists(folder.GameFile()), row.freshCopy);
        if (row.freshCopy) ExpectSameBytes(Game(), pristine);
        ExpectSameBytes(Backup(), pristine);
        EXPECT_FALSE(fileio::FileExists(folder.SettingsCacheFile()));
        DeleteFileW(fresh.c_str());
    }
}

// Leftovers of killed runs go under the lock: only the tool's own names
// (by the long name; players' look-alikes stay), only files nothing holds,
// none written in the last minute, and never through a link, of the file
// or of a Data folder leading out of the game folder.
TEST_F(Apply, LeftoverTemporaryFilesOfKilledRunsAreRemoved) {
    const Bytes pristine = MakeGame(GameVersion::V1_07);
    CreateDirectoryW(folder.DataFolder().c_str(), nullptr);
    CreateDirectoryW(folder.BackupFolder().c_str(), nullptr);
    auto put = [](const std::wstring& path, bool old) {
        test::WriteFileBytes(path, {'t', 'm', 'p'});
        if (!old) return;
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME lastHour;
        GetSystemTimeAsFileTime(&lastHour);
        lastHour.dwHighDateTime -= 9;  // about an hour earlier
        SetFileTime(file, nullptr, nullptr, &lastHour);
        CloseHandle(file);
    };
    const std::wstring base = folder.base + L"\\";
    const test::TempFolder elsewhere;
    const std::wstring aside = elsewhere.Path() + L"\\";
    const std::initializer_list<std::pair<std::wstring, bool>> files = {
        {base + L"twk0000001A.tmp", false},
        {base + L"Data\\twk0000002B.tmp", false},
        {base + L"Data\\Bak\\twk0000003C.tmp", false},
        {base + L"Data\\Bak\\twk0000004D.tmp", true},  // written just now: perhaps on its way into place
        {base + L"Data\\Bak\\twk0000005E.tmp", true},  // held open
        {base + L"Data\\other.tmp", true},
        {base + L"twk.tmp", true},
        {base + L"twk 我的存档.tmp", true},
        {base + L"TWKnotes.TMP", true},
        {base + L"twkABCDEFGH.tmpx", true},  // "twk*.tmp" by its short name
        {base + L"Data\\twkmod.tmp", true},
        {base + L"twkSaveGame.tmp", true},   // the right length, but no hexadecimal digits
        {aside + L"twkSaveGame.tmp", true},  // a player's file a link leads to
        {aside + L"twk00000077.tmp", true},  // in a folder a Data link leads to
    };
    for (const auto& [path, stays] : files) put(path, path.find(L"4D") == std::wstring::npos);
    {
        test::HeldOpen held(base + L"Data\\Bak\\twk0000005E.tmp");
        ASSERT_TRUE(test::MakeSymbolicLink(base + L"twk0000006F.tmp", aside + L"twkSaveGame.tmp"));
        ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts()).Succeeded());
    }
    for (const auto& [path, stays] : files) {
        EXPECT_EQ(fileio::FileExists(path), stays) << testing::PrintToString(path);
    }
    ExpectSameBytes(Game(), test::PatchedGame(pristine, GameVersion::V1_07, DefaultFieldTexts()));
    test::UnixDelete(base + L"twk0000006F.tmp");
    // Data a link to a folder elsewhere: nothing in it is the tool's to clean.
    ASSERT_TRUE(RestoreGameFile(folder).Succeeded());
    test::RemoveTree(folder.DataFolder());
    ASSERT_TRUE(test::MakeSymbolicLink(folder.DataFolder(), elsewhere.Path()));
    ASSERT_TRUE(ApplyPatch(folder, GameVersion::V1_07, DefaultFieldTexts()).Succeeded());
    EXPECT_TRUE(fileio::FileExists(aside + L"twk00000077.tmp"));
    test::UnixDelete(folder.DataFolder());
}

}  // namespace
}  // namespace tarnwick
