#include "lists/text_encoding.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "common/utf8_text.h"

namespace minizol {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Windows-1252 leaves five bytes undefined, and iconv refuses them; they are read as the C1
// control characters of the same number, as web browsers read them, and written back as such.
bool IsUndefinedIn1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

}  // namespace

const char* IconvName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf16Le:
            return "UTF-16LE";
        case TextEncoding::Utf16Be:
            return "UTF-16BE";
        case TextEncoding::Windows1252:
            return "WINDOWS-1252";
    }
    return "UTF-8";
}

std::string_view EncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf16Le:
            return "UTF-16 LE";
        case TextEncoding::Utf16Be:
            return "UTF-16 BE";
        case TextEncoding::Windows1252:
            return "Windows-1252";
    }
    return "UTF-8";
}

bool IsUtf8(std::string_view bytes, bool complete) {
    const std::size_t end = WellFormedPrefix(bytes);
    if (end == bytes.size()) {
        return true;
    }
    // A character cut by the end of what was read is no fault of the text.
    const std::string_view tail = bytes.substr(end);
    const auto lead = static_cast<unsigned char>(tail[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (complete || lead < 0xC2 || lead > 0xF4 || tail.size() >= length) {
        return false;
    }
    return std::all_of(tail.begin() + 1, tail.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
}

TextForm DetectTextForm(std::string_view start, bool complete) {
    if (start.starts_with(kUtf8Bom)) {
        return {TextEncoding::Utf8, true};
    }
    if (start.starts_with(kUtf16LeBom)) {
        return {TextEncoding::Utf16Le, true};
    }
    if (start.starts_with(kUtf16BeBom)) {
        return {TextEncoding::Utf16Be, true};
    }
    return {IsUtf8(start, complete) ? TextEncoding::Utf8 : TextEncoding::Windows1252, false};
}

TextForm DetectFileTextForm(int fd, std::string_view start) {
    TextForm form = DetectTextForm(start, false);
    struct stat status {};
    if (form.byteOrderMark || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return form;
    }
    // A character cut by the end of one read is carried to the next.
    std::string chunk;
    std::size_t carried = 0;
    off_t offset = 0;
    for (;;) {
        chunk.resize(carried + (1 << 20));
        const ssize_t count = pread(fd, chunk.data() + carried, chunk.size() - carried, offset);
        if (count < 0) {
            return form;  // the reading proper will say what is wrong
        }
        offset += count;
        chunk.resize(carried + static_cast<std::size_t>(count));
        const std::size_t good = WellFormedPrefix(chunk);
        if (count == 0 || chunk.size() - good >= 4) {
            form.encoding = good == chunk.size() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
            return form;
        }
        chunk.erase(0, good);
        carried = chunk.size();
    }
}

TextConverter::TextConverter(TextEncoding encoding, Direction direction)
    : encoding_(encoding), direction_(direction) {
    const char* name = IconvName(encoding);
    iconv_ = direction == Direction::ToUtf8 ? iconv_open("UTF-8", name) : iconv_open(name, "UTF-8");
    if (iconv_ == reinterpret_cast<iconv_t>(-1)) {
        // The C library's own code pages are missing: nothing can be read right.
        throw std::runtime_error(std::string("iconv no conoce ") + name);
    }
}

TextConverter::~TextConverter() {
    iconv_close(iconv_);
}

void TextConverter::Convert(std::string_view in, std::string& out, bool last) {
    held_.append(in);
    ConvertHeld(out, last);
}

void TextConverter::ConvertHeld(std::string& out, bool last) {
    char* from = held_.data();
    std::size_t left = held_.size();
    char room[16 * 1024];
    while (left > 0) {
        char* to = room;
        std::size_t space = sizeof room;
        const std::size_t result = iconv(iconv_, &from, &left, &to, &space);
        const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
        out.append(room, static_cast<std::size_t>(to - room));
        if (error == E2BIG || error == 0) {
            continue;
        }
        if (error == EINVAL && !last) {
            break;  // a character cut at the end of the chunk: held for the next
        }
        // A byte sequence the other side cannot hold, or one cut at the very end.
        const std::size_t done = held_.size() - left;
        held_.erase(0, done);
        Unconvertible(out);
        from = held_.data();
        left = held_.size();
    }
    held_.erase(0, held_.size() - left);
}

// Passes over what iconv refused at the start of held_, writing what stands for it.
void TextConverter::Unconvertible(std::string& out) {
    const auto first = static_cast<unsigned char>(held_[0]);
    std::size_t skipped = 1;
    if (direction_ == Direction::ToUtf8) {
        if (encoding_ == TextEncoding::Windows1252 && IsUndefinedIn1252(first)) {
            out += '\xC2';
            out += static_cast<char>(first);
        } else {
            out += "\uFFFD";
            skipped =
                encoding_ == TextEncoding::Windows1252 ? 1 : std::min<std::size_t>(2, held_.size());
        }
    } else {
        skipped = std::max<std::size_t>(1, CharLengthAt(held_, 0));
        if (encoding_ == TextEncoding::Windows1252) {
            const bool undefined = skipped == 2 && first == 0xC2 &&
                                   IsUndefinedIn1252(static_cast<unsigned char>(held_[1]));
            out += undefined ? held_[1] : '?';
        } else {
            out += encoding_ == TextEncoding::Utf16Le ? std::string_view("\xFD\xFF", 2)
                                                      : std::string_view("\xFF\xFD", 2);
        }
    }
    held_.erase(0, skipped);
}

DecodingSource::DecodingSource(ByteSource& source, TextEncoding encoding)
    : source_(source),
      passThrough_(encoding == TextEncoding::Utf8),
      converter_(encoding, TextConverter::Direction::ToUtf8) {}

std::ptrdiff_t DecodingSource::Read(char* into, std::size_t size) {
    if (passThrough_) {
        return source_.Read(into, size);
    }
    while (taken_ == decoded_.size() && !ended_) {
        decoded_.clear();
        taken_ = 0;
        char chunk[64 * 1024];
        const std::ptrdiff_t count = source_.Read(chunk, sizeof chunk);
        if (count < 0) {
            return count;
        }
        ended_ = count == 0;
        converter_.Convert(std::string_view(chunk, static_cast<std::size_t>(count)), decoded_,
                           ended_);
    }
    const std::size_t count = std::min(size, decoded_.size() - taken_);
    std::memcpy(into, decoded_.data() + taken_, count);
    taken_ += count;
    return static_cast<std::ptrdiff_t>(count);
}

std::string_view PeekableSource::Peek(std::size_t size) {
    if (capacity_ < size) {
        // Not filled first: a page of it is touched only when a read brings bytes there, and a
        // short input is looked at for the price of its own size.
        auto grown = std::make_unique_for_overwrite<char[]>(size);
        if (peekedSize_ > 0) {
            std::memcpy(grown.get(), peeked_.get(), peekedSize_);
        }
        peeked_ = std::move(grown);
        capacity_ = size;
    }
    while (peekedSize_ < size && !ended_) {
        const std::ptrdiff_t count = source_.Read(peeked_.get() + peekedSize_, size - peekedSize_);
        if (count <= 0) {
            ended_ = true;
            error_ = count < 0 ? errno : 0;
        } else {
            peekedSize_ += static_cast<std::size_t>(count);
        }
    }
    return std::string_view(peeked_.get(), std::min(size, peekedSize_));
}

std::ptrdiff_t PeekableSource::Read(char* into, std::size_t size) {
    if (taken_ < peekedSize_) {
        const std::size_t count = std::min(size, peekedSize_ - taken_);
        std::memcpy(into, peeked_.get() + taken_, count);
        taken_ += count;
        return static_cast<std::ptrdiff_t>(count);
    }
    if (error_ != 0) {
        errno = error_;
        return -1;
    }
    if (ended_) {
        return 0;
    }
    return source_.Read(into, size);
}

}  // namespace minizol
