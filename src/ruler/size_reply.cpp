#include "ruler/size_reply.h"

#include <algorithm>
#include <optional>

#include "common/text_case.h"

namespace minizol {
namespace {

// Digits beyond this add nothing: the number is out of range anyway, and the sum stays far
// from overflowing however long the reply is.
constexpr int kSaturated = 1'000'000;
constexpr int kDigitsPerGroup = 3;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Reads [sign] digits [groups] [decimal separator digits] and rounds it halves to even. The
// decimal is rounded from its digits, not through a binary float, so 0,5 and 1,5 tie exactly.
std::optional<int> ParseRoundedNumber(std::string_view text, const NumberSyntax& syntax) {
    text = Trim(text, " \t");
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto takes = [&text](const std::string& separator) {
        if (separator.empty() || !text.starts_with(separator)) {
            return false;
        }
        text.remove_prefix(separator.size());
        return true;
    };

    int whole = 0;
    int digits = 0;
    int run = 0;  // digits since the start or the last group separator
    bool grouped = false;
    while (!text.empty() && !takes(syntax.decimalSeparator)) {
        if (IsDigit(text.front())) {
            whole = std::min(whole * 10 + (text.front() - '0'), kSaturated);
            ++digits;
            ++run;
            text.remove_prefix(1);
        } else if (takes(syntax.groupSeparator)) {
            if (run == 0 || (grouped ? run != kDigitsPerGroup : run > kDigitsPerGroup)) {
                return std::nullopt;
            }
            grouped = true;
            run = 0;
        } else {
            return std::nullopt;
        }
    }
    if (grouped && run != kDigitsPerGroup) {
        return std::nullopt;
    }

    // Whatever is left is the fraction.
    if (!std::all_of(text.begin(), text.end(), IsDigit) || (digits == 0 && text.empty())) {
        return std::nullopt;
    }
    if (!text.empty()) {
        const char first = text.front();
        const bool aboveHalf = text.find_first_not_of('0', 1) != std::string_view::npos;
        if (first > '5' || (first == '5' && (aboveHalf || whole % 2 == 1))) {
            ++whole;
        }
    }
    return negative ? -whole : whole;
}

std::optional<int> ParseSize(std::string_view text, const NumberSyntax& syntax) {
    const auto value = ParseRoundedNumber(text, syntax);
    if (!value || *value < kRulerSizeMin || *value > kRulerSizeMax) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

SizeReply ParseSizeReply(std::string_view reply, const NumberSyntax& syntax) {
    SizeReply result;
    result.text = UpperCase(Trim(reply, " "));
    if (result.text.empty()) {
        return result;
    }
    // 'X' is ASCII, so it never occurs inside a multi-byte UTF-8 character: a byte search
    // splits at characters.
    const std::string_view text = result.text;
    const auto cross = text.find('X');
    result.kind = SizeReplyKind::Rejected;
    if (cross == std::string_view::npos || text.find('X', cross + 1) != std::string_view::npos) {
        return result;
    }
    const auto width = ParseSize(text.substr(0, cross), syntax);
    const auto height = width ? ParseSize(text.substr(cross + 1), syntax) : std::nullopt;
    if (width && height) {
        result.kind = SizeReplyKind::Accepted;
        result.width = *width;
        result.height = *height;
    }
    return result;
}

}  // namespace minizol
