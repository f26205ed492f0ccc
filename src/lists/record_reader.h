#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "lists/csv.h"

namespace minizol {

// Where a reader's bytes come from: a file descriptor, or memory in the tests.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `into`: how many were read, 0 at the end, -1 on an error (errno).
    virtual std::ptrdiff_t Read(char* into, std::size_t size) = 0;
};

class FdSource final : public ByteSource {
  public:
    explicit FdSource(int fd) : fd_(fd) {}
    std::ptrdiff_t Read(char* into, std::size_t size) override;

  private:
    int fd_;
};

struct Record {
    std::string_view text;   // without its line end (LF or CR LF), nor the first line's BOM
    std::uint64_t line = 0;  // the line it starts on, from 1
    bool tooLong = false;    // `text` is only its first kLongestRecord bytes; the rest was skipped
    bool crLf = false;       // it ended in CR LF, as Windows writes lines
};

// Reads records through one buffer of a fixed size, so that memory stays the same whatever the
// input, and a record longer than any number is reported by its line rather than held whole.
// Given a CSV separator it reads CSV records, whose quoted fields may hold line breaks;
// otherwise lines. Any bytes are read as they are: NULs, invalid UTF-8, a last line without its
// line feed.
class RecordReader {
  public:
    static constexpr std::size_t kLongestRecord = 64 * 1024;

    explicit RecordReader(ByteSource& source, std::optional<char> csvSeparator = std::nullopt);

    // The next record, valid until the next call; nothing at the end or after a read error.
    std::optional<Record> Next();

    int error() const { return error_; }  // the errno of a failed read, or 0
    std::uint64_t bytesRead() const { return bytesRead_; }

  private:
    bool Fill();
    std::size_t FindEnd();
    bool SkipRestOfLine();

    ByteSource& source_;
    std::optional<char> separator_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;  // the record being read
    std::size_t scan_ = 0;   // how far it has been searched for its end
    std::size_t end_ = 0;    // the end of the bytes read
    CsvState state_ = CsvState::FieldStart;
    std::uint64_t line_ = 1;       // where the record being read starts
    std::uint64_t lineFeeds_ = 0;  // quoted line feeds in it so far
    bool started_ = false;         // the BOM has been looked for
    bool skipping_ = false;        // passing over the rest of a record too long to hold
    bool ended_ = false;
    int error_ = 0;
    std::uint64_t bytesRead_ = 0;
};

}  // namespace minizol
