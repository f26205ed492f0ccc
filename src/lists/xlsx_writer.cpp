#include "lists/xlsx_writer.h"

#include <sys/stat.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "common/utf8_text.h"
#include "lists/xlsxwriter_library.h"

namespace minizol {
namespace {

// The functions of libxlsxwriter this writer calls, each named once: a member typed as
// <xlsxwriter.h> declares it, found in the library by that name.
// clang-format off
#define MINIZOL_LXW_FUNCTIONS(F) \
    F(workbook_new_opt) F(workbook_add_worksheet) F(workbook_add_format) F(workbook_close) \
    F(lxw_workbook_free) F(worksheet_write_string) F(worksheet_write_number) \
    F(worksheet_set_column) F(worksheet_freeze_panes) F(worksheet_autofilter) \
    F(format_set_bold) F(format_set_pattern) F(format_set_bg_color) F(format_set_font_color) \
    F(lxw_strerror)
// clang-format on

struct Lxw {
#define MINIZOL_LXW_MEMBER(name) decltype(&::name) name = nullptr;
    MINIZOL_LXW_FUNCTIONS(MINIZOL_LXW_MEMBER)
#undef MINIZOL_LXW_MEMBER
};

// The functions, found once for the program; null, with `error` saying why, when one is missing.
const Lxw* Functions(std::string& error) {
    struct Found {
        Lxw lxw;
        bool all = true;
        std::string error;  // why not all were found
    };
    static const Found found = [] {
        Found f;
#define MINIZOL_LXW_FIND(name) f.all = f.all && FindXlsxWriterFunction(#name, f.lxw.name, f.error);
        MINIZOL_LXW_FUNCTIONS(MINIZOL_LXW_FIND)
#undef MINIZOL_LXW_FIND
        return f;
    }();
    if (!found.all) {
        error = found.error;
        return nullptr;
    }
    return &found.lxw;
}

#undef MINIZOL_LXW_FUNCTIONS

constexpr char kSheetName[] = "Comprobación";
constexpr std::size_t kCellLimit = 32767;  // characters in a cell, as Excel counts them
constexpr std::size_t kMeasuredRows = 100;
constexpr std::size_t kWidestColumn = 60;
constexpr std::size_t kFilterButton = 2;  // characters of a header that its filter button covers

// `text` as a cell can hold it, into `out`. A byte that is not UTF-8, or a character XML does not
// allow, becomes U+FFFD: either would leave the whole sheet unreadable. An underscore that starts
// "_x0041_" is written escaped, "_x005F_", since spreadsheets read the rest as the character it
// names. The text ends at Excel's limit, which libxlsxwriter refuses to pass: a report missing the
// end of one long field is of more use than no report.
void CellText(std::string_view text, std::string& out) {
    const auto isHex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    const auto namesCharacter = [&](std::size_t at) {
        return text.size() - at >= 7 && text[at + 1] == 'x' && isHex(text[at + 2]) &&
               isHex(text[at + 3]) && isHex(text[at + 4]) && isHex(text[at + 5]) &&
               text[at + 6] == '_';
    };
    out.clear();
    // UTF-16 units, as Excel counts; libxlsxwriter counts characters, which are never more.
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLengthAt(text, at);
        std::string_view piece = text.substr(at, length);
        std::size_t pieceUnits = length == 4 ? 2 : 1;
        if ((length == 1 && static_cast<unsigned char>(text[at]) >= 0x80) ||
            piece == "\xEF\xBF\xBE" || piece == "\xEF\xBF\xBF") {
            piece = "\xEF\xBF\xBD";
        } else if (text[at] == '_' && namesCharacter(at)) {
            piece = "_x005F_";
            pieceUnits = piece.size();  // as libxlsxwriter counts it; Excel counts one
        }
        if (units + pieceUnits > kCellLimit) {
            break;
        }
        units += pieceUnits;
        out += piece;
        at += length;
    }
}

// How many significant digits a number's text has, from its first digit that is not 0 to its last.
std::size_t SignificantDigits(std::string_view text) {
    std::size_t count = 0;
    std::size_t significant = 0;
    for (const char c : text.substr(0, text.find_first_of("eE"))) {
        if (c >= '1' && c <= '9') {
            significant = ++count;
        } else if (c == '0' && count > 0) {
            ++count;
        }
    }
    return significant;
}

// The number a text spells, read alike in any locale, its decimal point a point or, as a Spanish
// sheet writes it, a comma ("12,5"); none for a text with anything else in it ("1.234,5"), or for
// infinities and NaN, which a sheet cannot hold. Nor for a whole number of more than 15
// significant digits (a 20-digit account a sheet held as a number): Excel keeps 15 and shows
// the rest as zeros, whereas as text all of them stay.
std::optional<double> Number(std::string_view text) {
    char buffer[64];
    const std::size_t comma = text.find(',');
    if (comma != std::string_view::npos) {
        if (text.size() > sizeof buffer || text.find('.') != text.npos ||
            text.find(',', comma + 1) != text.npos) {
            return std::nullopt;
        }
        std::copy(text.begin(), text.end(), buffer);
        buffer[comma] = '.';
        text = std::string_view(buffer, text.size());
    }
    double number = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (failure != std::errc() || end != text.data() + text.size() || !std::isfinite(number) ||
        (number == std::trunc(number) && SignificantDigits(text) > 15)) {
        return std::nullopt;
    }
    return number;
}

// What identifies the file at a path, and when it last changed: what a failed write could have
// left there is told from what was there before by comparing the two.
std::optional<struct stat> FileState(const std::string& path) {
    struct stat state {};
    if (stat(path.c_str(), &state) != 0) {
        return std::nullopt;
    }
    return state;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

class LibXlsxWriter final : public XlsxWriter {
  public:
    LibXlsxWriter(const Lxw& lxw, std::string path, lxw_workbook* workbook, lxw_worksheet* sheet)
        : lxw_(lxw),
          path_(std::move(path)),
          workbook_(workbook),
          sheet_(sheet),
          headerFormat_(lxw.workbook_add_format(workbook)),
          wrongFormat_(lxw.workbook_add_format(workbook)) {
        lxw.format_set_bold(headerFormat_);
        lxw.format_set_pattern(headerFormat_, LXW_PATTERN_SOLID);
        lxw.format_set_bg_color(headerFormat_, 0xD9D9D9);
        // Spreadsheets' own style for a bad value: dark red on light red.
        lxw.format_set_pattern(wrongFormat_, LXW_PATTERN_SOLID);
        lxw.format_set_bg_color(wrongFormat_, 0xFFC7CE);
        lxw.format_set_font_color(wrongFormat_, 0x9C0006);
    }

    // A workbook never closed is let go without being written.
    ~LibXlsxWriter() override {
        if (workbook_ != nullptr) {
            lxw_.lxw_workbook_free(workbook_);
        }
    }

    void Header(std::span<const std::string_view> names) override {
        if (!StartRow(names.size())) {
            return;
        }
        for (std::size_t column = 0; column < names.size(); ++column) {
            Write(column, {.text = names[column]}, headerFormat_);
            Measure(column, CharCount(names[column]) + kFilterButton);
        }
        lxw_.worksheet_freeze_panes(sheet_, 1, 0);
        headerColumns_ = names.size();
        header_ = true;
        ++row_;
    }

    void Row(std::span<const WrittenCell> cells) override {
        if (!StartRow(cells.size())) {
            return;
        }
        const bool measured = row_ - (header_ ? 1 : 0) < kMeasuredRows;
        for (std::size_t column = 0; column < cells.size(); ++column) {
            Write(column, cells[column], cells[column].wrong ? wrongFormat_ : nullptr);
            if (measured) {
                Measure(column, CharCount(cells[column].text));
            }
        }
        ++row_;
    }

    bool Close(std::string& error) override {
        if (workbook_ == nullptr) {
            error = "no se puede escribir «" + path_ + "»: el libro ya se cerró";
            return false;
        }
        // The sheet is assembled at the close, so that widths and the filter's rows can be set
        // now, when all the rows are known.
        for (std::size_t column = 0; column < widths_.size(); ++column) {
            const double width = static_cast<double>(std::min(widths_[column], kWidestColumn) + 1);
            Remember(lxw_.worksheet_set_column(sheet_, static_cast<lxw_col_t>(column),
                                               static_cast<lxw_col_t>(column),
                                               std::max(width, LXW_DEF_COL_WIDTH), nullptr));
        }
        if (headerColumns_ > 0) {
            const auto last =
                static_cast<lxw_row_t>(std::min<std::uint64_t>(row_, LXW_ROW_MAX) - 1);
            Remember(lxw_.worksheet_autofilter(sheet_, 0, 0, last,
                                               static_cast<lxw_col_t>(headerColumns_ - 1)));
        }
        const std::optional<struct stat> before = FileState(path_);
        const lxw_error closed = lxw_.workbook_close(workbook_);
        workbook_ = nullptr;
        Remember(closed);
        if (error_ == LXW_NO_ERROR) {
            return true;
        }
        // A file that is not whole, rows lost or the writing cut short, is not left to be taken
        // for the report; what was at the path before, untouched by the failure, stays.
        const std::optional<struct stat> after = FileState(path_);
        if (after && S_ISREG(after->st_mode) && !(before && SameFile(*before, *after))) {
            std::remove(path_.c_str());
        }
        error = "no se puede escribir «" + path_ + "»: " + lxw_.lxw_strerror(error_);
        return false;
    }

  private:
    // Whether a row of `columns` cells fits in a sheet; when not, the file will not be whole.
    // Rows after the close are not written: the sheet is gone.
    bool StartRow(std::size_t columns) {
        if (workbook_ == nullptr) {
            return false;
        }
        if (row_ < LXW_ROW_MAX && columns <= LXW_COL_MAX) {
            return true;
        }
        Remember(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE);
        return false;
    }

    void Write(std::size_t column, const WrittenCell& cell, lxw_format* format) {
        const auto row = static_cast<lxw_row_t>(row_);
        const auto col = static_cast<lxw_col_t>(column);
        if (const std::optional<double> number = cell.number ? Number(cell.text) : std::nullopt) {
            Remember(lxw_.worksheet_write_number(sheet_, row, col, *number, format));
            return;
        }
        CellText(cell.text, text_);
        Remember(lxw_.worksheet_write_string(sheet_, row, col, text_.c_str(), format));
    }

    void Measure(std::size_t column, std::size_t characters) {
        if (widths_.size() <= column) {
            widths_.resize(column + 1);
        }
        widths_[column] = std::max(widths_[column], characters);
    }

    // The first failure is the one reported; those after it mostly follow from it.
    void Remember(lxw_error result) {
        if (error_ == LXW_NO_ERROR) {
            error_ = result;
        }
    }

    const Lxw& lxw_;
    std::string path_;
    lxw_workbook* workbook_;
    lxw_worksheet* sheet_;
    lxw_format* headerFormat_;
    lxw_format* wrongFormat_;
    std::uint64_t row_ = 0;  // the next to write
    bool header_ = false;
    std::size_t headerColumns_ = 0;
    std::vector<std::size_t> widths_;  // in characters, of the header and the first rows
    lxw_error error_ = LXW_NO_ERROR;
    std::string text_;  // a cell's text as written
};

}  // namespace

std::unique_ptr<XlsxWriter> XlsxWriter::Create(const std::string& path, std::string& error) {
    const Lxw* lxw = Functions(error);
    if (lxw == nullptr) {
        return nullptr;
    }
    // Constant memory: each row goes to a temporary file as the next starts, so that a million
    // rows take no more memory than one; the file itself is written at the close.
    lxw_workbook_options options{.constant_memory = LXW_TRUE, .tmpdir = nullptr, .use_zip64 = 0};
    lxw_workbook* workbook = lxw->workbook_new_opt(path.c_str(), &options);
    if (workbook == nullptr) {
        error = "no se puede escribir «" + path + "»: no se puede empezar el libro";
        return nullptr;
    }
    lxw_worksheet* sheet = lxw->workbook_add_worksheet(workbook, kSheetName);
    if (sheet == nullptr) {
        lxw->lxw_workbook_free(workbook);
        error = "no se puede escribir «" + path + "»: no se puede empezar la hoja";
        return nullptr;
    }
    return std::make_unique<LibXlsxWriter>(*lxw, path, workbook, sheet);
}

}  // namespace minizol
