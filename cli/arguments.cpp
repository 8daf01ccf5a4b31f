#include "cli/arguments.h"

#include <string_view>

#include "core/operations/apply.h"
#include "words/joined_text.h"
#include "words/messages.h"

namespace tarnwick::cli {
namespace {

constexpr std::wstring_view kGameDirOption = L"--game-dir";
constexpr std::wstring_view kFromOption = L"--from";

std::wstring Lower(std::wstring_view word) {
    std::wstring lower(word);
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return lower;
}

bool IsLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// "--anything", "-x", "/x" and "/?" are options, known or not. A value
// such as "-5" is none: apply refuses it as a value.
bool LooksLikeOption(std::wstring_view word) {
    if (word.size() < 2) return false;
    if (word.substr(0, 2) == L"--") return true;
    return (word[0] == L'-' || word[0] == L'/') && (IsLetter(word[1]) || word[1] == L'?');
}

// Every spelling of the help people type: Unix's, Windows' and both mixed.
bool IsHelpOption(std::wstring_view name) {
    for (std::wstring_view help : {L"--help", L"-help", L"/help", L"-h", L"/h", L"-?", L"/?"}) {
        if (name == help) return true;
    }
    return false;
}

std::wstring_view CommandName(Command command) {
    switch (command) {
        case Command::Status: return L"status";
        case Command::Apply: return L"apply";
        case Command::Restore: return L"restore";
        default: return L"";
    }
}

// One pass over the words. The first problem found is the one reported,
// but the pass goes on: a request for the help further on still wins.
class Reader {
public:
    explicit Reader(const std::vector<std::wstring>& words) : words_(words) {}
    ParsedArguments Read();

private:
    void Fail(std::wstring text) {
        if (error_.empty()) error_ = std::move(text);
    }
    // The option's value: after "=" in the same word, or the next word.
    std::optional<std::wstring> OptionValue(std::wstring_view option, std::size_t& index, std::size_t equals);
    void ReadOption(std::size_t& index);
    void ReadGameDir(const std::wstring& dir);
    void ReadWord(const std::wstring& word);
    void CheckApply();

    const std::vector<std::wstring>& words_;
    Request request_;
    bool commandSeen_ = false;
    bool gameDirSeen_ = false;
    bool help_ = false;
    bool version_ = false;
    std::vector<std::wstring> values_;
    std::wstring error_;
};

std::optional<std::wstring> Reader::OptionValue(std::wstring_view option, std::size_t& index, std::size_t equals) {
    if (equals != std::wstring::npos) return words_[index].substr(equals + 1);
    if (index + 1 < words_.size()) return words_[++index];
    Fail(Joined({L"选项“", option, option == kFromOption ? L"”后面缺少文件名。" : L"”后面缺少游戏目录。"}));
    return std::nullopt;
}

void Reader::ReadOption(std::size_t& index) {
    const std::wstring& word = words_[index];
    const std::size_t equals = word.find(L'=');
    const std::wstring name = Lower(std::wstring_view(word).substr(0, equals));
    if (equals == std::wstring::npos && IsHelpOption(name)) {
        help_ = true;
    } else if (equals == std::wstring::npos && name == L"--version") {
        version_ = true;
    } else if (name == kGameDirOption) {
        if (const std::optional<std::wstring> dir = OptionValue(kGameDirOption, index, equals)) ReadGameDir(*dir);
    } else if (name == kFromOption) {
        const std::optional<std::wstring> file = OptionValue(kFromOption, index, equals);
        if (!file) return;
        if (request_.fromFile) return Fail(Joined({L"选项“", kFromOption, L"”只能写一次。"}));
        if (file->empty()) return Fail(Joined({L"选项“", kFromOption, L"”后面的文件名是空的。"}));
        request_.fromFile = *file;
    } else {
        Fail(Joined({L"未知的选项“", word, L"”。"}));
    }
}

void Reader::ReadGameDir(const std::wstring& dir) {
    if (gameDirSeen_) return Fail(Joined({L"选项“", kGameDirOption, L"”只能写一次。"}));
    gameDirSeen_ = true;
    if (dir.empty()) return Fail(Joined({L"选项“", kGameDirOption, L"”后面的游戏目录是空的。"}));
    // No path holds a quote. cmd.exe passes "D:\Games\" on as D:\Games"
    // (a backslash before a quote makes it a plain quote), and the words
    // after it run into the path.
    if (dir.find(L'"') != std::wstring::npos) {
        return Fail(Joined({L"游戏目录“", dir,
                            L"”中有引号：路径末尾的反斜杠和后面的引号被当成了一个引号。"
                            L"请去掉路径末尾的反斜杠，或在它后面加一个点，例如 \"D:\\Games\\.\"。"}));
    }
    request_.gameDir = dir;
}

void Reader::ReadWord(const std::wstring& word) {
    if (commandSeen_) {
        if (request_.command == Command::Apply) {
            values_.push_back(word);
            return;
        }
        return Fail(Joined({L"多余的参数“", word, L"”：", CommandName(request_.command), L" 后面不带参数。"}));
    }
    const std::wstring command = Lower(word);
    if (command == L"help") {
        help_ = true;
        return;
    }
    if (command == L"status") {
        request_.command = Command::Status;
    } else if (command == L"apply") {
        request_.command = Command::Apply;
    } else if (command == L"restore") {
        request_.command = Command::Restore;
    } else {
        return Fail(Joined({L"未知的命令“", word, L"”：命令只有 status、apply 和 restore。"}));
    }
    commandSeen_ = true;
}

// The values in field order, each checked as "确认" checks the field.
void Reader::CheckApply() {
    if (values_.empty()) return;
    if (request_.fromFile) return Fail(Joined({L"apply 后面的数值和选项“", kFromOption, L"”只能用一个。"}));
    if (values_.size() != static_cast<std::size_t>(kFieldCount)) {
        return Fail(Joined({L"apply 后面要写 ", DecimalText(kFieldCount), L" 个数值，现在有 ",
                            DecimalText(static_cast<unsigned long>(values_.size())), L" 个。"}));
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (const std::optional<ValueProblem> problem = CheckFieldValue(i, values_[i])) {
            return Fail(Joined({L"apply 后面的第 ", DecimalText(static_cast<unsigned long>(i + 1)), L" 个数值有误：",
                                ValueProblemText(i, *problem, values_[i])}));
        }
        request_.values[i] = values_[i];
    }
    request_.valuesGiven = true;
}

ParsedArguments Reader::Read() {
    for (std::size_t i = 0; i < words_.size(); ++i) {
        if (LooksLikeOption(words_[i])) {
            ReadOption(i);
        } else {
            ReadWord(words_[i]);
        }
    }
    if (!commandSeen_) Fail(L"缺少命令：请写 status、apply 或 restore。");
    if (request_.fromFile && request_.command != Command::Apply) {
        Fail(Joined({L"选项“", kFromOption, L"”只能和 apply 一起用。"}));
    }
    if (request_.command == Command::Apply) CheckApply();

    ParsedArguments parsed;
    if (help_ || version_) {
        parsed.request.command = help_ ? Command::Help : Command::Version;
        return parsed;
    }
    parsed.request = request_;
    parsed.error = error_;
    return parsed;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::wstring>& arguments) { return Reader(arguments).Read(); }

}  // namespace tarnwick::cli
