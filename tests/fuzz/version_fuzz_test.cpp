// Version recognition over generated and mutated probes and real game files
// of many sizes, compared with the plain model that builds the whole
// zero-filled buffer; and a 100 MB game file, which recognition must not
// read through.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "core/game/version.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/reference_models.h"
#include "tests/support/synthetic_game.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::test::fuzz {
namespace {

constexpr GameVersion kVersions[] = {GameVersion::V1_07, GameVersion::V1_08, GameVersion::V9_07};
constexpr std::size_t kLongestSignature = 53;  // 9.07: sixteen units and the 37 of 1.07

// Units of every kind the round trip treats differently.
wchar_t RandomUnit(Rng& rng) {
    switch (rng.Below(10)) {
        case 0: return static_cast<wchar_t>(rng.Between(0x01, 0x7F));          // ASCII, control codes too
        case 1: return static_cast<wchar_t>(rng.Between(0x4E00, 0x9FA5));      // CJK ideographs
        case 2: return rng.Pick(kUnrepresentableUnits);                         // no GBK equivalent
        case 3: return static_cast<wchar_t>(rng.Between(0xD800, 0xDFFF));      // surrogates, paired or not
        case 4: return static_cast<wchar_t>(rng.Between(0xE000, 0xF8FF));      // private use
        case 5: return static_cast<wchar_t>(rng.Between(0xFF01, 0xFFFF));      // full width and specials
        case 6: return static_cast<wchar_t>(rng.Between(0x0080, 0x07FF));      // Latin, Greek, Cyrillic ...
        default: return static_cast<wchar_t>(rng.Between(0x0001, 0xFFFF));
    }
}

// A version's probe units, then a few edits: a unit replaced (often by an
// unrepresentable one where the signature reads "?", which must not
// matter), inserted, dropped, or the probe cut short or made longer.
std::wstring MutatedSignatureUnits(Rng& rng, GameVersion& base) {
    base = kVersions[rng.Below(3)];
    std::wstring units = SyntheticProbeUnits(base, static_cast<std::uint32_t>(rng.Next()));
    const std::uint32_t edits = rng.Below(4);  // a quarter stay intact
    for (std::uint32_t e = 0; e < edits; ++e) {
        const std::uint32_t at = rng.Below(static_cast<std::uint32_t>(units.size()) + 1);
        switch (rng.Below(7)) {
            case 0:
            case 1:
                if (at < units.size()) units[at] = units[at] == L'?' || rng.OneIn(2) ? rng.Pick(kUnrepresentableUnits)
                                                                                    : RandomUnit(rng);
                break;
            case 2:
                if (at < units.size()) units[at] = RandomUnit(rng);
                break;
            case 3:
                units.insert(units.begin() + at, RandomUnit(rng));
                break;
            case 4:
                if (at < units.size()) units.erase(at, 1);
                break;
            case 5:
                units.resize(at);
                break;
            default:
                units += RandomUnit(rng);
                break;
        }
    }
    return units;
}

// The bytes from the probe offset on: units as little-endian pairs, then
// either a zero unit and junk, or junk straight away, or an odd cut.
Bytes EncodeProbe(Rng& rng, const std::wstring& units) {
    Bytes bytes;
    for (wchar_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    switch (rng.Below(5)) {
        case 0:
            break;  // the file ends here
        case 1:
            if (!bytes.empty()) bytes.pop_back();  // an odd last byte
            break;
        case 2: {  // more units that are not zero
            const Bytes junk = RandomBytes(rng, rng.Below(40));
            bytes.insert(bytes.end(), junk.begin(), junk.end());
            break;
        }
        default: {  // a zero unit, then anything
            bytes.push_back(0);
            bytes.push_back(0);
            const Bytes junk = RandomBytes(rng, rng.Below(40));
            bytes.insert(bytes.end(), junk.begin(), junk.end());
            break;
        }
    }
    return bytes;
}

Bytes RandomProbeBytes(Rng& rng, GameVersion* base = nullptr) {
    GameVersion version = GameVersion::Unknown;
    Bytes bytes;
    switch (rng.Below(8)) {
        case 0:
            bytes = RandomBytes(rng, rng.Below(300));
            break;
        case 1: {  // long runs of non-zero units
            std::wstring units;
            for (std::uint32_t i = rng.Below(200); i > 0; --i) units += RandomUnit(rng);
            bytes = EncodeProbe(rng, units);
            break;
        }
        default:
            bytes = EncodeProbe(rng, MutatedSignatureUnits(rng, version));
            break;
    }
    if (base) *base = version;
    return bytes;
}

std::string Name(GameVersion version) {
    switch (version) {
        case GameVersion::V1_07: return "1.07";
        case GameVersion::V1_08: return "1.08";
        case GameVersion::V9_07: return "9.07";
        case GameVersion::Unknown: break;
    }
    return "unknown";
}

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(VersionFuzz, ProbeFunctionsAgreeWithTheModel) {
    Rng rng = Rng::ForTest("probe");
    const int kCases = 300000;
    int mismatches = 0;
    int recognised[4] = {};
    Stopwatch watch;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        const Bytes bytes = RandomProbeBytes(rng);
        const model::VersionTagBuffer expected = model::ProbeOfBytesFromOffset(bytes);
        const std::wstring units = ProbeUnits(bytes);
        const std::wstring text = ProbeText(units);
        const GameVersion version = RecogniseProbeText(text);
        ++recognised[static_cast<int>(expected.version)];
        if (units != expected.units || text != expected.text || version != expected.version) {
            ++mismatches;
            ADD_FAILURE() << "case " << i << ": got " << Name(version) << ", the model gives " << Name(expected.version)
                          << "\nunits " << HexUnits(units) << "\nmodel " << HexUnits(expected.units) << "\ntext  "
                          << HexUnits(text) << "\nmodel " << HexUnits(expected.text) << "\nbytes " << Hex(AsText(bytes));
        }
    }
    std::printf("[fuzz] probe: %d cases in %.2f s; recognised 1.07 %d, 1.08 %d, 9.07 %d, none %d\n", kCases,
                watch.Seconds(), recognised[1], recognised[2], recognised[3], recognised[0]);
    // Mutations that keep a signature must be common enough to matter.
    for (int v = 1; v <= 3; ++v) EXPECT_GT(recognised[v], kCases / 50) << "version index " << v;
}

// A unit that comes back as "?" may stand wherever a signature reads "?";
// any other change of a unit breaks recognition.
TEST(VersionFuzz, OnlyUnitsThatComeBackAsQuestionMarksMayReplaceThem) {
    Rng rng = Rng::ForTest("question marks");
    const int kCases = 40000;
    int mismatches = 0;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        const GameVersion version = kVersions[rng.Below(3)];
        std::wstring units = SignatureText(version);
        const std::uint32_t at = rng.Below(static_cast<std::uint32_t>(units.size()));
        const wchar_t original = units[at];
        const wchar_t replacement = RandomUnit(rng);
        units[at] = replacement;
        const bool staysTheSame = model::RoundTrip936(std::wstring(1, replacement)) == std::wstring(1, original) &&
                                  !(replacement >= 0xD800 && replacement <= 0xDFFF);
        Bytes bytes;
        for (wchar_t unit : units) {
            bytes.push_back(static_cast<std::uint8_t>(unit));
            bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        const GameVersion got = RecogniseProbeText(ProbeText(ProbeUnits(bytes)));
        const GameVersion modelVersion = model::ProbeOfBytesFromOffset(bytes).version;
        const bool surrogate = replacement >= 0xD800 && replacement <= 0xDFFF;
        if (got != modelVersion || (!surrogate && (got == version) != staysTheSame)) {
            ++mismatches;
            ADD_FAILURE() << "version " << Name(version) << ", unit " << at << " " << HexUnits({&original, 1})
                          << " replaced by " << HexUnits({&replacement, 1}) << ": got " << Name(got)
                          << ", the model gives " << Name(modelVersion);
        }
    }
}

// A game file mirrored in memory, kept in step with the file on disk, so
// that each case costs a write at the probe offset and a change of length
// rather than a whole file.
class GameFileMirror {
public:
    explicit GameFileMirror(const std::wstring& path) : path_(path) {
        handle_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~GameFileMirror() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    const Bytes& Contents() const { return bytes_; }

    // Writes `data` at `offset` and makes the file `size` bytes long;
    // bytes that a longer file gains are zero, as the file system makes
    // them.
    bool WriteAndResize(std::size_t offset, const Bytes& data, std::size_t size) {
        if (offset + data.size() > bytes_.size()) bytes_.resize(offset + data.size(), 0);
        std::copy(data.begin(), data.end(), bytes_.begin() + offset);
        bytes_.resize(size, 0);
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD written = 0;
        if (!data.empty()) {
            if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN)) return false;
            if (!WriteFile(handle_, data.data(), static_cast<DWORD>(data.size()), &written, nullptr)) return false;
        }
        at.QuadPart = static_cast<LONGLONG>(size);
        return SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle_);
    }

private:
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    Bytes bytes_;
};

TEST(VersionFuzz, GameFilesOfManySizesAgreeWithTheModel) {
    Rng rng = Rng::ForTest("game files");
    TempFolder temp;
    const std::wstring path = temp / L"meteor.exe";
    GameFileMirror game(path);
    ASSERT_TRUE(game.IsOpen());
    // Random bytes before the probe, so a reader that starts in the wrong
    // place sees something else.
    ASSERT_TRUE(game.WriteAndResize(0, PseudoRandomBytes(kProbeOffset + 4096, 11), kProbeOffset + 4096));

    std::vector<std::size_t> sizes = {0, 1, 2, 3, kProbeOffset - 1, kProbeOffset, kProbeOffset + 1,
                                      kProbeOffset + 2, kProbeOffset + 3};
    const int kCases = 8000;
    int mismatches = 0;
    Stopwatch watch;
    for (int i = 0; i < kCases && mismatches < kMaxReportedMismatches; ++i) {
        Bytes probe = RandomProbeBytes(rng);
        std::size_t size;
        if (static_cast<std::size_t>(i) < sizes.size()) {
            size = sizes[static_cast<std::size_t>(i)];
        } else if (rng.OneIn(50)) {
            size = rng.Below(kProbeOffset);  // too short for any probe
        } else if (rng.OneIn(200)) {
            size = kProbeOffset + probe.size() + rng.Below(3u << 20);  // a few megabytes
        } else if (rng.OneIn(3)) {
            size = kProbeOffset + probe.size() + rng.Below(3000);  // more bytes after the probe
        } else {
            size = kProbeOffset + rng.Below(static_cast<std::uint32_t>(probe.size()) + 1);  // cut inside it
        }
        // After a short file the bytes before the probe are zeros until
        // they are written again.
        if (size > kProbeOffset && game.Contents().size() < kProbeOffset) {
            ASSERT_TRUE(game.WriteAndResize(0, PseudoRandomBytes(kProbeOffset, static_cast<std::uint32_t>(i)),
                                            kProbeOffset));
        }
        Bytes tail = probe;
        if (kProbeOffset + tail.size() < size) {
            const Bytes more = RandomBytes(rng, size - kProbeOffset - tail.size());
            tail.insert(tail.end(), more.begin(), more.end());
        }
        ASSERT_TRUE(game.WriteAndResize(kProbeOffset, size > kProbeOffset ? tail : Bytes(), size));
        const Recognition got = RecogniseGameFile(path);
        const model::VersionTagBuffer expected = model::ProbeOfFile(game.Contents());
        // The text matters only while it could be a signature; a longer
        // one may be read no further than it takes to tell.
        const bool textAgrees = expected.text.size() <= kLongestSignature
                                    ? got.probeText == expected.text
                                    : got.probeText.size() > kLongestSignature &&
                                          expected.text.compare(0, kLongestSignature, got.probeText, 0,
                                                                kLongestSignature) == 0;
        if (got.version != expected.version || !textAgrees || got.systemError != 0) {
            ++mismatches;
            ADD_FAILURE() << "file " << i << " of " << size << " bytes: got " << Name(got.version) << " (error "
                          << got.systemError << "), the model gives " << Name(expected.version) << "\ntext  "
                          << HexUnits(got.probeText) << "\nmodel " << HexUnits(expected.text);
        }
    }
    std::printf("[fuzz] game files: %d files recognised and modelled in %.2f s\n", kCases, watch.Seconds());
}

// Probes that run past everything recognition reads: the text read must
// still be the start of the model's text, and never a signature.
TEST(VersionFuzz, ProbesLongerThanAnySignatureAreNeverRecognised) {
    Rng rng = Rng::ForTest("long probes");
    TempFolder temp;
    const std::wstring path = temp / L"meteor.exe";
    const int kCases = 300;
    for (int i = 0; i < kCases; ++i) {
        const GameVersion version = kVersions[rng.Below(3)];
        std::wstring units = SyntheticProbeUnits(version, static_cast<std::uint32_t>(i));
        // Followed by surrogate pairs (two units that come back as one
        // "?"), by unrepresentable units or by anything non-zero.
        const std::uint32_t extra = rng.Between(1, 400);
        for (std::uint32_t k = 0; k < extra; ++k) {
            switch (rng.Below(3)) {
                case 0:
                    units += static_cast<wchar_t>(rng.Between(0xD800, 0xDBFF));
                    units += static_cast<wchar_t>(rng.Between(0xDC00, 0xDFFF));
                    break;
                case 1: units += rng.Pick(kUnrepresentableUnits); break;
                default: units += RandomUnit(rng); break;
            }
        }
        Bytes file = PseudoRandomBytes(kProbeOffset, static_cast<std::uint32_t>(i));
        for (wchar_t unit : units) {
            file.push_back(static_cast<std::uint8_t>(unit));
            file.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        if (rng.OneIn(2)) file.push_back(0x41);
        WriteFileBytes(path, file);
        const Recognition got = RecogniseGameFile(path);
        const model::VersionTagBuffer expected = model::ProbeOfFile(file);
        ASSERT_EQ(expected.version, GameVersion::Unknown);
        EXPECT_EQ(got.version, GameVersion::Unknown) << "case " << i;
        EXPECT_EQ(got.systemError, 0u);
    }
}

// Counts the bytes that ReadFile calls of this test program ask for, by
// pointing the program's import of ReadFile at a counting wrapper while it
// lives. The code under test is linked into this program, so its reads
// go through the same import.
class ReadFileCounter {
public:
    ReadFileCounter() {
        entry_ = FindImport("kernel32.dll", "ReadFile");
        if (!entry_) return;
        original_ = reinterpret_cast<ReadFileFn>(*entry_);
        Swap(reinterpret_cast<void*>(&Counting));
    }
    ~ReadFileCounter() {
        if (entry_) Swap(reinterpret_cast<void*>(original_));
    }
    bool Installed() const { return entry_ != nullptr; }
    static std::uint64_t BytesAskedFor() { return asked_; }
    static std::uint64_t Calls() { return calls_; }

private:
    using ReadFileFn = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);

    static BOOL WINAPI Counting(HANDLE file, LPVOID data, DWORD count, LPDWORD got, LPOVERLAPPED overlapped) {
        asked_ += count;
        ++calls_;
        return original_(file, data, count, got, overlapped);
    }

    void Swap(void* function) {
        DWORD old = 0;
        VirtualProtect(entry_, sizeof *entry_, PAGE_READWRITE, &old);
        *entry_ = function;
        VirtualProtect(entry_, sizeof *entry_, old, &old);
    }

    // The import address table slot of `function` from `library` in this
    // program's image.
    static void** FindImport(const char* library, const char* function) {
        auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleW(nullptr));
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
             descriptor->Name != 0; ++descriptor) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), library) != 0) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
            auto* slots = reinterpret_cast<void**>(base + descriptor->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0) return slots;
            }
        }
        return nullptr;
    }

    void** entry_ = nullptr;
    static inline ReadFileFn original_ = nullptr;
    static inline std::uint64_t asked_ = 0;
    static inline std::uint64_t calls_ = 0;
};

// Recognition of a 100 MB game file asks for only the bytes at the probe,
// however far the probe runs. Times are printed against one plain read
// of the whole file.
TEST(VersionFuzz, HundredMegabyteGameFileIsReadOnlyWhereTheProbeIs) {
    TempFolder temp;
    const std::wstring path = temp / L"meteor.exe";
    constexpr std::uint64_t kSize = 100ull << 20;

    struct Case {
        const char* name;
        bool sparse;  // zeros after the probe, or non-zero bytes written to the end
        GameVersion version;
    };
    const Case cases[] = {
        {"sparse, 9.07", true, GameVersion::V9_07},
        {"written, no zero unit to the end", false, GameVersion::Unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        Stopwatch writing;
        if (c.sparse) {
            Bytes head = MakeSyntheticGame(c.version, 3, kProbeOffset + 200);
            ASSERT_TRUE(WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr));
            LARGE_INTEGER end;
            end.QuadPart = static_cast<LONGLONG>(kSize);
            ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
            ASSERT_TRUE(SetEndOfFile(file));
        } else {
            // The 1.08 probe with its zero unit overwritten: the probe runs
            // on through 98 MB of 0x41 bytes.
            Bytes head = MakeSyntheticGame(GameVersion::V1_08, 3, kProbeOffset + 200);
            std::fill(head.begin() + kProbeOffset + 2 * 22, head.end(), 0x41);
            ASSERT_TRUE(WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr));
            const Bytes chunk(1 << 20, 0x41);
            for (std::uint64_t at = head.size(); at < kSize; at += chunk.size()) {
                const DWORD count = static_cast<DWORD>(std::min<std::uint64_t>(chunk.size(), kSize - at));
                ASSERT_TRUE(WriteFile(file, chunk.data(), count, &written, nullptr));
            }
        }
        const double writeMs = writing.Milliseconds();

        // One plain read of the whole file, as a yardstick.
        Stopwatch whole;
        std::vector<std::uint8_t> buffer(1 << 20);
        LARGE_INTEGER start{};
        SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
        std::uint64_t total = 0;
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) || got == 0) break;
            total += got;
        }
        const double wholeMs = whole.Milliseconds();
        CloseHandle(file);
        ASSERT_EQ(total, kSize);

        Recognition got;
        std::uint64_t asked = 0;
        std::uint64_t calls = 0;
        Stopwatch recognising;
        {
            ReadFileCounter counter;
            ASSERT_TRUE(counter.Installed()) << "this program imports no ReadFile";
            const std::uint64_t askedBefore = ReadFileCounter::BytesAskedFor();
            const std::uint64_t callsBefore = ReadFileCounter::Calls();
            got = RecogniseGameFile(path);
            asked = ReadFileCounter::BytesAskedFor() - askedBefore;
            calls = ReadFileCounter::Calls() - callsBefore;
        }
        const double recogniseMs = recognising.Milliseconds();
        EXPECT_EQ(got.version, c.version);
        EXPECT_EQ(got.systemError, 0u);
        EXPECT_GT(calls, 0u) << "the reads were not seen";
        EXPECT_LE(asked, 64u * 1024) << "recognition read far more than the probe needs";
        std::printf("[fuzz] 100 MB game file (%s): written in %.0f ms, read whole in %.1f ms; recognised in %.2f ms "
                    "with %llu bytes asked for in %llu reads\n",
                    c.name, writeMs, wholeMs, recogniseMs, static_cast<unsigned long long>(asked),
                    static_cast<unsigned long long>(calls));
        DeleteFileW(path.c_str());
    }
}

}  // namespace
}  // namespace tarnwick::test::fuzz
