#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <span>

#include "platform/memory_status.h"

namespace minizol {
namespace {

// The text of a /proc file, read into `buffer` with plain system calls: the monitor reads two
// of them ten times a second. If the file does not fit, only its complete lines are kept.
std::optional<std::string_view> ReadProcFile(const char* path, std::span<char> buffer) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::size_t used = 0;
    bool failed = false;
    while (used < buffer.size()) {
        const ssize_t count = ::read(fd, buffer.data() + used, buffer.size() - used);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            failed = count < 0;
            break;
        }
        used += static_cast<std::size_t>(count);
    }
    ::close(fd);
    if (failed) {
        return std::nullopt;
    }
    std::string_view text(buffer.data(), used);
    if (used == buffer.size()) {
        text = text.substr(0, text.rfind('\n') + 1);  // npos + 1 == 0: no complete line
    }
    return text;
}

std::optional<std::uint64_t> AddressSpaceLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(limit.rlim_cur);
}

std::optional<std::uint64_t> ArchitectureAddressSpace() {
#if defined(__x86_64__) && !defined(__ILP32__)
    // Four-level paging; with five levels the kernel still maps below this unless asked to.
    return std::uint64_t{1} << 47;
#else
    // Unknown here: better no figure than a guessed one.
    return std::nullopt;
#endif
}

}  // namespace

std::optional<MemoryStatus> QueryMemoryStatus() {
    std::array<char, 8192> meminfoBuffer;
    std::array<char, 4096> statusBuffer;
    const auto meminfo = ReadProcFile("/proc/meminfo", meminfoBuffer);
    const auto status = ReadProcFile("/proc/self/status", statusBuffer);
    const auto addressSpace =
        EffectiveAddressSpace(AddressSpaceLimit(), ArchitectureAddressSpace());
    if (!meminfo || !status || !addressSpace) {
        return std::nullopt;
    }
    return ParseMemoryStatus(*meminfo, *status, *addressSpace);
}

}  // namespace minizol
