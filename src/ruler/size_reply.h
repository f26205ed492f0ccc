#pragma once

#include <string>
#include <string_view>

namespace minizol {

// The sizes the dialog accepts, in pixels, after rounding.
inline constexpr int kRulerSizeMin = 0;
inline constexpr int kRulerSizeMax = 1000;

// The user locale's number separators as UTF-8 text (for Qt: QLocale::system().decimalPoint()
// and groupSeparator()). An empty group separator disallows grouping.
struct NumberSyntax {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

enum class SizeReplyKind {
    Empty,     // cancelled, or an empty or all-space reply: nothing changes, no message
    Accepted,  // apply width, then height
    Rejected,  // show the invalid-size message and ask again with `text` as the default
};

struct SizeReply {
    SizeReplyKind kind = SizeReplyKind::Empty;
    // Both 0 unless accepted.
    int width = 0;
    int height = 0;
    // The reply without leading and trailing spaces, in upper case.
    std::string text;
};

// Reads the size dialog's reply "WxH" (either case of x, blanks around each number allowed).
// Each number is in the locale's syntax, a fraction rounded halves to even, and must lie
// within kRulerSizeMin to kRulerSizeMax after rounding. `reply` is UTF-8.
SizeReply ParseSizeReply(std::string_view reply, const NumberSyntax& syntax);

}  // namespace minizol
