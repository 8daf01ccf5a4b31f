#pragma once
// The words for what an operation ended with: the text of the window's
// "系统信息" box, and the same text as the command line splits it into its
// result and its warnings.
#include <string>

#include "core/result.h"

namespace tarnwick {

// The whole text: the result on the first line, then what follows from it.
std::wstring OperationText(const OperationResult& result);

// A success's first line ("恭喜您修改成功"), and its warnings (values not
// remembered, no original kept, the backup moved aside or left behind),
// one a line, or nothing.
std::wstring SuccessText(const OperationResult& result);
std::wstring WarningsText(const OperationResult& result);

// An operation's text as the command line gives it: the window's advice
// to run the tool as administrator becomes the advice for a prompt, and
// "点击“还原”" ("确认") becomes "运行 restore" ("apply"), what a prompt
// or a script does instead.
std::wstring CommandLineText(std::wstring text);

// The last line of a failure: what it left of the files; empty when there
// is nothing to tell.
std::wstring AftermathText(Aftermath aftermath);

}  // namespace tarnwick
