#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

// The entry point libFuzzer calls, and replay_main.cpp too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace minizol::fuzz {

// Non-printable bytes escaped, so that a failing input can be read in the report.
inline std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const unsigned char byte : text) {
        if (byte >= 0x20 && byte < 0x7f && byte != '"' && byte != '\\') {
            out += static_cast<char>(byte);
        } else {
            out += {'\\', 'x', "0123456789abcdef"[byte >> 4], "0123456789abcdef"[byte & 15]};
        }
    }
    return out + "\"";
}

// Reads a fuzz input piece by piece; every read succeeds, past the end with zeros or "".
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return rest_.empty(); }
    std::string_view rest() const { return rest_; }

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    // Any double, NaNs and infinities included, from eight bytes, least significant first.
    double Double() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits |= static_cast<std::uint64_t>(Byte()) << (8 * i);
        }
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // The text up to the next `separator` (dropped) or to the end.
    std::string_view Field(char separator = '|') {
        const std::size_t end = rest_.find(separator);
        const std::string_view field = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        return field;
    }

    std::string_view TakeRest() { return std::exchange(rest_, {}); }

  private:
    std::string_view rest_;
};

inline bool AllDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

inline std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string_view{}
               : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// ASCII letters only: the rules under test ignore the case of those alone.
inline std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

// Leading decimal digits as a number, saturating at the largest 64-bit value, so that a text
// field can express any count and more.
inline std::uint64_t DecimalCount(std::string_view text) {
    std::uint64_t value = 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}

}  // namespace minizol::fuzz

// Defines the entry point of a fuzz target around the body that follows, a function of
// minizol::fuzz that reads the input through `input`:
//     FUZZ_TARGET(input) { CheckSomething(input.rest()); }
#define FUZZ_TARGET(input)                                                              \
    namespace minizol::fuzz {                                                           \
    void FuzzOne(Input& input);                                                         \
    }                                                                                   \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        ::minizol::fuzz::Input whole(data, size);                                       \
        ::minizol::fuzz::FuzzOne(whole);                                                \
        return 0;                                                                       \
    }                                                                                   \
    void minizol::fuzz::FuzzOne(Input& input)

// Prints the broken property and aborts: libFuzzer then saves the input as a crash, and a
// replay under CTest fails with the file name printed before it.
#define FUZZ_CHECK(condition, detail)                                                      \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property failed: %s\n  %s\n", __FILE__, __LINE__, \
                         #condition, std::string(detail).c_str());                         \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
