#pragma once

#include <string>

namespace minizol {

class CheckedRows;

// Writes `rows` as a report file at `path`: a workbook when its name ends in ".xlsx" (any case),
// otherwise CSV as Spanish Excel opens it on a double click (UTF-8 with a BOM, ';', CR LF). The
// file is written beside its place and renamed into it once whole, so that a report cut short
// never stands as the file asked for, nor replaces one that was there. False, with `error`
// saying why in Spanish, when it could not be written.
bool SaveReport(const CheckedRows& rows, const std::string& path, std::string& error);

}  // namespace minizol
