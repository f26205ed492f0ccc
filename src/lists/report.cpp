#include "lists/report.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>

#include "common/byte_words.h"
#include "common/utf8_text.h"
#include "lists/csv.h"

namespace minizol {
namespace {

constexpr std::size_t kFlushAt = 64 * 1024;
// Terminal columns, wide enough for an IBAN written in groups.
constexpr std::size_t kLineWidth = 7;
constexpr std::size_t kEntryWidth = 34;
constexpr std::size_t kKindWidth = 8;
constexpr std::size_t kVerdictWidth = 12;
constexpr std::size_t kControlWidth = 6;
constexpr std::size_t kFormWidth = 34;
// A longer entry is no number: the terminal shows its start, as it does for one too long to read.
constexpr std::size_t kShownOnTerminal = 60;
constexpr std::size_t kShownOfTooLong = 40;
constexpr std::string_view kReplacement = "\uFFFD";
constexpr std::string_view kEllipsis = "\u2026";

std::string_view Plural(std::uint64_t count, std::string_view one, std::string_view many) {
    return count == 1 ? one : many;
}

// The text as it can be shown and read back: a byte that is not UTF-8 and a control character
// (NUL, escape, a line break ...) become U+FFFD, which no terminal acts on and no CSV reader
// trips over. At most `most` characters, then an ellipsis.
bool IsPlain(std::string_view text, std::size_t most) {
    bool plain = text.size() <= most;
    for (char c : text) {
        plain = plain && c >= 0x20 && c < 0x7F;
    }
    return plain;
}

void AppendPrintable(std::string& out, std::string_view text, std::size_t most) {
    if (IsPlain(text, most)) {
        out += text;  // as almost every number is written
        return;
    }
    std::size_t shown = 0;
    for (std::size_t pos = 0; pos < text.size(); ++shown) {
        if (shown == most) {
            out += kEllipsis;
            return;
        }
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead >= 0x20 && lead < 0x7F) {
            out += static_cast<char>(lead);
            ++pos;
            continue;
        }
        const std::size_t length = CharLengthAt(text, pos);
        const std::string_view character = text.substr(pos, length);
        const bool control = (length == 1 && lead != '\t') || character == "\u0085" ||
                             character == "\u2028" || character == "\u2029";
        out += control ? kReplacement : character;
        pos += length;
    }
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

template <typename Word>
Word Load(const char* from) {
    Word word;
    std::memcpy(&word, from, sizeof word);
    return word;
}

// Copies `cell` to `to` and returns its end, adding to `unsafe` the bytes that a plain row may
// not hold (in its high bits). Eight bytes at a time with the last eight overlapping the ones
// before, or four and four likewise, each byte looked at as it is copied: a cell is mostly shorter
// than a call to memcpy costs. Written in place at each of its four calls, where the compiler
// knows the row around it (a call to it cost a tenth of a row).
[[gnu::always_inline]] inline char* CopyCell(char* to, std::string_view cell,
                                             std::uint64_t separators, std::uint64_t& unsafe) {
    const char* from = cell.data();
    const std::size_t size = cell.size();
    if (size >= sizeof(std::uint64_t)) {
        const std::size_t last = size - sizeof(std::uint64_t);
        for (std::size_t pos = 0; pos < last; pos += sizeof(std::uint64_t)) {
            const auto word = Load<std::uint64_t>(from + pos);
            std::memcpy(to + pos, &word, sizeof word);
            unsafe |= Unsafe(word, separators);
        }
        const auto word = Load<std::uint64_t>(from + last);
        std::memcpy(to + last, &word, sizeof word);
        unsafe |= Unsafe(word, separators);
    } else if (size >= sizeof(std::uint32_t)) {
        const std::size_t last = size - sizeof(std::uint32_t);
        const auto low = Load<std::uint32_t>(from);
        const auto high = Load<std::uint32_t>(from + last);
        std::memcpy(to, &low, sizeof low);
        std::memcpy(to + last, &high, sizeof high);
        unsafe |= Unsafe(low | std::uint64_t{high} << 32, separators);
    } else if (size > 0) {
        // Every byte of the word looked at is one of the cell's: the first fills it.
        std::uint64_t word = kEveryByte * static_cast<unsigned char>(from[0]);
        for (std::size_t pos = 0; pos < size; ++pos) {
            to[pos] = from[pos];
            word = word << 8 | static_cast<unsigned char>(from[pos]);
        }
        unsafe |= Unsafe(word, separators);
    }
    return to + size;
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

// The first row of an input, or one after lines without a row.
void ReportWriter::LineNumber::Restart(std::uint64_t line) {
    const char* end = std::to_chars(digits_.data(), digits_.data() + digits_.size(), line).ptr;
    size_ = static_cast<std::size_t>(end - digits_.data());
    number_ = line;
}

// One more: the nines at the end become zeros and the digit before them goes up, or, when all
// were nines, the number grows by a digit (999 to 1000).
void ReportWriter::LineNumber::CountOn() {
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

ReportWriter::ReportWriter(int fd, Format format, char separator, bool ownFields)
    : fd_(fd),
      format_(format),
      separator_(separator),
      ownFields_(ownFields && format == Format::Csv),
      out_(std::make_unique_for_overwrite<char[]>(2 * kFlushAt)),
      outCapacity_(2 * kFlushAt) {
    if (format_ == Format::Csv) {
        MakeMiddleCells();
    }
}

void ReportWriter::MakeMiddleCells() {
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        for (std::size_t verdict = 0; verdict < kVerdicts; ++verdict) {
            const std::string_view cells[] = {KindName(static_cast<NumberKind>(kind)),
                                              VerdictName(static_cast<Verdict>(verdict))};
            std::string text(1, separator_);
            bool plain = true;
            for (std::string_view cell : cells) {
                const std::size_t start = text.size();
                AppendCsvField(text, cell, separator_);
                plain = plain && text.substr(start) == cell;
                text += separator_;
            }
            MiddleCells& middle = middle_[kind][verdict];
            middle.plain = plain && text.size() <= middle.text.size();
            middle.size = std::min(text.size(), middle.text.size());
            std::copy_n(text.begin(), middle.size, middle.text.begin());
        }
    }
}

void ReportWriter::WriteHeader(std::optional<std::string_view> ownHeader,
                               std::string_view firstRecord) {
    headerWritten_ = true;
    row_.clear();
    if (ownFields_) {
        const std::string_view own = ownHeader.value_or(firstRecord);
        ownFieldCount_ = CsvFieldCount(own, separator_);
        if (ownHeader) {
            row_ += *ownHeader;
        } else {
            row_.append(ownFieldCount_ - 1, separator_);
        }
        row_ += separator_;
    }
    for (std::string_view name : kCsvColumns) {
        row_ += name;
        row_ += name == kCsvColumns[std::size(kCsvColumns) - 1] ? '\n' : separator_;
    }
    Append(row_);
}

void ReportWriter::Row(std::uint64_t line, std::string_view entry, const NumberCheck& check,
                       std::string_view record) {
    if (ownFields_) {
        OwnFields(record);
    }
    if (format_ != Format::Csv || !PlainCsvRow(line, entry, check)) {
        Columns(line, entry, entry.size(), KindName(check.kind), VerdictName(check.verdict),
                check.control, check.form, check.bank);
    }
    EndRow();
}

void ReportWriter::Unchecked(std::uint64_t line, std::string_view entry, std::string_view verdict,
                             std::optional<std::string_view> record) {
    if (ownFields_) {
        OwnFields(record);
    }
    Columns(line, entry, record ? entry.size() : kShownOfTooLong, "", verdict, "", "", "");
    EndRow();
}

void ReportWriter::Heading(std::string_view name) {
    if (format_ == Format::Terminal) {
        row_ = "==> ";
        AppendPrintable(row_, name, name.size());
        row_ += " <==\n";
        Append(row_);
    }
}

// Almost every row is plain: no cell needs quotes or a character replaced. Such a row is
// written straight into the room after the report, each cell looked over as it is copied, and
// kept; any other is left there unkept, to be written cell by cell. The look may turn down a
// cell that would be written as it is (a tab in a bank's name); it never lets through one that
// would not.
bool ReportWriter::PlainCsvRow(std::uint64_t line, std::string_view entry,
                               const NumberCheck& check) {
    const auto kind = static_cast<std::size_t>(check.kind);
    const auto verdict = static_cast<std::size_t>(check.verdict);
    if (kind >= kKinds || verdict >= kVerdicts || !middle_[kind][verdict].plain) {
        return false;
    }
    const MiddleCells& middle = middle_[kind][verdict];
    const std::size_t most = LineNumber::kRoom + 1 + entry.size() + middle.text.size() +
                             check.control.size() + 1 + check.form.size() + 1 + check.bank.size() +
                             1;
    const std::uint64_t separators = kEveryByte * static_cast<unsigned char>(separator_);
    std::uint64_t unsafe = 0;
    char* at = lineNumber_.Write(Room(most), line);
    *at++ = separator_;
    at = CopyCell(at, entry, separators, unsafe);
    std::memcpy(at, middle.text.data(), middle.text.size());
    at += middle.size;
    at = CopyCell(at, check.control, separators, unsafe);
    *at++ = separator_;
    at = CopyCell(at, check.form, separators, unsafe);
    *at++ = separator_;
    at = CopyCell(at, check.bank, separators, unsafe);
    *at++ = '\n';
    if ((unsafe & kHighBits) != 0) {
        return false;
    }
    outSize_ = static_cast<std::size_t>(at - out_.get());
    return true;
}

void ReportWriter::OwnFields(std::optional<std::string_view> record) {
    // A record with fewer fields than the first is filled up, so that the columns stay in line.
    const std::size_t count = record ? CsvFieldCount(*record, separator_) : 0;
    row_.clear();
    if (record) {
        row_ += *record;
    }
    row_.append(count < ownFieldCount_ ? ownFieldCount_ - count : 0, separator_);
    if (record) {
        row_ += separator_;
    }
    Append(row_);
}

void ReportWriter::Columns(std::uint64_t line, std::string_view entry, std::size_t shown,
                           std::string_view kind, std::string_view verdict,
                           std::string_view control, std::string_view form, std::string_view bank) {
    row_.clear();
    scratch_.clear();
    char digits[LineNumber::kRoom];
    const std::string_view number(digits, lineNumber_.Write(digits, line));
    if (format_ == Format::Csv) {
        row_ += number;
        row_ += separator_;
        AppendPrintable(scratch_, entry, shown);
        AppendCsvField(row_, scratch_, separator_);
        for (std::string_view cell : {kind, verdict, control, form, bank}) {
            row_ += separator_;
            AppendCsvField(row_, cell, separator_);
        }
    } else {
        AppendPrintable(scratch_, entry, std::min(shown, kShownOnTerminal));
        row_.append(number.size() < kLineWidth ? kLineWidth - number.size() : 0, ' ');
        row_ += number;
        row_ += "  ";
        Cell(scratch_, kEntryWidth);
        Cell(kind, kKindWidth);
        Cell(verdict, kVerdictWidth);
        Cell(control, kControlWidth);
        Cell(form, kFormWidth);
        row_ += bank;
        while (!row_.empty() && row_.back() == ' ') {
            row_.pop_back();
        }
    }
    row_ += '\n';
    Append(row_);
}

void ReportWriter::Cell(std::string_view text, std::size_t width) {
    row_ += text;
    const std::size_t count = CharCount(text);
    row_.append(count < width ? width - count + 2 : 2, ' ');
}

void ReportWriter::EndRow() {
    if (outSize_ >= kFlushAt) {
        Flush();
    }
}

// Room for `size` more bytes after the report, where the caller writes them before it keeps
// them: the buffer grows for a row longer than the room left (a record may be 64 KiB).
char* ReportWriter::Room(std::size_t size) {
    if (outCapacity_ - outSize_ < size) {
        const std::size_t capacity = std::max(2 * outCapacity_, outSize_ + size);
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(grown.get(), out_.get(), outSize_);
        out_ = std::move(grown);
        outCapacity_ = capacity;
    }
    return out_.get() + outSize_;
}

void ReportWriter::Append(std::string_view text) {
    std::memcpy(Room(text.size()), text.data(), text.size());
    outSize_ += text.size();
}

bool ReportWriter::Flush() {
    std::size_t written = 0;
    while (!failed_ && written < outSize_) {
        const ssize_t count = ::write(fd_, out_.get() + written, outSize_ - written);
        if (count < 0 && errno != EINTR) {
            failed_ = true;
            error_ = errno;
        } else if (count > 0) {
            written += static_cast<std::size_t>(count);
        }
    }
    outSize_ = 0;
    return !failed_;
}

}  // namespace minizol
