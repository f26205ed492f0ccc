#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checkdigits/number_check.h"
#include "lists/error_text.h"
#include "lists/sheet.h"

namespace minizol {

constexpr const char* kProgram = "minizol-comprobar";
constexpr int kAllCorrect = 0;
constexpr int kNotAllCorrect = 1;
constexpr int kTrouble = 2;

struct Options {
    KindFilter filter = KindFilter::Any;
    std::vector<std::string> columns;  // as the user names them; none: found in each file
    std::optional<char> separator;     // none: found in each file
    bool header = false;
    bool csv = false;
    SheetChoice sheet;
    std::string output;  // a file for the report, .xlsx or .csv; "": standard output
    std::vector<std::string> inputs;
};

// The command line, or the end of the program with its status: for --help, --version and any
// misuse (whose message it writes).
Options ParseOptions(int argc, char** argv);

// Messages name the program first, as every command-line tool's do.
void Say(const std::string& message);
std::string Quoted(std::string_view name);

// Whether the report goes into a workbook.
bool WritesWorkbook(const Options& options);

}  // namespace minizol
