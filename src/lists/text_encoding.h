#pragma once

#include <iconv.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "lists/record_reader.h"

namespace minizol {

// The encodings a Spanish office's text files come in: UTF-8 (with a BOM from Excel's "CSV UTF-8"),
// UTF-16 with a BOM (Excel's "Texto Unicode"), and Windows-1252 (Excel's and Notepad's "ANSI").
enum class TextEncoding { Utf8, Utf16Le, Utf16Be, Windows1252 };

struct TextForm {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
};

// The name iconv knows the encoding by, and the one the program shows ("Windows-1252").
const char* IconvName(TextEncoding encoding);
std::string_view EncodingName(TextEncoding encoding);

// The form of a text that starts with `start`: its BOM's encoding; otherwise UTF-8 when every
// byte of `start` is well-formed UTF-8 (`complete` says whether `start` is the whole text, or a
// character may be cut at its end), and Windows-1252 when not.
TextForm DetectTextForm(std::string_view start, bool complete);

// Whether `bytes` are well-formed UTF-8, but for a character cut at the end when not `complete`.
bool IsUtf8(std::string_view bytes, bool complete);

// The form of the whole file open at `fd`, whose first bytes are `start`: a regular file is read
// through (without moving its offset) so that one accented name deep in a list decides as one at
// its top would; anything else is judged by `start`.
TextForm DetectFileTextForm(int fd, std::string_view start);

// Converts text between an encoding and UTF-8, chunk by chunk: a character cut between chunks is
// held for the next. Conversion is lossless both ways for any bytes of Windows-1252, even the
// five it leaves undefined (read as the control characters U+0081 ..., written back as they came),
// so that a user's fields come back byte for byte. In the other direction a character the
// encoding cannot hold becomes '?' in Windows-1252 and U+FFFD in UTF-16; a byte that is not UTF-8
// likewise.
class TextConverter {
  public:
    enum class Direction { ToUtf8, FromUtf8 };

    TextConverter(TextEncoding encoding, Direction direction);
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    // Appends the conversion of `in` to `out`; with `last`, what is held is flushed too.
    void Convert(std::string_view in, std::string& out, bool last = false);

  private:
    void ConvertHeld(std::string& out, bool last);
    void Unconvertible(std::string& out);

    TextEncoding encoding_;
    Direction direction_;
    iconv_t iconv_;
    std::string held_;  // bytes not converted yet: a character cut at the end of a chunk
};

// Bytes of a source in any TextForm, read as UTF-8. UTF-8 passes as it is, BOM and all.
class DecodingSource final : public ByteSource {
  public:
    DecodingSource(ByteSource& source, TextEncoding encoding);
    std::ptrdiff_t Read(char* into, std::size_t size) override;

  private:
    ByteSource& source_;
    bool passThrough_;
    TextConverter converter_;
    std::string decoded_;
    std::size_t taken_ = 0;  // of decoded_
    bool ended_ = false;
};

// A source whose first bytes can be looked at before they are read: to tell what a file is.
class PeekableSource final : public ByteSource {
  public:
    explicit PeekableSource(ByteSource& source) : source_(source) {}

    // Up to `size` first bytes (fewer at the end of a short input); -1 and errno on an error.
    std::string_view Peek(std::size_t size);
    int error() const { return error_; }
    std::ptrdiff_t Read(char* into, std::size_t size) override;

  private:
    ByteSource& source_;
    std::unique_ptr<char[]> peeked_;
    std::size_t peekedSize_ = 0;
    std::size_t capacity_ = 0;
    std::size_t taken_ = 0;
    bool ended_ = false;
    int error_ = 0;
};

}  // namespace minizol
