#include "words/console_twin_text.h"

#include "core/text/decimal_text.h"
#include "words/joined_text.h"

namespace tarnwick {

std::wstring WindowProgramNotStartedText(std::wstring_view exe, bool missing, unsigned long error) {
    if (missing) return Joined({L"找不到 ", exe, L"：Tarnwick.com 要和 Tarnwick.exe 放在同一个文件夹里。"});
    return Joined({L"无法启动 ", exe, L"（错误代码 ", DecimalText(error), L"）。"});
}

}  // namespace tarnwick
