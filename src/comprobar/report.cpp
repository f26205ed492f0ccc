#include "comprobar/report.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "common/utf8_text.h"
#include "comprobar/csv.h"

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

constexpr std::size_t kMostDigits = 20;  // of a 64-bit number

// Writes `number` at `at` and returns the end: every row starts with its line number.
char* WriteNumber(char* at, std::uint64_t number) {
    char digits[kMostDigits];
    char* first = std::end(digits);
    do {
        *--first = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    return std::copy(first, std::end(digits), at);
}

void AppendNumber(std::string& out, std::uint64_t number) {
    char digits[kMostDigits];
    out.append(digits, WriteNumber(digits, number));
}

}  // namespace

void Tally::Count(Verdict verdict) {
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

ReportWriter::ReportWriter(int fd, Format format, char separator, bool ownFields)
    : fd_(fd), format_(format), separator_(separator), ownFields_(ownFields) {
    out_.reserve(2 * kFlushAt);
}

void ReportWriter::Header(std::optional<std::string_view> ownHeader, std::string_view firstRecord) {
    if (headerWritten_ || format_ != Format::Csv) {
        return;
    }
    headerWritten_ = true;
    if (ownFields_) {
        const std::string_view own = ownHeader.value_or(firstRecord);
        ownFieldCount_ = CsvFieldCount(own, separator_);
        if (ownHeader) {
            out_ += *ownHeader;
        } else {
            out_.append(ownFieldCount_ - 1, separator_);
        }
        out_ += separator_;
    }
    for (std::string_view name : kCsvColumns) {
        out_ += name;
        out_ += name == kCsvColumns[std::size(kCsvColumns) - 1] ? '\n' : separator_;
    }
}

void ReportWriter::Row(std::uint64_t line, std::string_view entry, const NumberCheck& check,
                       std::string_view record) {
    OwnFields(record);
    Columns(line, entry, entry.size(), KindName(check.kind), VerdictName(check.verdict),
            check.control, check.form, check.bank);
}

void ReportWriter::Unchecked(std::uint64_t line, std::string_view entry, std::string_view verdict,
                             std::optional<std::string_view> record) {
    OwnFields(record);
    Columns(line, entry, record ? entry.size() : kShownOfTooLong, "", verdict, "", "", "");
}

void ReportWriter::Heading(std::string_view name) {
    if (format_ == Format::Terminal) {
        out_ += "==> ";
        AppendPrintable(out_, name, name.size());
        out_ += " <==\n";
    }
}

void ReportWriter::OwnFields(std::optional<std::string_view> record) {
    if (format_ != Format::Csv || !ownFields_) {
        return;
    }
    // A record with fewer fields than the first is filled up, so that the columns stay in line.
    const std::size_t count = record ? CsvFieldCount(*record, separator_) : 0;
    if (record) {
        out_ += *record;
    }
    out_.append(count < ownFieldCount_ ? ownFieldCount_ - count : 0, separator_);
    if (record) {
        out_ += separator_;
    }
}

void ReportWriter::Columns(std::uint64_t line, std::string_view entry, std::size_t shown,
                           std::string_view kind, std::string_view verdict,
                           std::string_view control, std::string_view form, std::string_view bank) {
    scratch_.clear();
    if (format_ == Format::Csv) {
        // Almost every row needs no quotes: it is written plain and looked over once, and
        // written again cell by cell only when it does.
        const std::size_t start = out_.size();
        const std::string_view rest[] = {kind, verdict, control, form, bank};
        if (IsPlain(entry, shown)) {
            // As almost every row: the cells are copied into room made once, not appended one by
            // one.
            std::size_t size = kMostDigits + 1 + entry.size();
            for (std::string_view cell : rest) {
                size += 1 + cell.size();
            }
            out_.resize(start + size);
            char* end = WriteNumber(out_.data() + start, line);
            *end++ = separator_;
            end = std::copy(entry.begin(), entry.end(), end);
            for (std::string_view cell : rest) {
                *end++ = separator_;
                end = std::copy(cell.begin(), cell.end(), end);
            }
            out_.resize(static_cast<std::size_t>(end - out_.data()));
        } else {
            AppendNumber(out_, line);
            out_ += separator_;
            AppendPrintable(out_, entry, shown);
            for (std::string_view cell : rest) {
                out_ += separator_;
                out_ += cell;
            }
        }
        if (!CsvPlain(std::string_view(out_).substr(start), separator_, 1 + std::size(rest))) {
            out_.resize(start);
            AppendNumber(out_, line);
            out_ += separator_;
            AppendPrintable(scratch_, entry, shown);
            AppendCsvField(out_, scratch_, separator_);
            for (std::string_view cell : rest) {
                out_ += separator_;
                AppendCsvField(out_, cell, separator_);
            }
        }
    } else {
        AppendPrintable(scratch_, entry, std::min(shown, kShownOnTerminal));
        const std::size_t start = out_.size();
        AppendNumber(out_, line);
        const std::size_t digits = out_.size() - start;
        out_.insert(start, digits < kLineWidth ? kLineWidth - digits : 0, ' ');
        out_ += "  ";
        Cell(scratch_, kEntryWidth);
        Cell(kind, kKindWidth);
        Cell(verdict, kVerdictWidth);
        Cell(control, kControlWidth);
        Cell(form, kFormWidth);
        out_ += bank;
        while (!out_.empty() && out_.back() == ' ') {
            out_.pop_back();
        }
    }
    EndRow();
}

void ReportWriter::Cell(std::string_view text, std::size_t width) {
    out_ += text;
    const std::size_t count = CharCount(text);
    out_.append(count < width ? width - count + 2 : 2, ' ');
}

void ReportWriter::EndRow() {
    out_ += '\n';
    if (out_.size() >= kFlushAt) {
        Flush();
    }
}

bool ReportWriter::Flush() {
    std::size_t written = 0;
    while (!failed_ && written < out_.size()) {
        const ssize_t count = ::write(fd_, out_.data() + written, out_.size() - written);
        if (count < 0 && errno != EINTR) {
            failed_ = true;
            error_ = errno;
        } else if (count > 0) {
            written += static_cast<std::size_t>(count);
        }
    }
    out_.clear();
    return !failed_;
}

}  // namespace minizol
