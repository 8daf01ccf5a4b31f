#pragma once
// Line breaks for the texts of the tool's message boxes, made where a
// Chinese reader expects them: between two Chinese characters or at a
// space, never inside a run of Latin letters, digits and path signs (a
// file name such as data\Hint.cfg, a number), never before closing
// punctuation or after opening punctuation, and without leaving a
// paragraph's last character or two alone on its last line.
#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

// `text` with its lines broken so that none is wider than `maxWidth`;
// `advances[i]` is the width of `text[i]`. A line that fits is kept as it
// is; a run that is wider than `maxWidth` on its own gets a line of its own
// and is not broken. The breaks it makes are "\r\n" (the text's own line
// ends stay "\n") with the spaces at a break kept at the end of the line:
// taking out every "\r\n" gives back the text.
std::wstring BreakMessageLines(std::wstring_view text, std::span<const int> advances, int maxWidth);

}  // namespace tarnwick
