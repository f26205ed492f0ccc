#pragma once

#include <string>
#include <vector>

#include "lists/list_reader.h"
#include "lists/messages.h"

namespace minizol {

constexpr const char* kProgram = "minizol-comprobar";
constexpr int kAllCorrect = 0;
constexpr int kNotAllCorrect = 1;
constexpr int kTrouble = 2;

struct Options {
    ListOptions list;    // how each input is read
    bool csv = false;    // CSV on standard output
    std::string output;  // a file for the report, .xlsx or .csv; "": standard output
    std::vector<std::string> inputs;
};

// The command line, or the end of the program with its status: for --help, --version and any
// misuse (whose message it writes).
Options ParseOptions(int argc, char** argv);

// Messages name the program first, as every command-line tool's do.
void Say(const std::string& message);

// Whether the report goes into a workbook.
bool WritesWorkbook(const Options& options);

}  // namespace minizol
