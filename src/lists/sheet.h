#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace minizol {

// One row of a workbook's sheet, its cells as the sheet shows them, in UTF-8.
struct SheetRow {
    std::uint64_t number = 0;        // the row's number in the sheet, from 1
    std::vector<std::string> cells;  // from the first column on; a cell the row skips is ""
    // Beside each cell, 1 when it holds a number (a date is text), so that a report can write it
    // back as one. Bytes rather than bools: a span views them.
    std::vector<std::uint8_t> numbers;
};

// A sheet read row by row, so that memory does not grow with its rows.
class SheetReader {
  public:
    virtual ~SheetReader() = default;
    // The next row that holds a cell, into `row` (its room reused); false at the end of the sheet
    // or when it could not be read on, which error() then says.
    virtual bool Next(SheetRow& row) = 0;
    // Why the sheet could not be read on, in Spanish ("el libro está dañado"), or "".
    virtual const std::string& error() const = 0;
};

// Which sheet of a workbook: the one named `name` (any case), else the one at `position` (from
// 1), else the first.
struct SheetChoice {
    std::string name;
    std::size_t position = 0;
};

// Whether sheet `index` (from 0) named `name` is the one `choice` asks for; `wanted` is the
// chosen name upper-cased (UpperCase).
bool IsChosenSheet(const SheetChoice& choice, std::string_view wanted, std::size_t index,
                   std::string_view name);
// Why no sheet among `names` is the one `choice` asks for, in Spanish.
std::string NoSuchSheet(const SheetChoice& choice, const std::vector<std::string>& names);

struct OpenedSheet {
    std::unique_ptr<SheetReader> reader;  // nothing when the workbook could not be opened
    std::string error;                    // then why, in Spanish: "no tiene la hoja «Ventas»"
};

// Office Open XML (.xlsx, Excel 2007 on), OpenDocument (.ods) and Excel 97-2003 (.xls) files.
OpenedSheet OpenXlsx(const std::string& path, const SheetChoice& choice);
OpenedSheet OpenOds(const std::string& path, const SheetChoice& choice);
OpenedSheet OpenXls(const std::string& path, const SheetChoice& choice);

// A number cell as a spreadsheet shows it in its general format: a whole number with all its
// digits ("12345678", "9780306406157", never "12345678.0" or "9,78E+12"; past 2^53, those the
// double keeps, then zeros); a fraction with the Spanish decimal comma ("12,5"). `stored` is the
// number as the file keeps it ("1.2345678E7"): written out whole with more digits than a double
// holds (a 20-digit account), it keeps them all; a text that is no number comes back as it is.
std::string NumberCellText(double value);
std::string NumberCellText(std::string_view stored);

// Dates and times as .xls dates read: "2024-02-29", "2024-02-29 13:45:00" when the moment is past
// midnight, "13:45:00" for a time of no date.
//
// An Excel serial: days from 1899-12-31 (60 being the 1900-02-29 Excel keeps for old
// spreadsheets' sake) or, with `date1904`, from 1904-01-01; a serial below 1 is a time alone.
// "" when no sheet shows it as a date (negative, past 9999).
std::string SerialDateText(double serial, bool date1904);
// An ISO 8601 date, "2024-02-29" or "2024-02-29T13:45:00.5", as an OpenDocument date cell keeps
// it; "" when it is none.
std::string IsoDateText(std::string_view iso);
// An ISO 8601 duration, "PT13H45M00S", as an OpenDocument time cell keeps it: hours past a day
// count on ("36:00:00"); "" when it is none or negative.
std::string IsoDurationText(std::string_view iso);

}  // namespace minizol
