#pragma once
// Small checked wrappers over Win32 file calls, shared by the file-level
// core, one thing a file: the owned handle (file.h), reads by name
// (file_reads.h), what is at a name now (file_state.h), folder creation
// (folder_creation.h), the spellings of a path (path_forms.h), resolved
// names (resolved_path.h) and the file written aside and moved into place
// (pending_file.h). None throws. Most return the Win32 error code they
// ended with (0 on success), so callers can turn it into a message; those
// that only ask (FileExists, IsReadOnly, HeldOpenByOthers), spell a path
// (FullPath, LongPathForm, FinalPath) or read a file for a look
// (ReadUntilEnd) answer with their value instead, a failure giving the
// answer their own comment names.
#include "core/disk/file.h"
#include "core/disk/file_reads.h"
#include "core/disk/file_state.h"
#include "core/disk/folder_creation.h"
#include "core/disk/path_forms.h"
#include "core/disk/pending_file.h"
#include "core/disk/resolved_path.h"
