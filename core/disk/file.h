#pragma once
// An owned file handle and what it tells of its file: the one way the
// file-level core opens, reads, writes, renames and deletes a file, so
// that what is checked through a handle is what is acted on through it.
// None throws; each returns the Win32 error it ended with (0 on success).
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarnwick {
class Sha256;
}

namespace tarnwick::fileio {

using Bytes = std::vector<std::uint8_t>;

// What an open handle tells of its file, short of which volume holds it.
struct FileFacts {
    std::uint64_t index = 0;  // the file's number on its volume
    DWORD links = 0;          // how many names the file has
    DWORD attributes = 0;
    std::uint64_t size = 0;
    FILETIME written{};  // last written
};

// Which file a name leads to: two names of one file (hard links, another
// drive letter for the same folder, a link or junction on the way) give
// the same identity. Not every file system gives one: some SMB servers
// and redirectors report the number 0 for every file, FAT's number follows
// the directory entry, and ReFS's 128-bit numbers may meet in 64 bits. A
// number of 0 therefore means "unknown".
struct FileIdentity : FileFacts {
    DWORD volume = 0;

    // Whether a name that led to `other` earlier leads to this same file
    // now (nothing put in its place meanwhile). Without numbers, the volume
    // and the size have to do; callers that go on to read the bytes check
    // the rest.
    bool SameFileAs(const FileIdentity& other) const;
    // Whether this file, found under one name, is the file `other` found
    // under another name: only when both report a second name and their
    // volume and a known number agree. Two different files with the same
    // (or no) number have one name each.
    bool IsSecondNameOf(const FileIdentity& other) const;
};

// An owned file handle; closed when it goes away.
class File {
public:
    File() = default;
    ~File() { Close(); }
    File(File&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_)) {
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file (or creates one, per `disposition`).
    DWORD Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition = OPEN_EXISTING,
               DWORD flags = FILE_ATTRIBUTE_NORMAL);
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The name it was opened by, or renamed to since.
    const std::wstring& Path() const { return path_; }
    DWORD Close();

    DWORD Size(std::uint64_t& size) const;
    // The file's facts alone: no request for the volume, which under Wine
    // goes to another process and costs more than all the rest.
    DWORD Facts(FileFacts& facts) const;
    DWORD Identity(FileIdentity& identity) const;
    // Sets `same` to whether this handle's file is the one `other`
    // identifies, and returns the Win32 error of asking. The volume is
    // asked only when the numbers agree: files of different numbers are
    // different files on any volume.
    DWORD CheckSameFile(const FileIdentity& other, bool& same) const;
    // The same for another name of the file `other` identifies (see
    // FileIdentity::IsSecondNameOf).
    DWORD CheckSecondName(const FileIdentity& other, bool& same) const;
    // Reads the whole file, which must not exceed `maxSize` bytes
    // (ERROR_FILE_TOO_LARGE), adding every chunk to `hash` on its way.
    DWORD ReadAll(Bytes& out, std::uint64_t maxSize, Sha256* hash = nullptr) const;
    // Reads the whole file, which must not exceed `maxSize` bytes, in
    // chunks through one small buffer, handing each to `take` with its
    // offset: for a file that is only looked at, where a buffer of the
    // whole file's size would cost more to set up than the reading.
    // (A plain function and its context: std::function would add kilobytes
    // to the exe for this one caller.)
    using ChunkTaker = void (*)(void* context, std::uint64_t offset, std::span<const std::uint8_t> chunk);
    DWORD ReadInChunks(std::uint64_t maxSize, ChunkTaker take, void* context) const;
    // Reads exactly `count` bytes at `offset`; ERROR_HANDLE_EOF if the file
    // ends before.
    DWORD ReadAt(std::uint64_t offset, void* data, std::size_t count) const;
    // Writes all `count` bytes at `offset`.
    DWORD WriteAt(std::uint64_t offset, const void* data, std::size_t count) const;
    DWORD Flush() const;
    // Reads up to `count` bytes from where the last read ended; `got` is 0
    // at the end. For files that have no offsets to read at.
    DWORD ReadNext(void* data, std::size_t count, std::size_t& got) const;
    // The name the system gives the open file with every link on the way
    // resolved (see FinalPath); empty where the system cannot tell.
    std::wstring ResolvedName() const;
    // The reparse tag of the open file itself (0 when it is no reparse
    // point), read through the handle as every system from XP on allows;
    // of a link itself only when opened with FILE_FLAG_OPEN_REPARSE_POINT.
    DWORD ReparseTag(DWORD& tag) const;
    // Deletes the open file itself, whatever its name leads to by now, and
    // closes the handle; the handle must have been opened with DELETE.
    // A read-only file loses the attribute first (that takes
    // FILE_WRITE_ATTRIBUTES as well).
    // With `keep` given, the deletion goes ahead only while that file too is
    // still at its name (kNoLongerNamedError otherwise): a copy that must
    // stand before this file may go.
    DWORD DeleteAndClose(const File* keep = nullptr);
    // Gives the open file itself the name `path`, through the handle: the
    // file renamed is this one, whatever its old name leads to by now. Never
    // over anything that holds `path` (ERROR_ALREADY_EXISTS, a dangling link
    // included). The handle must have been opened with DELETE, and `path`
    // must be on the same volume.
    DWORD RenameTo(const std::wstring& path);
    // Whether the name the file was opened by (or last renamed to) still
    // leads to this very file. Wine carries a rename or deletion through a
    // handle out on that name, so whatever holds the name by then would be
    // renamed or deleted instead: both check this first and answer
    // kNoLongerNamedError where the name has gone elsewhere.
    bool StillNamed() const;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::wstring path_;  // as opened, or as renamed to since: what a step watcher is told (core/disk/step_watch.h)
};


// What a rename, deletion or commit answers when the file the tool checked
// or wrote is no longer at its name: another program (a scanner, an
// updater) removed, moved or replaced it.
inline constexpr DWORD kNoLongerNamedError = ERROR_FILE_INVALID;

}  // namespace tarnwick::fileio
