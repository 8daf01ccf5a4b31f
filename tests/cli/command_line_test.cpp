// The real Tarnwick.exe run with arguments as a script runs it: its output
// redirected to a pipe and read as UTF-8, its exit code, and
// the game file, backup, record and settings cache it leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/version_text.h"
#include "cli/exit_code.h"
#include "core/codepage.h"
#include "core/file_io.h"
#include "core/folder_lock.h"
#include "core/sha256.h"
#include "tests/core/expected_bytes.h"
#include "tests/core/faulty_patch_io.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tool_driver.h"

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
        EXPECT_EQ(FileExists(Path(L"Data\\bak\\meteor.bak")), state.backup);
        EXPECT_EQ(FileExists(Path(L"Data\\bak\\meteor.sum")), state.backup);
        if (state.backup && FileExists(Path(L"Data\\bak\\meteor.bak"))) {
            EXPECT_TRUE(ReadFileBytes(Path(L"Data\\bak\\meteor.bak")) == pristine_) << "the backup";
            EXPECT_EQ(ReadFileText(Path(L"Data\\bak\\meteor.sum")), ExpectedBackupRecord(pristine_));
        }
        EXPECT_EQ(FileExists(Path(L"Data\\Slowlysave.cfg")), state.cache.has_value());
        if (state.cache && FileExists(Path(L"Data\\Slowlysave.cfg"))) {
            EXPECT_EQ(ReadFileText(Path(L"Data\\Slowlysave.cfg")), ExpectedCache(*state.cache));
        }
        EXPECT_FALSE(FileExists(Path(L"Tarnwick.lock")));
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

    struct Step {
        std::wstring arguments;
        cli::ExitCode code;
        std::wstring output;
        State after;
    };
    const Step steps[] = {
        {L"status", cli::ExitCode::Success, folder.StatusText(false, kNoSlotValues, L"没有", L"没有"), {}},
        {L"apply", cli::ExitCode::FailedUnchanged,
         L"游戏目录中没有 Data\\Slowlysave.cfg，没有记下的数值可以写入。请在 apply 后面写出 15 个数值，"
         L"或用 --from 指定数值文件。\n游戏文件没有改动。",
         {}},
        {L"apply " + a, cli::ExitCode::Success, L"恭喜您修改成功", {kValuesA, true, kValuesA}},
        {L"status", cli::ExitCode::Success,
         folder.StatusText(true, a, L"原版游戏文件（1.07 版），可以还原", a), {kValuesA, true, kValuesA}},
        {L"restore", cli::ExitCode::Success, L"恭喜您还原成功", {std::nullopt, false, kValuesA}},
        {L"status", cli::ExitCode::Success, folder.StatusText(false, kNoSlotValues, L"没有", a),
         {std::nullopt, false, kValuesA}},
        {L"restore", cli::ExitCode::FailedUnchanged, L"还原文件丢失 还原失败", {std::nullopt, false, kValuesA}},
        // The folder's own settings cache.
        {L"apply", cli::ExitCode::Success, L"恭喜您修改成功", {kValuesA, true, kValuesA}},
        {L"apply --from \"" + roomFile + L"\"", cli::ExitCode::Success, L"恭喜您修改成功",
         {fromRoom, true, fromRoom}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "Tarnwick.exe " << testing::PrintToString(step.arguments));
        const CommandResult result = folder.Run(step.arguments);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(step.code));
        EXPECT_EQ(result.output, Utf8(step.output));
        folder.ExpectState(step.after);
    }
}

// One row per kind of outcome, each in a folder of its own.
TEST(CommandLine, EachKindOfOutcomeHasItsExitCode) {
    struct Row {
        const char* name;
        GameVersion version;
        cli::ExitCode code;
        std::wstring output;
        State after;
    };
    const Row rows[] = {
        {"values not remembered", GameVersion::V1_07, cli::ExitCode::ValuesNotRemembered,
         L"恭喜您修改成功\n但这些数值没能记下来，下次启动时不会自动填入：文件 Data\\Slowlysave.cfg 是只读的。\n"
         L"请在该文件的“属性”中取消“只读”，然后再试。",
         {kValuesA, true, DefaultFieldTexts()}},
        {"version not recognised", GameVersion::Unknown, cli::ExitCode::VersionNotRecognised,
         L"无法识别您当前所使用的版本", {}},
        {"busy", GameVersion::V1_07, cli::ExitCode::Busy,
         L"修改失败：本工具正在另一个窗口中修改或还原游戏文件。\n请等它完成，然后再试。\n游戏文件没有改动。", {}},
        {"failed, unchanged", GameVersion::V1_07, cli::ExitCode::FailedUnchanged,
         L"修改失败：文件 meteor.exe 是只读的。\n请在该文件的“属性”中取消“只读”，然后再试。\n游戏文件没有改动。", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        GameFolderRun folder(row.version);
        std::optional<FolderLock> otherCopy;
        if (row.code == cli::ExitCode::ValuesNotRemembered) {
            folder.WriteCache(ExpectedCache(DefaultFieldTexts()));
            SetFileAttributesW(folder.Path(L"Data\\Slowlysave.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
        }
        if (row.code == cli::ExitCode::Busy) otherCopy.emplace(GameFolder{folder.Folder()});
        if (row.code == cli::ExitCode::FailedUnchanged) {
            SetFileAttributesW(folder.Path(L"meteor.exe").c_str(), FILE_ATTRIBUTE_READONLY);
        }
        const CommandResult result = folder.Run(L"apply " + ValueArguments(kValuesA));
        otherCopy.reset();
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(row.code));
        EXPECT_EQ(result.output, Utf8(row.output));
        folder.ExpectState(row.after);
    }

    // Not a game folder: every command says so and leaves the folder empty.
    TempFolder empty;
    for (const wchar_t* command : {L"status", L"apply", L"restore"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(command)));
        const CommandResult result = RunCommand(empty.Path(), command);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(cli::ExitCode::NotAGameFolder));
        EXPECT_EQ(result.output,
                  Utf8(L"程序必须在流星蝴蝶剑的安装目录下才能运行\n" + empty.Path() + L" 中没有游戏文件 meteor.exe。"));
        EXPECT_FALSE(PathExists(empty / L"Data")) << "a folder made";
        EXPECT_FALSE(PathExists(empty / L"Tarnwick.lock"));
    }
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
    EXPECT_TRUE(result.gameMayBeDamaged) << testing::PrintToString(result.message);
    EXPECT_EQ(cli::ExitCodeFor(result), cli::ExitCode::FailedMayBeDamaged);
}

TEST(CommandLine, StatusOfGameFilesNotAsTheToolLeftThem) {
    const std::wstring a = ValueArguments(kValuesA);
    {
        SCOPED_TRACE("patched by hand, no backup");
        GameFolderRun folder;
        WriteFileBytes(folder.Path(L"meteor.exe"), PatchedGame(folder.Pristine(), GameVersion::V1_07, kValuesA));
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
    }
}

// Wrong words, each refused by name with exit code 2 and nothing written:
// the game file, the cache and the folder are as they were.
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
    const std::wstring help = L"\n输入 Tarnwick.exe --help 查看用法。";
    struct Row {
        std::wstring arguments;
        std::wstring output;
    };
    const Row rows[] = {
        {L"bogus", L"未知的命令“bogus”：命令只有 status、apply 和 restore。" + help},
        {L"status --bogus", L"未知的选项“--bogus”。" + help},
        {L"--game-dir .", L"缺少命令：请写 status、apply 或 restore。" + help},
        {L"status now", L"多余的参数“now”：status 后面不带参数。" + help},
        {wrongCount, L"apply 后面要写 15 个数值，现在有 3 个。" + help},
        {withValue(1, L"１００"), L"apply 后面的第 2 个数值有误：第2个“血值”的数值“１００”无效，只能填写数字。" + help},
        {withValue(9, L"+10"), L"apply 后面的第 10 个数值有误：“时间”的数值“+10”无效，只能填写数字。" + help},
        {withValue(14, L" 16"), L"apply 后面的第 15 个数值有误：“人数”的数值“ 16”无效，只能填写数字。" + help},
        {withValue(0, L""), L"apply 后面的第 1 个数值有误：第1个“血值”没有填写数值。" + help},
        {withValue(4, L"1000"),
         L"apply 后面的第 5 个数值有误：第5个“血值”的数值“1000”太长，最多只能填写3位数字。" + help},
        {L"apply --from", L"选项“--from”后面缺少文件名。" + help},
        {L"apply --from missing.cfg", L"找不到数值文件“missing.cfg”。"},
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
        const CommandResult result = folder.Run(row.arguments);
        EXPECT_EQ(result.exitCode, static_cast<DWORD>(cli::ExitCode::UsageError));
        EXPECT_EQ(result.output, Utf8(row.output));
        folder.ExpectState({std::nullopt, false, kValuesA});
    }
}

// The game folder by every spelling a script may use, the options before
// or after the command, and any case.
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
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.arguments));
        const CommandResult result = RunCommand(parent.Path(), row.arguments);
        EXPECT_EQ(result.exitCode, 0u) << "an exit code of 259 (STILL_ACTIVE): the tool did not end";
        EXPECT_NE(result.output.find(Utf8(row.output)), std::string::npos) << result.output;
    }
    EXPECT_EQ(RunCommand(game, L"--version").output, Utf8(L"Tarnwick " + std::wstring(kTarnwickVersion)));
    for (const wchar_t* arguments : {L"--help", L"-h", L"/?", L"status --help", L"bogus -H"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
        const CommandResult result = RunCommand(game, arguments);
        EXPECT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.output.rfind(Utf8(L"Tarnwick " + std::wstring(kTarnwickVersion) +
                                           L"：流星蝴蝶剑房间设置修改工具。不带参数运行时打开窗口；"
                                           L"带参数时在命令行中工作，不打开窗口。"),
                                      0),
                  0u);
        for (const wchar_t* part : {L"\r\n  7  失败，游戏文件可能已损坏，请运行 restore\r\n", L"UTF-8 编码"}) {
            EXPECT_NE(result.output.find(Utf8Bytes(part)), std::string::npos) << testing::PrintToString(part);
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
    EXPECT_EQ(tool.ExitCode(), static_cast<DWORD>(cli::ExitCode::FailedUnchanged));
    folder.ExpectState({});
}

}  // namespace
}  // namespace tarnwick::test
