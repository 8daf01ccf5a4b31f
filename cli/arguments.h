#pragma once
// The words of the command line, read into what to do. Nothing here looks
// at a file: a request that cannot be understood, or a value that no field
// takes, is refused before anything is read or written.
#include <optional>
#include <string>
#include <vector>

#include "core/game/fields.h"

namespace tarnwick::cli {

enum class Command { Status, Apply, Restore, Help, Version };

struct Request {
    Command command = Command::Help;
    std::wstring gameDir;  // as given; empty: the current folder
    bool valuesGiven = false;
    FieldTexts values;                     // apply V0 … V14, checked
    std::optional<std::wstring> fromFile;  // apply --from FILE
};

struct ParsedArguments {
    Request request;
    std::wstring error;  // one sentence naming the argument; empty when understood
};

// `arguments` without the program's own name. Commands and options are
// matched without regard to case; "--help", "-help", "/help", "-h", "/h",
// "-?" or "/?" anywhere, or "help" in place of the command, asks for the
// help, then "--version" for the version, whatever else is there.
ParsedArguments ParseArguments(const std::vector<std::wstring>& arguments);

}  // namespace tarnwick::cli
