#pragma once
// Replacing a file the tool checked by a new one, acting only on the file
// that was checked. A rename over a name acts on whatever holds the name
// at that moment, which may be another program's file put there since the
// check; instead the checked file is moved aside through its own handle,
// the new one is put in only where the name is then free, and the checked
// one goes last, through its handle again. Should another program take the
// name meanwhile, both files are kept.
#include <string>

#include "core/disk/file.h"
#include "core/disk/pending_file.h"

namespace tarnwick::fileio {

// Whether anything holds the name in its folder: a file, a folder, or a
// link, a dangling one included (which a look through the name misses).
bool NameTaken(const std::wstring& path);

// Moves the open file (opened with DELETE) aside to a fresh temporary name
// beside it, through its handle; `aside` receives the name.
DWORD MoveAside(File& file, const std::wstring& destination, std::wstring& aside);

// Gives the open file (opened with DELETE) `path`, through its handle,
// where the name is free, waiting out a brief hold as for the tool's own
// files.
DWORD RenameWhereFree(File& file, const std::wstring& path);

// What a swap ended with.
struct SwapResult {
    DWORD error = 0;        // 0: `fresh` is in place and `checked` gone
    bool nameTaken = false;  // another file took the destination's name meanwhile; it is left as it is
    // The checked file could not be put back under its name after a
    // failure: it is kept under this name instead (empty: it is back, or
    // there was none).
    std::wstring checkedKeptAs;
};

// Puts `fresh` in the place of `checked`, the file that held its
// destination when it was checked (held open with DELETE; not open when
// nothing was there). On failure `checked` is given its name back where it
// can be, and `fresh` is left for its owner to discard.
SwapResult SwapIn(PendingFile& fresh, File& checked);

}  // namespace tarnwick::fileio
