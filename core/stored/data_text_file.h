#pragma once
// Reading and writing the two small text files the tool keeps in the game
// folder: the settings cache and the notice switch file.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "core/disk/game_folder.h"
#include "core/result.h"

namespace tarnwick {

// The whole lines among the first `maxBytes` bytes of the file: a line that
// the limit cut is left out, never read shortened. Empty when the file is
// missing or unreadable.
std::string ReadWholeLines(const std::wstring& path, std::size_t maxBytes);
// The same with the Win32 error that left `lines` empty.
DWORD ReadWholeLines(const std::wstring& path, std::size_t maxBytes, std::string& lines);

// Makes sure .\Data exists, then replaces the file through a temporary file
// and a rename. A failure is reported as one of `action`.
OperationResult WriteDataTextFile(const GameFolder& folder, const std::wstring& path, std::string_view bytes,
                                  Action action);

}  // namespace tarnwick
