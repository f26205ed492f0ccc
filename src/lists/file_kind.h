#pragma once

#include <string>
#include <string_view>

namespace minizol {

// What a file is, told by its content and not by its name: a list is read by its kind, and a file
// that is no list is refused with what it seems to be.
enum class FileKind { Text, Xlsx, Ods, Xls, Sepa, NoList };

struct SniffedFile {
    FileKind kind = FileKind::Text;
    std::string seems;  // for NoList: what it seems to be, as "un PDF"
};

// The kind of a file from its first bytes (a few KiB); `path`, when the file can be opened by
// name, lets a ZIP be looked into: a workbook, or some other document.
SniffedFile SniffFile(std::string_view start, const std::string& path);

}  // namespace minizol
