#include "platform/memory_status.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace minizol {
namespace {

enum class FieldState { kMissing, kBad, kOk };

struct Field {
    FieldState state = FieldState::kMissing;
    std::uint64_t bytes = 0;
};

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// "<digits> kB" with any blanks around, in bytes. Other units, signs and values beyond
// kMaxMemoryBytes are refused.
std::optional<std::uint64_t> ParseKbValue(std::string_view value) {
    value = TrimBlanks(value);
    if (!value.ends_with("kB")) {
        return std::nullopt;
    }
    value = TrimBlanks(value.substr(0, value.size() - 2));
    if (value.empty()) {
        return std::nullopt;
    }
    std::uint64_t kb = 0;
    for (char c : value) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        kb = kb * 10 + static_cast<std::uint64_t>(c - '0');
        if (kb > kMaxMemoryBytes / 1024) {
            return std::nullopt;
        }
    }
    return kb * 1024;
}

// One pass over "Name: value" lines, filling fields[i] from the line named keys[i]. Lines of
// other names are not looked at, so new kernel fields of any shape do no harm.
void ScanKbFields(std::string_view text, std::span<const std::string_view> keys,
                  std::span<Field> fields) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) {
            continue;
        }
        const auto key = std::find(keys.begin(), keys.end(), TrimBlanks(line.substr(0, colon)));
        if (key == keys.end()) {
            continue;
        }
        Field& field = fields[static_cast<std::size_t>(key - keys.begin())];
        // A second line of the same name makes the text ambiguous.
        const auto bytes = field.state == FieldState::kMissing
                               ? ParseKbValue(line.substr(colon + 1))
                               : std::nullopt;
        field = bytes ? Field{FieldState::kOk, *bytes} : Field{FieldState::kBad, 0};
    }
}

std::optional<std::uint64_t> ValueOf(const Field& field) {
    return field.state == FieldState::kOk ? std::optional(field.bytes) : std::nullopt;
}

std::optional<std::uint64_t> CheckedSum(std::initializer_list<std::uint64_t> terms) {
    std::uint64_t sum = 0;
    for (std::uint64_t term : terms) {
        // Every term is at most kMaxMemoryBytes, so this addition cannot wrap.
        sum += term;
        if (sum > kMaxMemoryBytes) {
            return std::nullopt;
        }
    }
    return sum;
}

enum MeminfoKey { kMemTotal, kMemFree, kMemAvailable, kBuffers, kCached, kSwapTotal, kSwapFree };
constexpr std::array<std::string_view, 7> kMeminfoKeys = {
    "MemTotal", "MemFree", "MemAvailable", "Buffers", "Cached", "SwapTotal", "SwapFree"};
constexpr std::array<std::string_view, 1> kStatusKeys = {"VmSize"};

}  // namespace

std::optional<MemoryStatus> ParseMemoryStatus(std::string_view meminfo, std::string_view selfStatus,
                                              std::uint64_t addressSpaceBytes) {
    std::array<Field, kMeminfoKeys.size()> mem;
    ScanKbFields(meminfo, kMeminfoKeys, mem);
    std::array<Field, kStatusKeys.size()> status;
    ScanKbFields(selfStatus, kStatusKeys, status);

    const auto total = ValueOf(mem[kMemTotal]);
    const auto swapTotal = ValueOf(mem[kSwapTotal]);
    const auto swapFree = ValueOf(mem[kSwapFree]);
    const auto vmSize = ValueOf(status[0]);
    if (!total || !swapTotal || !swapFree || !vmSize || *total == 0 || *swapFree > *swapTotal ||
        addressSpaceBytes == 0 || addressSpaceBytes > kMaxMemoryBytes) {
        return std::nullopt;
    }

    std::optional<std::uint64_t> available = ValueOf(mem[kMemAvailable]);
    if (mem[kMemAvailable].state == FieldState::kMissing) {
        // Kernels before 3.14 give no estimate of their own; this is the customary one.
        const auto free = ValueOf(mem[kMemFree]);
        const auto buffers = ValueOf(mem[kBuffers]);
        const auto cached = ValueOf(mem[kCached]);
        if (!free || !buffers || !cached) {
            return std::nullopt;
        }
        available = CheckedSum({*free, *buffers, *cached});
    }
    if (!available || *available > *total) {
        return std::nullopt;
    }
    const auto totalCommit = CheckedSum({*total, *swapTotal});
    const auto availableCommit = CheckedSum({*available, *swapFree});
    if (!totalCommit || !availableCommit) {
        return std::nullopt;
    }

    MemoryStatus result;
    // nearbyint in the default rounding mode, which this program never changes: halves to even.
    result.memoryLoad = static_cast<std::uint32_t>(std::nearbyint(
        static_cast<double>(*total - *available) / static_cast<double>(*total) * 100.0));
    result.totalPhysical = *total;
    result.availablePhysical = *available;
    result.totalPageFile = *totalCommit;
    result.availablePageFile = *availableCommit;
    result.totalVirtual = addressSpaceBytes;
    // A limit lowered below what is already mapped leaves nothing to map.
    result.availableVirtual = *vmSize < addressSpaceBytes ? addressSpaceBytes - *vmSize : 0;
    return result;
}

std::optional<std::uint64_t> EffectiveAddressSpace(std::optional<std::uint64_t> limitBytes,
                                                   std::optional<std::uint64_t> architectureBytes) {
    if (limitBytes && architectureBytes) {
        return std::min(*limitBytes, *architectureBytes);
    }
    return limitBytes ? limitBytes : architectureBytes;
}

}  // namespace minizol
