#include "lists/report.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "common/byte_words.h"
#include "lists/csv.h"
#include "lists/shown_text.h"
#include "lists/xlsx_writer.h"

namespace minizol {
namespace {

// Terminal columns: wide enough for the longest IBAN written in groups (34 characters and 8
// blanks), so that every number is shown whole and every row stays in line.
constexpr std::size_t kLineWidth = 7;

std::size_t TerminalWidth(ResultColumn column) {
    switch (column) {
        case ResultColumn::Entry:
        case ResultColumn::Form:
            return 42;
        case ResultColumn::Kind:
            return 8;
        case ResultColumn::Verdict:
            return 12;
        case ResultColumn::Control:
            return 6;
        case ResultColumn::Bank:  // the longer names are cut
            return 36;
        case ResultColumn::Bic:
            return 11;
        case ResultColumn::Column:  // as wide as its writer was told
        case ResultColumn::Reason:  // the last: as long as it is
            return 0;
    }
    return 0;
}

std::string_view Plural(std::uint64_t count, std::string_view one, std::string_view many) {
    return count == 1 ? one : many;
}

std::string Message(int error) {
    return std::strerror(error);
}

// Sets the high bit of each byte of `word` that a plain row may not hold as it is: one outside
// printable ASCII (which AppendPrintable replaces), the separator (`separators`, in every byte)
// or a quote (which need quotes). The other bits, and those past such a byte, mean nothing: only
// whether there is any such byte is asked, by kHighBits.
constexpr std::uint64_t Unsafe(std::uint64_t word, std::uint64_t separators) {
    constexpr std::uint64_t kQuotes = kEveryByte * '"';
    return word | (word - kEveryByte * 0x20) | (word + kEveryByte) |
           ((word ^ separators) - kEveryByte) | ((word ^ kQuotes) - kEveryByte);
}

// The same for the program's own texts (a kind, a bank's name, a reason), which are UTF-8
// already: a byte past ASCII is written as it is, and only a control character, DEL, the
// separator or a quote needs a cell written with care. No test above borrows or carries out of
// a byte past ASCII, so leaving those bytes out leaves every other answer as it was.
constexpr std::uint64_t UnsafeInOwnText(std::uint64_t word, std::uint64_t separators) {
    return Unsafe(word, separators) & ~word;
}

template <typename Word>
Word Load(const char* from) {
    Word word;
    std::memcpy(&word, from, sizeof word);
    return word;
}

// Copies `cell` to `to` and returns its end, adding to `unsafe` the bytes that a plain row may
// not hold (in its high bits). Eight bytes at a time with the last eight overlapping the ones
// before, or four and four likewise, each byte looked at as it is copied: a cell is mostly shorter
// than a call to memcpy costs. Written in place at each cell, where the compiler knows the row
// around it (a call to it cost a tenth of a row).
template <typename Test>
[[gnu::always_inline]] inline char* CopyCell(char* to, std::string_view cell, Test test,
                                             std::uint64_t& unsafe) {
    const char* from = cell.data();
    const std::size_t size = cell.size();
    if (size >= sizeof(std::uint64_t)) {
        const std::size_t last = size - sizeof(std::uint64_t);
        for (std::size_t pos = 0; pos < last; pos += sizeof(std::uint64_t)) {
            const auto word = Load<std::uint64_t>(from + pos);
            std::memcpy(to + pos, &word, sizeof word);
            unsafe |= test(word);
        }
        const auto word = Load<std::uint64_t>(from + last);
        std::memcpy(to + last, &word, sizeof word);
        unsafe |= test(word);
    } else if (size >= sizeof(std::uint32_t)) {
        const std::size_t last = size - sizeof(std::uint32_t);
        const auto low = Load<std::uint32_t>(from);
        const auto high = Load<std::uint32_t>(from + last);
        std::memcpy(to, &low, sizeof low);
        std::memcpy(to + last, &high, sizeof high);
        unsafe |= test(low | std::uint64_t{high} << 32);
    } else if (size > 0) {
        // Every byte of the word looked at is one of the cell's: the first fills it.
        std::uint64_t word = kEveryByte * static_cast<unsigned char>(from[0]);
        for (std::size_t pos = 0; pos < size; ++pos) {
            to[pos] = from[pos];
            word = word << 8 | static_cast<unsigned char>(from[pos]);
        }
        unsafe |= test(word);
    }
    return to + size;
}

// The user's texts among the result cells, which may hold anything; the others are the program's.
bool IsUserText(ResultColumn column) {
    return column == ResultColumn::Column || column == ResultColumn::Entry;
}

}  // namespace

std::string SummaryText(const Tally& t) {
    std::string text = std::to_string(t.read);
    text += Plural(t.read, " número: ", " números: ");
    text += std::to_string(t.correct);
    text += Plural(t.correct, " correcto, ", " correctos, ");
    text += std::to_string(t.wrong);
    text += Plural(t.wrong, " incorrecto, ", " incorrectos, ");
    text += std::to_string(t.incomplete);
    text += Plural(t.incomplete, " incompleto, ", " incompletos, ");
    text += std::to_string(t.unknown);
    text += Plural(t.unknown, " desconocido", " desconocidos");
    return text;
}

ResultCells CheckedCells(std::string_view column, std::string_view entry,
                         const NumberCheck& check) {
    return {column,        entry,      KindName(check.kind), VerdictName(check.verdict),
            check.control, check.form, check.bank,           check.bic,
            check.reason};
}

std::size_t OwnFields::Count() const {
    switch (kind_) {
        case Kind::None:
            return 0;
        case Kind::Record:
            return CsvFieldCount(record_, separator_);
        case Kind::Cells:
            return cells_.size();
    }
    return 0;
}

std::string_view OwnFields::Field(std::size_t index, std::string& out) const {
    out.clear();
    if (kind_ == Kind::Record) {
        CsvField(record_, separator_, index, out);
        return out;
    }
    if (kind_ == Kind::Cells && index < cells_.size()) {
        return cells_[index];
    }
    return out;
}

bool OwnFields::SplitRecord(std::size_t count, char separator, std::string_view& first,
                            std::size_t& firstCount, std::string_view& rest, bool& hasRest) const {
    if (kind_ != Kind::Record || separator != separator_) {
        return false;
    }
    CsvState state = CsvState::FieldStart;
    firstCount = 1;
    for (std::size_t pos = 0; pos < record_.size(); ++pos) {
        const char c = record_[pos];
        const bool ends = c == separator && state != CsvState::Quoted;
        state = c == '\n' ? state : CsvStep(state, c, separator);
        if (ends) {
            if (firstCount == count) {
                first = record_.substr(0, pos);
                rest = record_.substr(pos + 1);
                hasRest = true;
                return true;
            }
            ++firstCount;
        }
    }
    first = record_;
    rest = {};
    hasRest = false;
    firstCount = std::min(firstCount, count);
    return true;
}

// The first row of an input, or one after lines without a row.
void LineNumber::Restart(std::uint64_t line) {
    const char* end = std::to_chars(digits_.data(), digits_.data() + digits_.size(), line).ptr;
    size_ = static_cast<std::size_t>(end - digits_.data());
    number_ = line;
}

// One more: the nines at the end become zeros and the digit before them goes up, or, when all
// were nines, the number grows by a digit (999 to 1000).
void LineNumber::CountOn() {
    std::size_t pos = size_;
    while (pos > 0 && digits_[pos - 1] == '9') {
        digits_[--pos] = '0';
    }
    if (pos > 0) {
        ++digits_[pos - 1];
    } else {
        digits_[0] = '1';
        digits_[size_++] = '0';
    }
    ++number_;
}

ReportOutput::ReportOutput(int fd, TextForm form)
    : fd_(fd),
      bomPending_(form.byteOrderMark),
      form_(form),
      buffer_(std::make_unique_for_overwrite<char[]>(2 * kFlushAt)),
      capacity_(2 * kFlushAt) {
    if (form.encoding != TextEncoding::Utf8) {
        converter_ =
            std::make_unique<TextConverter>(form.encoding, TextConverter::Direction::FromUtf8);
    }
}

ReportOutput::~ReportOutput() = default;

// The buffer grows for a row longer than the room left (a record may be 64 KiB).
char* ReportOutput::Room(std::size_t size) {
    if (capacity_ - size_ < size) {
        const std::size_t capacity = std::max(2 * capacity_, size_ + size);
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(grown.get(), buffer_.get(), size_);
        buffer_ = std::move(grown);
        capacity_ = capacity;
    }
    return buffer_.get() + size_;
}

void ReportOutput::Append(std::string_view text) {
    std::memcpy(Room(text.size()), text.data(), text.size());
    size_ += text.size();
}

bool ReportOutput::Flush() {
    if (bomPending_) {
        bomPending_ = false;
        switch (form_.encoding) {
            case TextEncoding::Utf8:
                Write("\xEF\xBB\xBF");
                break;
            case TextEncoding::Utf16Le:
                Write("\xFF\xFE");
                break;
            case TextEncoding::Utf16Be:
                Write("\xFE\xFF");
                break;
            case TextEncoding::Windows1252:
                break;
        }
    }
    const std::string_view held(buffer_.get(), size_);
    if (converter_) {
        converted_.clear();
        converter_->Convert(held, converted_);
        Write(converted_);
    } else {
        Write(held);
    }
    size_ = 0;
    return !failed_;
}

void ReportOutput::Write(std::string_view bytes) {
    std::size_t written = 0;
    while (!failed_ && written < bytes.size()) {
        const ssize_t count = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno != EINTR) {
            failed_ = true;
            error_ = errno;
        } else if (count > 0) {
            written += static_cast<std::size_t>(count);
        }
    }
}

TerminalReport::TerminalReport(int fd, bool withColumn, std::size_t columnWidth)
    : ReportWriter(withColumn), columnWidth_(columnWidth), output_(fd, TextForm{}) {}

void TerminalReport::Row(std::uint64_t line, const OwnFields&, const ResultCells& cells, Verdict) {
    row_.clear();
    char digits[LineNumber::kRoom];
    const std::string_view number(digits, lineNumber_.Write(digits, line));
    row_.append(number.size() < kLineWidth ? kLineWidth - number.size() : 0, ' ');
    row_ += number;
    ForEachResultCell(cells, withColumn_, [&](ResultColumn column, std::string_view text) {
        row_ += "  ";
        const std::size_t width =
            column == ResultColumn::Column ? columnWidth_ : TerminalWidth(column);
        AppendTerminalCell(row_, text, width == 0 ? text.size() + 1 : width, width != 0);
    });
    while (!row_.empty() && row_.back() == ' ') {
        row_.pop_back();
    }
    row_ += '\n';
    output_.Append(row_);
    output_.RowDone();
}

void TerminalReport::Heading(std::string_view name) {
    row_ = "==> ";
    AppendPrintable(row_, name, name.size());
    row_ += " <==\n";
    output_.Append(row_);
}

bool TerminalReport::Finish() {
    return output_.Flush();
}

std::string TerminalReport::error() const {
    return Message(output_.error());
}

CsvReport::CsvReport(int fd, CsvForm form, bool withColumn)
    : ReportWriter(withColumn), form_(form), output_(fd, form.text) {}

void CsvReport::AppendField(std::string_view field) {
    AppendCsvField(row_, field, form_.separator);
}

void CsvReport::WriteHeader(const OwnFields& ownHeader) {
    row_.clear();
    if (ownCount_ > 0) {
        std::string_view first;
        std::string_view rest;
        std::size_t firstCount = 0;
        bool hasRest = false;
        if (ownHeader.SplitRecord(ownCount_, form_.separator, first, firstCount, rest, hasRest)) {
            row_ += first;  // the user's own header, as it came
        } else {
            for (std::size_t i = 0; i < ownCount_; ++i) {
                if (i > 0) {
                    row_ += form_.separator;
                }
                AppendField(ownHeader.Field(i, field_));
            }
        }
        row_ += form_.separator;
    }
    row_ += kLineColumnName;
    ForEachResultCell(kResultColumnNames, withColumn_, [&](ResultColumn, std::string_view name) {
        row_ += form_.separator;
        row_ += name;
    });
    row_ += form_.lineEnd;
    output_.Append(row_);
}

// The user's fields up to the header's count, and what follows them, byte for byte where the
// record is in the report's own separator.
void CsvReport::OwnLeading(const OwnFields& own, std::string_view& rest, bool& hasRest) {
    row_.clear();
    std::string_view first;
    std::size_t firstCount = 0;
    if (own.SplitRecord(ownCount_, form_.separator, first, firstCount, rest, hasRest)) {
        row_ += first;
        row_.append(ownCount_ - firstCount, form_.separator);
    } else {
        const std::size_t count = own.Count();
        for (std::size_t i = 0; i < ownCount_; ++i) {
            if (i > 0) {
                row_ += form_.separator;
            }
            AppendField(own.Field(i, field_));
        }
        // The extra fields of a long row, after the results: kept in field_ until then.
        std::string extra;
        for (std::size_t i = ownCount_; i < count; ++i) {
            if (i > ownCount_) {
                extra += form_.separator;
            }
            AppendCsvField(extra, own.Field(i, field_), form_.separator);
        }
        field_ = std::move(extra);
        rest = field_;
        hasRest = count > ownCount_;
    }
    row_ += form_.separator;
    output_.Append(row_);
}

void CsvReport::Row(std::uint64_t line, const OwnFields& own, const ResultCells& cells, Verdict) {
    std::string_view rest;
    bool hasRest = false;
    if (ownCount_ > 0) {
        OwnLeading(own, rest, hasRest);
    }
    if (!PlainRow(line, cells)) {
        QuotedRow(line, cells);
    }
    if (hasRest) {
        row_.clear();
        row_ += form_.separator;
        row_ += rest;
        output_.Append(row_);
    }
    output_.Append(form_.lineEnd);
    output_.RowDone();
}

// Almost every row is plain: no cell needs quotes or a character replaced. Such a row is written
// straight into the room after the report, each cell looked over as it is copied, and kept; any
// other is left there unkept, to be written cell by cell. The look may turn down a cell that
// would be written as it is (a tab in a bank's name); it never lets through one that would not.
bool CsvReport::PlainRow(std::uint64_t line, const ResultCells& cells) {
    const std::size_t most = LineNumber::kRoom + cells.column.size() + cells.entry.size() +
                             cells.kind.size() + cells.verdict.size() + cells.control.size() +
                             cells.form.size() + cells.bank.size() + cells.bic.size() +
                             cells.reason.size() + 10;
    const char separator = form_.separator;
    const std::uint64_t separators = kEveryByte * static_cast<unsigned char>(separator);
    std::uint64_t unsafe = 0;
    char* at = lineNumber_.Write(output_.Room(most), line);
    const auto user = [separators](std::uint64_t word) { return Unsafe(word, separators); };
    const auto own = [separators](std::uint64_t word) { return UnsafeInOwnText(word, separators); };
    ForEachResultCell(cells, withColumn_, [&](ResultColumn column, std::string_view text) {
        *at++ = separator;
        at =
            IsUserText(column) ? CopyCell(at, text, user, unsafe) : CopyCell(at, text, own, unsafe);
    });
    if ((unsafe & kHighBits) != 0) {
        return false;
    }
    output_.Keep(at);
    return true;
}

void CsvReport::QuotedRow(std::uint64_t line, const ResultCells& cells) {
    row_.clear();
    char digits[LineNumber::kRoom];
    row_.append(digits, lineNumber_.Write(digits, line));
    ForEachResultCell(cells, withColumn_, [&](ResultColumn column, std::string_view text) {
        row_ += form_.separator;
        if (IsUserText(column)) {
            field_.clear();
            AppendPrintable(field_, text, text.size());
            AppendField(field_);
        } else {
            AppendField(text);
        }
    });
    output_.Append(row_);
}

bool CsvReport::Finish() {
    return output_.Flush();
}

std::string CsvReport::error() const {
    return Message(output_.error());
}

std::unique_ptr<XlsxReport> XlsxReport::Create(const std::string& path, bool withColumn,
                                               std::string& error) {
    std::unique_ptr<XlsxWriter> writer = XlsxWriter::Create(path, error);
    if (!writer) {
        return nullptr;
    }
    return std::unique_ptr<XlsxReport>(new XlsxReport(std::move(writer), withColumn));
}

XlsxReport::XlsxReport(std::unique_ptr<XlsxWriter> writer, bool withColumn)
    : ReportWriter(withColumn), writer_(std::move(writer)) {}

XlsxReport::~XlsxReport() = default;

void XlsxReport::WriteHeader(const OwnFields& ownHeader) {
    fields_.assign(ownCount_, std::string());
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < ownCount_; ++i) {
        names.push_back(ownHeader.Field(i, fields_[i]));
    }
    names.push_back(kLineColumnName);
    ForEachResultCell(kResultColumnNames, withColumn_,
                      [&](ResultColumn, std::string_view name) { names.push_back(name); });
    writer_->Header(names);
}

void XlsxReport::Row(std::uint64_t line, const OwnFields& own, const ResultCells& cells,
                     Verdict verdict) {
    const std::size_t count = std::max(own.Count(), ownCount_);
    if (fields_.size() < count) {
        fields_.resize(count);
    }
    std::vector<WrittenCell> written;
    written.reserve(count + 9);
    for (std::size_t i = 0; i < ownCount_; ++i) {
        written.push_back({own.Field(i, fields_[i]), own.IsNumber(i)});
    }
    const std::string number = std::to_string(line);
    written.push_back({number, true});
    ForEachResultCell(cells, withColumn_, [&](ResultColumn column, std::string_view text) {
        written.push_back(
            {text, false, column == ResultColumn::Verdict && verdict == Verdict::Wrong});
    });
    for (std::size_t i = ownCount_; i < count; ++i) {
        written.push_back({own.Field(i, fields_[i]), own.IsNumber(i)});
    }
    writer_->Row(written);
}

bool XlsxReport::Finish() {
    return writer_->Close(error_);
}

}  // namespace minizol
