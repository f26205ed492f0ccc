#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
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

    void Count(Verdict verdict) {
        ++read;
        switch (verdict) {
            case Verdict::Correct:
                ++correct;
                break;
            case Verdict::Wrong:
                ++wrong;
                break;
            case Verdict::Incomplete:
                ++incomplete;
                break;
            case Verdict::Unknown:
                ++unknown;
                break;
        }
    }
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
    void Header(std::optional<std::string_view> ownHeader, std::string_view firstRecord) {
        if (!headerWritten_ && format_ == Format::Csv) {
            WriteHeader(ownHeader, firstRecord);
        }
    }
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
    // The digits of the line number of the row being written, counted on in place: rows come
    // in line order, and a division by ten for each digit of each row cost more than the rest
    // of a plain row.
    class LineNumber {
      public:
        static constexpr std::size_t kRoom = 24;  // the 20 digits of any 64-bit number, and more

        // Writes `line` at `at`, which has room for kRoom bytes (those past the digits are left
        // for the rest of the row), and returns the end of its digits.
        char* Write(char* at, std::uint64_t line) {
            if (line == number_ + 1) {
                CountOn();
            } else if (line != number_) {
                Restart(line);
            }
            std::memcpy(at, digits_.data(), digits_.size());
            return at + size_;
        }

      private:
        void Restart(std::uint64_t line);
        void CountOn();

        std::uint64_t number_ = 0;
        std::array<char, kRoom> digits_{'0'};
        std::size_t size_ = 1;
    };

    // A row's kind and verdict cells with the separators around them, made once for each kind
    // and verdict, and whether they are written as they are for this separator.
    struct MiddleCells {
        std::array<char, 32> text{};
        std::size_t size = 0;
        bool plain = false;
    };
    static constexpr std::size_t kKinds = static_cast<std::size_t>(NumberKind::Isbn13) + 1;
    static constexpr std::size_t kVerdicts = static_cast<std::size_t>(Verdict::Unknown) + 1;

    void MakeMiddleCells();
    void WriteHeader(std::optional<std::string_view> ownHeader, std::string_view firstRecord);
    bool PlainCsvRow(std::uint64_t line, std::string_view entry, const NumberCheck& check);
    void OwnFields(std::optional<std::string_view> record);
    void Columns(std::uint64_t line, std::string_view entry, std::size_t shown,
                 std::string_view kind, std::string_view verdict, std::string_view control,
                 std::string_view form, std::string_view bank);
    void Cell(std::string_view text, std::size_t width);
    void EndRow();
    char* Room(std::size_t size);
    void Append(std::string_view text);

    int fd_;
    Format format_;
    char separator_;
    bool ownFields_;  // in CSV only
    std::size_t ownFieldCount_ = 1;
    bool headerWritten_ = false;
    bool failed_ = false;
    int error_ = 0;
    // The report not yet written: out_[0, outSize_). Rows are written straight into the room
    // after it, which is not filled with anything first.
    std::unique_ptr<char[]> out_;
    std::size_t outSize_ = 0;
    std::size_t outCapacity_ = 0;
    LineNumber lineNumber_;
    std::array<std::array<MiddleCells, kVerdicts>, kKinds> middle_{};
    std::string row_;  // a row that is not plain, made cell by cell
    std::string scratch_;
};

}  // namespace minizol
