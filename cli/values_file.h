#pragma once
// A values file for "apply --from", as people write one: saved by Notepad
// in UTF-8 (with or without a byte order mark), as UTF-16 with a byte
// order mark, or in code page 936; and either in the settings cache's
// format (a Data\Slowlysave.cfg copied from another machine) or as the
// fifteen values in the window's order, separated by blanks or line ends:
//
//   50 100 150 200 300
//   1 3 5 7 10 15 21 27 30 16
#include <string>
#include <string_view>

#include "core/game/fields.h"

namespace tarnwick::cli {

// The file's text: by its byte order mark, else UTF-8 where the bytes are
// valid UTF-8, else code page 936.
std::wstring DecodeValuesFile(std::string_view bytes);

// The values of a decoded file into `values`, each checked as "确认"
// checks its field. In the settings cache's format (its first line begins
// with "[") a field whose line is missing keeps its default, as in the
// window. Returns the sentence that refuses the file, naming it `name`;
// empty when every value is taken.
std::wstring ReadValuesOrRefusal(std::wstring_view text, std::wstring_view name, FieldTexts& values);

}  // namespace tarnwick::cli
