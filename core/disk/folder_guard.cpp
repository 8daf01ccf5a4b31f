#include "core/disk/folder_guard.h"

#include "core/disk/path_forms.h"
#include "win32/system_library.h"

namespace tarnwick::fileio {

constexpr DWORD kFirstGuardingBuild = 16299;  // Windows 10 version 1709

bool FolderGuardCanRefuse(const GuardFacts& facts) {
    const bool guardingSystem = facts.major > 10 || (facts.major == 10 && facts.build >= kFirstGuardingBuild);
    const bool local = facts.driveType == DRIVE_FIXED || facts.driveType == DRIVE_REMOVABLE;
    return guardingSystem && local && facts.realFolder;
}

GuardFacts GuardFactsFor(const std::wstring& path) {
    GuardFacts facts;
    if (const RtlGetVersionProc version = SystemRtlGetVersion()) {
        OSVERSIONINFOW info{};
        info.dwOSVersionInfoSize = sizeof info;
        if (version(&info) >= 0) {
            facts.major = info.dwMajorVersion;
            facts.build = info.dwBuildNumber;
        }
    }
    const std::wstring folder = ParentFolder(FullPath(path));
    // The volume's root: "C:\", or "\\server\share\" for a network path.
    std::wstring root = PlainForm(folder);
    if (root.size() >= 2 && root[1] == L':') {
        root = root.substr(0, 2) + L"\\";
    } else if (root.compare(0, 2, L"\\\\") == 0) {
        const std::size_t share = root.find(L'\\', root.find(L'\\', 2) + 1);
        root = share == std::wstring::npos ? root + L"\\" : root.substr(0, share + 1);
    }
    facts.driveType = GetDriveTypeW(root.c_str());
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    facts.realFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                       !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    return facts;
}

}  // namespace tarnwick::fileio
