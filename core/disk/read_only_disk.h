#pragma once
// Whether a path lies on a disk that cannot be written at all (a CD, a
// write-protected stick, a file system mounted read-only), so that a
// refused write can be told apart from a missing permission.
#include <string>
#include <string_view>

namespace tarnwick {

// True when the volume holding `path` (or its nearest existing folder) is
// read-only. Under Wine, which reports such a disk as a permission problem
// and flags no volume as read-only, the Unix mount table decides.
bool OnReadOnlyDisk(const std::wstring& path);

// Whether the mount that holds `unixPath` is mounted "ro", by a table in
// the format of /proc/self/mounts: the longest mount point that contains
// the path counts, and of equal ones the last (it is mounted over the
// others).
bool MountTableSaysReadOnly(std::string_view mounts, std::string_view unixPath);

}  // namespace tarnwick
