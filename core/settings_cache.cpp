#include "core/settings_cache.h"

#include "core/codepage.h"
#include "core/data_text_file.h"
#include "core/text_lines.h"

namespace tarnwick {
namespace {

constexpr std::wstring_view kHeader = L"[配置缓存]";
// The label in front of each value is three characters long.
constexpr std::size_t kLabelLength = 3;
// Sixteen short lines; anything past this is not part of a cache file the
// tool wrote.
constexpr std::size_t kMaxReadBytes = 1 << 20;

}  // namespace

std::string FormatSettingsCache(const FieldTexts& values) {
    std::wstring text(kHeader);
    text += kLineEnd;
    for (int i = 0; i < kFieldCount; ++i) {
        text += kFields[i].caption;
        text += values[i];
        text += kLineEnd;
    }
    return WideToCodePage(text, kGameCodePage);
}

// Neither the header nor the labels are checked: the first three
// characters of each value line are dropped whatever they are. A file cut
// short leaves the fields it lacks at nullopt.
CachedValues ParseSettingsCache(std::string_view bytes) {
    CachedValues values;
    const std::vector<std::string_view> lines = SplitLines(bytes);
    for (int i = 0; i < kFieldCount; ++i) {
        const std::size_t line = static_cast<std::size_t>(i) + 1;
        if (line >= lines.size()) break;
        const std::wstring text = CodePageToWide(lines[line], kGameCodePage);
        values[i] = text.size() > kLabelLength ? text.substr(kLabelLength) : std::wstring();
    }
    return values;
}

CachedValues ReadSettingsCache(const GameFolder& folder) {
    return ParseSettingsCache(ReadWholeLines(folder.SettingsCacheFile(), kMaxReadBytes));
}

OperationResult WriteSettingsCache(const GameFolder& folder, const FieldTexts& values) {
    return WriteDataTextFile(folder, folder.SettingsCacheFile(), FormatSettingsCache(values), Action::SaveSettings);
}

}  // namespace tarnwick
