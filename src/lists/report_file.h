#pragma once

#include <functional>
#include <string>

namespace minizol {

class CheckedRows;
class ReportWriter;

// Writes `rows` as a report file at `path`: a workbook when its name ends in ".xlsx" (any case),
// otherwise CSV as Spanish Excel opens it on a double click (UTF-8 with a BOM, ';', CR LF). The
// file is written beside its place and renamed into it once whole, so that a report cut short
// never stands as the file asked for, nor replaces one that was there. False, with `error`
// saying why in Spanish, when it could not be written.
bool SaveReport(const CheckedRows& rows, const std::string& path, std::string& error);

// The same for rows kept in several stores: `write` writes them all into the report it is given,
// in their order, the header first; `withColumn` as the rows were checked.
bool SaveReport(const std::function<void(ReportWriter&)>& write, bool withColumn,
                const std::string& path, std::string& error);

}  // namespace minizol
