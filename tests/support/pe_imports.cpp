#include "tests/support/pe_imports.h"

#include <windows.h>

#include <cstring>

namespace tarnwick::test {
namespace {

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
            bytes.clear();
        }
    }
    CloseHandle(file);
    return bytes;
}

class PeView {
public:
    explicit PeView(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    template <class T>
    bool Read(size_t offset, T& value) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return false;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return true;
    }

    // A NUL-terminated name at a file offset (empty when out of range).
    std::string NameAt(size_t offset) const {
        std::string name;
        while (offset < bytes_.size() && bytes_[offset] != 0 && name.size() < 260) {
            name += static_cast<char>(bytes_[offset++]);
        }
        return name;
    }

    bool Parse() {
        IMAGE_DOS_HEADER dos{};
        if (!Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE) return false;
        IMAGE_NT_HEADERS32 nt{};
        ntOffset_ = static_cast<size_t>(dos.e_lfanew);
        if (!Read(ntOffset_, nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
            nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
            return false;
        }
        nt_ = nt;
        sectionsOffset_ = ntOffset_ + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
        return true;
    }

    // File offset of a relative virtual address; 0 when no section holds it.
    size_t OffsetOf(DWORD rva) const {
        for (WORD i = 0; i < nt_.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            if (!Read(sectionsOffset_ + i * sizeof section, section)) return 0;
            const DWORD size = section.Misc.VirtualSize != 0 ? section.Misc.VirtualSize : section.SizeOfRawData;
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        return 0;
    }

    const IMAGE_DATA_DIRECTORY& Directory(int index) const { return nt_.OptionalHeader.DataDirectory[index]; }
    DWORD ImageBase() const { return nt_.OptionalHeader.ImageBase; }

private:
    std::vector<unsigned char> bytes_;
    IMAGE_NT_HEADERS32 nt_{};
    size_t ntOffset_ = 0;
    size_t sectionsOffset_ = 0;
};

}  // namespace

PeImports ReadPeImports(const std::wstring& path) {
    PeImports result;
    PeView pe(ReadWholeFile(path));
    if (!pe.Parse()) return result;
    result.valid = true;

    if (pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress != 0) {
        size_t offset = pe.OffsetOf(pe.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress);
        IMAGE_IMPORT_DESCRIPTOR descriptor{};
        while (offset != 0 && pe.Read(offset, descriptor) && descriptor.Name != 0) {
            result.libraries.push_back(pe.NameAt(pe.OffsetOf(descriptor.Name)));
            offset += sizeof descriptor;
        }
    }
    if (pe.Directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).VirtualAddress != 0) {
        size_t offset = pe.OffsetOf(pe.Directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).VirtualAddress);
        // ImgDelayDescr: attributes, then the RVA of the library name.
        struct {
            DWORD attributes;
            DWORD name;
            DWORD rest[6];
        } descriptor{};
        while (offset != 0 && pe.Read(offset, descriptor) && descriptor.name != 0) {
            // Attribute bit 0 clear: the old format, with addresses, not RVAs.
            const DWORD name = (descriptor.attributes & 1) != 0 ? descriptor.name : descriptor.name - pe.ImageBase();
            result.delayLoaded.push_back(pe.NameAt(pe.OffsetOf(name)));
            offset += sizeof descriptor;
        }
    }
    return result;
}

std::wstring WindowsPathOfUnixPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

}  // namespace tarnwick::test
