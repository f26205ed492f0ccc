#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "checkdigits/number_check.h"

namespace minizol {

struct Tally {
    std::uint64_t read = 0;
    std::uint64_t correct = 0;
    std::uint64_t wrong = 0;
    std::uint64_t incomplete = 0;
    std::uint64_t unknown = 0;

    void Count(Verdict verdict);
};

// "5 números: 2 correctos, 1 incorrecto, 1 incompleto, 1 desconocido"
std::string SummaryText(const Tally& tally);

// The report of the numbers checked, written to a file descriptor through one buffer. On a
// terminal: aligned columns. As CSV: the columns of kCsvColumns, after the input record's own
// fields when a column of CSV records is checked.
class ReportWriter {
  public:
    enum class Format { Terminal, Csv };
    static constexpr std::string_view kCsvColumns[] = {
        "linea", "entrada", "tipo", "resultado", "control", "forma", "banco",
    };

    ReportWriter(int fd, Format format, char separator, bool ownFields);

    // The CSV header, once, before the first row: after the input's own header, or, when it
    // has none, as many empty names as `firstRecord` has fields.
    void Header(std::optional<std::string_view> ownHeader, std::string_view firstRecord);
    // A row for the number `entry` of the record on `line`; `record` is the whole record, whose
    // own fields come first in CSV when a column is checked.
    void Row(std::uint64_t line, std::string_view entry, const NumberCheck& check,
             std::string_view record);
    // A row without a check: `verdict` for a record too long to read (its own fields empty,
    // `record` nothing), "" for a record whose column is empty.
    void Unchecked(std::uint64_t line, std::string_view entry, std::string_view verdict,
                   std::optional<std::string_view> record);
    // Before the rows of each of several inputs, on a terminal.
    void Heading(std::string_view name);

    bool headerWritten() const { return headerWritten_; }
    // Writes what is held; false once the output could not be written.
    bool Flush();
    int error() const { return error_; }  // the errno of the failed write, or 0

  private:
    void OwnFields(std::optional<std::string_view> record);
    void Columns(std::uint64_t line, std::string_view entry, std::size_t shown,
                 std::string_view kind, std::string_view verdict, std::string_view control,
                 std::string_view form, std::string_view bank);
    void Cell(std::string_view text, std::size_t width);
    void EndRow();

    int fd_;
    Format format_;
    char separator_;
    bool ownFields_;
    std::size_t ownFieldCount_ = 1;
    bool headerWritten_ = false;
    bool failed_ = false;
    int error_ = 0;
    std::string out_;
    std::string scratch_;
};

}  // namespace minizol
