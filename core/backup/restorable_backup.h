#pragma once
// Whether the backup may be put back in place of the game file: read from
// one open handle of the backup that lets others read it but not change,
// replace or delete it while the handle is held, and judged against its
// record and against the game file as it is now.
#include <optional>
#include <string>

#include "core/backup/backup_record.h"
#include "core/disk/file_io.h"
#include "core/disk/game_folder.h"
#include "core/game/version.h"

namespace tarnwick {

enum class BackupVerdict {
    Missing,         // no backup file (or a folder in its place: see NotAFile)
    NotAFile,        // a folder stands where the backup belongs
    Unreadable,      // the backup or the game file could not be read: see error
    Original,        // an unpatched game file of the game's version, as recorded
    Damaged,         // cut short, changed since it was recorded, or no known version
    NotOriginal,     // itself a patched file
    IsGameFile,      // another name of the game file itself
    GameHardLinked,  // the game file has a name in another folder too
    OtherVersion,    // of another version than the game file now
    GameLinked,      // meteor.exe is a link to a file elsewhere
    NotOwnFile,      // the backup or its record is a link (or leads elsewhere): see errorPath
    OtherGame,       // an intact original, but of another game file
    Unverifiable,    // unrecorded, and no game file of a known version to check it against
};

struct BackupInspection {
    BackupVerdict verdict = BackupVerdict::Missing;
    DWORD error = 0;        // Unreadable: the Win32 error
    std::wstring errorPath;  // Unreadable, NotOwnFile: the file it concerns
    std::wstring backupPath;  // the backup judged: meteor.bak, or meteor.old where that one is the original
    fileio::File backup;     // held open from the inspection on (with DELETE where others allow it)
    fileio::FileIdentity identity;  // the backup's
    fileio::Bytes bytes;     // the whole backup
    fileio::File record;     // meteor.bak's record, held like the backup (closed for meteor.old, which has none)
    GameVersion version = GameVersion::Unknown;      // the backup's
    GameVersion gameVersion = GameVersion::Unknown;  // the game file's now
    fileio::File game;       // with GameHold::ToReplace: the game file judged, held open with DELETE (closed: none there)
};

// How the game file is looked at: only read (status), or held open from
// the judgement on with the right to move it aside, so that a restore
// replaces the very game file it judged.
enum class GameHold { Look, ToReplace };

// The backup is put back only when it is an unpatched game file of a known
// version, no other name of the game file itself, and the game file's own
// original as JudgeBelonging (core/backup/belonging.h) tells it, as "确认"
// does: intact by its record where it has one, and identical to the game
// file outside the patch areas (byte for byte where the game file is
// unpatched). Where no game file of a known version is there to compare,
// only a recorded backup is put back. The backup is meteor.bak, or where
// that is not this game file's original, meteor.old (where an apply keeps
// another game file's original): whichever belongs to the game file. When
// neither does, the verdict is meteor.bak's (meteor.old's when there is no
// meteor.bak).
void InspectBackup(const GameFolder& folder, BackupInspection& inspection, GameHold hold = GameHold::Look);

}  // namespace tarnwick
