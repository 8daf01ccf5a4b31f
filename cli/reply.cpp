#include "cli/reply.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "core/disk/file_io.h"
#include "words/messages.h"

namespace tarnwick::cli {

Reply Refusal(ExitCode code, std::wstring text) { return {code, L"", std::move(text)}; }

std::wstring GameDirOf(const std::wstring& given) {
    DWORD attributes = 0;
    if (given.empty() || fileio::ExistingAttributes(given, attributes) || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return given;
    }
    const std::size_t separator = given.find_last_of(L"\\/:");
    const std::wstring name = given.substr(separator == std::wstring::npos ? 0 : separator + 1);
    const std::wstring_view gameFile = kGameFileName;
    // Letters match in either case, anything else only as it is.
    const auto sameLetter = [](wchar_t a, wchar_t b) {
        return a == b || ((a | 0x20) == (b | 0x20) && (a | 0x20) >= L'a' && (a | 0x20) <= L'z');
    };
    if (!std::equal(name.begin(), name.end(), gameFile.begin(), gameFile.end(), sameLetter)) return given;
    if (separator == std::wstring::npos) return L".";
    // "D:\meteor.exe" is in "D:\", "D:meteor.exe" in "D:" (the drive's
    // current folder), "\\server\share\meteor.exe" in the share.
    const bool afterDrive = given[separator] == L':' || (separator > 0 && given[separator - 1] == L':');
    return given.substr(0, afterDrive ? separator + 1 : separator);
}

std::optional<Reply> RefuseOutsideGameFolder(const GameFolder& folder) {
    if (fileio::FileExists(folder.GameFile())) return std::nullopt;
    const std::wstring shown = fileio::FullPath(folder.base);
    // A folder that is not there, or not reachable now (a server not up
    // yet), is told apart from one without the game, so that a script can
    // wait for the one and give up on the other. A share's root
    // ("\\server\share") answers only with a backslash after it.
    const std::wstring root = folder.Root();
    DWORD attributes = GetFileAttributesW(root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        attributes = GetFileAttributesW((root + L"\\").c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return Refusal(ExitCode::GameFolderUnreachable, GameFolderUnreachableText(shown, error));
        }
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Refusal(ExitCode::NotAGameFolder, GameDirIsFileText(shown));
    // A folder named meteor.exe stands where the game file belongs.
    if (fileio::FolderExists(folder.GameFile())) {
        return Refusal(ExitCode::FailedUnchanged, ProblemText(Outcome::NotAFile, kGameFileName, ERROR_DIRECTORY));
    }
    return Refusal(ExitCode::NotAGameFolder, NoGameFileText(shown));
}

}  // namespace tarnwick::cli
