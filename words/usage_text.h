#pragma once
// What is wrong with the command line's arguments, and its words: the
// reading of the arguments (cli/arguments.h) tells what it met, and the
// sentence that names it is made here with the tool's other texts.
#include <string>
#include <string_view>

#include "core/result.h"

namespace tarnwick {

enum class UsageProblem {
    OptionWithoutValue,  // `word` is the option; nothing follows it
    OptionTwice,         // `word` is the option
    OptionValueEmpty,    // `word` is the option
    UnknownOption,       // `word` as given
    QuoteInGameDir,      // `word` is the game folder as given
    ExtraArgument,       // `word` after `command`, which takes none
    UnknownCommand,      // `word` as given
    ValuesAndFromFile,   // apply with values and --from
    ValueCount,          // apply with `count` values
    BadValue,            // apply's value for `field` is `word`, with `valueProblem`
    MissingCommand,
    FromWithoutApply,
};

struct UsageError {
    UsageProblem problem = UsageProblem::MissingCommand;
    std::wstring_view word{};
    std::wstring_view command{};
    std::size_t count = 0;
    int field = -1;
    ValueProblem valueProblem = ValueProblem::Empty;
};

inline constexpr std::wstring_view kGameDirOption = L"--game-dir";
inline constexpr std::wstring_view kFromOption = L"--from";

// One sentence naming the argument.
std::wstring UsageErrorText(const UsageError& error);

// What follows a usage error on its own line: where the usage is told.
inline constexpr std::wstring_view kSeeHelpText = L"\n输入 Tarnwick --help 查看用法。";

}  // namespace tarnwick
