#include "words/usage_text.h"

#include "core/game/fields.h"
#include "core/text/decimal_text.h"
#include "words/joined_text.h"
#include "words/messages.h"

namespace tarnwick {

std::wstring UsageErrorText(const UsageError& error) {
    const std::wstring_view word = error.word;
    switch (error.problem) {
        case UsageProblem::OptionWithoutValue:
            return Joined({L"选项“", word, word == kFromOption ? L"”后面缺少文件名。" : L"”后面缺少游戏目录。"});
        case UsageProblem::OptionTwice: return Joined({L"选项“", word, L"”只能写一次。"});
        case UsageProblem::OptionValueEmpty:
            return Joined({L"选项“", word, word == kFromOption ? L"”后面的文件名是空的。" : L"”后面的游戏目录是空的。"});
        case UsageProblem::UnknownOption: return Joined({L"未知的选项“", word, L"”。"});
        case UsageProblem::QuoteInGameDir:
            return Joined({L"游戏目录“", word,
                           L"”中有引号：路径末尾的反斜杠和后面的引号被当成了一个引号。"
                           L"请去掉路径末尾的反斜杠，或在它后面加一个点，例如 \"D:\\Games\\.\"。"});
        case UsageProblem::ExtraArgument:
            return Joined({L"多余的参数“", word, L"”：", error.command, L" 后面不带参数。"});
        case UsageProblem::UnknownCommand: return Joined({L"未知的命令“", word, L"”：命令只有 status、apply 和 restore。"});
        case UsageProblem::ValuesAndFromFile: return Joined({L"apply 后面的数值和选项“", kFromOption, L"”只能用一个。"});
        case UsageProblem::ValueCount:
            return Joined({L"apply 后面要写 ", DecimalText(kFieldCount), L" 个数值，现在有 ",
                           DecimalText(static_cast<unsigned long>(error.count)), L" 个。"});
        case UsageProblem::BadValue:
            return Joined({L"apply 后面的第 ", DecimalText(static_cast<unsigned long>(error.field + 1)), L" 个数值有误：",
                           ValueProblemText(error.field, error.valueProblem, word)});
        case UsageProblem::MissingCommand: return L"缺少命令：请写 status、apply 或 restore。";
        case UsageProblem::FromWithoutApply: return Joined({L"选项“", kFromOption, L"”只能和 apply 一起用。"});
    }
    return L"";
}

}  // namespace tarnwick
