// Placeholder definitions so that the window code links while the file
// core is written; each goes away as its real definition lands.
#include "app/patch/apply.h"
#include "app/patch/codepage.h"
#include "app/patch/fields.h"
#include "app/patch/game_folder.h"
#include "app/patch/patch_table.h"
#include "app/patch/restore.h"
#include "app/patch/settings_cache.h"
#include "app/patch/version.h"
#include "notice/hint_file.h"

#include <windows.h>

namespace tarnwick {

std::string WideToCodePage(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), out.data(), n, nullptr, nullptr);
    return out;
}
std::wstring CodePageToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), out.data(), n);
    return out;
}

const std::array<FieldSpec, kFieldCount> kFields = {{
    {L"血值：", L"50", 2, 3, true},   {L"血值：", L"100", 3, 3, true},
    {L"血值：", L"150", 3, 3, true},  {L"血值：", L"200", 3, 3, true},
    {L"血值：", L"300", 3, 3, true},  {L"时局：", L"1", 2, 4, false},
    {L"时局：", L"3", 2, 4, false},   {L"时局：", L"5", 2, 4, false},
    {L"局次：", L"7", 2, 4, false},   {L"时间：", L"10", 2, 4, false},
    {L"时局：", L"15", 2, 4, false},  {L"局次：", L"21", 2, 4, false},
    {L"局次：", L"27", 2, 4, false},  {L"局次：", L"30", 2, 4, false},
    {L"人数：", L"16", 2, 4, false},
}};
FieldTexts DefaultFieldTexts() {
    FieldTexts t;
    for (int i = 0; i < kFieldCount; ++i) t[i] = kFields[i].defaultText;
    return t;
}

std::wstring GameFolder::GameFile() const { return base + L"\\meteor.exe"; }
std::wstring GameFolder::DataFolder() const { return base + L"\\Data"; }
std::wstring GameFolder::BackupFolder() const { return base + L"\\Data\\Bak"; }
std::wstring GameFolder::BackupFile() const { return base + L"\\Data\\bak\\meteor.bak"; }
std::wstring GameFolder::SettingsCacheFile() const { return base + L"\\Data\\Slowlysave.cfg"; }
std::wstring GameFolder::HintFile() const { return base + L"\\data\\Hint.cfg"; }
bool FileExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
bool FolderExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring_view VersionTagText(GameVersion version) {
    switch (version) {
        case GameVersion::V1_07: return L"您当前所使用的版本为1.07";
        case GameVersion::V1_08: return L"您当前所使用的版本为1.08";
        case GameVersion::V9_07: return L"您当前所使用的版本为9.07";
        default: return L"无法识别您当前所使用的版本请谨慎使用";
    }
}
GameVersion VersionFromTag(std::wstring_view) { return GameVersion::Unknown; }
Recognition RecogniseGameFile(const std::wstring&) { return {}; }

OperationResult ApplyPatch(const GameFolder&, GameVersion, const FieldTexts&) {
    return {Outcome::Failed, -1, 0, RestoreButton::Unchanged, L"尚未实现"};
}
bool BackupExists(const GameFolder& folder) { return FileExists(folder.BackupFile()); }
OperationResult RestoreGameFile(const GameFolder&) {
    return {Outcome::Failed, -1, 0, RestoreButton::Unchanged, L"尚未实现"};
}
CachedValues ReadSettingsCache(const GameFolder&) { return {}; }
bool NoticeSwitchedOff(const GameFolder&) { return false; }
OperationResult WriteHintFile(const GameFolder&, std::wstring_view) { return {}; }

}  // namespace tarnwick
