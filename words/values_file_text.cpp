#include "words/values_file_text.h"

#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/text/decimal_text.h"
#include "words/joined_text.h"
#include "words/messages.h"

namespace tarnwick {

std::wstring ValuesFileErrorText(const ValuesFileError& error) {
    const std::wstring_view name = error.name;
    switch (error.problem) {
        case ValuesFileProblem::Device:
            return Joined({L"数值文件“", name, L"”不是普通文件（是设备或管道之类），无法从中读取数值。"});
        case ValuesFileProblem::Folder: return Joined({L"数值文件“", name, L"”是一个文件夹，不是文件。"});
        case ValuesFileProblem::Missing: return Joined({L"找不到数值文件“", name, L"”。"});
        case ValuesFileProblem::NoCache:
            return Joined({L"游戏目录中没有 ", name, L"，没有记下的数值可以写入。请在 apply 后面写出 ",
                           DecimalText(kFieldCount), L" 个数值，或用 --from 指定数值文件。"});
        case ValuesFileProblem::TooLarge: return Joined({L"数值文件 ", name, L" 太大，不是数值文件。"});
        case ValuesFileProblem::NoValues: return Joined({name, L" 中没有任何数值。"});
        case ValuesFileProblem::ValueCount:
            return Joined({L"数值文件 ", name, L" 中有 ", DecimalText(static_cast<unsigned long>(error.count)),
                           L" 个数值，要有 ", DecimalText(kFieldCount),
                           L" 个：按窗口中的顺序，用空格或换行隔开（也可以是 ", kSettingsCacheFileName, L" 的格式）。"});
        case ValuesFileProblem::BadValue:
            return Joined({L"数值文件 ", name, L" 中的数值有误：", ValueProblemText(error.field, error.valueProblem, error.value)});
    }
    return L"";
}

}  // namespace tarnwick
