#include "lists/file_kind.h"

#include <minizip/unzip.h>

#include <array>
#include <memory>

#include "lists/sepa_reader.h"

namespace minizol {
namespace {

using namespace std::string_view_literals;  // signatures hold NUL bytes

struct Signature {
    std::string_view bytes;
    std::string_view seems;
};

// Files people keep beside their lists and may pick by mistake.
constexpr Signature kNoLists[] = {
    {"%PDF-"sv, "un PDF"},
    {"\x89PNG\r\n\x1A\n"sv, "una imagen PNG"},
    {"\xFF\xD8\xFF"sv, "una imagen JPEG"},
    {"GIF87a"sv, "una imagen GIF"},
    {"GIF89a"sv, "una imagen GIF"},
    {"II*\0"sv, "una imagen TIFF"},
    {"MM\0*"sv, "una imagen TIFF"},
    {"{\\rtf"sv, "un documento RTF"},
    {"Rar!\x1A\x07"sv, "un archivo RAR"},
    {"7z\xBC\xAF\x27\x1C"sv, "un archivo 7z"},
    {"\x1F\x8B"sv, "un archivo comprimido gzip"},
};

constexpr std::string_view kZip = "PK\x03\x04"sv;
constexpr std::string_view kEmptyZip = "PK\x05\x06"sv;
// Excel 97-2003 keeps its workbooks in an OLE2 compound file (so do Word's .doc and an .xlsx
// protected with a password: FreeXL tells them apart when it opens one).
constexpr std::string_view kCompoundFile = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv;

struct ZipCloser {
    void operator()(void* zip) const { unzClose(zip); }
};

std::string ZipMimeType(unzFile zip) {
    if (unzLocateFile(zip, "mimetype", 1) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK) {
        return {};
    }
    std::array<char, 128> text{};
    const int count = unzReadCurrentFile(zip, text.data(), text.size() - 1);
    unzCloseCurrentFile(zip);
    return count > 0 ? std::string(text.data(), static_cast<std::size_t>(count)) : std::string();
}

SniffedFile SniffZip(const std::string& path) {
    const std::unique_ptr<void, ZipCloser> zip(path.empty() ? nullptr : unzOpen64(path.c_str()));
    if (!zip) {
        return {FileKind::NoList, "un archivo ZIP dañado"};
    }
    if (unzLocateFile(zip.get(), "xl/workbook.xml", 1) == UNZ_OK) {
        return {FileKind::Xlsx, {}};
    }
    const std::string mimeType = ZipMimeType(zip.get());
    if (mimeType == "application/vnd.oasis.opendocument.spreadsheet") {
        return {FileKind::Ods, {}};
    }
    if (unzLocateFile(zip.get(), "word/document.xml", 1) == UNZ_OK) {
        return {FileKind::NoList, "un documento de Word (.docx)"};
    }
    if (unzLocateFile(zip.get(), "ppt/presentation.xml", 1) == UNZ_OK) {
        return {FileKind::NoList, "una presentación de PowerPoint (.pptx)"};
    }
    if (mimeType.starts_with("application/vnd.oasis.opendocument.")) {
        return {FileKind::NoList, "un documento de OpenDocument que no es una hoja de cálculo"};
    }
    return {FileKind::NoList, "un archivo ZIP que no es un libro de cálculo"};
}

}  // namespace

SniffedFile SniffFile(std::string_view start, const std::string& path) {
    if (start.starts_with(kZip) || start.starts_with(kEmptyZip)) {
        return SniffZip(path);
    }
    if (start.starts_with(kCompoundFile)) {
        return {FileKind::Xls, {}};
    }
    for (const Signature& signature : kNoLists) {
        if (start.starts_with(signature.bytes)) {
            return {FileKind::NoList, std::string(signature.seems)};
        }
    }
    if (start.size() >= 12 && start.starts_with("RIFF") && start.substr(8, 4) == "WEBP") {
        return {FileKind::NoList, "una imagen WebP"};
    }
    if (LooksLikeSepa(start)) {
        return {FileKind::Sepa, {}};
    }
    return {FileKind::Text, {}};
}

}  // namespace minizol
