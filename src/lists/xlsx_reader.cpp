#include <sys/mman.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/text_case.h"
#include "lists/sheet.h"
#include "lists/workbook_package.h"

namespace minizol {
namespace {

using workbook::kDamaged;
using workbook::Package;
using workbook::XmlPart;

constexpr std::string_view kNotXlsx = "no es un libro de Excel (.xlsx)";
constexpr std::uint32_t kColumns = 16384;  // A to XFD

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
    text = Trimmed(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = AsciiUpper(c);
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The UTF-16 unit of an escape "_xHHHH_" at `at`, or -1.
long EscapedUnit(const std::string& text, std::size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_') {
        return -1;
    }
    long unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            return -1;
        }
        unit = unit * 16 + digit;
    }
    return unit;
}

std::size_t PutUtf8(char* out, unsigned long code) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

// Excel writes the characters XML cannot carry (a carriage return, say) as "_x000D_", and a
// text that itself reads "_x000D_" with its first "_" as "_x005F_". Decoded in place from `from`:
// an escape is never shorter than the character it stands for.
void DecodeEscapes(std::string& text, std::size_t from) {
    std::size_t read = text.find("_x", from);
    if (read == std::string::npos) {
        return;
    }
    std::size_t write = read;
    while (read < text.size()) {
        long unit = EscapedUnit(text, read);
        if (unit < 0 || (unit >= 0xDC00 && unit <= 0xDFFF)) {
            text[write++] = text[read++];
            continue;
        }
        std::size_t used = 7;
        unsigned long code = static_cast<unsigned long>(unit);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const long low = EscapedUnit(text, read + 7);
            if (low < 0xDC00 || low > 0xDFFF) {
                text[write++] = text[read++];
                continue;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + static_cast<unsigned long>(low - 0xDC00);
            used = 14;
        }
        write += PutUtf8(text.data() + write, code);
        read += used;
    }
    text.resize(write);
}

// A cell reference's column ("C5" is 2, from 0), or -1 when it names none on the sheet.
long ColumnOf(const char* reference) {
    long column = 0;
    std::size_t letters = 0;
    for (char c; (c = AsciiUpper(reference[letters])) >= 'A' && c <= 'Z'; ++letters) {
        if (letters == 3) {
            return -1;
        }
        column = column * 26 + (c - 'A' + 1);
    }
    return letters == 0 || column > static_cast<long>(kColumns) ? -1 : column - 1;
}

// A part name from a relationship's target, which is relative to the folder of the part the
// relationships belong to ("xl/") unless it starts at the root ("/xl/worksheets/sheet1.xml").
std::string PartName(std::string_view folder, std::string_view target) {
    std::string path = target.starts_with('/') ? std::string() : std::string(folder);
    std::vector<std::size_t> segments;  // where each segment of `path` starts
    for (std::size_t start = 0; start < path.size();) {
        segments.push_back(start);
        start = path.find('/', start) + 1;
    }
    while (!target.empty()) {
        const std::string_view segment = target.substr(0, target.find('/'));
        target.remove_prefix(std::min(segment.size() + 1, target.size()));
        if (segment == "..") {
            if (!segments.empty()) {
                path.resize(segments.back());
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(path.size());
            path.append(segment).append(target.empty() ? "" : "/");
        }
    }
    return path;
}

std::string_view Folder(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
}

struct Relationship {
    std::string id;
    std::string type;
    std::string target;
};

class RelationshipsPart final : public XmlPart {
  public:
    std::vector<Relationship> relationships;

  private:
    void Start(std::string_view name, const char** attributes) override {
        const char* id = Attribute(attributes, "Id");
        const char* target = Attribute(attributes, "Target");
        const char* mode = Attribute(attributes, "TargetMode");
        if (name == "Relationship" && id != nullptr && target != nullptr &&
            (mode == nullptr || std::strcmp(mode, "External") != 0)) {
            const char* type = Attribute(attributes, "Type");
            relationships.push_back({id, type != nullptr ? type : "", target});
        }
    }
    void End(std::string_view) override {}
};

struct SheetEntry {
    std::string name;
    std::string relationship;
};

class WorkbookPart final : public XmlPart {
  public:
    std::vector<SheetEntry> sheets;
    bool date1904 = false;  // serials count from 1904, as on old Macs

  private:
    void Start(std::string_view name, const char** attributes) override {
        if (name == "workbookPr") {
            const char* system = Attribute(attributes, "date1904");
            date1904 = system != nullptr &&
                       (std::strcmp(system, "1") == 0 || std::strcmp(system, "true") == 0);
        } else if (name == "sheet") {
            const char* sheetName = Attribute(attributes, "name");
            // The relationship's id is the one attribute named "id" (r:id, prefix as declared).
            const char* id = Attribute(attributes, "id");
            sheets.push_back({sheetName != nullptr ? sheetName : "", id != nullptr ? id : ""});
        }
    }
    void End(std::string_view name) override {
        if (name == "sheets") {
            Stop();
        }
    }
};

// Tens of megabytes of texts are touched page by page as they are read in: asked for in huge
// pages, a million texts fault a few dozen times rather than some ten thousand (a sixth of the
// time of reading a workbook). Only the whole huge pages inside the room are asked for.
void AskForHugePages(const void* room, std::size_t size) {
    constexpr std::uintptr_t kHugePage = 2 << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(room);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (start + size) & ~(kHugePage - 1);
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

// The workbook's texts, one after another in one string: a list of a million accounts holds
// a million of them.
class SharedStrings final : public XmlPart {
  public:
    std::string_view At(std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(texts_).substr(start, ends_[index] - start);
    }
    std::size_t size() const { return ends_.size(); }

  private:
    void Start(std::string_view name, const char** attributes) override {
        if (name == "si") {
            inItem_ = true;
        } else if (name == "rPh") {
            ++phonetic_;  // the reading of East Asian text, shown above it, not part of it
        } else if (name == "t" && inItem_ && phonetic_ == 0) {
            Collect(&texts_);
        } else if (name == "sst") {
            // Room for the texts at once: growing a string of a million texts copies it over
            // and over. A part that overstates its size gets no more than a long list needs.
            texts_.reserve(std::min<std::uint64_t>(XmlPart::size(), std::uint64_t{1} << 26));
            AskForHugePages(texts_.data(), texts_.capacity());
            std::size_t count = 0;
            const char* unique = Attribute(attributes, "uniqueCount");
            if (unique != nullptr && ReadNumber(unique, count)) {
                ends_.reserve(std::min<std::size_t>(count, 1 << 22));
                AskForHugePages(ends_.data(), ends_.capacity() * sizeof(std::size_t));
            }
        }
    }

    void End(std::string_view name) override {
        if (name == "t") {
            Collect(nullptr);
        } else if (name == "rPh") {
            phonetic_ -= phonetic_ > 0 ? 1 : 0;
        } else if (name == "si" && inItem_) {
            inItem_ = false;
            const std::size_t start = ends_.empty() ? 0 : ends_.back();
            DecodeEscapes(texts_, start);
            ends_.push_back(texts_.size());
        }
    }

    std::string texts_;
    std::vector<std::size_t> ends_;
    bool inItem_ = false;
    int phonetic_ = 0;
};

// Whether a number format's code shows a date or a time: a day, month, year, hour or second in it
// ("dd/mm/yyyy", "[$-C0A]d mmm"), outside what it writes as it is (quoted text, an escaped
// character, a space as wide as one, a fill) and outside brackets (a colour, a condition, a
// locale), apart from the elapsed hours, minutes or seconds of a duration ("[h]:mm").
bool ShowsDate(std::string_view code) {
    for (std::size_t at = 0; at < code.size(); ++at) {
        const char c = AsciiUpper(code[at]);
        if (c == '"') {
            at = std::min(code.find('"', at + 1), code.size());
        } else if (c == '\\' || c == '_' || c == '*') {
            ++at;
        } else if (c == '[') {
            const std::size_t end = std::min(code.find(']', at), code.size());
            const std::string_view inside = code.substr(at + 1, end - at - 1);
            const char unit = inside.empty() ? ' ' : AsciiUpper(inside[0]);
            if ((unit == 'H' || unit == 'M' || unit == 'S') &&
                inside.find_first_not_of(inside[0]) == std::string_view::npos) {
                return true;
            }
            at = end;
        } else if (c == 'D' || c == 'M' || c == 'Y' || c == 'H' || c == 'S') {
            return true;
        }
    }
    return false;
}

// The built-in formats of dates and times: those of any locale, then the East Asian ones.
bool IsBuiltInDate(std::uint32_t id) {
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) ||
           (id >= 50 && id <= 58);
}

// Which cell styles show dates: a cell's `s` picks one of cellXfs, whose number format is
// built in or one of numFmts. Dxfs, the formats of conditional formatting, have formats too;
// they do not change what a cell holds.
class StylesPart final : public XmlPart {
  public:
    bool Dated(std::size_t style) const { return style < dated_.size() && dated_[style] != 0; }

    // Once the part is read: each style's format looked up, in whatever order the two came.
    void Settle() {
        dated_.clear();
        for (const std::uint32_t id : styleFormats_) {
            const auto custom = formats_.find(id);
            dated_.push_back(custom != formats_.end() ? custom->second : IsBuiltInDate(id));
        }
    }

  private:
    void Start(std::string_view name, const char** attributes) override {
        std::uint32_t id = 0;
        const char* number = Attribute(attributes, "numFmtId");
        const bool hasId = number != nullptr && ReadNumber(number, id);
        if (name == "numFmts") {
            inFormats_ = true;
        } else if (name == "cellXfs") {
            inStyles_ = true;
        } else if (name == "numFmt" && inFormats_ && hasId) {
            const char* code = Attribute(attributes, "formatCode");
            formats_.emplace(id, code != nullptr && ShowsDate(code));
        } else if (name == "xf" && inStyles_) {
            styleFormats_.push_back(hasId ? id : 0);
        }
    }

    void End(std::string_view name) override {
        if (name == "numFmts") {
            inFormats_ = false;
        } else if (name == "cellXfs") {
            inStyles_ = false;
        }
    }

    std::unordered_map<std::uint32_t, bool> formats_;  // whether each shows a date
    std::vector<std::uint32_t> styleFormats_;
    std::vector<std::uint8_t> dated_;
    bool inFormats_ = false;
    bool inStyles_ = false;
};

enum class CellType { Number, Shared, Text, Escaped, Boolean };

CellType TypeOf(const char* type) {
    if (type == nullptr || std::strcmp(type, "n") == 0) {
        return CellType::Number;
    }
    if (std::strcmp(type, "s") == 0) {
        return CellType::Shared;
    }
    if (std::strcmp(type, "b") == 0) {
        return CellType::Boolean;
    }
    if (std::strcmp(type, "str") == 0 || std::strcmp(type, "inlineStr") == 0) {
        return CellType::Escaped;
    }
    return CellType::Text;  // "e" (#N/A), "d" (an ISO date) as written
}

// The sheet part, parsed as rows are asked for: each row is built in the caller's row, and
// parsing pauses at its end.
class XlsxSheetReader final : public workbook::StreamedSheet {
  public:
    XlsxSheetReader(std::unique_ptr<Package> package, std::unique_ptr<SharedStrings> strings,
                    std::unique_ptr<StylesPart> styles, bool date1904)
        : package_(std::move(package)),
          strings_(std::move(strings)),
          styles_(std::move(styles)),
          date1904_(date1904) {}

    // Starts reading part `name`; false, with `why`, when it cannot.
    bool Begin(const std::string& name, std::string& why) {
        const Opening opening = Open(*package_, name);
        why = opening == Opening::Missing ? std::string(kDamaged) : failure();
        return opening == Opening::Opened;
    }

  private:
    void Start(std::string_view name, const char** attributes) override {
        if (name == "c" && inRow_) {
            StartCell(attributes);
        } else if (name == "v" && inCell_) {
            Collect(&value_);
        } else if (name == "t" && inInline_ && phonetic_ == 0) {
            Collect(&value_);
        } else if (name == "is" && inCell_) {
            inInline_ = true;
        } else if (name == "rPh") {
            ++phonetic_;
        } else if (name == "row" && inData_) {
            StartRow(attributes);
        } else if (name == "sheetData") {
            inData_ = true;
        }
    }

    void End(std::string_view name) override {
        if (name == "v" || name == "t") {
            Collect(nullptr);
        } else if (name == "c" && inCell_) {
            inCell_ = inInline_ = false;
            FinishCell();
        } else if (name == "is") {
            inInline_ = false;
        } else if (name == "rPh") {
            phonetic_ -= phonetic_ > 0 ? 1 : 0;
        } else if (name == "row" && inRow_) {
            inRow_ = false;
            FinishRow();
        } else if (name == "sheetData") {
            Stop();  // what follows (merged cells, print settings) holds no cells
        }
    }

    void StartRow(const char** attributes) {
        const char* reference = Attribute(attributes, "r");
        std::uint64_t number = lastRow_ + 1;
        if (inRow_ || (reference != nullptr && !ReadNumber(reference, number)) ||
            number <= lastRow_) {
            return Fail(kDamaged);  // rows come in order, each once
        }
        inRow_ = true;
        lastRow_ = number;
        width_ = 0;
        nextColumn_ = 0;
    }

    void StartCell(const char** attributes) {
        const char* reference = Attribute(attributes, "r");
        const long column = reference != nullptr ? ColumnOf(reference) : nextColumn_;
        if (inCell_ || column < 0 || column >= static_cast<long>(kColumns)) {
            return Fail(kDamaged);
        }
        inCell_ = true;
        column_ = static_cast<std::size_t>(column);
        nextColumn_ = column + 1;
        type_ = TypeOf(Attribute(attributes, "t"));
        const char* style = Attribute(attributes, "s");
        std::size_t index = 0;
        dated_ = style != nullptr && ReadNumber(style, index) && styles_->Dated(index);
        value_.clear();
    }

    void FinishCell() {
        if (value_.empty()) {
            return;
        }
        switch (type_) {
            case CellType::Number: {
                // Excel keeps a date as the number of days to it, shown through a date format.
                double serial = 0;
                if (dated_ && ReadNumber(value_, serial)) {
                    number_ = SerialDateText(serial, date1904_);
                    if (!number_.empty()) {
                        return Place(number_, false);
                    }
                }
                number_ = NumberCellText(Trimmed(value_));
                return Place(number_, true);
            }
            case CellType::Shared: {
                std::size_t index = 0;
                if (!ReadNumber(value_, index) || index >= strings_->size()) {
                    return Fail(kDamaged);
                }
                return Place(strings_->At(index), false);
            }
            case CellType::Boolean:
                return Place(value_ == "1" ? "VERDADERO" : value_ == "0" ? "FALSO" : value_, false);
            case CellType::Escaped:
                DecodeEscapes(value_, 0);
                return Place(value_, false);
            case CellType::Text:
                return Place(value_, false);
        }
    }

    // The cell's text at its column, with "" in the columns the row skipped before it.
    void Place(std::string_view text, bool number) {
        if (text.empty()) {
            return;
        }
        std::vector<std::string>& cells = row_->cells;
        std::vector<std::uint8_t>& numbers = row_->numbers;
        numbers.resize(cells.size());
        for (std::size_t column = width_; column <= column_; ++column) {
            if (column < cells.size()) {
                cells[column].clear();
                numbers[column] = 0;
            } else {
                cells.emplace_back();
                numbers.push_back(0);
            }
        }
        cells[column_].assign(text);
        numbers[column_] = number ? 1 : 0;
        width_ = std::max(width_, column_ + 1);
    }

    void FinishRow() {
        if (width_ == 0) {
            return;
        }
        row_->cells.resize(width_);
        row_->numbers.resize(width_);
        row_->number = lastRow_;
        RowMade();
    }

    std::unique_ptr<Package> package_;
    std::unique_ptr<SharedStrings> strings_;
    std::unique_ptr<StylesPart> styles_;
    bool date1904_;
    std::string value_;
    std::string number_;
    std::uint64_t lastRow_ = 0;
    std::size_t width_ = 0;
    std::size_t column_ = 0;
    long nextColumn_ = 0;
    CellType type_ = CellType::Number;
    int phonetic_ = 0;
    bool inData_ = false;
    bool inRow_ = false;
    bool inCell_ = false;
    bool inInline_ = false;
    bool dated_ = false;  // the cell's style shows a date
};

OpenedSheet Refused(std::string_view why) {
    return {nullptr, std::string(why)};
}

// Reads a small part whole into `part`; false, with `why`, when it is there but unreadable.
bool ReadWhole(Package& package, XmlPart& part, const std::string& name, bool& missing,
               std::string& why) {
    const XmlPart::Opening opening = part.Open(package, name);
    missing = opening == XmlPart::Opening::Missing;
    if (opening == XmlPart::Opening::Failed ||
        (opening == XmlPart::Opening::Opened && part.Parse() != XmlPart::Step::Ended)) {
        why = part.failure();
        return false;
    }
    return true;
}

std::string RelationshipsOf(std::string_view part) {
    return std::string(Folder(part)) + "_rels/" + std::string(part.substr(Folder(part).size())) +
           ".rels";
}

// Whether a file that is no zip is an Office document encrypted with a password: an OLE2
// compound file whose directory holds the stream "EncryptionInfo".
bool EncryptedOffice(const workbook::Source& source) {
    const std::string header = source.Read(0, 512);
    if (header.size() < 512 || !header.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        return false;
    }
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(header[at]); };
    const unsigned shift = byte(0x1E) | byte(0x1F) << 8;
    const std::uint32_t first = byte(0x30) | byte(0x31) << 8 | byte(0x32) << 16 |
                                static_cast<std::uint32_t>(byte(0x33)) << 24;
    if (shift < 9 || shift > 16) {
        return false;
    }
    const std::string directory =
        source.Read((static_cast<std::uint64_t>(first) + 1) << shift, 4096);
    static constexpr char kName[] = "E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0";
    return directory.find(std::string_view(kName, sizeof kName - 1)) != std::string::npos;
}

OpenedSheet OpenXlsxFrom(const workbook::Source& source, const SheetChoice& choice) {
    Package::Failure failure;
    std::string why;
    std::unique_ptr<Package> package = Package::Open(source, failure, why);
    if (failure == Package::Failure::CannotOpen) {
        return Refused(why);
    }
    if (failure == Package::Failure::NotZip) {
        return Refused(EncryptedOffice(source) ? workbook::kProtected : kNotXlsx);
    }
    if (failure == Package::Failure::Damaged) {
        return Refused(kDamaged);
    }
    bool missing = false;

    // The package's relationships name the workbook part, which is xl/workbook.xml by custom.
    std::string workbookName = "xl/workbook.xml";
    RelationshipsPart root;
    if (!ReadWhole(*package, root, "_rels/.rels", missing, why)) {
        return Refused(why);
    }
    for (const Relationship& relationship : root.relationships) {
        if (relationship.type.ends_with("/officeDocument")) {
            workbookName = PartName("", relationship.target);
        }
    }
    WorkbookPart workbookPart;
    if (!ReadWhole(*package, workbookPart, workbookName, missing, why) || missing) {
        return Refused(missing ? kNotXlsx : why);
    }
    std::vector<std::string> names;
    for (const SheetEntry& sheet : workbookPart.sheets) {
        names.push_back(sheet.name);
    }
    std::string buffer;
    const std::string_view wanted = UpperCase(choice.name, buffer);
    const SheetEntry* chosen = nullptr;
    for (std::size_t index = 0; index < names.size() && chosen == nullptr; ++index) {
        if (IsChosenSheet(choice, wanted, index, names[index])) {
            chosen = &workbookPart.sheets[index];
        }
    }
    if (chosen == nullptr) {
        return Refused(NoSuchSheet(choice, names));
    }

    RelationshipsPart relationships;
    if (!ReadWhole(*package, relationships, RelationshipsOf(workbookName), missing, why)) {
        return Refused(why);
    }
    std::string sheetName;
    std::string sharedName;
    std::string stylesName;
    for (const Relationship& relationship : relationships.relationships) {
        if (relationship.id == chosen->relationship) {
            if (relationship.type.ends_with("/chartsheet")) {
                return Refused("la hoja «" + chosen->name + "» es un gráfico: no tiene celdas");
            }
            sheetName = PartName(Folder(workbookName), relationship.target);
        } else if (relationship.type.ends_with("/sharedStrings")) {
            sharedName = PartName(Folder(workbookName), relationship.target);
        } else if (relationship.type.ends_with("/styles")) {
            stylesName = PartName(Folder(workbookName), relationship.target);
        }
    }
    if (sheetName.empty()) {
        return Refused(kDamaged);
    }
    auto strings = std::make_unique<SharedStrings>();
    if (!sharedName.empty() && !ReadWhole(*package, *strings, sharedName, missing, why)) {
        return Refused(why);
    }
    // The styles say which numbers are dates; they are small, read whole before the rows.
    auto styles = std::make_unique<StylesPart>();
    if (!stylesName.empty() && !ReadWhole(*package, *styles, stylesName, missing, why)) {
        return Refused(why);
    }
    styles->Settle();
    auto reader = std::make_unique<XlsxSheetReader>(std::move(package), std::move(strings),
                                                    std::move(styles), workbookPart.date1904);
    if (!reader->Begin(sheetName, why)) {
        return Refused(why);
    }
    return {std::move(reader), ""};
}

}  // namespace

OpenedSheet OpenXlsx(const std::string& path, const SheetChoice& choice) {
    return OpenXlsxFrom({path, {}, false}, choice);
}

OpenedSheet OpenXlsxBytes(std::string_view bytes, const SheetChoice& choice) {
    return OpenXlsxFrom({{}, bytes, true}, choice);
}

}  // namespace minizol
