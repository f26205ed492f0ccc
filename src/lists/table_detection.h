#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checkdigits/number_check.h"

namespace minizol {

// What a list's first records say about it, so that a user need not say it: its separator, and
// which of its columns hold the numbers.

// How many first records the guesses look at.
constexpr std::size_t kRecordsLookedAt = 50;

// The separator among tab, ';', '|' and ',' that splits most of `lines` into more than one field,
// and the most of them into the same number; nothing when none does (a plain list, one number a
// line). Where two do equally, the earlier of that order wins: a Spanish list holds decimal
// commas.
std::optional<char> DetectSeparator(std::span<const std::string_view> lines);

// A CSV record's fields, their quotes undone.
std::vector<std::string> CsvFields(std::string_view record, char separator);

struct ColumnGuess {
    std::vector<std::size_t> columns;  // from 0; none when no column holds numbers
    bool header = false;               // the first row names the columns
};

// The columns where more than half the rows (after the first) hold a complete number of a known
// kind, or, failing any, where they hold numbers without their control and the header names a
// kind ("DNI", "Cuenta"): an amount or a postal code reads as a DNI without its letter, so such
// columns need their name to be taken. The first row is a header when it holds no number in
// those columns.
ColumnGuess DetectColumns(std::span<const std::vector<std::string>> rows, KindFilter filter);

// The column (from 0) a user names: a number from 1, or a header's name in any case. Nothing
// when it names none.
std::optional<std::size_t> ColumnNamed(std::string_view name, std::span<const std::string> header);

// A column's name for the report: its header's, or its number from 1.
std::string ColumnLabel(std::size_t column, std::span<const std::string> header);

}  // namespace minizol
