#pragma once
// What is wrong with the file that an apply on the command line takes its
// values from (its --from file, or the game folder's settings cache), in
// one sentence naming the file as the player gave it.
#include <string>
#include <string_view>

#include "core/result.h"

namespace tarnwick {

enum class ValuesFileProblem {
    Device,      // a device or a pipe by that name, no file
    Folder,      // a folder by that name
    Missing,     // no --from file by that name
    NoCache,     // no settings cache in the game folder
    TooLarge,    // far more than fifteen values could take
    NoValues,    // in the settings cache's format, but without a value line
    ValueCount,  // `count` values, not fifteen
    BadValue,    // `value`, given for `field`, has `valueProblem`
};

struct ValuesFileError {
    ValuesFileProblem problem = ValuesFileProblem::Missing;
    std::wstring_view name{};
    std::size_t count = 0;
    int field = -1;
    ValueProblem valueProblem = ValueProblem::Empty;
    std::wstring_view value{};
};

std::wstring ValuesFileErrorText(const ValuesFileError& error);

}  // namespace tarnwick
