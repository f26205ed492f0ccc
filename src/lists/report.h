#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checkdigits/number_check.h"
#include "lists/text_encoding.h"

namespace minizol {

class XlsxWriter;

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

// The report's columns after the line number, in their order. The order is written once, in
// ForEachResultCell: every writer and the header follow it.
enum class ResultColumn { Column, Entry, Kind, Verdict, Control, Form, Bank, Bic, Reason };

struct ResultCells {
    std::string_view column;  // which column of the input, when several are checked
    std::string_view entry;   // the number as it stands in the input
    std::string_view kind;
    std::string_view verdict;
    std::string_view control;
    std::string_view form;
    std::string_view bank;
    std::string_view bic;
    std::string_view reason;  // why a wrong number is wrong
};

// The header's names, in the same cells.
constexpr std::string_view kLineColumnName = "linea";
constexpr ResultCells kResultColumnNames = {"columna", "entrada", "tipo", "resultado", "control",
                                            "forma",   "banco",   "bic",  "motivo"};

ResultCells CheckedCells(std::string_view column, std::string_view entry, const NumberCheck& check);

// Calls `cell(ResultColumn, text)` for each result cell in the report's order; the column's only
// when several columns are checked.
template <typename Cell>
inline void ForEachResultCell(const ResultCells& cells, bool withColumn, Cell&& cell) {
    if (withColumn) {
        cell(ResultColumn::Column, cells.column);
    }
    cell(ResultColumn::Entry, cells.entry);
    cell(ResultColumn::Kind, cells.kind);
    cell(ResultColumn::Verdict, cells.verdict);
    cell(ResultColumn::Control, cells.control);
    cell(ResultColumn::Form, cells.form);
    cell(ResultColumn::Bank, cells.bank);
    cell(ResultColumn::Bic, cells.bic);
    cell(ResultColumn::Reason, cells.reason);
}

// The user's own fields of an input row, written beside the results: none (a plain list), a CSV
// record as it stands, or a row of cells (a sheet's, a remittance's).
class OwnFields {
  public:
    OwnFields() = default;
    static OwnFields Record(std::string_view record, char separator) {
        OwnFields fields;
        fields.record_ = record;
        fields.separator_ = separator;
        fields.kind_ = Kind::Record;
        return fields;
    }
    // `numbers`, beside each cell, 1 when it holds a number (SheetRow::numbers); none are
    // without it.
    static OwnFields Cells(std::span<const std::string> cells,
                           std::span<const std::uint8_t> numbers = {}) {
        OwnFields fields;
        fields.cells_ = cells;
        fields.numbers_ = numbers;
        fields.kind_ = Kind::Cells;
        return fields;
    }

    bool empty() const { return kind_ == Kind::None; }
    std::size_t Count() const;
    // Field `index` into `out` (a CSV field's quotes undone); "" past the last.
    std::string_view Field(std::size_t index, std::string& out) const;
    // Whether field `index` is a number the input held as one, to be written back as one.
    bool IsNumber(std::size_t index) const {
        return kind_ == Kind::Cells && index < numbers_.size() && numbers_[index] != 0;
    }
    // A CSV record split after its first `count` fields, each part as it stands (an empty
    // `rest` may also be a record of exactly `count` fields): for fields written back byte for
    // byte. False for cells.
    bool SplitRecord(std::size_t count, char separator, std::string_view& first,
                     std::size_t& firstCount, std::string_view& rest, bool& hasRest) const;

  private:
    enum class Kind { None, Record, Cells };
    Kind kind_ = Kind::None;
    std::string_view record_;
    char separator_ = ',';
    std::span<const std::string> cells_;
    std::span<const std::uint8_t> numbers_;
};

// Where a report goes. Each number checked is a row: the line it stands on, the user's own
// fields (as many as the header has, a short row filled up), the result cells, and then any
// fields a long row has past the header's, so that results always stand under their names.
class ReportWriter {
  public:
    virtual ~ReportWriter() = default;

    // The header, once, before the first row: the user's own header (or, for input without
    // one, as many empty names as `firstRow` has fields), then the result columns' names.
    void Header(const OwnFields& ownHeader, const OwnFields& firstRow) {
        if (!headerWritten_) {
            headerWritten_ = true;
            ownCount_ = ownHeader.empty() ? firstRow.Count() : ownHeader.Count();
            WriteHeader(ownHeader);
        }
    }
    virtual void Row(std::uint64_t line, const OwnFields& own, const ResultCells& cells,
                     Verdict verdict) = 0;
    // Before the rows of each of several inputs, where the report is read as it comes.
    virtual void Heading(std::string_view) {}
    // Writes what is held; false once the report could not be written, error() saying why.
    virtual bool Finish() = 0;
    virtual std::string error() const = 0;

    bool headerWritten() const { return headerWritten_; }

  protected:
    explicit ReportWriter(bool withColumn) : withColumn_(withColumn) {}
    virtual void WriteHeader(const OwnFields& ownHeader) = 0;

    bool withColumn_;
    std::size_t ownCount_ = 0;

  private:
    bool headerWritten_ = false;
};

// Bytes to a file descriptor through one buffer, in a text form: UTF-8 as it is, or converted.
class ReportOutput {
  public:
    ReportOutput(int fd, TextForm form);
    ~ReportOutput();
    ReportOutput(const ReportOutput&) = delete;
    ReportOutput& operator=(const ReportOutput&) = delete;

    // Room for `size` more bytes after those held, which the caller writes and then keeps.
    char* Room(std::size_t size);
    void Keep(char* end) { size_ = static_cast<std::size_t>(end - buffer_.get()); }
    void Append(std::string_view text);
    // Written out once enough is held: at the end of each row.
    void RowDone() {
        if (size_ >= kFlushAt) {
            Flush();
        }
    }
    bool Flush();
    int error() const { return error_; }

  private:
    static constexpr std::size_t kFlushAt = 64 * 1024;
    void Write(std::string_view bytes);

    int fd_;
    std::unique_ptr<TextConverter> converter_;  // none for UTF-8
    std::string converted_;
    bool bomPending_;
    TextForm form_;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::size_t capacity_;
    bool failed_ = false;
    int error_ = 0;
};

// The digits of the line number of the row being written, counted on in place: rows come in line
// order, and a division by ten for each digit of each row cost more than the rest of a plain row.
class LineNumber {
  public:
    static constexpr std::size_t kRoom = 24;  // the 20 digits of any 64-bit number, and more

    // Writes `line` at `at`, which has room for kRoom bytes (those past the digits are left for
    // the rest of the row), and returns the end of its digits.
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

// Aligned columns for a person at a terminal, in UTF-8.
class TerminalReport final : public ReportWriter {
  public:
    static constexpr std::size_t kColumnWidth = 12;

    // `columnWidth`: how wide the column's name is shown, when several columns are checked.
    TerminalReport(int fd, bool withColumn, std::size_t columnWidth = kColumnWidth);
    void Row(std::uint64_t line, const OwnFields& own, const ResultCells& cells,
             Verdict verdict) override;
    void Heading(std::string_view name) override;
    bool Finish() override;
    std::string error() const override;

  private:
    void WriteHeader(const OwnFields&) override {}

    std::size_t columnWidth_;
    ReportOutput output_;
    LineNumber lineNumber_;
    std::string row_;
};

// CSV in a given form: the separator, line end and text form of the input it answers, or the one
// Spanish Excel opens on a double click.
struct CsvForm {
    char separator = ',';
    std::string_view lineEnd = "\n";
    TextForm text;
};

class CsvReport final : public ReportWriter {
  public:
    CsvReport(int fd, CsvForm form, bool withColumn);
    void Row(std::uint64_t line, const OwnFields& own, const ResultCells& cells,
             Verdict verdict) override;
    bool Finish() override;
    std::string error() const override;

  private:
    void WriteHeader(const OwnFields& ownHeader) override;
    bool PlainRow(std::uint64_t line, const ResultCells& cells);
    void QuotedRow(std::uint64_t line, const ResultCells& cells);
    void OwnLeading(const OwnFields& own, std::string_view& rest, bool& hasRest);
    void AppendField(std::string_view field);

    CsvForm form_;
    ReportOutput output_;
    LineNumber lineNumber_;
    std::string row_;
    std::string field_;
};

// A workbook: the user's own columns, then the results, a wrong verdict's cell filled red.
class XlsxReport final : public ReportWriter {
  public:
    // Nothing, with `error` saying why, when the workbook cannot be started.
    static std::unique_ptr<XlsxReport> Create(const std::string& path, bool withColumn,
                                              std::string& error);
    ~XlsxReport() override;
    void Row(std::uint64_t line, const OwnFields& own, const ResultCells& cells,
             Verdict verdict) override;
    bool Finish() override;
    std::string error() const override { return error_; }

  private:
    XlsxReport(std::unique_ptr<XlsxWriter> writer, bool withColumn);
    void WriteHeader(const OwnFields& ownHeader) override;

    std::unique_ptr<XlsxWriter> writer_;
    std::string error_;
    std::vector<std::string> fields_;
};

}  // namespace minizol
