#include "bench/call_counter.h"

#include <cstdint>
#include <cstring>

namespace tarnwick::bench {
namespace {

// One counting stub: "inc dword ptr [count]; jmp dword ptr [target]". The
// stub takes no part in the call otherwise, so it suits functions of any
// signature and calling convention.
struct Stub {
    std::uint8_t code[12];
    long count;
    void* target;
};

constexpr int kMaxStubs = 128;

struct StubTable {
    Stub* stubs = nullptr;  // executable block of kMaxStubs
    int used = 0;
    std::vector<CallCount> names;  // library and name of each stub
};

StubTable& Table() {
    static StubTable table;
    if (table.stubs == nullptr) {
        table.stubs = static_cast<Stub*>(
            VirtualAlloc(nullptr, sizeof(Stub) * kMaxStubs, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    }
    return table;
}

Stub* NewStub(const char* library, const char* name, void* target) {
    StubTable& table = Table();
    if (table.stubs == nullptr || table.used == kMaxStubs) return nullptr;
    Stub& stub = table.stubs[table.used++];
    stub.count = 0;
    stub.target = target;
    const auto countAddress = reinterpret_cast<std::uint32_t>(&stub.count);
    const auto targetAddress = reinterpret_cast<std::uint32_t>(&stub.target);
    stub.code[0] = 0xFF;  // inc dword ptr [countAddress]
    stub.code[1] = 0x05;
    std::memcpy(stub.code + 2, &countAddress, 4);
    stub.code[6] = 0xFF;  // jmp dword ptr [targetAddress]
    stub.code[7] = 0x25;
    std::memcpy(stub.code + 8, &targetAddress, 4);
    FlushInstructionCache(GetCurrentProcess(), &stub, sizeof stub);
    table.names.push_back({library, name, 0});
    return &stub;
}

void WriteImportEntry(DWORD* entry, DWORD value) {
    DWORD old = 0;
    VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old);
    *entry = value;
    VirtualProtect(entry, sizeof *entry, old, &old);
}

// Visits the named imports of this program: library, function name and the
// import address table entry that calls go through.
void ForEachImport(const std::function<void(const char*, const char*, DWORD*)>& visit) {
    auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) return;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); d->Name; ++d) {
        const char* library = reinterpret_cast<const char*>(base + d->Name);
        // The name table may be missing; the address table then still
        // holds the names until the loader binds it, which it has by now.
        if (d->OriginalFirstThunk == 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + d->OriginalFirstThunk);
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA32*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            if (IMAGE_SNAP_BY_ORDINAL32(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            visit(library, reinterpret_cast<const char*>(byName->Name),
                  reinterpret_cast<DWORD*>(&addresses->u1.Function));
        }
    }
}

using GetProcAddressProc = FARPROC(WINAPI*)(HMODULE, LPCSTR);
GetProcAddressProc realGetProcAddress = nullptr;
std::vector<std::string> runTimeNames;

FARPROC WINAPI CountingGetProcAddress(HMODULE module, LPCSTR name) {
    FARPROC real = realGetProcAddress(module, name);
    if (real == nullptr || HIWORD(reinterpret_cast<DWORD_PTR>(name)) == 0) return real;
    for (const std::string& watched : runTimeNames) {
        if (watched != name) continue;
        StubTable& table = Table();
        for (int i = 0; i < table.used; ++i) {
            if (table.names[i].name == watched && table.stubs[i].target == reinterpret_cast<void*>(real))
                return reinterpret_cast<FARPROC>(table.stubs[i].code);
        }
        if (Stub* stub = NewStub("(run time)", name, reinterpret_cast<void*>(real)))
            return reinterpret_cast<FARPROC>(stub->code);
    }
    return real;
}

}  // namespace

int CountImports(const char* library, const std::function<bool(const char*)>& select) {
    int redirected = 0;
    ForEachImport([&](const char* importLibrary, const char* name, DWORD* entry) {
        if (lstrcmpiA(importLibrary, library) != 0 || !select(name)) return;
        if (Stub* stub = NewStub(importLibrary, name, reinterpret_cast<void*>(*entry))) {
            WriteImportEntry(entry, reinterpret_cast<DWORD>(stub->code));
            ++redirected;
        }
    });
    return redirected;
}

bool CountRunTimeLookups(const std::vector<std::string>& names) {
    runTimeNames = names;
    if (realGetProcAddress != nullptr) return true;
    bool found = false;
    ForEachImport([&](const char* library, const char* name, DWORD* entry) {
        if (lstrcmpiA(library, "kernel32.dll") != 0 || std::strcmp(name, "GetProcAddress") != 0) return;
        realGetProcAddress = reinterpret_cast<GetProcAddressProc>(*entry);
        WriteImportEntry(entry, reinterpret_cast<DWORD>(&CountingGetProcAddress));
        found = true;
    });
    return found;
}

std::vector<CallCount> CallCounts() {
    StubTable& table = Table();
    std::vector<CallCount> counts = table.names;
    for (int i = 0; i < table.used; ++i) counts[i].calls = table.stubs[i].count;
    return counts;
}

long CallsOf(const char* name) {
    return CallsWhere([&](const CallCount& count) { return count.name == name; });
}

long CallsWhere(const std::function<bool(const CallCount&)>& select) {
    long total = 0;
    for (const CallCount& count : CallCounts()) {
        if (select(count)) total += count.calls;
    }
    return total;
}

void ResetCallCounts() {
    StubTable& table = Table();
    for (int i = 0; i < table.used; ++i) table.stubs[i].count = 0;
}

}  // namespace tarnwick::bench
