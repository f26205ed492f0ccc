#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace minizol {

// A cell of a workbook being written: a text in UTF-8, written as text (so that "00123" keeps its
// zeros), or, with `number`, as the number it spells ("12.5" or "12,5"), unless it spells none
// or one a sheet cannot hold to the digit.
struct WrittenCell {
    std::string_view text;
    bool number = false;
    bool wrong = false;  // filled red: a verdict that is not right
};

// Writes one sheet of rows into an .xlsx file through libxlsxwriter, row by row, in constant
// memory. The library is loaded when the first workbook is made, so that programs that never
// write one do not load it (nor what it needs) at start.
class XlsxWriter {
  public:
    // A workbook to be written at `path`; nothing, with `error` saying why, when libxlsxwriter is
    // missing or the workbook cannot be started.
    static std::unique_ptr<XlsxWriter> Create(const std::string& path, std::string& error);
    virtual ~XlsxWriter() = default;

    // The header: bold, frozen above the rows as they scroll, with a filter on each column.
    virtual void Header(std::span<const std::string_view> names) = 0;
    virtual void Row(std::span<const WrittenCell> cells) = 0;
    // Writes the file; false, with `error` saying why, when it could not be written whole.
    virtual bool Close(std::string& error) = 0;
};

}  // namespace minizol
