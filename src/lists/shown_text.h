#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace minizol {

// A user's text as it can be shown and read back in CSV: a byte that is not UTF-8 and a control
// character (NUL, escape, a line break ...) become U+FFFD, which no terminal acts on and no CSV
// reader trips over. At most `most` characters, then an ellipsis.
void AppendPrintable(std::string& out, std::string_view text, std::size_t most);

// How many terminal columns a character takes: 0 for a combining mark, 2 for a wide one.
std::size_t DisplayWidth(char32_t character);

// A text in a terminal column `width` columns wide: a control character shown as its symbol
// (U+2400 on: "␉" for a tab, "␀" for NUL), a byte that is not UTF-8 as U+FFFD, a text too wide
// cut with "…", and, with `pad`, blanks after it up to the width.
void AppendTerminalCell(std::string& out, std::string_view text, std::size_t width, bool pad);

}  // namespace minizol
