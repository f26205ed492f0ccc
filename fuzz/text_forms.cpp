// A text file in any form, as minizol-comprobar reads it and writes it back: its form is
// recognised, it reads as well-formed UTF-8 in chunks of any size, and Windows-1252, whose every
// byte is a character, comes back byte for byte; a terminal cell is exactly as wide as asked.
// Input: a byte for the chunk size, a byte for the terminal width, then the text.
#include <string>

#include "common/utf8_text.h"
#include "fuzz_support.h"
#include "lists/shown_text.h"
#include "lists/text_encoding.h"
#include "support/memory_source.h"

namespace minizol::fuzz {
namespace {

std::string Decoded(std::string_view text, TextEncoding encoding, std::size_t chunk) {
    MemorySource source(text, chunk);
    DecodingSource decoding(source, encoding);
    std::string utf8;
    char buffer[61];
    for (std::ptrdiff_t count; (count = decoding.Read(buffer, sizeof buffer)) > 0;) {
        utf8.append(buffer, static_cast<std::size_t>(count));
    }
    return utf8;
}

}  // namespace
}  // namespace minizol::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace minizol;
    using namespace minizol::fuzz;
    Input input(data, size);
    const std::size_t chunk = input.Byte() % 64 + 1;
    const std::size_t width = input.Byte() % 48;
    const std::string_view text = input.rest();

    const TextForm form = DetectTextForm(text, true);
    FUZZ_CHECK(form.encoding != TextEncoding::Utf8 || form.byteOrderMark || IsWellFormed(text),
               Quoted(text) + " taken for UTF-8");
    for (const TextEncoding encoding : {form.encoding, TextEncoding::Windows1252}) {
        const std::string utf8 = Decoded(text, encoding, chunk);
        FUZZ_CHECK(encoding == TextEncoding::Utf8 || IsWellFormed(utf8), Quoted(text));
        FUZZ_CHECK(utf8 == Decoded(text, encoding, 4096), Quoted(text) + " read in chunks");
        if (encoding == TextEncoding::Windows1252) {
            std::string back;
            TextConverter(encoding, TextConverter::Direction::FromUtf8).Convert(utf8, back, true);
            FUZZ_CHECK(back == text, Quoted(text) + " came back as " + Quoted(back));
        }
    }

    std::string cell;
    AppendTerminalCell(cell, text, width, true);
    std::size_t columns = 0;
    for (std::size_t pos = 0; pos < cell.size(); pos += CharLengthAt(cell, pos)) {
        const std::string_view character =
            std::string_view(cell).substr(pos, CharLengthAt(cell, pos));
        FUZZ_CHECK(IsWellFormed(character), Quoted(cell));
        char32_t point = static_cast<unsigned char>(character[0]);
        if (character.size() > 1) {
            point &= 0x7F >> character.size();
            for (const char c : character.substr(1)) {
                point = point << 6 | (static_cast<unsigned char>(c) & 0x3F);
            }
        }
        FUZZ_CHECK(point >= 0x20 && point != 0x7F && (point < 0x80 || point >= 0xA0),
                   "a control character reaches the terminal: " + Quoted(cell));
        columns += DisplayWidth(point);
    }
    FUZZ_CHECK(
        columns == width || (width == 0 && columns <= 1),
        Quoted(cell) + " is " + std::to_string(columns) + " wide, not " + std::to_string(width));
    return 0;
}
