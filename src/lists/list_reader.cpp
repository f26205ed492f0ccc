#include "lists/list_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "common/utf8_text.h"
#include "lists/csv.h"
#include "lists/file_kind.h"
#include "lists/messages.h"
#include "lists/record_reader.h"
#include "lists/sepa_reader.h"
#include "lists/table_detection.h"
#include "lists/text_encoding.h"

namespace minizol {
namespace {

// Enough of a file to tell what it is and to guess its separator and columns from its first
// records.
constexpr std::size_t kLookAhead = 64 * 1024;
// The terminal's column for an account's holder in a remittance.
constexpr std::size_t kHolderWidth = 28;
// What of a record too long to read is shown, in characters.
constexpr std::size_t kShownOfTooLong = 40;

std::string SeparatorName(char separator) {
    return separator == '\t' ? std::string("tabulador") : Quoted(std::string(1, separator));
}

// The first lines of a text for the guesses: complete lines only, their line ends taken off.
std::vector<std::string_view> FirstLines(std::string_view text, bool complete) {
    std::vector<std::string_view> lines;
    while (lines.size() < kRecordsLookedAt && !text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos && !complete) {
            break;
        }
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

// A workbook given on standard input is kept in a temporary file: the libraries read workbooks
// from files, moving back and forth in them.
std::string KeepInTemporaryFile(PeekableSource& source) {
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                       "/minizol-comprobar-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0) {
        return {};
    }
    char buffer[64 * 1024];
    bool written = true;
    for (std::ptrdiff_t count; written && (count = source.Read(buffer, sizeof buffer)) > 0;) {
        written = ::write(fd, buffer, static_cast<std::size_t>(count)) == count;
    }
    ::close(fd);
    if (!written) {
        ::unlink(path.c_str());
        return {};
    }
    return path;
}

}  // namespace

struct ListReader::Table {
    std::optional<char> separator;
    bool separatorDetected = false;
    std::vector<std::size_t> columns;  // none: whole lines
    std::vector<std::string> labels;   // each column's name in the report
    bool header = false;
};

ListReader::ListReader(const ListOptions& options, ListSink& sink)
    : options_(options), sink_(sink) {}

bool ListReader::ReadInput(const std::string& name) {
    const bool standardInput = name == "-";
    const std::string shownName = standardInput ? "entrada estándar" : name;
    const int fd = standardInput ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        sink_.Say("no se puede abrir " + Quoted(name) + ": " + ErrorText(errno));
        return false;
    }
    FdSource fdSource(fd);
    PeekableSource source(fdSource);
    const std::string_view start = source.Peek(kLookAhead);
    bool checked = false;
    if (source.error() != 0) {
        sink_.Say("error al leer " + Quoted(shownName) + ": " + ErrorText(source.error()));
    } else {
        std::string path = standardInput ? std::string() : name;
        std::string temporary;
        if (standardInput && (start.starts_with("PK") || start.starts_with("\xD0\xCF\x11\xE0"))) {
            path = temporary = KeepInTemporaryFile(source);
        }
        const SniffedFile sniffed = SniffFile(start.substr(0, 8192), path);
        sink_.Input(shownName);
        const auto sheet = [&](OpenedSheet opened) {
            if (!opened.reader) {
                sink_.Say(Quoted(shownName) + ": " + opened.error);
                return false;
            }
            return CheckSheet(*opened.reader, shownName);
        };
        switch (sniffed.kind) {
            case FileKind::NoList:
                sink_.Say(Quoted(shownName) + " no es una lista: parece " + sniffed.seems);
                break;
            case FileKind::Xlsx:
                checked = sheet(OpenXlsx(path, options_.sheet));
                break;
            case FileKind::Ods:
                checked = sheet(OpenOds(path, options_.sheet));
                break;
            case FileKind::Xls:
                checked = sheet(OpenXls(path, options_.sheet));
                break;
            case FileKind::Sepa: {
                SepaReader reader(source);
                checked = CheckSepa(reader, shownName);
                break;
            }
            case FileKind::Text:
                checked = CheckText(source, fd, shownName);
                break;
        }
        if (!temporary.empty()) {
            ::unlink(temporary.c_str());
        }
    }
    if (!standardInput) {
        ::close(fd);
    }
    return checked;
}

bool ListReader::ChooseColumns(Table& table, const std::vector<std::vector<std::string>>& rows,
                               const std::string& name) {
    static const std::vector<std::string> kNoHeader;
    const std::vector<std::string>& first = rows.empty() ? kNoHeader : rows.front();
    table.header = options_.header;
    table.columns.clear();
    if (!options_.columns.empty()) {
        for (const std::string& wanted : options_.columns) {
            const bool number = wanted.find_first_not_of("0123456789 ") == std::string::npos;
            const std::optional<std::size_t> column = ColumnNamed(wanted, first);
            if (!column) {
                std::string names;
                for (const std::string& cell : first) {
                    names += (names.empty() ? "" : ", ") + cell;
                }
                sink_.Say(Quoted(name) + ": no hay ninguna columna " + Quoted(wanted) +
                          (names.empty() ? std::string() : " (la cabecera dice: " + names + ")"));
                return false;
            }
            table.header = table.header || !number;
            table.columns.push_back(*column);
        }
        // Columns given by number: the first row is a header where it would be found as one.
        const ColumnGuess guess = DetectColumns(rows, options_.filter);
        const bool allFound = std::all_of(table.columns.begin(), table.columns.end(), [&](auto c) {
            return std::find(guess.columns.begin(), guess.columns.end(), c) != guess.columns.end();
        });
        table.header = table.header || (guess.header && allFound);
    } else {
        const ColumnGuess guess = DetectColumns(rows, options_.filter);
        table.columns = guess.columns;
        table.header = table.header || guess.header;
    }
    table.labels.clear();
    std::string said;
    for (std::size_t column : table.columns) {
        table.labels.push_back(ColumnLabel(column, table.header ? first : kNoHeader));
        said += (said.empty() ? "" : ", ") + table.labels.back();
        if (table.header) {
            said += " (" + std::to_string(column + 1) + ")";
        }
    }
    if (!table.columns.empty()) {
        sink_.Say(
            name + ": " +
            (table.columns.size() == 1 ? "columna comprobada: " : "columnas comprobadas: ") + said +
            (table.separatorDetected ? "; separador: " + SeparatorName(*table.separator) : ""));
    }
    return true;
}

void ListReader::TellColumns(const Table& table,
                             const std::vector<std::vector<std::string>>& rows) {
    std::size_t count = 0;
    for (const std::vector<std::string>& row : rows) {
        count = std::max(count, row.size());
    }
    std::vector<std::string> names(count);
    if (table.header && !rows.empty()) {
        for (std::size_t column = 0; column < rows.front().size(); ++column) {
            const std::string& cell = rows.front()[column];
            const std::size_t start = cell.find_first_not_of(" \t");
            if (start != std::string::npos) {
                names[column] = cell.substr(start, cell.find_last_not_of(" \t") + 1 - start);
            }
        }
    }
    sink_.Columns(names, table.columns);
}

void ListReader::CheckCell(std::uint64_t line, const OwnFields& own, const std::string& label,
                           std::string_view entry, bool fieldMissing) {
    ReportWriter& report = *report_;
    if (fieldMissing) {
        // A record without the column holds no number, and is said to be unknown.
        tally_.Count(Verdict::Unknown);
        report.Row(line, own, {label, "", "", VerdictName(Verdict::Unknown), "", "", "", "", ""},
                   Verdict::Unknown);
        return;
    }
    NumberCheck& check = check_;
    CheckNumber(entry, options_.filter, check);
    if (check.blank) {
        // A blank line is no number; a record with an empty cell keeps its place in a table.
        if (!own.empty() && options_.table) {
            report.Row(line, own, {label, entry, "", "", "", "", "", "", ""}, Verdict::Unknown);
        }
        return;
    }
    tally_.Count(check.verdict);
    report.Row(line, own, CheckedCells(label, entry, check), check.verdict);
}

bool ListReader::CheckText(PeekableSource& source, int fd, const std::string& name) {
    const std::string_view start = source.Peek(kLookAhead);
    const bool wholeInput = start.size() < kLookAhead;
    const TextForm form = DetectFileTextForm(fd, start);
    std::string decoded;
    if (form.encoding == TextEncoding::Utf8) {
        decoded = start;
    } else {
        TextConverter(form.encoding, TextConverter::Direction::ToUtf8)
            .Convert(start, decoded, wholeInput);
    }
    std::string_view text = decoded;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::vector<std::string_view> lines = FirstLines(text, wholeInput);
    Table table;
    table.header = options_.header;
    table.separator = options_.separator;
    if (!table.separator) {
        table.separator = DetectSeparator(lines);
        table.separatorDetected = table.separator.has_value();
    }
    if (!table.separator && !options_.columns.empty()) {
        table.separator = ',';
    }
    if (table.separator) {
        std::vector<std::vector<std::string>> rows;
        for (std::string_view line : lines) {
            rows.push_back(CsvFields(line, *table.separator));
        }
        if (!ChooseColumns(table, rows, name)) {
            return false;
        }
        TellColumns(table, rows);
        if (table.columns.empty() && table.separatorDetected) {
            sink_.Say(name +
                      ": ninguna columna tiene números de un tipo conocido: se comprueba cada "
                      "línea entera (indique la columna con --columna)");
        }
    }
    const bool columns = !table.columns.empty();
    const char separator = table.separator.value_or(',');
    const bool crLf =
        !lines.empty() && text.size() > lines[0].size() && text[lines[0].size()] == '\r';
    ReportWriter& report =
        Report({separator, crLf ? "\r\n" : "\n", form}, table.columns.size() > 1);

    DecodingSource decodedSource(source, form.encoding);
    RecordReader reader(decodedSource, columns ? table.separator : std::nullopt);
    struct stat status {};
    const std::uint64_t size = fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
                                   ? static_cast<std::uint64_t>(status.st_size)
                                   : 0;
    bool first = true;
    std::uint64_t records = 0;
    while (const std::optional<Record> record = reader.Next()) {
        if (++records % kRowsBetweenLooks == 0) {
            sink_.Progress(name, reader.bytesRead(), size);
        }
        if (!GoOn(records)) {
            return false;
        }
        if (std::exchange(first, false) && table.header) {
            // A plain list's header is passed over; a table's names its own fields.
            if (!record->tooLong) {
                report.Header(columns ? OwnFields::Record(record->text, separator) : OwnFields(),
                              OwnFields());
            }
            continue;
        }
        if (record->tooLong) {
            sink_.Say(name + ":" + std::to_string(record->line) + ": línea de más de " +
                      std::to_string(RecordReader::kLongestRecord / 1024) +
                      " KiB: no se comprueba");
            report.Header(OwnFields(), OwnFields());
            tally_.Count(Verdict::Unknown);
            const std::string shown =
                std::string(CharSlice(record->text, 0, kShownOfTooLong)) + "…";
            report.Row(record->line, OwnFields(),
                       {"", shown, "", VerdictName(Verdict::Unknown), "", "", "", "", ""},
                       Verdict::Unknown);
            continue;
        }
        if (!columns) {
            report.Header(OwnFields(), OwnFields());
            CheckCell(record->line, OwnFields(), "", record->text, false);
            continue;
        }
        const OwnFields own = OwnFields::Record(record->text, separator);
        report.Header(OwnFields(), own);
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const bool missing = !CsvField(record->text, separator, table.columns[i], field_);
            CheckCell(record->line, own, table.labels[i], field_, missing);
        }
    }
    if (reader.error() != 0) {
        sink_.Say("error al leer " + Quoted(name) + ": " + ErrorText(reader.error()));
        return false;
    }
    return true;
}

bool ListReader::CheckSheet(SheetReader& reader, const std::string& name) {
    std::vector<SheetRow> firstRows;
    for (SheetRow row; firstRows.size() < kRecordsLookedAt && reader.Next(row);) {
        firstRows.push_back(row);
    }
    std::vector<std::vector<std::string>> cells;
    for (const SheetRow& row : firstRows) {
        cells.push_back(row.cells);
    }
    Table table;
    if (!ChooseColumns(table, cells, name)) {
        return false;
    }
    if (table.columns.empty()) {
        sink_.Say(name +
                  ": ninguna columna tiene números de un tipo conocido: se comprueba la primera "
                  "(indique otra con --columna)");
        table.columns = {0};
        table.labels = {ColumnLabel(0, {})};
    }
    TellColumns(table, cells);
    ReportWriter& report = Report({',', "\n", {}}, table.columns.size() > 1);
    bool first = true;
    const auto check = [&](const SheetRow& row) {
        const OwnFields own = OwnFields::Cells(row.cells, row.numbers);
        if (std::exchange(first, false) && table.header) {
            report.Header(own, OwnFields());
            return;
        }
        report.Header(OwnFields(), own);
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const std::size_t column = table.columns[i];
            CheckCell(row.number, own, table.labels[i],
                      column < row.cells.size() ? std::string_view(row.cells[column]) : "", false);
        }
    };
    for (const SheetRow& row : firstRows) {
        check(row);
    }
    std::uint64_t rows = firstRows.size();
    for (SheetRow row; reader.Next(row);) {
        check(row);
        if (!GoOn(++rows)) {
            return false;
        }
    }
    if (!reader.error().empty()) {
        sink_.Say("error al leer " + Quoted(name) + ": " + reader.error());
        return false;
    }
    return true;
}

bool ListReader::CheckSepa(SepaReader& reader, const std::string& name) {
    static const std::vector<std::string> kHeader = {"parte", "titular", "IBAN"};
    // On a terminal, whose account each is stands beside it; a table has its own columns for it.
    const bool terminal = !options_.table;
    ReportWriter& report = Report({',', "\n", {}}, terminal, kHolderWidth);
    std::string label;
    report.Header(OwnFields::Cells(kHeader), OwnFields());
    std::vector<std::string> cells(kHeader.size());
    std::uint64_t accounts = 0;
    for (SepaAccount account; reader.Next(account);) {
        cells[0] = account.party;
        cells[1] = account.holder;
        cells[2] = account.iban;
        label = terminal ? account.holder.empty() ? account.party : account.holder : "";
        CheckCell(account.line, OwnFields::Cells(cells), label, account.iban, false);
        if (!GoOn(++accounts)) {
            return false;
        }
    }
    if (!reader.error().empty()) {
        sink_.Say("error al leer " + Quoted(name) + ": " + reader.error());
        return false;
    }
    sink_.Say(name + ": remesa SEPA " + reader.message() + ": " + std::to_string(accounts) +
              (accounts == 1 ? " cuenta" : " cuentas"));
    return true;
}

}  // namespace minizol
