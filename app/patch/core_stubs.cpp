// Placeholder definitions so that the window code links while the file
// core is written; each goes away as its real definition lands.
#include "app/patch/apply.h"
#include "app/patch/codepage.h"
#include "app/patch/fields.h"
#include "app/patch/game_folder.h"
#include "app/patch/patch_table.h"
#include "app/patch/restore.h"
#include "app/patch/settings_cache.h"
#include "app/patch/version.h"
#include "notice/hint_file.h"

#include <windows.h>

namespace tarnwick {

OperationResult ApplyPatch(const GameFolder&, GameVersion, const FieldTexts&) {
    return {Outcome::Failed, -1, 0, RestoreButton::Unchanged, L"尚未实现"};
}
bool BackupExists(const GameFolder& folder) { return FileExists(folder.BackupFile()); }
OperationResult RestoreGameFile(const GameFolder&) {
    return {Outcome::Failed, -1, 0, RestoreButton::Unchanged, L"尚未实现"};
}

}  // namespace tarnwick
