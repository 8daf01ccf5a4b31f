#pragma once
// Small checked wrappers over Win32 file calls, shared by the file-level
// core. None throws. Most return the Win32 error code they ended with (0
// on success), so callers can turn it into a message; those that only ask
// (FileExists, IsReadOnly, HeldOpenByOthers), spell a path (FullPath,
// LongPathForm, FinalPath) or read a file for a look (ReadUntilEnd)
// answer with their value instead, a failure giving the answer their own
// comment names.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
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
    DWORD DeleteAndClose();
    // Gives the open file itself the name `path`, through the handle: the
    // file renamed is this one, whatever its old name leads to by now. Never
    // over anything that holds `path` (ERROR_ALREADY_EXISTS, a dangling link
    // included). The handle must have been opened with DELETE, and `path`
    // must be on the same volume.
    DWORD RenameTo(const std::wstring& path) const;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::wstring path_;  // as opened: what a step watcher is told (core/disk/step_watch.h)
};

// Reads the file's first `maxBytes` bytes (all of it if shorter).
DWORD ReadFilePrefix(const std::wstring& path, std::size_t maxBytes, Bytes& out);
// Reads the file until it ends or `maxBytes` are read, without asking its
// size: for files that report none (Linux /proc files seen through Wine).
// Empty when the file cannot be opened.
std::string ReadUntilEnd(const std::wstring& path, std::size_t maxBytes);
// Reads up to `maxBytes` bytes from `offset` and tells the file's size.
DWORD ReadFileRange(const std::wstring& path, std::uint64_t offset, std::size_t maxBytes, Bytes& out,
                    std::uint64_t& fileSize);

// What creating a file or folder answers when the folder it goes into is
// there and the system still says the path is not found: Windows'
// Controlled Folder Access ("勒索软件防护") refuses the tool so in the
// folders it protects (Desktop, Documents and others), whatever the rights.
inline constexpr DWORD kCreationBlockedError = ERROR_ACCESS_DISABLED_BY_POLICY;

// `error` of creating `path`, with a "not found" in a folder that is there
// turned into kCreationBlockedError.
DWORD CreationError(DWORD error, const std::wstring& path);

// Creates the folder if it is not there. `created` tells whether it was
// made by this call. A file of that name is ERROR_DIRECTORY.
DWORD EnsureFolder(const std::wstring& path, bool* created = nullptr);

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

// The path with every link, junction and substituted drive on the way
// resolved, as the system names the file itself ("C:\Games\x", or
// "\\server\share\x"); FullPath() where the system cannot tell (Windows
// XP) or the path does not exist. `resolved`, when given, tells which: a
// name resolved through the file is also normalised (long names, not 8.3).
std::wstring FinalPath(const std::wstring& path, bool* resolved = nullptr);

bool FileExists(const std::wstring& path);    // a file, not a folder
bool FolderExists(const std::wstring& path);  // a folder, not a file
bool IsReadOnly(const std::wstring& path);

// File names match without regard to case: the text upper-cased by the
// invariant locale, which folds them the same way on every system.
std::wstring FoldCase(const std::wstring& text);


// Whether another program holds the file open so that it cannot be
// deleted or replaced now.
bool HeldOpenByOthers(const std::wstring& path);

// The attributes of what `path` names. 0 with INVALID_FILE_ATTRIBUTES when
// nothing is there (the file or a folder on its way is missing); the error
// when the attributes cannot be read.
DWORD ExistingAttributes(const std::wstring& path, DWORD& attributes);

// Whether an existing file could be replaced by a rename now: not read-only
// and not held open by anyone who denies writing or deleting. A missing
// file is replaceable. Returns 0 or the error found.
DWORD CheckReplaceable(const std::wstring& path);

// A file written beside its destination under a temporary name and moved
// over the destination in one rename, so the destination is either the old
// file or the complete new one, never a half-written one. The temporary
// file is deleted unless committed.
class PendingFile {
public:
    explicit PendingFile(std::wstring destination) : destination_(std::move(destination)) {}
    ~PendingFile() { Discard(); }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    DWORD Write(const void* data, std::size_t count);
    DWORD Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    DWORD Write(const Bytes& bytes) { return Write(bytes.data(), bytes.size()); }
    // Renames the written temporary file over the destination.
    DWORD Commit();
    // Gives the written temporary file the destination's name through its
    // own handle, only where that name is free: ERROR_ALREADY_EXISTS when
    // anything holds it (another program's file, a folder, a link), which
    // is then left as it is.
    DWORD CommitWhereFree();
    void Discard();

    const std::wstring& Destination() const { return destination_; }
    // Which file was written: after Commit, the one the destination must
    // still lead to.
    const FileIdentity& WrittenIdentity() const { return tempIdentity_; }

private:
    DWORD Create();

    std::wstring destination_;
    std::wstring temp_;
    FileIdentity tempIdentity_;  // of the temporary file this run made
    File file_;
    bool written_ = false;
};

// What a commit answers when the temporary file it wrote is no longer
// there to be moved into place: another program (a scanner) removed it.
inline constexpr DWORD kWrittenFileRemovedError = ERROR_FILE_INVALID;

// Writes `bytes` to `path` through a PendingFile.
DWORD ReplaceFileContents(const std::wstring& path, std::string_view bytes);

}  // namespace tarnwick::fileio
