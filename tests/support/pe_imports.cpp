#include "tests/support/pe_imports.h"

#include <windows.h>

#include <algorithm>
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
    const IMAGE_NT_HEADERS32& Headers() const { return nt_; }
    size_t SectionsOffset() const { return sectionsOffset_; }
    const std::vector<unsigned char>& Bytes() const { return bytes_; }

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
            const std::string library = pe.NameAt(pe.OffsetOf(descriptor.Name));
            result.libraries.push_back(library);
            // The lookup table names the functions; without one (old
            // linkers) the address table holds the same before loading.
            const DWORD lookup = descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk : descriptor.FirstThunk;
            size_t thunkOffset = pe.OffsetOf(lookup);
            DWORD thunk = 0;
            while (thunkOffset != 0 && pe.Read(thunkOffset, thunk) && thunk != 0) {
                if (thunk & IMAGE_ORDINAL_FLAG32) {
                    result.functions.push_back({library, "#" + std::to_string(thunk & 0xFFFF)});
                } else {
                    const size_t hintName = pe.OffsetOf(thunk);
                    result.functions.push_back({library, hintName ? pe.NameAt(hintName + 2) : std::string()});
                }
                thunkOffset += sizeof thunk;
            }
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

PeLayout ReadPeLayout(const std::wstring& path) {
    PeLayout layout;
    PeView pe(ReadWholeFile(path));
    if (!pe.Parse()) return layout;
    const IMAGE_NT_HEADERS32& nt = pe.Headers();
    layout.valid = true;
    layout.fileSize = pe.Bytes().size();
    layout.machine = nt.FileHeader.Machine;
    layout.fileCharacteristics = nt.FileHeader.Characteristics;
    layout.subsystem = nt.OptionalHeader.Subsystem;
    layout.subsystemMajor = nt.OptionalHeader.MajorSubsystemVersion;
    layout.subsystemMinor = nt.OptionalHeader.MinorSubsystemVersion;
    layout.osMajor = nt.OptionalHeader.MajorOperatingSystemVersion;
    layout.osMinor = nt.OptionalHeader.MinorOperatingSystemVersion;
    layout.entryPoint = nt.OptionalHeader.AddressOfEntryPoint;
    layout.sizeOfHeaders = nt.OptionalHeader.SizeOfHeaders;
    layout.fileAlignment = nt.OptionalHeader.FileAlignment;
    const auto& bytes = pe.Bytes();
    layout.headerBytes.assign(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), layout.sizeOfHeaders));
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER header{};
        if (!pe.Read(pe.SectionsOffset() + i * sizeof header, header)) {
            layout.valid = false;
            break;
        }
        PeSection section;
        section.name.assign(reinterpret_cast<const char*>(header.Name),
                            strnlen(reinterpret_cast<const char*>(header.Name), IMAGE_SIZEOF_SHORT_NAME));
        section.virtualAddress = header.VirtualAddress;
        section.virtualSize = header.Misc.VirtualSize;
        section.rawOffset = header.PointerToRawData;
        section.rawSize = header.SizeOfRawData;
        section.characteristics = header.Characteristics;
        layout.sections.push_back(section);
    }
    return layout;
}


}  // namespace tarnwick::test
