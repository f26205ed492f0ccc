#include "lists/text_encoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/memory_source.h"

namespace minizol {
namespace {

TEST(TextEncoding, FormsAsOfficesWriteThem) {
    struct Case {
        std::string start;
        bool complete;
        TextEncoding encoding;
        bool bom;
    };
    const Case cases[] = {
        {"12345678Z\n", true, TextEncoding::Utf8, false},
        {"\xEF\xBB\xBFNombre;IBAN\r\n", true, TextEncoding::Utf8, true},
        {"\xFF\xFEN\0o\0", true, TextEncoding::Utf16Le, true},
        {"\xFE\xFF\0N\0o", true, TextEncoding::Utf16Be, true},
        {"Pe\xC3\xB1"
         "a;ES91\n",
         true, TextEncoding::Utf8, false},
        {"Pe\xF1"
         "a;ES91\xA0"
         "2100\r\n",
         true, TextEncoding::Windows1252, false},
        // A character cut by the end of what was looked at is no fault; at the end of the file
        // it is.
        {"Pe\xC3", false, TextEncoding::Utf8, false},
        {"Pe\xC3", true, TextEncoding::Windows1252, false},
        {"Pe\xF0\x9F\x98", false, TextEncoding::Utf8, false},
        // Overlong forms and surrogates are no UTF-8.
        {"\xC0\xAF", true, TextEncoding::Windows1252, false},
        {"\xED\xA0\x80", true, TextEncoding::Windows1252, false},
        {"\xE0\x80\xAF", false, TextEncoding::Windows1252, false},
    };
    for (const Case& c : cases) {
        const TextForm form = DetectTextForm(c.start, c.complete);
        EXPECT_EQ(form.encoding, c.encoding) << c.start;
        EXPECT_EQ(form.byteOrderMark, c.bom) << c.start;
    }
}

// A file is judged whole: an accented name far down a list decides as one at its top would.
TEST(TextEncoding, WholeFileDecides) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        text += "12345678Z\n";
    }
    text +=
        "Pe\xF1"
        "a\n";
    std::fwrite(text.data(), 1, text.size(), file);
    std::fflush(file);
    EXPECT_EQ(DetectFileTextForm(fileno(file), text.substr(0, 4096)).encoding,
              TextEncoding::Windows1252);
    std::fclose(file);
}

// Text goes to UTF-8 and back unchanged, in chunks of any size: every byte of Windows-1252,
// the five it leaves undefined included, and UTF-16 with characters beyond the BMP.
TEST(TextEncoding, RoundTripsInAnyChunks) {
    std::string every1252;
    for (int byte = 1; byte < 256; ++byte) {
        every1252 += static_cast<char>(byte);
    }
    std::string utf16le;
    for (const char16_t unit : u"Peña 12345678Z € 😀\r\n") {
        if (unit != 0) {
            utf16le += static_cast<char>(unit & 0xFF);
            utf16le += static_cast<char>(unit >> 8);
        }
    }
    std::string utf16be;
    for (std::size_t i = 0; i < utf16le.size(); i += 2) {
        utf16be += utf16le[i + 1];
        utf16be += utf16le[i];
    }
    const struct {
        TextEncoding encoding;
        std::string text;
        std::string utf8;  // what it reads as, when checked
    } cases[] = {
        {TextEncoding::Windows1252, every1252, ""},
        {TextEncoding::Windows1252,
         "Pe\xF1"
         "a\xA0\x80",
         "Peña\u00A0€"},
        {TextEncoding::Utf16Le, utf16le, "Peña 12345678Z € 😀\r\n"},
        {TextEncoding::Utf16Be, utf16be, "Peña 12345678Z € 😀\r\n"},
    };
    for (const auto& c : cases) {
        for (const std::size_t chunk : {1u, 3u, 4096u}) {
            MemorySource source(c.text, chunk);
            DecodingSource decoding(source, c.encoding);
            std::string utf8;
            char buffer[7];
            for (std::ptrdiff_t count; (count = decoding.Read(buffer, sizeof buffer)) > 0;) {
                utf8.append(buffer, static_cast<std::size_t>(count));
            }
            if (!c.utf8.empty()) {
                EXPECT_EQ(utf8, c.utf8);
            }
            TextConverter back(c.encoding, TextConverter::Direction::FromUtf8);
            std::string again;
            for (std::size_t pos = 0; pos < utf8.size(); pos += chunk) {
                back.Convert(std::string_view(utf8).substr(pos, chunk), again);
            }
            back.Convert("", again, true);
            EXPECT_EQ(again, c.text) << static_cast<int>(c.encoding) << " in chunks of " << chunk;
        }
    }
}

// What an encoding cannot hold is marked, never dropped or left to break the file.
TEST(TextEncoding, WhatCannotBeWrittenIsMarked) {
    const struct {
        TextEncoding encoding;
        std::string utf8;
        std::string written;
    } cases[] = {
        {TextEncoding::Windows1252, "a\u0151b", "a?b"},
        {TextEncoding::Windows1252,
         "a\xFF"
         "b",
         "a?b"},
        {TextEncoding::Utf16Le, "a\xFF", std::string("a\0\xFD\xFF", 4)},
    };
    for (const auto& c : cases) {
        std::string written;
        TextConverter(c.encoding, TextConverter::Direction::FromUtf8)
            .Convert(c.utf8, written, true);
        EXPECT_EQ(written, c.written);
    }
}

TEST(TextEncoding, PeekedBytesAreReadAgain) {
    MemorySource memory("PK\x03\x04 and the rest", 2);
    PeekableSource source(memory);
    EXPECT_EQ(source.Peek(4), "PK\x03\x04");
    EXPECT_EQ(source.Peek(100), "PK\x03\x04 and the rest");
    std::string read;
    char buffer[5];
    for (std::ptrdiff_t count; (count = source.Read(buffer, sizeof buffer)) > 0;) {
        read.append(buffer, static_cast<std::size_t>(count));
    }
    EXPECT_EQ(read, "PK\x03\x04 and the rest");
}

}  // namespace
}  // namespace minizol
