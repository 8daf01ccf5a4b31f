#include "tests/support/temp_folder.h"

#include <windows.h>

#include <stdexcept>

namespace tarnwick::test {

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + L"tarnwick-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp folder");
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    // Zero would mean "leave the attributes as they are".
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    SetFileAttributesW(path.c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

int LeftoverTemporaryFiles(const std::wstring& gameFolder) {
    int count = 0;
    for (const std::wstring& dir : {gameFolder, gameFolder + L"\\Data", gameFolder + L"\\Data\\Bak"}) {
        WIN32_FIND_DATAW entry;
        HANDLE find = FindFirstFileW((dir + L"\\*.tmp").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) continue;
        do ++count;
        while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    return count;
}

}  // namespace tarnwick::test
