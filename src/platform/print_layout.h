#pragma once
// How a printed text is cut into lines: at its line ends, and where a line is wider
// than the page, at a word.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines of `text`, split at each CR LF (and at a lone CR or LF). A text that
// ends with a line end ends with an empty line.
std::vector<std::wstring> splitLines(std::wstring_view text);

// `line` cut into pieces no wider than `width` as `measure` tells: at the last
// space that fits, or inside a word longer than the whole width. Blanks at a cut
// are dropped; blanks at the start of the line are kept.
std::vector<std::wstring> wrapLine(std::wstring_view line, int width,
                                   const std::function<int(std::wstring_view)>& measure);
