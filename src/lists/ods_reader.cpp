#include <charconv>
#include <cstring>
#include <limits>
#include <string>
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

constexpr std::string_view kNotOds = "no es una hoja de cálculo OpenDocument (.ods)";
constexpr std::uint64_t kColumns = 16384;
constexpr std::uint64_t kRows = std::uint64_t{1} << 24;  // a "jumbo" sheet's 16 777 216
constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
// Spaces one text:s may stand for: a cell holds 32 767 characters.
constexpr std::uint64_t kLongestSpace = 32767;

std::uint64_t Plus(std::uint64_t a, std::uint64_t b) {
    return a > kMost - b ? kMost : a + b;
}

// A repeat count as written ("1024"); 1 when missing or unreadable, the most when too large.
std::uint64_t Count(const char* text) {
    if (text == nullptr) {
        return 1;
    }
    std::uint64_t count = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, count);
    if (error == std::errc::result_out_of_range) {
        return kMost;
    }
    return error != std::errc() || stop != end || count == 0 ? 1 : count;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

enum class ValueType { Text, Number, Boolean, Date, Time, Error };

// content.xml read up to the chosen table at opening, then row by row as rows are asked for.
// Empty cells and rows are counted, never made: LibreOffice ends each row with a thousand
// empty columns and each sheet with a million empty rows.
class OdsSheetReader final : public workbook::StreamedSheet {
  public:
    OdsSheetReader(std::unique_ptr<Package> package, const SheetChoice& choice)
        : package_(std::move(package)), choice_(choice), wanted_(UpperCase(choice.name)) {}

    // Finds the chosen table; false, with `why`, when it cannot.
    bool Find(std::string& why) {
        const Opening opening = Open(*package_, "content.xml");
        if (opening != Opening::Opened) {
            why = opening == Opening::Missing ? std::string(kNotOds) : failure();
            return false;
        }
        const Step step = Parse();
        if (step == Step::Paused && active_) {
            return true;
        }
        std::string manifest;
        if (step == Step::Failed) {
            // Encrypted parts are scrambled XML; only the manifest says they are encrypted.
            const bool encrypted = package_->ReadPart("META-INF/manifest.xml", 1 << 20, manifest) &&
                                   manifest.find("encryption-data") != std::string::npos;
            why = encrypted ? std::string(workbook::kProtected) : failure();
        } else {
            why = NoSuchSheet(choice_, names_);
        }
        return false;
    }

  private:
    bool Waiting(SheetRow& row) override {
        if (repeatsLeft_ == 0) {
            return false;
        }
        --repeatsLeft_;
        row.cells = repeated_;
        row.numbers = repeatedNumbers_;
        row.number = ++lastNumber_;
        return true;
    }

    void Start(std::string_view name, const char** attributes) override {
        if (skip_ > 0) {
            ++skip_;
        } else if (!active_) {
            if (name == "table") {
                const char* tableName = Attribute(attributes, "name");
                names_.emplace_back(tableName != nullptr ? tableName : "");
                if (IsChosenSheet(choice_, wanted_, names_.size() - 1, names_.back())) {
                    active_ = true;
                    Pause();
                } else {
                    skip_ = 1;
                }
            }
        } else if (inCell_) {
            StartInCell(name, attributes);
        } else if (name == "table-row" && !inRow_) {
            inRow_ = true;
            rowRepeats_ = Count(Attribute(attributes, "number-rows-repeated"));
            width_ = 0;
            emptyColumns_ = 0;
        } else if ((name == "table-cell" || name == "covered-table-cell") && inRow_) {
            StartCell(attributes);
        } else if (inRow_ || (name != "table-header-rows" && name != "table-row-group" &&
                              name != "table-rows")) {
            skip_ = 1;  // columns, shapes, forms: no cells in them
        }
    }

    void End(std::string_view name) override {
        if (skip_ > 0) {
            if (--skip_ == 0 && inParagraph_) {
                Listen(true);
            }
        } else if (!active_) {
        } else if (inCell_) {
            if (depth_ == 0) {
                inCell_ = false;
                FinishCell();
            } else if (--depth_ == 0) {
                inParagraph_ = false;
                Listen(false);
            }
        } else if (name == "table-row" && inRow_) {
            inRow_ = false;
            FinishRow();
        } else if (name == "table") {
            Stop();
        }
    }

    // Paragraphs joined by line feeds; their spaces as ODF reads them: a run of white space is
    // one space, none at a paragraph's start, and text:s stands for as many as it says.
    void Characters(std::string_view text) override {
        for (const char c : text) {
            if (IsSpace(c)) {
                spaceDue_ = spaceDue_ || value_.size() > paragraphStart_;
            } else {
                Append(1, c);
            }
        }
    }

    void Append(std::uint64_t count, char c) {
        if (spaceDue_) {
            value_ += ' ';
            spaceDue_ = false;
        }
        value_.append(count, c);
    }

    void StartInCell(std::string_view name, const char** attributes) {
        if (depth_ == 0 && (name == "p" || name == "h")) {
            if (paragraphs_++ > 0) {
                value_ += '\n';
            }
            paragraphStart_ = value_.size();
            spaceDue_ = false;
            inParagraph_ = true;
            Listen(true);
        } else if (depth_ == 0 || name == "annotation" || name == "note") {
            // Comments and drawings hang from the cell; they are not what it shows.
            skip_ = 1;
            Listen(false);
            return;
        } else if (name == "s") {
            Append(std::min(Count(Attribute(attributes, "c")), kLongestSpace), ' ');
        } else if (name == "tab") {
            Append(1, '\t');
        } else if (name == "line-break") {
            Append(1, '\n');
        }
        ++depth_;
    }

    void StartCell(const char** attributes) {
        inCell_ = true;
        depth_ = 0;
        paragraphs_ = 0;
        value_.clear();
        columnRepeats_ = 1;
        type_ = ValueType::Text;
        hasValue_ = hasString_ = false;
        moment_.clear();
        for (; attributes[0] != nullptr; attributes += 2) {
            const char* colon = std::strrchr(attributes[0], ':');
            const std::string_view name = colon != nullptr ? colon + 1 : attributes[0];
            const std::string_view value = attributes[1];
            if (name == "number-columns-repeated") {
                columnRepeats_ = Count(attributes[1]);
            } else if (name == "value-type") {
                // LibreOffice adds calcext:value-type="error" to a formula's error.
                if (value == "error") {
                    type_ = ValueType::Error;
                } else if (type_ == ValueType::Text) {
                    type_ = value == "float" || value == "percentage" || value == "currency"
                                ? ValueType::Number
                            : value == "boolean" ? ValueType::Boolean
                            : value == "date"    ? ValueType::Date
                            : value == "time"    ? ValueType::Time
                                                 : ValueType::Text;
                }
            } else if (name == "value" || name == "boolean-value") {
                stored_.assign(value);
                hasValue_ = true;
            } else if (name == "date-value" || name == "time-value") {
                moment_.assign(value);
            } else if (name == "string-value") {
                string_.assign(value);
                hasString_ = true;
            }
        }
    }

    void FinishCell() {
        std::string_view text = value_;
        const bool number = type_ == ValueType::Number && hasValue_;
        if (number) {
            number_ = NumberCellText(stored_);
            text = number_;
        } else if (type_ == ValueType::Date || type_ == ValueType::Time) {
            // In ISO forms, as dates read from other workbooks; what the cell shows otherwise.
            number_ = type_ == ValueType::Date ? IsoDateText(moment_) : IsoDurationText(moment_);
            text = number_.empty() ? std::string_view(value_) : number_;
        } else if (type_ == ValueType::Boolean && hasValue_ &&
                   (stored_ == "true" || stored_ == "false")) {
            text = stored_ == "true" ? "VERDADERO" : "FALSO";
        } else if (text.empty() && hasString_) {
            text = string_;
        }
        if (text.empty()) {
            emptyColumns_ = Plus(emptyColumns_, columnRepeats_);
            return;
        }
        const std::uint64_t first = Plus(width_, emptyColumns_);
        if (first > kColumns || columnRepeats_ > kColumns - first) {
            return Fail(kDamaged);
        }
        std::vector<std::string>& cells = row_->cells;
        std::vector<std::uint8_t>& numbers = row_->numbers;
        numbers.resize(cells.size());
        for (std::uint64_t column = width_; column < first + columnRepeats_; ++column) {
            const std::string_view put = column < first ? std::string_view() : text;
            const std::uint8_t flag = column >= first && number ? 1 : 0;
            if (column < cells.size()) {
                cells[column].assign(put);
                numbers[column] = flag;
            } else {
                cells.emplace_back(put);
                numbers.push_back(flag);
            }
        }
        width_ = first + columnRepeats_;
        emptyColumns_ = 0;
    }

    void FinishRow() {
        const std::uint64_t number = nextRow_;
        nextRow_ = Plus(nextRow_, rowRepeats_);
        if (width_ == 0) {
            return;
        }
        if (nextRow_ - 1 > kRows) {
            return Fail(kDamaged);
        }
        row_->cells.resize(width_);
        row_->numbers.resize(width_);
        row_->number = lastNumber_ = number;
        repeatsLeft_ = rowRepeats_ - 1;
        if (repeatsLeft_ > 0) {
            repeated_ = row_->cells;
            repeatedNumbers_ = row_->numbers;
        }
        RowMade();
    }

    std::unique_ptr<Package> package_;
    SheetChoice choice_;
    std::string wanted_;
    std::vector<std::string> names_;
    std::vector<std::string> repeated_;  // a row written once for several the same
    std::vector<std::uint8_t> repeatedNumbers_;
    std::uint64_t repeatsLeft_ = 0;
    std::uint64_t lastNumber_ = 0;
    std::uint64_t nextRow_ = 1;
    std::uint64_t rowRepeats_ = 1;
    std::uint64_t columnRepeats_ = 1;
    std::uint64_t width_ = 0;
    std::uint64_t emptyColumns_ = 0;  // empty cells seen since the last one with text
    std::uint64_t skip_ = 0;          // depth within an element whose content does not count
    std::uint64_t depth_ = 0;         // depth within the cell
    std::uint64_t paragraphs_ = 0;
    std::size_t paragraphStart_ = 0;
    std::string value_;
    std::string stored_;
    std::string string_;
    std::string moment_;  // a date's or a time's value
    std::string number_;
    ValueType type_ = ValueType::Text;
    bool hasValue_ = false;
    bool hasString_ = false;
    bool spaceDue_ = false;
    bool active_ = false;
    bool inRow_ = false;
    bool inCell_ = false;
    bool inParagraph_ = false;
};

OpenedSheet OpenOdsFrom(const workbook::Source& source, const SheetChoice& choice) {
    Package::Failure failure;
    std::string why;
    std::unique_ptr<Package> package = Package::Open(source, failure, why);
    if (failure != Package::Failure::None) {
        return {nullptr, failure == Package::Failure::CannotOpen ? why
                         : failure == Package::Failure::Damaged  ? std::string(kDamaged)
                                                                 : std::string(kNotOds)};
    }
    std::string mimetype;
    if (package->ReadPart("mimetype", 128, mimetype) &&
        !mimetype.starts_with("application/vnd.oasis.opendocument.spreadsheet")) {
        return {nullptr, std::string(kNotOds)};  // a text document has tables too
    }
    auto reader = std::make_unique<OdsSheetReader>(std::move(package), choice);
    if (!reader->Find(why)) {
        return {nullptr, why};
    }
    return {std::move(reader), ""};
}

}  // namespace

OpenedSheet OpenOds(const std::string& path, const SheetChoice& choice) {
    return OpenOdsFrom({path, {}, false}, choice);
}

OpenedSheet OpenOdsBytes(std::string_view bytes, const SheetChoice& choice) {
    return OpenOdsFrom({{}, bytes, true}, choice);
}

}  // namespace minizol
