// A workbook as a file's bytes, read whole by both the .xlsx and the .ods reader, from memory
// and from a file. Whatever the bytes: no crash, a reader or a reason, rows in order each ending
// in a cell with text, the same rows from memory as from the file, and nothing after the end.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "lists/workbook_package.h"

namespace minizol::fuzz {
namespace {

// A row repeated in an .ods may stand for millions; the first ones say enough.
constexpr std::size_t kMostRows = 2000;

std::string Rows(const OpenedSheet& opened) {
    FUZZ_CHECK(!opened.reader == !opened.error.empty(), "a reader, or why there is none");
    if (!opened.reader) {
        return "¡" + opened.error;
    }
    std::string seen;
    SheetRow row;
    std::uint64_t last = 0;
    std::size_t count = 0;
    for (; count < kMostRows && opened.reader->Next(row); ++count) {
        FUZZ_CHECK(row.number > last,
                   std::to_string(row.number) + " after " + std::to_string(last));
        FUZZ_CHECK(!row.cells.empty() && !row.cells.back().empty() && row.cells.size() <= 16384,
                   "row " + std::to_string(row.number) + " of " + std::to_string(row.cells.size()));
        last = row.number;
        seen += std::to_string(row.number);
        for (const std::string& cell : row.cells) {
            seen += "|" + cell;
        }
        seen += "\n";
    }
    if (count < kMostRows) {
        FUZZ_CHECK(!opened.reader->Next(row), "a row after the end");
    }
    return seen + "¡" + opened.reader->error();
}

std::string FilePath() {
    return "/tmp/minizol-fuzz-workbook-" + std::to_string(getpid());
}

bool WriteFile(const std::string& path, std::string_view data) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace
}  // namespace minizol::fuzz

FUZZ_TARGET(input) {
    const std::string_view data = input.TakeRest();
    const std::string path = FilePath();
    const bool onFile = WriteFile(path, data);
    for (const SheetChoice& choice : {SheetChoice{}, SheetChoice{"", 2}, SheetChoice{"hoja2", 0}}) {
        const std::string xlsx = Rows(OpenXlsxBytes(data, choice));
        const std::string ods = Rows(OpenOdsBytes(data, choice));
        // Files are read a byte at a time where minizip reads headers: once is enough.
        if (onFile && choice.name.empty() && choice.position == 0) {
            FUZZ_CHECK(Rows(OpenXlsx(path, choice)) == xlsx, Quoted(xlsx.substr(0, 200)));
            FUZZ_CHECK(Rows(OpenOds(path, choice)) == ods, Quoted(ods.substr(0, 200)));
        }
    }
    std::remove(path.c_str());
}
