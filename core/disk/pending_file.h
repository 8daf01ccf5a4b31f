#pragma once
// A file written aside under a temporary name and moved into place in one
// rename, so its destination is never half written.
#include <windows.h>

#include <string>
#include <string_view>

#include "core/disk/file.h"

namespace tarnwick::fileio {

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

// Writes `bytes` to `path` through a PendingFile.
DWORD ReplaceFileContents(const std::wstring& path, std::string_view bytes);

}  // namespace tarnwick::fileio
