#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace minizol {

// Numbers arrive as people copy them: from a spreadsheet cell with its line break, from a web
// page with tabs and non-breaking spaces, from an invoice with a label in front. These helpers
// bring such text to the form every row reads.

// The text with white space of any kind (blanks, tabs, line breaks, non-breaking and other
// Unicode spaces, zero-width marks) taken from both ends and written as plain blanks inside,
// typographic dashes and minus signs written "-", and letters upper-cased.
std::string TidyPastedText(std::string_view text);

// The same, without a copy when the text is tidy as it stands (as most numbers of a list are):
// the text itself, or the tidied text in `buffer` (which `text` must not lie in). Tidying a tidy
// text leaves it as it is.
std::string_view TidyPastedText(std::string_view text, std::string& buffer);

// The blanks, dots, hyphens, slashes and underscores that people write between groups of digits.
constexpr bool IsNumberSeparator(char c) {
    return c == ' ' || c == '.' || c == '-' || c == '/' || c == '_';
}

// Whether the text holds any of them.
bool HasNumberSeparator(std::string_view text);

std::string WithoutSeparators(std::string_view text);

// The same appended to `out`.
void AppendWithoutSeparators(std::string& out, std::string_view text);

// The same into `out`, which has room for `room` characters: how many were written, or nothing
// when there are more than that.
std::optional<std::size_t> CopyWithoutSeparators(std::string_view text, char* out,
                                                 std::size_t room);

}  // namespace minizol
