#include "words/help_text.h"

#include "core/disk/game_folder.h"
#include "core/game/fields.h"
#include "core/text/decimal_text.h"
#include "words/joined_text.h"

namespace tarnwick {
namespace {

// "5 个血值、3 个时局、局次、…": the fields in order, runs of one caption
// counted.
std::wstring FieldOrderText() {
    std::wstring text;
    for (int i = 0; i < kFieldCount;) {
        const std::wstring_view caption = kFields[i].caption;
        int run = 1;
        while (i + run < kFieldCount && kFields[i + run].caption == caption) ++run;
        if (i) text += L"、";
        if (run > 1) text += DecimalText(static_cast<unsigned long>(run)) + L" 个";
        text += caption.substr(0, caption.size() - 1);  // without the colon
        i += run;
    }
    return text;
}

std::wstring DefaultValuesText() {
    std::wstring text;
    for (const std::wstring& value : DefaultFieldTexts()) text += L" " + value;
    return text;
}

}  // namespace

// Every line within 80 columns (a Chinese character takes two), so that
// it fits a console of the default width unbroken.
std::wstring HelpText(std::wstring_view version, std::wstring_view exitCodeLines) {
    return Joined({L"Tarnwick ", version,
                   L"：流星蝴蝶剑房间设置修改工具。\n"
                   L"不带参数运行时打开窗口；带参数时在命令行中工作，不打开窗口。\n"
                   L"\n"
                   L"用法：\n"
                   L"  Tarnwick status [--game-dir 目录]\n"
                   L"      显示游戏版本、游戏文件是否修改过、其中的十五个数值、备份和设置缓存。\n"
                   L"  Tarnwick apply 数值0 数值1 … 数值14 [--game-dir 目录]\n"
                   L"      写入十五个数值，同窗口中的“确认”。顺序同窗口：\n"
                   L"      ",
                   FieldOrderText(),
                   L"。\n"
                   L"      例如默认值：apply",
                   DefaultValuesText(),
                   L"\n"
                   L"  Tarnwick apply --from 数值文件 [--game-dir 目录]\n"
                   L"      写入数值文件中的数值（文件名相对于当前文件夹）。\n"
                   L"  Tarnwick apply [--game-dir 目录]\n"
                   L"      写入游戏目录中 ",
                   kSettingsCacheFileName,
                   L" 记下的数值（上次写入的数值）。\n"
                   L"  Tarnwick restore [--game-dir 目录]\n"
                   L"      用备份 ",
                   kBackupFileName,
                   L" 还原游戏文件，同“还原”。\n"
                   L"  Tarnwick --help（或 -h、/?、help）   显示本说明\n"
                   L"  Tarnwick --version                  显示版本号\n"
                   L"\n"
                   L"--game-dir：游戏目录（",
                   kGameFileName,
                   L" 所在的文件夹），可以是相对路径、绝对路径\n"
                   L"或网络路径，例如 \\\\server\\share\\game；不写时为当前文件夹。\n"
                   L"\n"
                   L"数值文件：记事本存成 UTF-8、Unicode 或 ANSI 的文本都可以。内容是按窗口\n"
                   L"顺序的十五个数值，用空格或换行隔开，例如：\n"
                   L"    50 100 150 200 300\n"
                   L"    1 3 5 7 10 15 21 27 30 16\n"
                   L"也可以是从别的电脑复制来的 ",
                   kSettingsCacheFileName,
                   L"（缺少的行用默认值）。\n"
                   L"\n"
                   L"输出：结果写到标准输出，拒绝、失败和警告写到标准错误（2>）。在命令提示\n"
                   L"符窗口中直接显示；重定向到文件或管道时是 UTF-8 编码。\n"
                   L"在命令提示符中输入 Tarnwick（不带 .exe）运行的是 Tarnwick.com：提示符会\n"
                   L"等它结束，%ERRORLEVEL% 是它的退出代码。\n"
                   L"\n"
                   L"退出代码（批处理中 if errorlevel N 表示“N 或更大”，所以先判断大的代码）：",
                   exitCodeLines});
}

}  // namespace tarnwick
