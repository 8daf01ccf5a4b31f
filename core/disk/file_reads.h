#pragma once
// Reading a file by its name for a look: its first bytes, a range, or
// everything up to an end it does not report.
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/disk/file.h"

namespace tarnwick::fileio {

// Reads the file's first `maxBytes` bytes (all of it if shorter).
DWORD ReadFilePrefix(const std::wstring& path, std::size_t maxBytes, Bytes& out);
// Reads the file until it ends or `maxBytes` are read, without asking its
// size: for files that report none (Linux /proc files seen through Wine).
// Empty when the file cannot be opened.
std::string ReadUntilEnd(const std::wstring& path, std::size_t maxBytes);
// Reads up to `maxBytes` bytes from `offset` and tells the file's size.
DWORD ReadFileRange(const std::wstring& path, std::uint64_t offset, std::size_t maxBytes, Bytes& out,
                    std::uint64_t& fileSize);

}  // namespace tarnwick::fileio
