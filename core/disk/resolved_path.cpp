#include "core/disk/resolved_path.h"

#include "core/disk/file.h"
#include "core/disk/path_forms.h"

namespace tarnwick::fileio {

std::wstring FinalPath(const std::wstring& path, bool* resolved) {
    if (resolved) *resolved = false;
    const std::wstring full = FullPath(path);
    // Folders open only with backup semantics; nothing is read or written.
    File file;
    if (file.Open(LongPathForm(full), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS)) {
        return full;
    }
    const std::wstring name = file.ResolvedName();
    if (name.empty()) return full;
    if (resolved) *resolved = true;
    return name;
}

}  // namespace tarnwick::fileio
