#include "tests/faults/tool_fixture.h"

namespace tarnwick::test {
namespace {

// Wine's settings for one program: AppDefaults\<exe name>\X11 Driver.
std::wstring ProgramKey() {
    const std::wstring exe = ToolExePath();
    const std::wstring name = exe.substr(exe.find_last_of(L"\\/") + 1);
    return L"Software\\Wine\\AppDefaults\\" + name;
}

const std::wstring kDriverKey = L"X11 Driver";

// Deletes the key when it holds no values and no subkeys.
bool DeleteKeyIfEmpty(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD values = 0, subkeys = 0;
    const bool empty = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                        nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       values == 0 && subkeys == 0;
    RegCloseKey(key);
    return empty && RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

UnmanagedToolWindows::UnmanagedToolWindows() {
    HKEY driver = nullptr;
    DWORD created = 0;
    const std::wstring path = ProgramKey() + L"\\" + kDriverKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &driver,
                        &created) != ERROR_SUCCESS) {
        return;
    }
    // A setting made by someone else stays as it is.
    if (RegQueryValueExW(driver, L"Managed", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        const wchar_t no[] = L"N";
        set_ = RegSetValueExW(driver, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no) ==
               ERROR_SUCCESS;
    }
    RegCloseKey(driver);
}

UnmanagedToolWindows::~UnmanagedToolWindows() {
    if (!set_) return;
    const std::wstring program = ProgramKey();
    const std::wstring path = program + L"\\" + kDriverKey;
    HKEY driver = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, &driver) != ERROR_SUCCESS) return;
    RegDeleteValueW(driver, L"Managed");
    RegCloseKey(driver);
    // The keys go too when nothing else was put in them.
    if (DeleteKeyIfEmpty(path)) DeleteKeyIfEmpty(program);
}

}  // namespace tarnwick::test
