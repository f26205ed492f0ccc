// A list of numbers as minizol-comprobar reads it: records from any bytes (lines, or CSV records
// and one of their fields), each number checked as the window's rows check it. Input: a byte of
// mode (bit 0 CSV, bits 1-2 the separator, bits 3-5 the column), a byte naming the kind asked
// for, a byte for how many bytes a read brings; then the list.
#include <algorithm>
#include <string>
#include <vector>

#include "checkdigits/bank_account.h"
#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"
#include "checkdigits/number_check.h"
#include "checkdigits/number_labels.h"
#include "checkdigits/pasted_text.h"
#include "fuzz_support.h"
#include "lists/csv.h"
#include "lists/record_reader.h"
#include "support/memory_source.h"

namespace minizol::fuzz {
namespace {

constexpr char kSeparators[] = {',', ';', '\t', ' '};
constexpr KindFilter kFilters[] = {KindFilter::Any,  KindFilter::Dni, KindFilter::Nie,
                                   KindFilter::Nif,  KindFilter::Cif, KindFilter::Ccc,
                                   KindFilter::Iban, KindFilter::Isbn};

struct Seen {
    std::string text;
    std::uint64_t line;
    bool tooLong;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> ReadAll(std::string_view data, std::size_t chunk, std::optional<char> separator) {
    MemorySource source(data, chunk);
    RecordReader reader(source, separator);
    std::vector<Seen> records;
    while (const std::optional<Record> record = reader.Next()) {
        FUZZ_CHECK(record->text.size() <= RecordReader::kLongestRecord, Quoted(data.substr(0, 80)));
        records.push_back({std::string(record->text), record->line, record->tooLong});
    }
    FUZZ_CHECK(reader.error() == 0, "memory never fails");
    return records;
}

std::size_t LineFeeds(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// No line is lost: each record starts where the one before it ended, and the last ends with the
// input. A record too long to hold ends somewhere past its first part.
void CheckLinesAccountedFor(std::string_view data, const std::vector<Seen>& records) {
    if (data.starts_with("\xEF\xBB\xBF")) {
        data.remove_prefix(3);
    }
    const std::size_t lines = LineFeeds(data) + (!data.empty() && !data.ends_with('\n') ? 1 : 0);
    std::uint64_t next = 1;
    for (const Seen& record : records) {
        FUZZ_CHECK(record.tooLong ? record.line >= next : record.line == next,
                   Quoted(record.text.substr(0, 80)) + " on line " + std::to_string(record.line));
        next = record.line + LineFeeds(record.text) + 1;
    }
    const bool lastTooLong = !records.empty() && records.back().tooLong;
    FUZZ_CHECK(lastTooLong ? next <= lines + 1 : next == lines + 1,
               std::to_string(lines) + " lines, read to " + std::to_string(next));
}

// Lines are the input cut at its line feeds, without carriage returns before them.
void CheckLinesAsWritten(std::string_view data, const std::vector<Seen>& records) {
    if (data.starts_with("\xEF\xBB\xBF")) {
        data.remove_prefix(3);
    }
    std::size_t index = 0;
    while (!data.empty()) {
        const std::size_t end = std::min(data.find('\n'), data.size());
        std::string_view line = data.substr(0, end);
        data.remove_prefix(std::min(end + 1, data.size()));
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        FUZZ_CHECK(index < records.size(), "a line lost: " + Quoted(line.substr(0, 80)));
        const Seen& record = records[index++];
        if (record.tooLong) {
            FUZZ_CHECK(line.starts_with(record.text), Quoted(line.substr(0, 80)));
        } else {
            FUZZ_CHECK(record.text == line, Quoted(record.text) + " read for " + Quoted(line));
        }
    }
    FUZZ_CHECK(index == records.size(), "more records than lines");
}

void CheckField(std::string_view record, char separator, std::size_t column, std::string& field) {
    const bool found = CsvField(record, separator, column, field);
    FUZZ_CHECK(found == (CsvFieldCount(record, separator) > column), Quoted(record));
    if (found) {
        std::string written;
        AppendCsvField(written, field, separator);
        std::string back;
        FUZZ_CHECK(CsvField(written, separator, 0, back) && back == field,
                   Quoted(field) + " written " + Quoted(written));
    }
}

std::string Described(std::string_view text, const NumberCheck& check) {
    return Quoted(text) + " " + std::string(KindName(check.kind)) + " " +
           std::string(VerdictName(check.verdict)) + " control " + check.control + " form " +
           check.form;
}

bool IsIdentity(NumberKind kind) {
    return kind == NumberKind::Dni || kind == NumberKind::Nie || kind == NumberKind::Nif ||
           kind == NumberKind::Cif;
}

// What a paste leaves in the identity field: the number, when its label names an identity
// number; otherwise the whole text, as the window takes it.
std::string IdentityPaste(const std::string& tidy) {
    const LabelledNumber labelled = ReadLabelledNumber(tidy);
    return IdentityFieldText(labelled.label == NumberLabel::Identity ? labelled.number : tidy);
}

// Whether the window's row for the number's kind shows it red, as pasted there.
bool RedInTheWindow(std::string_view text, NumberKind kind) {
    const std::string tidy = TidyPastedText(text);
    if (kind == NumberKind::Ccc || kind == NumberKind::Iban) {
        const std::optional<WholeAccount> whole = ReadWholeAccount(tidy);
        FUZZ_CHECK(whole.has_value(), Quoted(text) + " is an account the row does not take");
        const BankRow row =
            UpdateBankAccount(whole->fields.value_or(BankFields{}), "ES00", &*whole);
        return row.controlRed || row.ibanRed;
    }
    if (IsIdentity(kind)) {
        return DisplayIdentityField(IdentityPaste(tidy)).red;
    }
    return IsbnCheckDigit(WithoutIsbnLabel(tidy)).red;
}

void CheckNumberOf(std::string_view text, KindFilter filter) {
    const NumberCheck check = CheckNumber(text, filter);
    const std::string what = Described(text, check);
    FUZZ_CHECK(check.blank == TidyPastedText(text).empty(), what);
    const bool unknown = check.verdict == Verdict::Unknown;
    FUZZ_CHECK(unknown == (check.kind == NumberKind::Unknown), what);
    FUZZ_CHECK(unknown == check.form.empty() && unknown == check.control.empty(), what);
    if (filter != KindFilter::Any) {
        // A kind asked for only leaves out the others.
        const NumberCheck any = CheckNumber(text);
        FUZZ_CHECK(unknown || (any.kind == check.kind && any.verdict == check.verdict &&
                               any.form == check.form && any.control == check.control),
                   what);
        return;
    }
    if (unknown) {
        // No row takes it: not whole in the account row, no check character in the ISBN row, and
        // red or nothing computed in the identity row.
        const std::string tidy = TidyPastedText(text);
        FUZZ_CHECK(!ReadWholeAccount(tidy), what);
        FUZZ_CHECK(IsbnCheckDigit(WithoutIsbnLabel(tidy)).checkDigit.empty(), what);
        const IdentityDisplay identity = DisplayIdentityField(IdentityPaste(tidy));
        FUZZ_CHECK(identity.red || identity.letter.empty(), what);
        return;
    }
    FUZZ_CHECK(RedInTheWindow(text, check.kind) == (check.verdict == Verdict::Wrong), what);
    // The number in full is a number of the same kind: right when it was right or completed,
    // wrong when it was wrong.
    const NumberCheck full = CheckNumber(check.form);
    const Verdict expected = check.verdict == Verdict::Wrong ? Verdict::Wrong : Verdict::Correct;
    FUZZ_CHECK(full.kind == check.kind && full.verdict == expected && full.form == check.form,
               what + " then " + Described(check.form, full));
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const std::uint8_t mode = input.Byte();
    const KindFilter filter = kFilters[input.Byte() % std::size(kFilters)];
    const std::size_t chunk = input.Byte() + 1u;
    const std::string_view data = input.TakeRest();
    const bool csv = (mode & 1) != 0;
    const char separator = kSeparators[(mode >> 1) & 3];
    const std::size_t column = (mode >> 3) & 7;
    const std::optional<char> csvSeparator = csv ? std::optional(separator) : std::nullopt;

    const std::vector<Seen> records = ReadAll(data, chunk, csvSeparator);
    FUZZ_CHECK(records == ReadAll(data, data.size(), csvSeparator),
               "records depend on how much a read brings");
    CheckLinesAccountedFor(data, records);
    if (!csv) {
        CheckLinesAsWritten(data, records);
    }
    std::string field;
    for (const Seen& record : records) {
        if (record.tooLong) {
            continue;
        }
        std::string_view entry = record.text;
        if (csv) {
            CheckField(record.text, separator, column, field);
            entry = field;
        }
        CheckNumberOf(entry, filter);
    }
}
