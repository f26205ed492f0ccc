#include "lists/table_detection.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "common/text_case.h"
#include "lists/csv.h"

namespace minizol {
namespace {

constexpr char kSeparators[] = {'\t', ';', '|', ','};

// Words of a header that say its column holds numbers of a kind, upper-cased.
constexpr std::string_view kKindWords[] = {"DNI", "NIE",    "NIF",  "CIF",   "IBAN",
                                           "CCC", "CUENTA", "ISBN", "C.C.C", "D.N.I"};

bool NamesAKind(std::string_view header) {
    const std::string upper = UpperCase(header);
    return std::any_of(std::begin(kKindWords), std::end(kKindWords), [&](std::string_view word) {
        return upper.find(word) != std::string::npos;
    });
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

}  // namespace

std::optional<char> DetectSeparator(std::span<const std::string_view> lines) {
    std::optional<char> best;
    std::size_t bestAgreeing = 0;
    std::size_t considered = 0;
    for (std::string_view line : lines) {
        considered += line.empty() ? 0 : 1;
    }
    for (char separator : kSeparators) {
        std::map<std::size_t, std::size_t> linesWithCount;
        std::size_t split = 0;
        for (std::string_view line : lines) {
            if (!line.empty()) {
                const std::size_t count = CsvFieldCount(line, separator);
                ++linesWithCount[count];
                split += count > 1 ? 1 : 0;
            }
        }
        // Most lines must be split by it; a ragged list still agrees on its commonest count.
        std::size_t agreeing = 0;
        for (const auto& [count, many] : linesWithCount) {
            if (count > 1 && many > agreeing) {
                agreeing = many;
            }
        }
        if (split * 2 > considered && agreeing > bestAgreeing) {
            best = separator;
            bestAgreeing = agreeing;
        }
    }
    return best;
}

std::vector<std::string> CsvFields(std::string_view record, char separator) {
    std::vector<std::string> fields(CsvFieldCount(record, separator));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        CsvField(record, separator, i, fields[i]);
    }
    return fields;
}

ColumnGuess DetectColumns(std::span<const std::vector<std::string>> rows, KindFilter filter) {
    ColumnGuess guess;
    if (rows.empty()) {
        return guess;
    }
    std::size_t width = 0;
    for (const std::vector<std::string>& row : rows) {
        width = std::max(width, row.size());
    }
    const std::span<const std::vector<std::string>> body = rows.size() > 1 ? rows.subspan(1) : rows;
    const std::vector<std::string>& first = rows.front();
    NumberCheck check;
    const auto holdsNumber = [&](const std::vector<std::string>& row, std::size_t column,
                                 bool complete) {
        if (column >= row.size()) {
            return false;
        }
        CheckNumber(row[column], filter, check);
        return !check.blank && check.verdict != Verdict::Unknown &&
               (!complete || check.verdict != Verdict::Incomplete);
    };
    std::vector<std::size_t> complete;
    std::vector<std::size_t> named;
    for (std::size_t column = 0; column < width; ++column) {
        // The first row counts when it holds a number: then it is no header.
        const bool firstIsNumber = holdsNumber(first, column, false);
        const std::span<const std::vector<std::string>> counted = firstIsNumber ? rows : body;
        std::size_t completeCount = 0;
        std::size_t anyCount = 0;
        for (const std::vector<std::string>& row : counted) {
            completeCount += holdsNumber(row, column, true) ? 1 : 0;
            anyCount += holdsNumber(row, column, false) ? 1 : 0;
        }
        if (completeCount * 2 > counted.size()) {
            complete.push_back(column);
        } else if (anyCount * 2 > counted.size() && column < first.size() && !firstIsNumber &&
                   NamesAKind(first[column])) {
            named.push_back(column);
        }
    }
    guess.columns = complete.empty() ? named : complete;
    guess.header = rows.size() > 1 && !guess.columns.empty() &&
                   std::none_of(guess.columns.begin(), guess.columns.end(),
                                [&](std::size_t c) { return holdsNumber(first, c, false); });
    return guess;
}

std::optional<std::size_t> ColumnNamed(std::string_view name, std::span<const std::string> header) {
    name = Trimmed(name);
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size()) {
        return number > 0 ? std::optional(number - 1) : std::nullopt;
    }
    const std::string wanted = UpperCase(name);
    for (std::size_t column = 0; column < header.size(); ++column) {
        if (!wanted.empty() && UpperCase(Trimmed(header[column])) == wanted) {
            return column;
        }
    }
    return std::nullopt;
}

std::string ColumnLabel(std::size_t column, std::span<const std::string> header) {
    if (column < header.size() && !Trimmed(header[column]).empty()) {
        return std::string(Trimmed(header[column]));
    }
    return std::to_string(column + 1);
}

}  // namespace minizol
