#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "lists/record_reader.h"

namespace minizol {

// Bytes from memory, handed out `chunk` at a time as a pipe may deliver them, then the end or,
// with `failing`, a read error.
class MemorySource final : public ByteSource {
  public:
    MemorySource(std::string_view data, std::size_t chunk, bool failing = false)
        : rest_(data), chunk_(std::max<std::size_t>(chunk, 1)), failing_(failing) {}

    std::ptrdiff_t Read(char* into, std::size_t size) override {
        if (rest_.empty() && failing_) {
            errno = EIO;
            return -1;
        }
        const std::size_t count = std::min({size, chunk_, rest_.size()});
        std::memcpy(into, rest_.data(), count);
        rest_.remove_prefix(count);
        return static_cast<std::ptrdiff_t>(count);
    }

  private:
    std::string_view rest_;
    std::size_t chunk_;
    bool failing_;
};

}  // namespace minizol
