#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace minizol {

// The machine's memory at one moment: a load percentage and seven byte counts.
struct MemoryStatus {
    std::uint32_t memoryLoad = 0;  // percentage of physical memory in use, 0 to 100
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPageFile = 0;  // commit: RAM plus swap
    std::uint64_t availablePageFile = 0;
    std::uint64_t totalVirtual = 0;  // this process's user address space
    std::uint64_t availableVirtual = 0;
    std::uint64_t availableExtendedVirtual = 0;  // Linux has no such thing: always 0

    friend bool operator==(const MemoryStatus&, const MemoryStatus&) = default;
};

// No figure may exceed this; a text that claims more is corrupt.
inline constexpr std::uint64_t kMaxMemoryBytes = 0x7fff'ffff'ffff'ffffULL;

// The figures from the texts of /proc/meminfo and /proc/self/status and the size of the process's
// address space. Nothing when a needed field is missing, malformed, duplicated or absurd, when
// the figures contradict each other, or when the total physical memory is zero.
std::optional<MemoryStatus> ParseMemoryStatus(std::string_view meminfo, std::string_view selfStatus,
                                              std::uint64_t addressSpaceBytes);

// The user address space a process can really use: the smaller of its address-space limit and
// the architecture's size, whichever of them is known.
std::optional<std::uint64_t> EffectiveAddressSpace(std::optional<std::uint64_t> limitBytes,
                                                   std::optional<std::uint64_t> architectureBytes);

// The live figures of this machine and process; nothing when they cannot be had.
std::optional<MemoryStatus> QueryMemoryStatus();

}  // namespace minizol
