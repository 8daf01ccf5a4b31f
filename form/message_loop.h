#pragma once
// The tool's message loop.
namespace tarnwick {

// Runs the message loop until no form of the tool is left. Tab and
// Shift+Tab move the focus within the form that holds it.
int RunMessageLoop();

}  // namespace tarnwick
