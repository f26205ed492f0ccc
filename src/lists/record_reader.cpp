#include "lists/record_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace minizol {
namespace {

// Room for the longest record and its line end, and for a few ordinary records beside it so that
// the buffer is seldom shifted.
constexpr std::size_t kBufferSize = 4 * RecordReader::kLongestRecord;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::ptrdiff_t FdSource::Read(char* into, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(fd_, into, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

RecordReader::RecordReader(ByteSource& source, std::optional<char> csvSeparator)
    : source_(source), separator_(csvSeparator), buffer_(new char[kBufferSize]) {}

// Reads more after the bytes held; false at the end of the input or on an error.
bool RecordReader::Fill() {
    if (ended_) {
        return false;
    }
    const std::ptrdiff_t count = source_.Read(buffer_.get() + end_, kBufferSize - end_);
    if (count <= 0) {
        error_ = count < 0 ? (errno != 0 ? errno : EIO) : 0;
        ended_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(count);
    bytesRead_ += static_cast<std::uint64_t>(count);
    return true;
}

// Where the record being read ends (its line feed), or npos when the bytes held end first.
std::size_t RecordReader::FindEnd() {
    const char* data = buffer_.get();
    if (!separator_) {
        const void* found = std::memchr(data + scan_, '\n', end_ - scan_);
        scan_ = found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data)
                                 : end_;
        return found != nullptr ? scan_ : std::string_view::npos;
    }
    for (; scan_ < end_; ++scan_) {
        const char c = data[scan_];
        if (c != '\n') {
            state_ = CsvStep(state_, c, *separator_);
        } else if (state_ == CsvState::Quoted) {
            ++lineFeeds_;
        } else {
            return scan_;
        }
    }
    return std::string_view::npos;
}

// Passes over the bytes up to the next line feed, whatever the quotes say: a record too long to
// be read ends there, so that an unclosed quote costs one line and not the rest of the input.
bool RecordReader::SkipRestOfLine() {
    for (;;) {
        const char* data = buffer_.get();
        if (const void* found = std::memchr(data + scan_, '\n', end_ - scan_)) {
            begin_ = scan_ = static_cast<std::size_t>(static_cast<const char*>(found) - data) + 1;
            break;
        }
        begin_ = scan_ = end_ = 0;
        if (!Fill()) {
            break;
        }
    }
    line_ += lineFeeds_ + 1;
    lineFeeds_ = 0;
    state_ = CsvState::FieldStart;
    skipping_ = false;
    return error_ == 0;
}

std::optional<Record> RecordReader::Next() {
    if (skipping_ && !SkipRestOfLine()) {
        return std::nullopt;
    }
    if (!started_) {
        while (end_ < kByteOrderMark.size() && Fill()) {
        }
        if (std::string_view(buffer_.get(), end_).starts_with(kByteOrderMark)) {
            begin_ = scan_ = kByteOrderMark.size();
        }
        started_ = true;
    }
    for (;;) {
        Record record;
        record.line = line_;
        const std::size_t end = FindEnd();
        const char* data = buffer_.get();
        // A record may end in a carriage return beyond its longest, which is no part of it.
        const std::size_t room = kLongestRecord + 1;
        const bool fits = end != std::string_view::npos &&
                          (end - begin_ < room || (end - begin_ == room && data[end - 1] == '\r'));
        if (fits) {
            record.text = std::string_view(data + begin_, end - begin_);
            begin_ = scan_ = end + 1;
            line_ += lineFeeds_ + 1;
            lineFeeds_ = 0;
            state_ = CsvState::FieldStart;
        } else if (end_ - begin_ > room) {
            // Too long, wherever its end is: it ends at the first line feed after its longest, so
            // that where it ends does not depend on how much a read brought.
            record.text = std::string_view(data + begin_, kLongestRecord);
            record.tooLong = true;
            scan_ = begin_ + kLongestRecord;
            lineFeeds_ = static_cast<std::uint64_t>(
                std::count(record.text.begin(), record.text.end(), '\n'));
            skipping_ = true;
            return record;
        } else {
            if (begin_ > 0) {
                std::memmove(buffer_.get(), data + begin_, end_ - begin_);
                end_ -= begin_;
                scan_ -= begin_;
                begin_ = 0;
            }
            if (Fill()) {
                continue;
            }
            if (error_ != 0 || begin_ == end_) {
                return std::nullopt;
            }
            // The last record, without a line feed, or with one inside a quote left open.
            record.text = std::string_view(buffer_.get(), end_);
            if (record.text.ends_with('\n')) {
                record.text.remove_suffix(1);
            }
            begin_ = scan_ = end_;
        }
        if (record.text.ends_with('\r')) {
            record.text.remove_suffix(1);
            record.crLf = true;
        }
        return record;
    }
}

}  // namespace minizol
