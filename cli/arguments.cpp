#include "cli/arguments.h"

#include <string_view>

#include "core/operations/apply.h"
#include "words/usage_text.h"

namespace tarnwick::cli {
namespace {

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

// The commands as they are typed, each once: read from the words, and
// named in the refusal of a word that follows one.
struct CommandWord {
    Command command;
    std::wstring_view name;
};
constexpr CommandWord kCommandWords[] = {
    {Command::Status, L"status"},
    {Command::Apply, L"apply"},
    {Command::Restore, L"restore"},
};

std::wstring_view CommandName(Command command) {
    for (const CommandWord& word : kCommandWords) {
        if (word.command == command) return word.name;
    }
    return L"";
}

// One pass over the words. The first problem found is the one reported,
// but the pass goes on: a request for the help further on still wins.
class Reader {
public:
    explicit Reader(const std::vector<std::wstring>& words) : words_(words) {}
    ParsedArguments Read();

private:
    void Fail(const UsageError& error) {
        if (error_.empty()) error_ = UsageErrorText(error);
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
    Fail({.problem = UsageProblem::OptionWithoutValue, .word = option});
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
        if (request_.fromFile) return Fail({.problem = UsageProblem::OptionTwice, .word = kFromOption});
        if (file->empty()) return Fail({.problem = UsageProblem::OptionValueEmpty, .word = kFromOption});
        request_.fromFile = *file;
    } else {
        Fail({.problem = UsageProblem::UnknownOption, .word = word});
    }
}

void Reader::ReadGameDir(const std::wstring& dir) {
    if (gameDirSeen_) return Fail({.problem = UsageProblem::OptionTwice, .word = kGameDirOption});
    gameDirSeen_ = true;
    if (dir.empty()) return Fail({.problem = UsageProblem::OptionValueEmpty, .word = kGameDirOption});
    // No path holds a quote. cmd.exe passes "D:\Games\" on as D:\Games"
    // (a backslash before a quote makes it a plain quote), and the words
    // after it run into the path.
    if (dir.find(L'"') != std::wstring::npos) return Fail({.problem = UsageProblem::QuoteInGameDir, .word = dir});
    request_.gameDir = dir;
}

void Reader::ReadWord(const std::wstring& word) {
    if (commandSeen_) {
        if (request_.command == Command::Apply) {
            values_.push_back(word);
            return;
        }
        return Fail({UsageProblem::ExtraArgument, word, CommandName(request_.command)});
    }
    const std::wstring command = Lower(word);
    if (command == L"help") {
        help_ = true;
        return;
    }
    for (const CommandWord& known : kCommandWords) {
        if (command != known.name) continue;
        request_.command = known.command;
        commandSeen_ = true;
        return;
    }
    Fail({.problem = UsageProblem::UnknownCommand, .word = word});
}

// The values in field order, each checked as "确认" checks the field.
void Reader::CheckApply() {
    if (values_.empty()) return;
    if (request_.fromFile) return Fail({.problem = UsageProblem::ValuesAndFromFile});
    if (values_.size() != static_cast<std::size_t>(kFieldCount)) {
        return Fail({UsageProblem::ValueCount, {}, {}, values_.size()});
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (const std::optional<ValueProblem> problem = CheckFieldValue(i, values_[i])) {
            return Fail({UsageProblem::BadValue, values_[i], {}, 0, i, *problem});
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
    if (!commandSeen_) Fail({.problem = UsageProblem::MissingCommand});
    if (request_.fromFile && request_.command != Command::Apply) {
        Fail({.problem = UsageProblem::FromWithoutApply});
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
