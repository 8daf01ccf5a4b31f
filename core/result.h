#pragma once
// What a file operation of the tool ended with, and the facts the words
// for it need: the file concerned, the system error, the state the files
// were left in and the warnings of a success. No text: the words are made
// above core (words/operation_text.h), for the window and the command line
// alike.
#include <string>

namespace tarnwick {

// Defined with the game file's versions (core/game/version.h).
enum class GameVersion;

// What the player was doing.
enum class Action { Apply, Restore, SaveNoticeSwitch };

// Why a value cannot go into the game file. FullWidthDigits: digits such
// as "５０", which Chinese input methods type by default; the game file
// takes the half-width ones only.
enum class ValueProblem { Empty, NotDigits, TooLong, FullWidthDigits };

// What a failure left of the files, as its last line tells the player.
enum class Aftermath {
    NotTold,                    // nothing to tell (a success, or one of the tool's own small files)
    GameUnchanged,              // the game file is as it was
    BothKept,                   // restore refused: the game file and the backup are as they were
    BackupKept,                 // restore failed before the game file changed; it may be tried again
    OnlyBackupKept,             // another program changed the game file after the restore wrote it
    RestoreIncomplete,          // the restored game file did not read back as the backup
    GameMayBeDamaged,           // apply could not undo its failure; "还原" can put the original back
    GameMayBeDamagedNoOriginal, // the same with no original kept: only a reinstall helps
};

inline bool LeavesGameMayBeDamaged(Aftermath aftermath) {
    return aftermath == Aftermath::RestoreIncomplete || aftermath == Aftermath::GameMayBeDamaged ||
           aftermath == Aftermath::GameMayBeDamagedNoOriginal;
}

enum class Outcome {
    Ok,
    VersionUnknown,    // apply refused: "无法识别您当前所使用的版本"
    InvalidValue,      // apply refused: a field is empty, not digits or too long
    GameFileMissing,
    GameFileDamaged,   // too short to hold the patch areas of its version
    GameFileChanged,   // another version (or none) than the tool recognised at start
    GameFileInUse,     // the running game holds it
    FileInUse,         // another program holds one of the tool's other files
    FileBeingChecked,  // another program (likely a virus scanner) held one of the tool's fresh files all along
    CreationBlocked,   // a file could not be created in a folder that is there (Controlled Folder Access)
    WrittenFileRemoved,  // another program removed, moved or replaced one of the tool's files while it worked on it
    ReadOnly,          // the game file (or another file) is read-only
    ReadOnlyDisk,      // the whole disk cannot be written
    AccessDenied,      // the folder needs administrator rights
    DiskFull,
    NotAFolder,        // a file stands where one of the tool's folders belongs
    NotAFile,          // a folder stands where one of the tool's files belongs
    GameFileHardLinked,  // the game file has another name elsewhere: changing it would change that too
    GameFileLinked,    // meteor.exe is a symbolic link or junction to a file elsewhere
    GameFileReplaced,  // the game file was deleted or replaced by another program while it was written
    NotOwnFile,        // a link, or another file's name, stands where one of the tool's own files belongs
    ToolBusy,          // another copy of the tool is working in the same folder
    LockFailed,        // the game folder's lock could not be taken for another reason
    BackupMissing,     // restore: "还原文件丢失 还原失败"
    BackupDamaged,     // restore: cut short, changed since it was written, or no game file the tool knows
    BackupNotOriginal,   // restore: the backup is itself a patched file
    BackupIsGameFile,    // restore: the backup is another name of the game file itself
    BackupOtherVersion,  // restore: the backup is of another version than the game file
    BackupOtherGame,     // restore: an intact original, but of another game file (another install, an older one)
    BackupUnverifiable,  // restore: unrecorded, and no game file of a known version to check it against
    BackupAsideTaken,    // apply: the backup is another game file's original, and the name to keep it under is taken
    Failed,            // any other failure of the file system
};

// A failure on one file: what it means, the file's name relative to the
// game folder (as the player knows it), and the Win32 error behind it.
struct FileProblem {
    Outcome outcome = Outcome::Ok;
    std::wstring fileName;
    unsigned long systemError = 0;
};

struct OperationResult {
    Action action = Action::Apply;
    Outcome outcome = Outcome::Ok;
    std::wstring fileName;            // the file concerned, relative to the game folder
    unsigned long systemError = 0;    // the Win32 error behind a failure
    Aftermath aftermath = Aftermath::NotTold;

    // InvalidValue: the field, what is wrong with it and the value given.
    int field = -1;
    ValueProblem valueProblem = ValueProblem::Empty;
    std::wstring value;
    // VersionUnknown: without code page 936 no game can be recognised.
    bool codePageInstalled = true;
    // BackupOtherVersion: the backup's version and the game file's.
    GameVersion backupVersion{};
    GameVersion gameVersion{};

    // The warnings of a success.
    bool noOriginalBackup = false;     // patched, with no unpatched original kept as the backup
    bool backupMovedAside = false;     // another game file's original kept under the backup's second name
    bool valuesNotRemembered = false;  // patched, but the settings cache could not be written
    FileProblem cacheProblem;          // why not
    bool backupLeftBehind = false;     // restored, but the backup (`fileName`) could not be deleted

    bool Succeeded() const { return outcome == Outcome::Ok; }
    // A failure left the game file neither as it was nor as intended.
    bool GameMayBeDamaged() const { return LeavesGameMayBeDamaged(aftermath); }
};

}  // namespace tarnwick
