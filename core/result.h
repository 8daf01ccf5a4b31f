#pragma once
// What a file operation of the tool ended with, and the text the window
// shows for it in the "系统信息" message box.
#include <string>

namespace tarnwick {

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

struct OperationResult {
    Outcome outcome = Outcome::Ok;
    int field = -1;                   // InvalidValue: the index of the field
    unsigned long systemError = 0;    // the Win32 error behind a failure
    bool gameMayBeDamaged = false;    // a failure left the game file neither as it was nor as intended
    bool valuesNotRemembered = false;  // patched, but the settings cache could not be written
    bool noOriginalBackup = false;     // patched, with no unpatched original kept as the backup
    std::wstring message;             // the whole text of the message box

    bool Succeeded() const { return outcome == Outcome::Ok; }
};

}  // namespace tarnwick
