// The real Tarnwick.exe run with arguments as a script runs it: its output
// and errors redirected to pipes and read as UTF-8, its exit code, and
// the game file, backup, record and settings cache it leaves behind; what
// needs no process (reading the arguments, the exit code table) in this
// one.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/version_text.h"
#include "cli/command_line.h"
#include "cli/console_events.h"
#include "cli/crash_guard.h"
#include "cli/exit_code.h"
#include "cli/values_file.h"
#include "core/disk/file_io.h"
#include "core/disk/sha256.h"
#include "core/operations/folder_lock.h"
#include "core/text/codepage.h"
#include "tests/core/expected_bytes.h"
#include "tests/core/faulty_patch_io.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"
#include "words/messages.h"
#include "words/operation_text.h"

namespace tarnwick::test {
namespace {

std::string Utf8Bytes(std::wstring_view text) { return WideToCodePage(text, CP_UTF8); }

// What the tool should write: the lines in UTF-8, each ended by CR LF.
std::string Utf8(std::wstring_view text) {
    std::wstring lines;
    for (wchar_t c : text) lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return Utf8Bytes(lines + L"\r\n");
}

const FieldTexts kValuesA = {L"99", L"250", L"120", L"180", L"240", L"2", L"4", L"6",
                             L"8",  L"12",  L"16",  L"22",  L"28",  L"31", L"8"};
const std::wstring kNoSlotValues = L"- - - - - - - - - - - - - - -\n（- 表示游戏文件中这个数值的位置存放的不是数字）";

// What a folder should hold after a command.
struct State {
    std::optional<FieldTexts> patched;  // the game file patched with these; nullopt: as it was made
    bool backup = false;                // the original as Data\bak\meteor.bak, with its record
    std::optional<FieldTexts> cache;    // Data\Slowlysave.cfg with these
};

// A game folder in a temporary folder and the tool run in it.
class GameFolderRun {
public:
    explicit GameFolderRun(GameVersion version = GameVersion::V1_07) : version_(version) {
        if (version == GameVersion::Unknown) {
            pristine_ = MakeGameBytes(SyntheticProbeUnits(GameVersion::Unknown), 5);
        } else {
            pristine_ = MakeSyntheticGame(version, 5);
        }
        WriteFileBytes(Path(L"meteor.exe"), pristine_);
    }

    const std::wstring& Folder() const { return temp_.Path(); }
    std::wstring Path(const std::wstring& relative) const { return temp_ / relative; }
    CommandResult Run(const std::wstring& arguments) const { return RunCommand(Folder(), arguments); }
    const Bytes& Pristine() const { return pristine_; }

    void WriteCache(const std::string& bytes) const {
        CreateDirectoryW(Path(L"Data").c_str(), nullptr);
        WriteFileBytes(Path(L"Data\\Slowlysave.cfg"), Bytes(bytes.begin(), bytes.end()));
    }

    // "status" as it reads for this folder.
    std::wstring StatusText(bool patched, const std::wstring& slots, const std::wstring& backup,
                            const std::wstring& cache) const {
        return L"游戏目录：" + Folder() + L"\n游戏版本：" + std::wstring(VersionName(version_)) + L"\n游戏文件：" +
               (patched ? L"已修改" : L"未修改") + L"\n游戏文件中的数值：" + slots +
               L"\n备份文件 Data\\bak\\meteor.bak：" + backup + L"\n设置缓存 Data\\Slowlysave.cfg：" + cache;
    }

    void ExpectState(const State& state) const {
        const Bytes game = state.patched ? PatchedGame(pristine_, version_, *state.patched) : pristine_;
        EXPECT_TRUE(ReadFileBytes(Path(L"meteor.exe")) == game) << "the game file";
        EXPECT_EQ(fileio::FileExists(Path(L"Data\\bak\\meteor.bak")), state.backup);
        EXPECT_EQ(fileio::FileExists(Path(L"Data\\bak\\meteor.sum")), state.backup);
        if (state.backup && fileio::FileExists(Path(L"Data\\bak\\meteor.bak"))) {
            EXPECT_TRUE(ReadFileBytes(Path(L"Data\\bak\\meteor.bak")) == pristine_) << "the backup";
            EXPECT_EQ(ReadFileText(Path(L"Data\\bak\\meteor.sum")), ExpectedBackupRecord(pristine_));
        }
        EXPECT_EQ(fileio::FileExists(Path(L"Data\\Slowlysave.cfg")), state.cache.has_value());
        if (state.cache && fileio::FileExists(Path(L"Data\\Slowlysave.cfg"))) {
            EXPECT_EQ(ReadFileText(Path(L"Data\\Slowlysave.cfg")), ExpectedCache(*state.cache));
        }
        EXPECT_FALSE(fileio::FileExists(Path(L"Tarnwick.lock")));
        EXPECT_EQ(LeftoverTemporaryFiles(Folder()), 0);
    }

private:
    TempFolder temp_;
    GameVersion version_;
    Bytes pristine_;
};

// One folder through the commands a café's script gives, in turn.
TEST(CommandLine, CommandsInTurnOnOneFolder) {
    GameFolderRun folder;
    TempFolder elsewhere;
    // A settings file from another machine, with only the hit-point lines:
    // the other fields keep their defaults, as in the window.
    const std::wstring roomFile = elsewhere / L"长局.cfg";
    const std::string blood = kLabelBytes[0];
    const std::string room =
        kCacheHeaderBytes + "\r\n" + blood + "77\r\n" + blood + "111\r\n" + blood + "222\r\n" + blood + "333\r\n" +
        blood + "444\r\n";
    WriteFileBytes(roomFile, Bytes(room.begin(), room.end()));
    const FieldTexts fromRoom = {L"77", L"111", L"222", L"333", L"444", L"1",  L"3", L"5",
                                 L"7",  L"10",  L"15",  L"21",  L"27",  L"30", L"16"};
    const std::wstring a = ValueArguments(kValuesA);
    // The fifteen values as a list, saved by Notepad as "Unicode".
    const std::wstring listFile = elsewhere / L"list.txt";
    std::wstring list = L"\xFEFF" + a + L"\r\n";
    WriteFileBytes(listFile, Bytes(reinterpret_cast<const std::uint8_t*>(list.data()),
                                   reinterpret_cast<const std::uint8_t*>(list.data() + list.size())));

    struct Step {
        std::wstring arguments;
        cli::ExitCode code;
        std::wstring output;  // standard output
        std::wstring errors;  // standard error
        State after;
    };
    const Step steps[] = {
        {L"status", cli::ExitCode::Success, folder.StatusText(false, kNoSlotValues, L"没有", L"没有"), L"", {}},
        {L"apply", cli::ExitCode::NothingToDo, L"",
         L"游戏目录中没有 Data\\Slowlysave.cfg，没有记下的数值可以写入。请在 apply 后面写出 15 个数值，"
         L"或用 --from 指定数值文件。\n游戏文件没有改动。",
         {}},
        {L"apply " + a, cli::ExitCode::Success, L"恭喜您修改成功", L"", {kValuesA, true, kValuesA}},
        {L"status", cli::ExitCode::Success,
         folder.StatusText(true, a, L"原版游戏文件（1.07 版），可以还原", a), L"", {kValuesA, true, kValuesA}},
        {L"restore", cli::ExitCode::Success, L"恭喜您还原成功", L"", {std::nullopt, false, kValuesA}},
        {L"status", cli::ExitCode::Success, folder.StatusText(false, kNoSlotValues, L"没有", a), L"",
         {std::nullopt, false, kValuesA}},
        {L"restore", cli::ExitCode::NothingToDo, L"", L"还原文件丢失 还原失败", {std::nullopt, false, kValuesA}},
        // The folder's own settings cache.
        {L"apply", cli::ExitCode::Success, L"恭喜您修改成功", L"", {kValuesA, true, kValuesA}},
        {L"apply --from \"" + roomFile + L"\"", cli::ExitCode::Success, L"恭喜您修改成功", L"",
         {fromRoom, true, fromRoom}},
        {L"apply --from \"" + listFile + L"\"", cli::ExitCode::Success, L"恭喜您修改成功", L"",
         {kValuesA, true, kValuesA}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "Tarnwick.exe " << testing::PrintToString(step.arguments));
        const CommandResult result = folder.Run(step.arguments);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(step.code));
        EXPECT_EQ(result.output, step.output.empty() ? "" : Utf8(step.output));
        EXPECT_EQ(result.errors, step.errors.empty() ? "" : Utf8(step.errors));
        folder.ExpectState(step.after);
    }
}

// One row per kind of outcome, each in a folder of its own: the exit
// code, the result on standard output, the rest on standard error.
TEST(CommandLine, EachKindOfOutcomeHasItsExitCode) {
    struct Row {
        const char* name;
        GameVersion version;
        cli::ExitCode code;
        std::wstring output;
        std::wstring errors;
        State after;
    };
    const std::wstring unchanged = L"\n游戏文件没有改动。";
    const Row rows[] = {
        {"values not remembered", GameVersion::V1_07, cli::ExitCode::Success, L"恭喜您修改成功",
         L"但这些数值没能记下来，下次启动时不会自动填入：文件 Data\\Slowlysave.cfg 是只读的。\n"
         L"请在该文件的“属性”中取消“只读”，然后再试。",
         {kValuesA, true, DefaultFieldTexts()}},
        {"version not recognised", GameVersion::Unknown, cli::ExitCode::VersionNotRecognised, L"",
         L"无法识别您当前所使用的版本\n本工具只认识游戏的 1.07、1.08 和 9.07 版，meteor.exe 不是其中之一。游戏文件没有改动。\n"
         L"请确认这里是游戏的安装目录（meteor.exe 所在的文件夹）；如果 meteor.exe 被其他工具改过或不完整，"
         L"请用游戏安装程序中的原版 meteor.exe 替换它（或重新安装游戏），然后再试。",
         {}},
        {"game running", GameVersion::V1_07, cli::ExitCode::InUse, L"", L"", {}},
        {"busy", GameVersion::V1_07, cli::ExitCode::InUse, L"",
         L"修改失败：本工具的另一个副本（窗口或命令行）正在修改或还原这个游戏目录中的文件。\n请等它完成，然后再试。" + unchanged, {}},
        {"failed, unchanged", GameVersion::V1_07, cli::ExitCode::FailedUnchanged, L"",
         L"修改失败：文件 meteor.exe 是只读的。\n请在该文件的“属性”中取消“只读”，然后再试。" + unchanged, {}},
        // A full disk under the output: patched all the same, and no window
        // waits for a click.
        {"output not written", GameVersion::V1_07, cli::ExitCode::Success, L"", L"", {kValuesA, true, kValuesA}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GameFolderRun folder(row.version);
        const std::string name = row.name;
        std::optional<FolderLock> otherCopy;
        HANDLE game = INVALID_HANDLE_VALUE;
        if (name == "values not remembered") {
            folder.WriteCache(ExpectedCache(DefaultFieldTexts()));
            SetFileAttributesW(folder.Path(L"Data\\Slowlysave.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
        }
        if (name == "busy") otherCopy.emplace(GameFolder{folder.Folder()});
        if (name == "failed, unchanged") SetFileAttributesW(folder.Path(L"meteor.exe").c_str(), FILE_ATTRIBUTE_READONLY);
        if (name == "game running") {
            game = CreateFileW(folder.Path(L"meteor.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        }
        HANDLE full = INVALID_HANDLE_VALUE;
        if (name == "output not written") {
            SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
            full = CreateFileW(L"Z:\\dev\\full", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                               OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(full, INVALID_HANDLE_VALUE);
        }
        CommandRun run(ToolExePath(), folder.Folder(), L"apply " + ValueArguments(kValuesA),
                       full == INVALID_HANDLE_VALUE ? nullptr : full);
        EXPECT_TRUE(run.Finish()) << "still running";
        otherCopy.reset();
        if (game != INVALID_HANDLE_VALUE) CloseHandle(game);
        if (full != INVALID_HANDLE_VALUE) CloseHandle(full);
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(row.code));
        EXPECT_EQ(run.output, row.output.empty() ? "" : Utf8(row.output));
        if (name == "game running") {
            EXPECT_NE(run.errors.find(Utf8Bytes(L"修改失败：")), std::string::npos) << run.errors;
        } else {
            EXPECT_EQ(run.errors, row.errors.empty() ? "" : Utf8(row.errors));
        }
        folder.ExpectState(row.after);
    }

    // Not a game folder, and a folder that cannot be found or reached: every
    // command says which, with an exit code of its own, and writes nothing.
    TempFolder empty;
    const std::wstring missing = empty / L"流星蝴蝶剑";
    const std::wstring file = empty / L"长局.txt";
    WriteFileBytes(file, {'5', '0'});
    const struct {
        std::wstring folder;
        cli::ExitCode code;
        std::wstring errors;
    } places[] = {
        {empty.Path(), cli::ExitCode::NotAGameFolder,
         L"程序必须在流星蝴蝶剑的安装目录下才能运行\n" + empty.Path() +
             L" 中没有游戏文件 meteor.exe。\n请在游戏目录中运行本工具，或用 --game-dir 指定游戏目录。"},
        {file, cli::ExitCode::NotAGameFolder,
         L"程序必须在流星蝴蝶剑的安装目录下才能运行\n" + file +
             L" 是一个文件，不是文件夹。\n--game-dir 后面请写游戏目录，也就是 meteor.exe 所在的文件夹。"},
        {missing, cli::ExitCode::GameFolderUnreachable,
         L"找不到或无法访问游戏目录 " + missing +
             L"（错误代码 2）。\n请检查 --game-dir 后面的路径；网络路径请确认网络已经连通、服务器已经开机，然后再试。\n"
             L"游戏文件没有改动。"},
    };
    for (const auto& place : places) {
        for (const wchar_t* command : {L"status", L"apply", L"restore"}) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(command) + L" " + place.folder));
            const CommandResult result =
                RunCommand(empty.Path(), std::wstring(command) + L" --game-dir \"" + place.folder + L"\"");
            EXPECT_EQ(result.exitCode, static_cast<DWORD>(place.code));
            EXPECT_EQ(result.output, "");
            EXPECT_EQ(result.errors, Utf8(place.errors));
            EXPECT_FALSE(PathExists(empty / L"Data")) << "a folder made";
            EXPECT_FALSE(PathExists(missing)) << "a folder made";
            EXPECT_FALSE(PathExists(empty / L"Tarnwick.lock"));
        }
    }
}

// What a script reads from the exit code, one row per meaning: the number
// it tests, what it may then take for granted of the game file, and the
// results the tool ends with that way. A result whose code promises more
// than the result says (a game file left changed reported as unchanged)
// fails, and so does an outcome that no row names.
TEST(CommandLine, EachExitCodeMeansWhatAScriptTakesItFor) {
    enum class GameFile { AsAsked, AsItWas, Changed };
    struct Situation {
        Action action;
        Outcome outcome;
        Aftermath aftermath;
    };
    struct Meaning {
        const char* meaning;
        DWORD code;
        GameFile gameFile;
        std::vector<Situation> situations;
    };
    const Action apply = Action::Apply;
    const Action restore = Action::Restore;
    const Aftermath unchanged = Aftermath::GameUnchanged;
    const Meaning meanings[] = {
        {"done", 0, GameFile::AsAsked, {{apply, Outcome::Ok, Aftermath::NotTold}, {restore, Outcome::Ok, Aftermath::NotTold}}},
        {"nothing to do", 1, GameFile::AsItWas, {{restore, Outcome::BackupMissing, unchanged}}},
        {"the request is wrong", 2, GameFile::AsItWas, {{apply, Outcome::InvalidValue, unchanged}}},
        {"not a game folder", 3, GameFile::AsItWas, {{apply, Outcome::GameFileMissing, unchanged}}},
        {"no version the tool knows", 4, GameFile::AsItWas,
         {{apply, Outcome::VersionUnknown, unchanged}, {apply, Outcome::GameFileChanged, unchanged}}},
        {"busy: try again later", 5, GameFile::AsItWas,
         {{apply, Outcome::GameFileInUse, unchanged},
          {apply, Outcome::FileInUse, unchanged},
          {apply, Outcome::FileBeingChecked, unchanged},
          {apply, Outcome::WrittenFileRemoved, unchanged},
          {restore, Outcome::ToolBusy, Aftermath::BothKept}}},
        {"failed, the game file as it was", 6, GameFile::AsItWas,
         {{apply, Outcome::GameFileDamaged, unchanged},
          {apply, Outcome::CreationBlocked, unchanged},
          {apply, Outcome::ReadOnly, unchanged},
          {apply, Outcome::ReadOnlyDisk, unchanged},
          {apply, Outcome::AccessDenied, unchanged},
          {apply, Outcome::DiskFull, unchanged},
          {apply, Outcome::NotAFolder, unchanged},
          {apply, Outcome::NotAFile, unchanged},
          {apply, Outcome::GameFileHardLinked, unchanged},
          {apply, Outcome::GameFileLinked, unchanged},
          {apply, Outcome::GameFileReplaced, Aftermath::NotTold},
          {apply, Outcome::NotOwnFile, unchanged},
          {apply, Outcome::LockFailed, unchanged},
          {apply, Outcome::BackupAsideTaken, unchanged},
          {apply, Outcome::Failed, unchanged},
          {restore, Outcome::BackupDamaged, Aftermath::BothKept},
          {restore, Outcome::BackupNotOriginal, Aftermath::BothKept},
          {restore, Outcome::BackupIsGameFile, Aftermath::BothKept},
          {restore, Outcome::BackupOtherVersion, Aftermath::BothKept},
          {restore, Outcome::BackupOtherGame, Aftermath::BothKept},
          {restore, Outcome::BackupUnverifiable, Aftermath::BothKept},
          {restore, Outcome::DiskFull, Aftermath::BackupKept}}},
        {"failed, the game file changed: run restore", 7, GameFile::Changed,
         {{apply, Outcome::DiskFull, Aftermath::GameMayBeDamaged},
          {apply, Outcome::Failed, Aftermath::GameMayBeDamagedNoOriginal},
          {restore, Outcome::Failed, Aftermath::RestoreIncomplete},
          {restore, Outcome::GameFileReplaced, Aftermath::OnlyBackupKept}}},
    };
    std::vector<bool> named(static_cast<std::size_t>(Outcome::Failed) + 1);
    for (const Meaning& meaning : meanings) {
        SCOPED_TRACE(meaning.meaning);
        for (const Situation& situation : meaning.situations) {
            SCOPED_TRACE(static_cast<int>(situation.outcome));
            named[static_cast<std::size_t>(situation.outcome)] = true;
            OperationResult result;
            result.action = situation.action;
            result.outcome = situation.outcome;
            result.aftermath = situation.aftermath;
            EXPECT_EQ(static_cast<DWORD>(cli::ExitCodeFor(result)), meaning.code);
            if (result.Succeeded()) {
                // Warnings leave a success's code alone.
                result.valuesNotRemembered = result.noOriginalBackup = result.backupLeftBehind = true;
                EXPECT_EQ(static_cast<DWORD>(cli::ExitCodeFor(result)), meaning.code);
            }
            // What the result says of the game file is what the code promises.
            const bool asItWas = situation.aftermath == Aftermath::NotTold || situation.aftermath == unchanged ||
                                 situation.aftermath == Aftermath::BothKept ||
                                 situation.aftermath == Aftermath::BackupKept;
            switch (meaning.gameFile) {
                case GameFile::AsAsked: EXPECT_TRUE(result.Succeeded()); break;
                case GameFile::AsItWas: EXPECT_TRUE(!result.Succeeded() && asItWas); break;
                case GameFile::Changed: EXPECT_TRUE(!result.Succeeded() && !asItWas); break;
            }
        }
    }
    for (std::size_t outcome = 0; outcome < named.size(); ++outcome) {
        EXPECT_TRUE(named[outcome]) << "outcome " << outcome << " has no meaning for a script";
    }
}

// The console twin: Ctrl+C and Ctrl+Break leave it waiting for the real
// code, the session's end ends it as usual; it passes the codes of the
// table on as they are, and anything else (a crash) as 255.
TEST(CommandLine, TheConsoleTwinPassesOnWhatTheToolEndedWith) {
    for (const auto& [event, waits] : {std::pair{DWORD{CTRL_C_EVENT}, true}, {DWORD{CTRL_BREAK_EVENT}, true},
                                      {DWORD{CTRL_CLOSE_EVENT}, false}, {DWORD{CTRL_LOGOFF_EVENT}, false},
                                      {DWORD{CTRL_SHUTDOWN_EVENT}, false}}) {
        EXPECT_EQ(cli::KeepTwinWaiting(event), waits ? TRUE : FALSE) << "console event " << event;
    }
    for (DWORD code = 0; code <= 8; ++code) EXPECT_EQ(cli::ExitCodePassedOn(code), code);
    for (DWORD crash : {DWORD{9}, DWORD{255}, DWORD{0xC0000005}, DWORD{0xC00000FD}, DWORD{0x40010004}}) {
        EXPECT_EQ(cli::ExitCodePassedOn(crash), 255u) << crash;
    }
}

// The window's advice as a prompt or a script follows it: an elevated
// prompt (which starts in System32 and lacks the mapped drives), and
// "运行 restore" where the window says to click "还原".
TEST(CommandLine, AdviceFitsAPromptOrAScript) {
    const struct {
        std::wstring window;
        std::wstring_view gone;
        std::wstring commandLine;  // a part of it
    } rows[] = {
        {FailureText(Action::Apply, Outcome::AccessDenied, L"Data\\bak\\meteor.bak", 5), kRunAsAdministratorAdvice,
         L"没有权限写入 Data\\bak\\meteor.bak。\n" + std::wstring(kCommandLineAdministratorAdvice)},
        {FailureText(Action::Apply, Outcome::Failed, L"meteor.exe", 5, GameMayBeDamagedText(true)), L"点击“还原”",
         L"游戏文件可能已损坏，请关闭游戏后运行 restore 恢复备份。"},
        {FailureText(Action::Restore, Outcome::DiskFull, L"meteor.exe", 112, kBackupKeptText), L"点击“还原”",
         L"备份文件仍然保留，可以稍后再运行 restore。"},
        {OtherVersionText(L"Data\\bak\\meteor.bak", GameVersion::V1_07, GameVersion::V1_08), L"点击“还原”",
         L"请先把 meteor.exe 移到别处，再运行 restore；"},
    };
    for (const auto& row : rows) {
        const std::wstring prompt = CommandLineText(row.window);
        EXPECT_EQ(prompt.find(row.gone), std::wstring::npos) << testing::PrintToString(prompt);
        EXPECT_NE(prompt.find(row.commandLine), std::wstring::npos) << testing::PrintToString(prompt);
    }
}

// A crash, an abort() and an uncaught exception end with 255 at once,
// without a dialog waiting for a click (each in a child process of its own).
TEST(CommandLine, ACrashEndsWithTheInternalErrorCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto internal = testing::ExitedWithCode(static_cast<int>(cli::ExitCode::InternalError));
    EXPECT_EXIT(
        {
            cli::EndWithInternalErrorOnCrash();
            *static_cast<volatile int*>(nullptr) = 1;
        },
        internal, "");
    EXPECT_EXIT(
        {
            cli::EndWithInternalErrorOnCrash();
            std::abort();
        },
        internal, "");
    EXPECT_EXIT(
        {
            cli::EndWithInternalErrorOnCrash();
            std::terminate();
        },
        internal, "");
}

// Failing part-way with the old bytes not put back is the one outcome a
// script must follow with a restore. No file can be made to fail so from
// outside: the apply runs in this process with its writes failing, and
// with the game file held open so that it cannot be put back whole either.
TEST(CommandLine, AnApplyThatMayHaveDamagedTheGameFileEndsWithSeven) {
    GameFolderRun folder;
    HANDLE holder = CreateFileW(folder.Path(L"meteor.exe").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const OperationResult result = ApplyPatchWithFaults(GameFolder{folder.Folder()}, GameVersion::V1_07, kValuesA,
                                                        ApplyFaults{.failWrite = 20, .failRollback = true});
    CloseHandle(holder);
    EXPECT_TRUE(result.GameMayBeDamaged()) << testing::PrintToString(OperationText(result));
    EXPECT_EQ(cli::ExitCodeFor(result), cli::ExitCode::FailedMayBeDamaged);
}

TEST(CommandLine, StatusOfGameFilesNotAsTheToolLeftThem) {
    const std::wstring a = ValueArguments(kValuesA);
    for (GameVersion version : {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07}) {
        SCOPED_TRACE(testing::Message() << "patched by hand, no backup, " << static_cast<int>(version));
        GameFolderRun folder(version);
        WriteFileBytes(folder.Path(L"meteor.exe"), PatchedGame(folder.Pristine(), version, kValuesA));
        const CommandResult result = folder.Run(L"status");
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.output, Utf8(folder.StatusText(true, a, L"没有", L"没有")));
    }
    {
        SCOPED_TRACE("unknown game file");
        GameFolderRun folder(GameVersion::Unknown);
        const CommandResult result = folder.Run(L"status");
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(cli::ExitCode::VersionNotRecognised));
        EXPECT_EQ(result.output, Utf8(L"游戏目录：" + folder.Folder() +
                                      L"\n游戏版本：无法识别您当前所使用的版本\n"
                                      L"游戏文件：版本未识别，无法判断是否修改过\n"
                                      L"游戏文件中的数值：版本未识别，无法读取\n"
                                      L"备份文件 Data\\bak\\meteor.bak：没有\n设置缓存 Data\\Slowlysave.cfg：没有"));
        EXPECT_EQ(result.errors, Utf8(L"本工具只认识游戏的 1.07、1.08 和 9.07 版，meteor.exe 不是其中之一。游戏文件没有改动。\n"
                                      L"请确认这里是游戏的安装目录（meteor.exe 所在的文件夹）；如果 meteor.exe 被其他工具改过或不完整，"
                                      L"请用游戏安装程序中的原版 meteor.exe 替换它（或重新安装游戏），然后再试。"));
    }
}

// The words of a command line as the exe gets them.
std::vector<std::wstring> Words(const std::wstring& arguments) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW((L"Tarnwick.exe " + arguments).c_str(), &count);
    std::vector<std::wstring> split(words + 1, words + count);
    LocalFree(words);
    return split;
}

// Wrong words, each refused by name with exit code 2 on standard error.
// Read in this process; one is given to the exe, which writes nothing.
TEST(CommandLine, BadArgumentsAreRefusedByNameWithNothingWritten) {
    GameFolderRun folder;
    folder.WriteCache(ExpectedCache(kValuesA));
    const std::wstring wrongCount = L"apply 50 100 150";
    auto withValue = [](int field, const std::wstring& value) {
        FieldTexts values = DefaultFieldTexts();
        values[field] = value;
        std::wstring text = L"apply";
        for (const std::wstring& v : values) text += L" \"" + v + L"\"";
        return text;
    };
    const std::wstring help = L"\n输入 Tarnwick --help 查看用法。";
    struct Row {
        std::wstring arguments;
        std::wstring errors;
    };
    const Row rows[] = {
        {L"bogus", L"未知的命令“bogus”：命令只有 status、apply 和 restore。" + help},
        {L"status --bogus", L"未知的选项“--bogus”。" + help},
        {L"--game-dir .", L"缺少命令：请写 status、apply 或 restore。" + help},
        {L"status now", L"多余的参数“now”：status 后面不带参数。" + help},
        {wrongCount, L"apply 后面要写 15 个数值，现在有 3 个。" + help},
        {withValue(1, L"１００"),
         L"apply 后面的第 2 个数值有误：第2个“血值”的数值“１００”是全角数字，只能填写半角数字（0～9）："
         L"请把输入法切换到半角或英文后再输入。" + help},
        {withValue(1, L"１0a"), L"apply 后面的第 2 个数值有误：第2个“血值”的数值“１0a”无效，只能填写数字。" + help},
        {withValue(9, L"+10"), L"apply 后面的第 10 个数值有误：“时间”的数值“+10”无效，只能填写数字。" + help},
        {withValue(14, L" 16"), L"apply 后面的第 15 个数值有误：“人数”的数值“ 16”无效，只能填写数字。" + help},
        {withValue(0, L""), L"apply 后面的第 1 个数值有误：第1个“血值”没有填写数值。" + help},
        {withValue(4, L"1000"),
         L"apply 后面的第 5 个数值有误：第5个“血值”的数值“1000”太长，最多只能填写3位数字。" + help},
        {L"apply --from", L"选项“--from”后面缺少文件名。" + help},
        {L"apply --from missing.cfg --game-dir \"" + folder.Folder() + L"\"", L"找不到数值文件“missing.cfg”。"},
        {L"apply --from \"" + folder.Folder() + L"\" --game-dir \"" + folder.Folder() + L"\"", L"数值文件“" + folder.Folder() + L"”是一个文件夹，不是文件。"},
        {L"apply --from Z:\\dev\\zero --game-dir \"" + folder.Folder() + L"\"", L"数值文件“Z:\\dev\\zero”不是普通文件（是设备或管道之类），无法从中读取数值。"},
        {L"apply --from CON --game-dir \"" + folder.Folder() + L"\"", L"数值文件“CON”不是普通文件（是设备或管道之类），无法从中读取数值。"},
        {L"apply --from nul.cfg --game-dir \"" + folder.Folder() + L"\"", L"数值文件“nul.cfg”不是普通文件（是设备或管道之类），无法从中读取数值。"},
        {L"apply --from COM1 --game-dir \"" + folder.Folder() + L"\"", L"数值文件“COM1”不是普通文件（是设备或管道之类），无法从中读取数值。"},
        {L"apply " + ValueArguments(kValuesA) + L" --from x.cfg", L"apply 后面的数值和选项“--from”只能用一个。" + help},
        {L"status --from x.cfg", L"选项“--from”只能和 apply 一起用。" + help},
        {L"status --game-dir= ", L"选项“--game-dir”后面的游戏目录是空的。" + help},
        {L"--game-dir . --game-dir . status", L"选项“--game-dir”只能写一次。" + help},
        // cmd.exe hands "D:\x\" status on as one word D:\x" status.
        {L"--game-dir \"" + folder.Folder() + L"\\\" status",
         L"游戏目录“" + folder.Folder() +
             L"\" status”中有引号：路径末尾的反斜杠和后面的引号被当成了一个引号。请去掉路径末尾的反斜杠，"
             L"或在它后面加一个点，例如 \"D:\\Games\\.\"。" + help},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "Tarnwick.exe " << testing::PrintToString(row.arguments));
        const cli::Reply reply = cli::Answer(Words(row.arguments), kTarnwickVersion);
        EXPECT_EQ(reply.code, cli::ExitCode::UsageErrorOrNoScreen);
        EXPECT_EQ(reply.out, L"");
        EXPECT_EQ(reply.err, row.errors);
    }
    const CommandResult result = folder.Run(rows[5].arguments);
    EXPECT_EQ(result.exitCode, static_cast<DWORD>(cli::ExitCode::UsageErrorOrNoScreen));
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.errors, Utf8(rows[5].errors));
    folder.ExpectState({std::nullopt, false, kValuesA});
}

// Values files as people save them: each encoding Notepad offers, the
// settings cache's format or a plain list; a file that does not give
// fifteen values a field takes is refused by name.
TEST(CommandLine, ValuesFilesInEveryEncodingAndBothFormats) {
    const std::wstring a = ValueArguments(kValuesA);
    std::wstring cache = L"[配置缓存]";
    for (int i = 0; i < kFieldCount; ++i) cache += std::wstring(L"\r\n") + kFields[i].caption + kValuesA[i];
    auto utf16 = [](std::wstring_view text) {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    };
    FieldTexts tooLong = kValuesA;
    tooLong[9] = L"12345678901234567";  // once quietly taken as the default
    std::string tooLongCache = kCacheHeaderBytes;
    for (int i = 0; i < kFieldCount; ++i) {
        tooLongCache += "\r\n" + kLabelBytes[i] + std::string(tooLong[i].begin(), tooLong[i].end());
    }
    struct Row {
        const char* name;
        std::string bytes;
        std::wstring refusal;  // empty: kValuesA taken
    };
    const Row rows[] = {
        {"UTF-8 list with a BOM", "\xEF\xBB\xBF" + Utf8Bytes(a), L""},
        {"UTF-8 cache without a BOM", Utf8Bytes(cache), L""},
        {"UTF-16 list on lines", utf16(L"\xFEFF" + kValuesA[0] + L"\r\n" + a.substr(a.find(L' ') + 1) + L"\r\n"), L""},
        {"code page 936 cache", ExpectedCache(kValuesA), L""},
        {"a short list", "50 100 150\r\n",
         L"数值文件 f.cfg 中有 3 个数值，要有 15 个：按窗口中的顺序，用空格或换行隔开（也可以是 "
         L"Data\\Slowlysave.cfg 的格式）。"},
        {"a value too long", tooLongCache,
         L"数值文件 f.cfg 中的数值有误：“时间”的数值“123456789012…”太长，最多只能填写4位数字。"},
        {"an empty cache", kCacheHeaderBytes + "\r\n", L"f.cfg 中没有任何数值。"},
        // As a Chinese input method types them by default.
        {"full-width digits", Utf8Bytes(L"５０" + a.substr(a.find(L' '))),
         L"数值文件 f.cfg 中的数值有误：第1个“血值”的数值“５０”是全角数字，只能填写半角数字（0～9）："
         L"请把输入法切换到半角或英文后再输入。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FieldTexts values;
        EXPECT_EQ(cli::ReadValuesOrRefusal(cli::DecodeValuesFile(row.bytes), L"f.cfg", values), row.refusal);
        if (row.refusal.empty()) {
            EXPECT_EQ(values, kValuesA);
        }
    }
}

// The game folder by every spelling a script may use, the options before
// or after the command, and any case; the help by every spelling people
// type, within 80 columns.
TEST(CommandLine, GameFolderByAnySpellingAndTheInformationOptions) {
    TempFolder parent;
    const std::wstring game = parent / L"流星蝴蝶剑";
    CreateDirectoryW(game.c_str(), nullptr);
    WriteFileBytes(game + L"\\meteor.exe", MakeSyntheticGame(GameVersion::V1_08));
    const std::wstring other = OtherSpelling(game);
    // A folder deeper than a plain path reaches (MAX_PATH).
    std::wstring deep = parent.Path();
    for (wchar_t letter : {L'x', L'y', L'z'}) {
        deep += L"\\" + std::wstring(100, letter);
        CreateDirectoryW(fileio::LongPathForm(deep).c_str(), nullptr);
    }
    WriteFileBytes(fileio::LongPathForm(deep + L"\\meteor.exe"), MakeSyntheticGame(GameVersion::V1_08));
    const std::wstring version = L"游戏版本：1.08";
    const struct {
        std::wstring arguments;
        std::wstring output;  // a part of it
    } rows[] = {
        {L"status --game-dir 流星蝴蝶剑", version},
        {L"STATUS --Game-Dir=流星蝴蝶剑\\", version},
        {L"--game-dir \"" + game + L"\" status", version},
        {L"status --game-dir \"" + game + L"\\.\"", version},
        {L"status --game-dir \"" + (other.empty() ? game : other) + L"\"", version},
        // The system drops trailing spaces and dots from a name.
        {L"status --game-dir \"流星蝴蝶剑 \"", L"游戏目录：" + game + L"\n" + version},
        {L"status --game-dir \"流星蝴蝶剑. . .\"", L"游戏目录：" + game + L"\n" + version},
        {L"apply " + ValueArguments(kValuesA) + L" --game-dir \"" + deep + L"\"", L"恭喜您修改成功"},
        {L"status --game-dir \"" + deep + L"\"", L"游戏文件：已修改\n游戏文件中的数值：" + ValueArguments(kValuesA)},
        // The game file itself, as a file manager copies its path: its folder.
        {L"status --game-dir \"" + game + L"\\meteor.exe\"", L"游戏目录：" + game + L"\n" + version},
        {L"status --game-dir 流星蝴蝶剑\\METEOR.EXE", L"游戏目录：" + game + L"\n" + version},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const CommandResult result = RunCommand(parent.Path(), row.arguments);
        EXPECT_EQ(result.exitCode, 0u) << "an exit code of 259 (STILL_ACTIVE): the tool did not end";
        EXPECT_NE(result.output.find(Utf8(row.output)), std::string::npos) << result.output;
    }
    EXPECT_EQ(cli::Answer({L"--version"}, kTarnwickVersion).out, L"Tarnwick " + std::wstring(kTarnwickVersion));
    const std::string readme = ReadFileText(WinePathFromUnix(TARNWICK_SOURCE_DIR "/README.md"));
    std::vector<std::string> readmeCodes;
    const std::size_t table = readme.find("| 退出代码 |");
    ASSERT_NE(table, std::string::npos);
    for (std::size_t at = readme.find('\n', table); readme.compare(at, 2, "\n|") == 0; at = readme.find('\n', at + 1)) {
        const std::string cell = readme.substr(at + 3, readme.find(' ', at + 3) - at - 3);
        if (!cell.empty() && std::isdigit(static_cast<unsigned char>(cell[0]))) readmeCodes.push_back(cell);
    }
    EXPECT_EQ(readmeCodes.size(), 10u);
    for (const wchar_t* arguments :
         {L"--help", L"-h", L"/?", L"-?", L"/h", L"/HELP", L"-help", L"help", L"status --help", L"bogus -H"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
        const cli::Reply reply = cli::Answer(Words(arguments), kTarnwickVersion);
        EXPECT_EQ(reply.code, cli::ExitCode::Success);
        EXPECT_EQ(reply.out.rfind(L"Tarnwick " + std::wstring(kTarnwickVersion) + L"：流星蝴蝶剑房间设置修改工具。\n", 0),
                  0u);
        EXPECT_NE(reply.out.find(L"\n  7    失败，游戏文件可能已损坏，请运行 restore\n"), std::string::npos);
        EXPECT_NE(reply.out.find(L"\n  2    参数或数值有误，或不带参数时没有人看得到窗口"), std::string::npos);
        EXPECT_NE(reply.out.find(L"\n  255  本工具内部出错，或 Tarnwick.com 旁边没有 Tarnwick.exe"), std::string::npos);
        EXPECT_EQ(reply.out.find(L"if errorlevel 2"), std::string::npos) << "2 or more is not all 'nothing changed'";
        // The codes listed are those of the README's exit-code table.
        std::size_t listed = 0;
        for (std::size_t at = 0; (at = reply.out.find(L"\n  ", at)) != std::wstring::npos; ++at) {
            listed += reply.out[at + 3] >= L'0' && reply.out[at + 3] <= L'9';
        }
        EXPECT_EQ(listed, readmeCodes.size());
        for (const std::string& code : readmeCodes) {
            EXPECT_NE(reply.out.find(L"\n  " + std::wstring(code.begin(), code.end()) + L" "), std::string::npos) << code;
        }
        std::size_t start = 0;
        while (start <= reply.out.size()) {
            const std::size_t end = std::min(reply.out.find(L'\n', start), reply.out.size());
            const std::wstring_view line = std::wstring_view(reply.out).substr(start, end - start);
            std::size_t columns = 0;
            for (wchar_t c : line) columns += c < 0x80 ? 1 : 2;  // anything else as wide as a Chinese character
            EXPECT_LE(columns, 80u) << testing::PrintToString(std::wstring(line));
            start = end + 1;
        }
    }
}

// Started from a shortcut: no console and no redirected output, so the
// result comes in one "系统信息" box drawn by the style engine, and no
// other window of the tool opens.
TEST(CommandLine, WithoutAConsoleTheResultComesInOneMessageBox) {
    GameFolderRun folder;
    ToolProcess tool(ToolExePath(), folder.Folder(), L"restore");
    ASSERT_TRUE(tool.Started());
    const std::optional<MessageBoxSeen> box = WaitForMessageBox(tool.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"还原文件丢失 还原失败");
    EXPECT_NE(GetPropA(GetDlgItem(box->window, IDOK), "PROCADDR"), nullptr) << "the engine draws the button";
    for (HWND window : TopLevelWindows(tool.Id())) {
        EXPECT_TRUE(window == box->window || window == box->owner || !IsWindowVisible(window))
            << ClassName(window) << " " << testing::PrintToString(WindowText(window));
    }
    // Its owner goes with it, so the box is answered without waiting on the owner.
    Click(GetDlgItem(box->window, IDOK));
    ASSERT_TRUE(tool.WaitForExit());
    EXPECT_EQ(tool.ExitCode(), static_cast<DWORD>(cli::ExitCode::NothingToDo));
    folder.ExpectState({});
}

std::wstring SystemCmd() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\cmd.exe";
}

void CopyTool(const std::wstring& folder, const wchar_t* name, const std::string& unixPath) {
    ASSERT_TRUE(CopyFileW(WinePathFromUnix(unixPath).c_str(), (folder + L"\\" + name).c_str(), FALSE));
}

// "Tarnwick" typed at cmd.exe's prompt runs Tarnwick.com, which waits for
// the window program beside it, writes where it writes and passes its exit
// code on; without the window program it says so and ends with 255.
TEST(CommandLine, TheConsoleTwinWaitsAndPassesTheExitCodeOn) {
    TempFolder tools;
    TempFolder notAGame;
    CopyTool(tools.Path(), L"Tarnwick.com", TARNWICK_COM_PATH);
    const std::wstring typed = L"/c " + (tools / L"Tarnwick") + L" status";
    {
        SCOPED_TRACE("Tarnwick.com alone");
        CommandRun run(SystemCmd(), notAGame.Path(), typed);
        ASSERT_TRUE(run.Finish());
        EXPECT_EQ(run.exitCode, static_cast<DWORD>(cli::ExitCode::InternalError));
        EXPECT_NE(run.errors.find(Utf8Bytes(L"Tarnwick.com 要和 Tarnwick.exe 放在同一个文件夹里。")), std::string::npos)
            << run.errors;
    }
    CopyTool(tools.Path(), L"Tarnwick.exe", TARNWICK_EXE_PATH);
    CommandRun run(SystemCmd(), notAGame.Path(), typed);
    ASSERT_TRUE(run.Finish());
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(cli::ExitCode::NotAGameFolder));
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, Utf8(L"程序必须在流星蝴蝶剑的安装目录下才能运行\n" + notAGame.Path() +
                               L" 中没有游戏文件 meteor.exe。\n请在游戏目录中运行本工具，或用 --game-dir 指定游戏目录。"));
}

// The processes of the session with this file name, by id.
std::vector<DWORD> ProcessesNamed(const wchar_t* name) {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, name) == 0) ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// Tarnwick.com double-clicked, as "wine start" (and Explorer) starts a
// console program, in a console of its own: the window program comes, and
// the console goes at once instead of staying empty behind it.
TEST(CommandLine, TheConsoleTwinDoubleClickedLeavesNoConsoleBehind) {
    TempFolder tools;
    CopyTool(tools.Path(), L"Tarnwick.com", TARNWICK_COM_PATH);
    CopyTool(tools.Path(), L"Tarnwick.exe", TARNWICK_EXE_PATH);
    const std::size_t consoles = ProcessesNamed(L"conhost.exe").size();
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    CommandRun start(std::wstring(system) + L"\\start.exe", tools.Path(),
                     L"/d \"" + tools.Path() + L"\" \"" + (tools / L"Tarnwick.com") + L"\"");
    ASSERT_TRUE(start.Finish());
    DWORD tool = 0;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<DWORD> ids = ProcessesNamed(L"Tarnwick.exe");
        tool = ids.empty() ? 0 : ids.front();
        return tool != 0;
    })) << "the window program did not start";
    // Outside the game folder the window program shows its message dialog.
    EXPECT_TRUE(WaitForWindow(tool, [](HWND w) { return IsWindowVisible(w) != FALSE; }));
    EXPECT_TRUE(WaitUntil([&] { return ProcessesNamed(L"conhost.exe").size() <= consoles; }))
        << "a console stays while the tool runs";
    EXPECT_TRUE(ProcessesNamed(L"Tarnwick.com").empty());
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, tool)) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, kWaitMs);
        CloseHandle(process);
    }
}

// The café's batch file, as the README gives it, saved in code page 936
// beside the tool and started from another folder, as a boot script or a
// scheduled task starts it, on a game folder with a Chinese name: with the
// tool the game is patched and the log has a line with the date, time and
// folder for the apply; with a stand-in whose apply ends with 7 the log
// shows 7 and then the restore's code, and the batch ends with 7; without
// the tool it says so, leaves the game alone and ends with 255.
TEST(CommandLine, TheReadmesCafeBatchWorksFromAnotherFolder) {
    const std::string readme = ReadFileText(WinePathFromUnix(TARNWICK_SOURCE_DIR "/README.md"));
    const std::size_t section = readme.find("**网吧的批处理文件");
    ASSERT_NE(section, std::string::npos);
    const std::size_t start = readme.find("```bat\n", section) + 7;
    const std::wstring sample = CodePageToWide(readme.substr(start, readme.find("```", start) - start), CP_UTF8);
    enum class Tool { Real, EndsWithSeven, Missing };
    for (const Tool kind : {Tool::Real, Tool::EndsWithSeven, Tool::Missing}) {
        SCOPED_TRACE(static_cast<int>(kind));
        TempFolder parent;
        const std::wstring gameFolder = parent / L"流星蝴蝶剑";
        CreateDirectoryW(gameFolder.c_str(), nullptr);
        WriteFileBytes(gameFolder + L"\\meteor.exe", MakeSyntheticGame(GameVersion::V1_07, 5));
        TempFolder tools;
        TempFolder elsewhere;
        std::wstring batch;
        for (std::size_t at = 0, end = 0; at < sample.size(); at = end + 1) {
            end = sample.find(L'\n', at);
            const std::wstring line = sample.substr(at, end - at);
            batch += (line.starts_with(L"set GAME=") ? L"set GAME=" + gameFolder : line) + L"\r\n";
        }
        const std::string bytes = WideToCodePage(batch, 936);
        WriteFileBytes(tools / L"cafe.bat", Bytes(bytes.begin(), bytes.end()));
        const std::string values = Utf8Bytes(ValueArguments(kValuesA));
        WriteFileBytes(tools / L"match.cfg", Bytes(values.begin(), values.end()));
        // The output of an earlier start, which the batch adds to.
        wchar_t machine[MAX_COMPUTERNAME_LENGTH + 1] = {};
        GetEnvironmentVariableW(L"COMPUTERNAME", machine, MAX_COMPUTERNAME_LENGTH + 1);
        const std::wstring outputFile = tools / (L"tarnwick-" + std::wstring(machine) + L"-output.txt");
        WriteFileBytes(outputFile, Bytes{'e', 'a', 'r', 'l', 'i', 'e', 'r', '\r', '\n'});
        if (kind == Tool::Real) CopyTool(tools.Path(), L"Tarnwick.exe", TARNWICK_EXE_PATH);
        if (kind == Tool::EndsWithSeven) CopyTool(tools.Path(), L"Tarnwick.exe", TARNWICK_STAND_IN_PATH);
        SetEnvironmentVariableW(L"STAND_IN_APPLY", L"7");
        SetEnvironmentVariableW(L"STAND_IN_RESTORE", L"6");
        CommandRun run(SystemCmd(), elsewhere.Path(), L"/c \"" + (tools / L"cafe.bat") + L"\"");
        SetEnvironmentVariableW(L"STAND_IN_APPLY", nullptr);
        SetEnvironmentVariableW(L"STAND_IN_RESTORE", nullptr);
        ASSERT_TRUE(run.Finish(60000));

        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((tools / L"tarnwick-*.log").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no log";
        FindClose(search);
        // The batch's own lines, in code page 936: one a step, each with the
        // folder after the date and time.
        std::vector<std::wstring> steps;
        const std::wstring log = CodePageToWide(ReadFileText(tools / found.cFileName), 936);
        for (std::size_t at = 0, end = 0; at < log.size(); at = end + 2) {
            end = std::min(log.find(L"\r\n", at), log.size());
            const std::wstring line = log.substr(at, end - at);
            const std::size_t folder = line.find(L" " + gameFolder + L" ");
            EXPECT_TRUE(folder != std::wstring::npos && folder >= 8) << "no date, time and folder: " << Utf8Bytes(line);
            if (folder != std::wstring::npos) steps.push_back(line.substr(folder + gameFolder.size() + 2));
        }
        // What the tool wrote, run by run, after the earlier start's text:
        // each run after a line of plain ASCII with a date, a time and the
        // command, so that UTF-8 stays UTF-8.
        const std::string output = ReadFileText(outputFile);
        std::vector<std::string> runs;
        std::string texts;
        for (std::size_t at = 0, end = 0; at < output.size(); at = end + 2) {
            end = std::min(output.find("\r\n", at), output.size());
            const std::string line = output.substr(at, end - at);
            if (!line.starts_with("---- ")) {
                texts += line + "\n";
                continue;
            }
            EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c > 0 && c < 0x7F; })) << line;
            EXPECT_NE(line.find_first_of("0123456789"), std::string::npos) << "no date or time: " << line;
            runs.push_back(line.substr(line.rfind(' ') + 1));
            texts += "----\n";
        }
        switch (kind) {
            case Tool::Real:
                EXPECT_EQ(run.exitCode, 0u);
                EXPECT_EQ(steps, std::vector<std::wstring>{L"apply: exit code 0"});
                EXPECT_EQ(runs, std::vector<std::string>{"apply"});
                EXPECT_EQ(texts.rfind(Utf8Bytes(L"earlier\n----\n恭喜您修改成功\n游戏目录：" + gameFolder + L"\n游戏版本：1.07"), 0), 0u)
                    << output;
                EXPECT_EQ(ReadFileBytes(gameFolder + L"\\meteor.exe"),
                          PatchedGame(MakeSyntheticGame(GameVersion::V1_07, 5), GameVersion::V1_07, kValuesA));
                break;
            case Tool::EndsWithSeven:
                EXPECT_EQ(run.exitCode, 7u) << "the apply's code";
                EXPECT_EQ(steps, (std::vector<std::wstring>{L"apply: exit code 7", L"restore: exit code 6"}));
                EXPECT_EQ(runs, (std::vector<std::string>{"apply", "restore"}));
                EXPECT_EQ(texts, "earlier\n----\nstand-in apply\n----\nstand-in restore\n");
                break;
            case Tool::Missing:
                EXPECT_EQ(run.exitCode, 255u);
                EXPECT_EQ(steps, std::vector<std::wstring>{L"Tarnwick.exe not found"});
                EXPECT_EQ(output, "earlier\r\n");
                EXPECT_EQ(ReadFileBytes(gameFolder + L"\\meteor.exe"), MakeSyntheticGame(GameVersion::V1_07, 5));
                break;
        }
    }
}

}  // namespace
}  // namespace tarnwick::test
