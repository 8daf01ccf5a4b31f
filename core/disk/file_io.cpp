#include "core/disk/file_io.h"

#include <algorithm>
#include <atomic>
#include <climits>

#include "core/disk/folder_guard.h"
#include "core/disk/held_file_retry.h"
#include "core/disk/sha256.h"
#include "core/disk/step_watch.h"
#include "core/disk/trailing_separator.h"
#include "core/text/hex_digits.h"
#include "win32/system_library.h"

namespace tarnwick::fileio {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
// ReadUntilEnd's piece, on the stack: Linux makes a /proc file a page at
// a time, and the files read so are a few pages at most.
constexpr std::size_t kPageChunk = 4096;

// The temporary files' names: the process id times 2^32 divided by the
// golden ratio (Knuth's multiplicative hash), so that neighbouring process
// ids give names far apart, plus the time; then a count times an odd step,
// so that the names of one run go through all 2^32 before one comes again.
constexpr DWORD kNameSpread = 0x9E3779B1u;
constexpr DWORD kNameStep = 0x6F4F2A1Bu;

// The kinds of file information ntdll reads and sets through a handle.
constexpr int kFileBasicInformation = 4;
constexpr int kFileStandardInformation = 5;
constexpr int kFileInternalInformation = 6;
constexpr int kFileRenameInformation = 10;
constexpr int kFileDispositionInformation = 13;
constexpr int kFileAttributeTagInformation = 35;

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED position = {};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

DWORD ErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error ? error : fallback;
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
    identity.index = std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
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
    facts.index = static_cast<std::uint64_t>(index.QuadPart);
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

DWORD CreationError(DWORD error, const std::wstring& path) {
    const bool notFound = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return notFound && FolderExists(ParentFolder(path)) && FolderGuardCanRefuse(GuardFactsFor(path))
               ? kCreationBlockedError
               : error;
}

DWORD EnsureFolder(const std::wstring& path, bool* created) {
    if (created) *created = false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ERROR_DIRECTORY;
    }
    BeforeStep(Step::Create, path);
    if (!CreateDirectoryW(path.c_str(), nullptr)) return CreationError(ErrorOr(ERROR_CANNOT_MAKE), path);
    if (created) *created = true;
    return 0;
}

std::wstring ParentFolder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    return length > 0 && length < needed ? std::wstring(buffer.data(), length) : path;
}

// CreateDirectoryW takes a plain path only while it leaves room for an 8.3
// name below it (MAX_PATH - 12 characters); files take a few more. The
// lower bound serves both.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

std::wstring PlainForm(const std::wstring& path) {
    // "\\?\UNC\server\share" is "\\server\share"; "\\?\C:\x" is "C:\x".
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

std::wstring LongPathForm(const std::wstring& path, std::size_t room) {
    if (path.compare(0, 4, L"\\\\?\\") == 0 || path.compare(0, 4, L"\\\\.\\") == 0) return path;
    std::wstring full = FullPath(path);
    if (full.size() + room < kPlainPathLimit) return path;
    full = WithoutTrailingSeparator(full);
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
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

namespace {

DWORD SetInformation(HANDLE handle, void* data, ULONG size, int kind) {
    const NtSetInformationFileProc set = SystemNtSetInformationFile();
    const NtStatusToErrorProc toError = SystemNtStatusToError();
    if (!set || !toError) return ERROR_CALL_NOT_IMPLEMENTED;
    NtIoStatus status{};
    const LONG result = set(handle, &status, data, size, kind);
    return result >= 0 ? 0 : toError(result);
}

}  // namespace

std::wstring FoldCase(const std::wstring& text) {
    std::wstring upper(text.size(), L'\0');
    const int length = static_cast<int>(text.size());
    const int mapped = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.c_str(), length, upper.data(), length);
    return length > 0 && mapped == length ? upper : text;
}

DWORD File::DeleteAndClose() {
    BeforeStep(Step::Delete, path_);
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
    BOOLEAN deleteFile = TRUE;
    if (DWORD error = SetInformation(handle_, &deleteFile, sizeof deleteFile, kFileDispositionInformation)) {
        return error;
    }
    return Close();
}

// The system's own spelling of a full path, which ntdll's calls take:
// "\??\C:\x", or "\??\UNC\server\share\x" for a network path.
static std::wstring NtPathOf(const std::wstring& path) {
    const std::wstring full = PlainForm(FullPath(path));
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\??\\UNC\\" + full.substr(2);
    return L"\\??\\" + full;
}

DWORD File::RenameTo(const std::wstring& path) const {
    BeforeStep(Step::Rename, path);
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
    return error == ERROR_FILE_EXISTS ? static_cast<DWORD>(ERROR_ALREADY_EXISTS) : error;
}

std::wstring FinalPath(const std::wstring& path, bool* resolved) {
    if (resolved) *resolved = false;
    const std::wstring full = FullPath(path);
    // Folders open only with backup semantics; nothing is read or written.
    File file;
    if (file.Open(LongPathForm(full), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS)) {
        return full;
    }
    const std::wstring name = file.ResolvedName();
    if (name.empty()) return full;
    if (resolved) *resolved = true;
    return name;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool HeldOpenByOthers(const std::wstring& path) {
    File probe;
    const DWORD error = probe.Open(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

DWORD ExistingAttributes(const std::wstring& path, DWORD& attributes) {
    attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return 0;
    const DWORD error = GetLastError();
    return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? 0 : error;
}

// The attribute is checked on its own: a process with full rights (an
// administrator, or root under Wine) may open a read-only file for writing
// although a rename over it then fails on Windows.
DWORD CheckReplaceable(const std::wstring& path) {
    DWORD attributes = 0;
    if (DWORD error = ExistingAttributes(path, attributes)) return error;
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_ACCESS_DENIED;
    if (attributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
    // A file another program has open for a moment (a scanner) is waited for.
    return RetryWhileHeld([&path] {
        File probe;
        return probe.Open(path, GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    });
}

// The temporary file is "twk" and eight hex digits ".tmp" beside the
// destination, made only if no file of that name is there: taken from the
// process id, the time and a count, so copies of the tool and files of one
// run meet seldom, and a name that is taken is passed over. The name is
// built as long as the destination's own path needs, where a fixed buffer
// would overrun in a deep folder.
DWORD PendingFile::Create() {
    if (file_.IsOpen()) return 0;
    static std::atomic<DWORD> count{0};
    const std::wstring folder = ParentFolder(destination_);
    const DWORD seed = GetCurrentProcessId() * kNameSpread + GetTickCount();
    // A name may also be refused for a moment while a file of that name
    // waits to be deleted; a folder that takes no file refuses them all.
    constexpr int kAttempts = 256;
    constexpr int kDeniedAttempts = 8;
    DWORD error = ERROR_CANNOT_MAKE;
    for (int attempt = 0, denied = 0; attempt < kAttempts && denied < kDeniedAttempts; ++attempt) {
        const DWORD unique = seed + count++ * kNameStep;
        std::wstring name = folder + L"\\twk";
        AppendHexDigits(name, unique, 8);
        name += L".tmp";
        error = file_.Open(name, GENERIC_READ | GENERIC_WRITE | DELETE, 0, CREATE_NEW);
        if (!error) {
            temp_ = std::move(name);
            return file_.Identity(tempIdentity_);
        }
        if (error == ERROR_ACCESS_DENIED) {
            ++denied;
        } else if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return CreationError(error, name);
        }
    }
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ERROR_CANNOT_MAKE : error;
}

DWORD PendingFile::Write(const void* data, std::size_t count) {
    if (DWORD error = Create()) return error;
    std::uint64_t size = 0;
    if (DWORD error = file_.Size(size)) return error;
    if (DWORD error = file_.WriteAt(size, data, count)) return error;
    written_ = true;
    return 0;
}

DWORD PendingFile::Commit() {
    if (!written_) {
        if (DWORD error = Create()) return error;  // an empty file is a valid result
        written_ = true;
    }
    if (DWORD error = file_.Flush()) return error;
    if (DWORD error = file_.Close()) return error;
    BeforeStep(Step::Rename, destination_);
    const DWORD error = RetryWhileHeld([this] {
        return MoveFileExW(temp_.c_str(), destination_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                   ? 0
                   : ErrorOr(ERROR_ACCESS_DENIED);
    });
    // Still held after the wait: a program that holds the destination is
    // using it (the game its exe); otherwise it is most likely a scanner
    // checking the fresh file, which the access denied of a rename does
    // not tell apart from its sharing violation.
    if (IsHoldError(error)) return HeldOpenByOthers(destination_) ? ERROR_SHARING_VIOLATION : kHeldByOtherProgramError;
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && !FileExists(temp_)) {
        temp_.clear();
        return kWrittenFileRemovedError;
    }
    if (error) return error;
    temp_.clear();
    return 0;
}

DWORD PendingFile::CommitWhereFree() {
    if (!written_) {
        if (DWORD error = Create()) return error;
        written_ = true;
    }
    if (DWORD error = file_.Flush()) return error;
    DWORD error = RetryWhileHeld([this] { return file_.RenameTo(destination_); });
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        // The folder is there, so the file under the handle is gone: deleted
        // by another program (a Linux one can, though it is held).
        if (FolderExists(ParentFolder(destination_))) error = kWrittenFileRemovedError;
    }
    if (error) return error;
    temp_.clear();
    return file_.Close();
}

// The temporary file goes through its own handle while that is open, and
// otherwise by name only while the name still leads to the file this
// run made: never a file that another program put in its place.
void PendingFile::Discard() {
    if (file_.IsOpen() && file_.DeleteAndClose() != ERROR_SUCCESS) file_.Close();
    if (!temp_.empty()) {
        File byName;
        FileIdentity identity;
        if (!byName.Open(temp_, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT) &&
            !byName.Identity(identity) && identity.SameFileAs(tempIdentity_)) {
            byName.DeleteAndClose();
        }
        temp_.clear();
    }
    written_ = false;
}

DWORD ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
    PendingFile pending(path);
    if (DWORD error = pending.Write(bytes)) return error;
    return pending.Commit();
}

}  // namespace tarnwick::fileio
