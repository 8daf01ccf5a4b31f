#include "core/disk/file_reads.h"

#include <algorithm>

#include "core/disk/file.h"

namespace tarnwick::fileio {

namespace {

// ReadUntilEnd's piece, on the stack: Linux makes a /proc file a page at
// a time, and the files read so are a few pages at most.
constexpr std::size_t kPageChunk = 4096;

}  // namespace

DWORD ReadFileRange(const std::wstring& path, std::uint64_t offset, std::size_t maxBytes, Bytes& out,
                    std::uint64_t& fileSize) {
    out.clear();
    fileSize = 0;
    File file;
    if (DWORD error = file.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)) return error;
    if (DWORD error = file.Size(fileSize)) return error;
    if (offset >= fileSize) return 0;
    const std::uint64_t available = fileSize - offset;
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(available, maxBytes)));
    if (DWORD error = file.ReadAt(offset, out.data(), out.size())) {
        out.clear();
        return error;
    }
    return 0;
}

std::string ReadUntilEnd(const std::wstring& path, std::size_t maxBytes) {
    File file;
    if (file.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE)) return {};
    std::string text;
    char chunk[kPageChunk];
    std::size_t got = 0;
    while (text.size() < maxBytes && !file.ReadNext(chunk, sizeof chunk, got) && got > 0) text.append(chunk, got);
    return text;
}

DWORD ReadFilePrefix(const std::wstring& path, std::size_t maxBytes, Bytes& out) {
    std::uint64_t size = 0;
    return ReadFileRange(path, 0, maxBytes, out, size);
}

}  // namespace tarnwick::fileio
