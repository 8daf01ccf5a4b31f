#include "cli/values_file.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "core/operations/apply.h"
#include "core/stored/settings_cache.h"
#include "core/text/codepage.h"
#include "words/values_file_text.h"

namespace tarnwick::cli {
namespace {

bool StartsWith(std::string_view bytes, std::string_view start) { return bytes.substr(0, start.size()) == start; }

std::wstring Utf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return text;
}

bool IsUtf8(std::string_view bytes) {
    if (bytes.empty()) return true;
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                               0) > 0;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\x3000' || c == L'\r' || c == L'\n'; }

std::vector<std::wstring_view> Words(std::wstring_view text) {
    std::vector<std::wstring_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

std::wstring CheckValues(std::wstring_view name, const std::array<std::optional<std::wstring_view>, kFieldCount>& given,
                         FieldTexts& values) {
    values = DefaultFieldTexts();
    for (int i = 0; i < kFieldCount; ++i) {
        if (!given[i]) continue;
        if (const std::optional<ValueProblem> problem = CheckFieldValue(i, *given[i])) {
            return ValuesFileErrorText({ValuesFileProblem::BadValue, name, 0, i, *problem, *given[i]});
        }
        values[i] = *given[i];
    }
    return L"";
}

}  // namespace

std::wstring DecodeValuesFile(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return CodePageToWide(bytes.substr(3), CP_UTF8);
    if (StartsWith(bytes, "\xFF\xFE")) return Utf16(bytes.substr(2), false);
    if (StartsWith(bytes, "\xFE\xFF")) return Utf16(bytes.substr(2), true);
    return CodePageToWide(bytes, IsUtf8(bytes) ? CP_UTF8 : kGameCodePage);
}

std::wstring ReadValuesOrRefusal(std::wstring_view text, std::wstring_view name, FieldTexts& values) {
    std::array<std::optional<std::wstring_view>, kFieldCount> given;
    const std::vector<std::wstring_view> words = Words(text);
    if (!words.empty() && words.front().front() == L'[') {
        // The settings cache, as the window reads it.
        const CacheFieldLines<wchar_t> lines = SplitSettingsCache(text);
        bool any = false;
        for (int i = 0; i < kFieldCount; ++i) {
            if (!lines[i]) continue;
            given[i] = CacheLineValue(*lines[i]);
            any = true;
        }
        if (!any) return ValuesFileErrorText({.problem = ValuesFileProblem::NoValues, .name = name});
        return CheckValues(name, given, values);
    }
    if (words.size() != static_cast<std::size_t>(kFieldCount)) {
        return ValuesFileErrorText({.problem = ValuesFileProblem::ValueCount, .name = name, .count = words.size()});
    }
    for (int i = 0; i < kFieldCount; ++i) given[i] = words[static_cast<std::size_t>(i)];
    return CheckValues(name, given, values);
}

}  // namespace tarnwick::cli
