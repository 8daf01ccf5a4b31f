#include "core/disk/file.h"

#include <algorithm>

#include "core/disk/path_forms.h"
#include "core/disk/sha256.h"
#include "core/disk/step_watch.h"
#include "win32/system_library.h"

namespace tarnwick::fileio {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
// The kinds of file information ntdll reads and sets through a handle.
constexpr int kFileBasicInformation = 4;
constexpr int kFileStandardInformation = 5;
constexpr int kFileInternalInformation = 6;
constexpr int kFileRenameInformation = 10;
constexpr int kFileDispositionInformation = 13;
constexpr int kFileAttributeTagInformation = 35;
constexpr int kFileDispositionInformationEx = 64;
// FILE_DISPOSITION_INFORMATION_EX's flags: delete, with POSIX semantics
// (the name goes at once, though a scanner still holds the file open).
constexpr ULONG kDispositionDelete = 0x1;
constexpr ULONG kDispositionPosixSemantics = 0x2;

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED position = {};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

// A file's number, 0 where the system gives none: some file systems (ReFS
// through 64 bits, some servers) answer all ones for "no number".
std::uint64_t KnownIndex(std::uint64_t index) { return index == ~std::uint64_t{0} ? 0 : index; }

DWORD ErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error ? error : fallback;
}

DWORD SetInformation(HANDLE handle, void* data, ULONG size, int kind) {
    const NtSetInformationFileProc set = SystemNtSetInformationFile();
    const NtStatusToErrorProc toError = SystemNtStatusToError();
    if (!set || !toError) return ERROR_CALL_NOT_IMPLEMENTED;
    NtIoStatus status{};
    const LONG result = set(handle, &status, data, size, kind);
    return result >= 0 ? 0 : toError(result);
}

// The system's own spelling of a full path, which ntdll's calls take:
// "\??\C:\x", or "\??\UNC\server\share\x" for a network path.
std::wstring NtPathOf(const std::wstring& path) {
    const std::wstring full = PlainForm(FullPath(path));
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\??\\UNC\\" + full.substr(2);
    return L"\\??\\" + full;
}

}  // namespace

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        path_ = std::move(other.path_);
        other.handle_ = INVALID_HANDLE_VALUE;
    }
    return *this;
}

DWORD File::Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    Close();
    path_ = path;
    BeforeStep(disposition == OPEN_EXISTING ? Step::Open : Step::Create, path_);
    handle_ = CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
    return IsOpen() ? 0 : ErrorOr(ERROR_OPEN_FAILED);
}

DWORD File::Close() {
    if (!IsOpen()) return 0;
    const BOOL ok = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok ? 0 : ErrorOr(ERROR_WRITE_FAULT);
}

DWORD File::Size(std::uint64_t& size) const {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(handle_, &value)) return ErrorOr(ERROR_READ_FAULT);
    size = static_cast<std::uint64_t>(value.QuadPart);
    return 0;
}

DWORD File::Identity(FileIdentity& identity) const {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle_, &info)) return ErrorOr(ERROR_READ_FAULT);
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = KnownIndex(std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow);
    identity.links = info.nNumberOfLinks;
    identity.attributes = info.dwFileAttributes;
    identity.size = std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
    identity.written = info.ftLastWriteTime;
    return 0;
}

DWORD File::Facts(FileFacts& facts) const {
    // FILE_BASIC_INFORMATION, FILE_STANDARD_INFORMATION and
    // FILE_INTERNAL_INFORMATION, as ntdll lays them out.
    struct {
        LARGE_INTEGER created, accessed, written, changed;
        ULONG attributes;
    } basic{};
    struct {
        LARGE_INTEGER allocated, size;
        ULONG links;
        BOOLEAN deletePending, directory;
    } standard{};
    LARGE_INTEGER index{};
    const NtQueryInformationFileProc query = SystemNtQueryInformationFile();
    const NtStatusToErrorProc toError = SystemNtStatusToError();
    if (!query || !toError) {
        FileIdentity identity;
        if (DWORD error = Identity(identity)) return error;
        facts = identity;
        return 0;
    }
    NtIoStatus status{};
    LONG result = query(handle_, &status, &basic, sizeof basic, kFileBasicInformation);
    if (result >= 0) result = query(handle_, &status, &standard, sizeof standard, kFileStandardInformation);
    if (result >= 0) result = query(handle_, &status, &index, sizeof index, kFileInternalInformation);
    if (result < 0) return toError(result);
    facts.index = KnownIndex(static_cast<std::uint64_t>(index.QuadPart));
    facts.links = standard.links;
    facts.attributes = basic.attributes;
    facts.size = static_cast<std::uint64_t>(standard.size.QuadPart);
    facts.written.dwLowDateTime = basic.written.LowPart;
    facts.written.dwHighDateTime = static_cast<DWORD>(basic.written.HighPart);
    return 0;
}

bool FileIdentity::SameFileAs(const FileIdentity& other) const {
    if (volume != other.volume) return false;
    if (index == 0 || other.index == 0) return index == other.index && size == other.size;
    return index == other.index;
}

bool FileIdentity::IsSecondNameOf(const FileIdentity& other) const {
    return index != 0 && links > 1 && other.links > 1 && volume == other.volume && index == other.index;
}

DWORD File::CheckSecondName(const FileIdentity& other, bool& same) const {
    same = false;
    // The volume only when the rest agrees, as in CheckSameFile.
    FileFacts facts;
    if (DWORD error = Facts(facts)) return error;
    if (facts.index != other.index || facts.index == 0 || facts.links < 2) return 0;
    FileIdentity identity;
    if (DWORD error = Identity(identity)) return error;
    same = identity.IsSecondNameOf(other);
    return 0;
}

DWORD File::CheckSameFile(const FileIdentity& other, bool& same) const {
    same = false;
    FileFacts facts;
    if (DWORD error = Facts(facts)) return error;
    if (facts.index != other.index) return 0;
    FileIdentity identity;
    if (DWORD error = Identity(identity)) return error;
    same = identity.SameFileAs(other);
    return 0;
}

DWORD File::ReparseTag(DWORD& tag) const {
    tag = 0;
    // FILE_ATTRIBUTE_TAG_INFORMATION.
    struct {
        ULONG attributes;
        ULONG reparseTag;
    } info{};
    const NtQueryInformationFileProc query = SystemNtQueryInformationFile();
    const NtStatusToErrorProc toError = SystemNtStatusToError();
    if (!query || !toError) return ERROR_CALL_NOT_IMPLEMENTED;
    NtIoStatus status{};
    const LONG result = query(handle_, &status, &info, sizeof info, kFileAttributeTagInformation);
    if (result < 0) return toError(result);
    if (info.attributes & FILE_ATTRIBUTE_REPARSE_POINT) tag = info.reparseTag;
    return 0;
}

DWORD File::ReadInChunks(std::uint64_t maxSize, ChunkTaker take, void* context) const {
    std::uint64_t size = 0;
    if (DWORD error = Size(size)) return error;
    if (size > maxSize) return ERROR_FILE_TOO_LARGE;
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(size, kChunk)));
    for (std::uint64_t offset = 0; offset < size;) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, kChunk));
        if (DWORD error = ReadAt(offset, chunk.data(), count)) return error;
        take(context, offset, std::span<const std::uint8_t>(chunk.data(), count));
        offset += count;
    }
    return 0;
}

DWORD File::ReadAll(Bytes& out, std::uint64_t maxSize, Sha256* hash) const {
    out.clear();
    std::uint64_t size = 0;
    if (DWORD error = Size(size)) return error;
    if (size > maxSize) return ERROR_FILE_TOO_LARGE;
    out.resize(static_cast<std::size_t>(size));
    for (std::size_t offset = 0; offset < out.size();) {
        const std::size_t count = std::min(out.size() - offset, kChunk);
        if (DWORD error = ReadAt(offset, out.data() + offset, count)) {
            out.clear();
            return error;
        }
        if (hash) hash->Add({out.data() + offset, count});
        offset += count;
    }
    return 0;
}

// Positions go through OVERLAPPED, which synchronous handles accept as an
// explicit offset, so no call depends on where an earlier one left off.
DWORD File::ReadAt(std::uint64_t offset, void* data, std::size_t count) const {
    auto* out = static_cast<std::uint8_t*>(data);
    while (count > 0) {
        const DWORD want = static_cast<DWORD>(std::min(count, kChunk));
        OVERLAPPED position = At(offset);
        DWORD got = 0;
        if (!ReadFile(handle_, out, want, &got, &position)) return ErrorOr(ERROR_READ_FAULT);
        if (got == 0) return ERROR_HANDLE_EOF;
        out += got;
        offset += got;
        count -= got;
    }
    return 0;
}

DWORD File::WriteAt(std::uint64_t offset, const void* data, std::size_t count) const {
    BeforeStep(Step::Write, path_);
    const auto* in = static_cast<const std::uint8_t*>(data);
    while (count > 0) {
        const DWORD want = static_cast<DWORD>(std::min(count, kChunk));
        OVERLAPPED position = At(offset);
        DWORD done = 0;
        if (!WriteFile(handle_, in, want, &done, &position)) return ErrorOr(ERROR_WRITE_FAULT);
        if (done == 0) return ERROR_WRITE_FAULT;
        in += done;
        offset += done;
        count -= done;
    }
    return 0;
}

DWORD File::ReadNext(void* data, std::size_t count, std::size_t& got) const {
    DWORD done = 0;
    got = 0;
    if (!ReadFile(handle_, data, static_cast<DWORD>(std::min(count, kChunk)), &done, nullptr)) {
        return ErrorOr(ERROR_READ_FAULT);
    }
    got = done;
    return 0;
}

DWORD File::Flush() const {
    BeforeStep(Step::Flush, path_);
    return FlushFileBuffers(handle_) ? 0 : ErrorOr(ERROR_WRITE_FAULT);
}

std::wstring File::ResolvedName() const {
    // Looked up, so that the tool still starts on Windows XP, which has none.
    const FinalPathNameProc finalPathOf = SystemGetFinalPathNameByHandle();
    if (!finalPathOf || !IsOpen()) return {};
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = finalPathOf(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = finalPathOf(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    if (length == 0 || length >= buffer.size()) return {};
    return PlainForm(std::wstring(buffer.data(), length));
}

bool File::StillNamed() const {
    File now;
    if (now.Open(path_, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                 FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS)) {
        return false;
    }
    FileFacts mine, named;
    if (Facts(mine) || now.Facts(named)) return false;
    return mine.index == named.index && (mine.index != 0 || mine.size == named.size);
}

DWORD File::DeleteAndClose(const File* keep) {
    BeforeStep(Step::Delete, path_);
    if (!StillNamed() || (keep && !keep->StillNamed())) return kNoLongerNamedError;
    FileFacts facts;
    if (DWORD error = Facts(facts)) return error;
    if (facts.attributes & FILE_ATTRIBUTE_READONLY) {
        // FILE_BASIC_INFORMATION: four times (zero: unchanged), then the
        // attributes.
        struct {
            LARGE_INTEGER times[4];
            ULONG attributes;
        } basic{};
        basic.attributes = (facts.attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
        if (DWORD error = SetInformation(handle_, &basic, sizeof basic, kFileBasicInformation)) return error;
    }
    // The name goes at once where the system can (Windows 10 1709 and
    // later on NTFS): a deletion that only waits for the last handle would
    // keep the name blocked while a scanner holds the file. Elsewhere the
    // request is refused and the old kind of deletion serves.
    ULONG flags = kDispositionDelete | kDispositionPosixSemantics;
    if (SetInformation(handle_, &flags, sizeof flags, kFileDispositionInformationEx) == 0) return Close();
    BOOLEAN deleteFile = TRUE;
    if (DWORD error = SetInformation(handle_, &deleteFile, sizeof deleteFile, kFileDispositionInformation)) {
        return error;
    }
    return Close();
}


DWORD File::RenameTo(const std::wstring& path) {
    BeforeStep(Step::Rename, path);
    if (!StillNamed()) return kNoLongerNamedError;
    const std::wstring name = NtPathOf(path);
    // FILE_RENAME_INFORMATION: whether to replace, a root folder (none: the
    // name is full), the name's length in bytes and the name itself.
    struct Header {
        BOOLEAN replaceIfExists;
        HANDLE rootDirectory;
        ULONG fileNameLength;
    };
    const std::size_t nameBytes = name.size() * sizeof(wchar_t);
    std::vector<std::uint8_t> buffer(sizeof(Header) + nameBytes + sizeof(wchar_t));
    Header header{FALSE, nullptr, static_cast<ULONG>(nameBytes)};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(&header), sizeof header, buffer.data());
    std::copy_n(reinterpret_cast<const std::uint8_t*>(name.data()), nameBytes, buffer.data() + sizeof(Header));
    const DWORD error = SetInformation(handle_, buffer.data(), static_cast<ULONG>(buffer.size()), kFileRenameInformation);
    if (error) return error == ERROR_FILE_EXISTS ? static_cast<DWORD>(ERROR_ALREADY_EXISTS) : error;
    path_ = path;
    return 0;
}

}  // namespace tarnwick::fileio
