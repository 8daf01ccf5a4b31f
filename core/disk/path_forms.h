#pragma once
// The spellings of a path: its folder, its full form, its plain and long
// forms, and names folded for comparing without regard to case.
#include <windows.h>

#include <cstddef>
#include <string>

namespace tarnwick::fileio {

std::wstring ParentFolder(const std::wstring& path);
// The absolute form of a path (relative ones are taken from the current
// folder); the path as given when that fails.
std::wstring FullPath(const std::wstring& path);
// The path without a \\?\ prefix: "\\?\C:\x" is "C:\x", "\\?\UNC\s\x" is "\\s\x".
std::wstring PlainForm(const std::wstring& path);

// A form of the path that the file calls take at any length. While the
// full path, with a name of up to `room` characters added beneath it, stays
// within the system's plain limit, the path is returned as it is; past it,
// its full path with the prefix \\?\ (\\?\UNC\ for a network path),
// which lifts the limit. The prefix also turns off the system's tidying of
// names, so what follows it is a full path with backslashes only, no "."
// or ".." and no trailing backslash.
std::wstring LongPathForm(const std::wstring& path, std::size_t room = 0);


// File names match without regard to case: the text upper-cased by the
// invariant locale, which folds them the same way on every system.
std::wstring FoldCase(const std::wstring& text);

// Whether the path names one of the system's devices rather than a file:
// "\\.\" paths, and the reserved names CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, CONIN$ and CONOUT$ in any folder, with any extension and
// in any case ("nul.txt" and "C:\x\com1" are devices too).
bool NamesDevice(const std::wstring& path);

}  // namespace tarnwick::fileio
